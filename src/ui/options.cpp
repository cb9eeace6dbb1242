#include "ui/options.h"

#include <algorithm>

namespace vornik {

namespace {

constexpr std::string_view kSection = "org";

// Present and not 1 is off, whatever the text; only a missing key keeps the default.
bool onOff(const IniFile& ini, std::string_view key, bool fallback) {
    if (!ini.text(kSection, key)) return fallback;
    return ini.number(kSection, key) == 1;
}

int inRangeOr(const IniFile& ini, std::string_view key, int low, int high, int fallback) {
    const std::optional<int> v = ini.number(kSection, key);
    return (v && *v >= low && *v <= high) ? *v : fallback;
}

}  // namespace

bool AppOptions::acceptsReservePair(std::uint8_t manufacturer, std::uint8_t product) const {
    return revManuId == manufacturer && revProId == product;
}

std::string AppOptions::macroLibraryFile() const { return path + "Macro.bin"; }

AppOptions parseOptions(const IniFile& ini) {
    AppOptions o;
    o.webEnable = onOff(ini, "Web_Enable", o.webEnable);
    o.web = ini.text(kSection, "Web").value_or(std::string());
    o.webX = ini.integer(kSection, "Web_X", o.webX);
    o.webY = ini.integer(kSection, "Web_Y", o.webY);
    o.revManuId = ini.integer(kSection, "Rev_Manu_ID", o.revManuId);
    o.revProId = ini.integer(kSection, "Rev_Pro_ID", o.revProId);
    o.path = ini.text(kSection, "Path").value_or(o.path);
    o.textRolling = onOff(ini, "TR_Enable", o.textRolling);
    o.gunDisplay = onOff(ini, "GD_Enable", o.gunDisplay);
    o.dpiLedSlider = onOff(ini, "DPILED_Status", o.dpiLedSlider);
    o.gun6Num = std::clamp(ini.integer(kSection, "Gun6_Num", o.gun6Num), 1, 2);
    o.gun7Num = std::clamp(ini.integer(kSection, "Gun7_Num", o.gun7Num), 1, 3);
    o.numOrder = std::clamp(ini.integer(kSection, "Num_Order", o.numOrder), 0, 1);
    o.apMode = inRangeOr(ini, "Ap_Mode", 0, 2, o.apMode);
    o.eepromMode = o.apMode != 1;
    if (!o.eepromMode) o.gunDisplay = false;
    o.dpiCount = inRangeOr(ini, "DPI_Count", 1, 12, o.dpiCount);
    return o;
}

}  // namespace vornik

#include "formats/options.h"

#include <algorithm>

namespace vornik {

namespace {

constexpr std::string_view kSection = "org";

// Present and not 1 is off, whatever the text; only a missing key keeps the default.
bool onOff(const IniFile& ini, std::string_view key, bool fallback) {
    if (!ini.text(kSection, key)) return fallback;
    return ini.number(kSection, key) == 1;
}

void noteOutOfRange(AppOptions& o, std::string_view key, int value) {
    o.outOfRange.push_back(std::string(key) + "=" + std::to_string(value));
}

int inRangeOr(const IniFile& ini, std::string_view key, int low, int high, int fallback,
              AppOptions& o) {
    const std::optional<int> v = ini.number(kSection, key);
    if (!v) return fallback;
    if (*v >= low && *v <= high) return *v;
    noteOutOfRange(o, key, *v);
    return fallback;
}

int clamped(const IniFile& ini, std::string_view key, int low, int high, int fallback,
            AppOptions& o) {
    const int v = ini.integer(kSection, key, fallback);
    if (v < low || v > high) noteOutOfRange(o, key, v);
    return std::clamp(v, low, high);
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
    o.revManuId = inRangeOr(ini, "Rev_Manu_ID", 0, 255, o.revManuId, o);
    o.revProId = inRangeOr(ini, "Rev_Pro_ID", 0, 255, o.revProId, o);
    o.path = ini.text(kSection, "Path").value_or(o.path);
    o.textRolling = onOff(ini, "TR_Enable", o.textRolling);
    o.gunDisplay = onOff(ini, "GD_Enable", o.gunDisplay);
    o.dpiLedSlider = onOff(ini, "DPILED_Status", o.dpiLedSlider);
    o.gun6Num = clamped(ini, "Gun6_Num", 1, 2, o.gun6Num, o);
    o.gun7Num = clamped(ini, "Gun7_Num", 1, 3, o.gun7Num, o);
    o.numOrder = clamped(ini, "Num_Order", 0, 1, o.numOrder, o);
    o.apMode = inRangeOr(ini, "Ap_Mode", 0, 2, o.apMode, o);
    o.eepromMode = o.apMode != 1;
    if (!o.eepromMode) o.gunDisplay = false;
    o.dpiCount = inRangeOr(ini, "DPI_Count", 1, 12, o.dpiCount, o);
    return o;
}

}  // namespace vornik

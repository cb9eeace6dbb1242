#include "image/function_code.h"

#include "formats/language_keys.h"
#include "image/hex_text.h"
#include "image/usage_names.h"

namespace vornik {

namespace {

constexpr int kAimTag = 1002;

struct MenuEntry {
    int tag;
    std::string_view code;  // empty for the AIM key, whose code carries the DPI index
    std::string_view nameKey;
};

// In naming order: the AIM key's "0A" test comes after "090000" and before "0D0000".
constexpr MenuEntry kMenu[] = {
    {900, "010100", textkey::kLeftKey},         {901, "010200", textkey::kRightKey},
    {902, "010400", textkey::kMiddleKey},       {903, "010800", textkey::kBackKey},
    {904, "011000", textkey::kForwardKey},      {1000, "0600F0", textkey::kFireKey},
    {1001, "090000", textkey::kLedSwitch},      {kAimTag, "", textkey::kAimKey},
    {1003, "0D0000", textkey::kGunKeyFunction}, {1004, "000000", textkey::kKeyOff},
    {1005, "0F0000", textkey::kKeyModeSwitch},  {1006, "100000", textkey::kLedModeSwitch},
    {1100, "030194", textkey::kMyComputer},     {1101, "030192", textkey::kCalculator},
    {1102, "03018A", textkey::kEmail},          {1103, "020807", textkey::kDesktop},
    {1300, "0300CD", textkey::kPlayPause},      {1301, "0300B7", textkey::kStop},
    {1302, "0300B6", textkey::kPreviousTrack},  {1303, "0300B5", textkey::kNextTrack},
    {1304, "0300E9", textkey::kVolumeUp},       {1305, "0300EA", textkey::kVolumeDown},
    {1306, "0300E2", textkey::kMute},           {1400, "030223", textkey::kWebHome},
    {1401, "030221", textkey::kWebSearch},      {1402, "030224", textkey::kWebBack},
    {1403, "030225", textkey::kWebForward},     {1404, "030226", textkey::kWebStop},
    {1405, "030227", textkey::kWebRefresh},     {1406, "03022A", textkey::kWebFavorites},
    {2000, "050000", textkey::kDpiLoop},        {2001, "070000", textkey::kDpiUp},
    {2002, "080000", textkey::kDpiDown},
};

struct GunPreset {
    std::string_view code;
    std::string_view nameKey;
};

constexpr GunPreset kGunPresets[] = {
    {"0C0101", textkey::kGunPreset1}, {"0C0202", textkey::kGunPreset2},
    {"0C0303", textkey::kGunPreset3}, {"0C0404", textkey::kGunPreset4},
    {"0C0505", textkey::kGunPreset5}, {"0C0606", textkey::kGunPreset6},
    {"0C0607", textkey::kGunPreset6}, {"0C0808", textkey::kGunPreset7},
    {"0C0809", textkey::kGunPreset7}, {"0C080A", textkey::kGunPreset7},
};

std::string keyboardName(const FunctionCode& code) {
    static constexpr std::string_view kModifiers[] = {"Ctrl+", "Shift+", "Alt+", "Win+"};
    std::string name;
    for (unsigned bit = 0; bit < 4; ++bit)
        if (code.high & (1u << bit)) name += kModifiers[bit];
    if (code.low != 0) name += usageName(code.low);
    return name;
}

std::string slotName(const NameContext& context, std::size_t index) {
    return index < context.slotNames.size() ? context.slotNames[index] : std::string();
}

std::string macroName(std::uint16_t address, const NameContext& context) {
    if (context.eepromMode) {
        for (std::size_t i = 0; i < kMacroSlotAddresses.size(); ++i)
            if (kMacroSlotAddresses[i] == address) return slotName(context, i);
        return {};
    }
    // Blocks past 0xFFFF cannot be carried by a code, so the search stops there.
    for (std::uint32_t n = 0; n < context.driverBlockCount && driverBlockAddress(n) <= 0xFFFF; ++n)
        if (driverBlockAddress(n) == address) return slotName(context, n);
    return {};
}

std::string gunName(std::string_view code, const NameContext& context) {
    if (!context.gunList.empty()) {
        for (std::size_t i = 0; i < context.gunList.size(); ++i)
            if (context.gunList[i] == code) return "Fire Macro" + std::to_string(i + 1);
        return {};
    }
    for (const auto& preset : kGunPresets)
        if (preset.code == code) return context.texts.text(preset.nameKey);
    return {};
}

}  // namespace

std::optional<FunctionCode> FunctionCode::fromText(std::string_view text) {
    if (text.size() != 6) return std::nullopt;
    std::array<std::uint8_t, 3> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = parseHexByte(text.substr(2 * i, 2));
        if (!byte) return std::nullopt;
        bytes[i] = *byte;
    }
    return fromBytes(bytes);
}

FunctionCode FunctionCode::fromBytes(std::span<const std::uint8_t, 3> bytes) {
    return FunctionCode{bytes[0], bytes[1], bytes[2]};
}

std::string FunctionCode::text() const { return hexByte(type) + hexByte(high) + hexByte(low); }

std::string codeForTag(int tag, std::uint8_t aimIndex) {
    if (tag == kAimTag) return FunctionCode{0x0A, aimIndex, 0x00}.text();
    for (const auto& entry : kMenu)
        if (entry.tag == tag) return std::string(entry.code);
    return {};
}

std::string_view nameKeyForTag(int tag) {
    for (const auto& entry : kMenu)
        if (entry.tag == tag) return entry.nameKey;
    return {};
}

std::string nameForCode(std::string_view code, const NameContext& context) {
    const auto parsed = FunctionCode::fromText(code);
    if (!parsed) return {};
    for (const auto& entry : kMenu) {
        const bool match = entry.tag == kAimTag ? code.starts_with("0A") : code == entry.code;
        if (match) return context.texts.text(entry.nameKey);
    }
    switch (parsed->type) {
        case 0x02:
            return keyboardName(*parsed);
        case 0x06:
        case 0x0E:
            return macroName(parsed->parameter(), context);
        case 0x0C:
            return gunName(code, context);
        default:
            return {};
    }
}

void ProfileCodes::rebuild(std::span<const std::uint8_t, kSectionSize> section) {
    for (int p = 1; p <= kProfiles; ++p)
        for (int k = 1; k <= kButtons; ++k)
            m_codes[p - 1][k - 1] =
                FunctionCode::fromBytes(section.subspan(offset(p, k)).first<3>()).text();
}

bool ProfileCodes::store(int profile, int button, std::string_view code,
                         std::span<std::uint8_t, kSectionSize> section) {
    if (profile < 1 || profile > kProfiles || button < 1 || button > kButtons) return false;
    const auto parsed = FunctionCode::fromText(code);
    if (!parsed) return false;
    const auto bytes = parsed->bytes();
    const std::size_t at = offset(profile, button);
    for (std::size_t i = 0; i < bytes.size(); ++i) section[at + i] = bytes[i];
    m_codes[profile - 1][button - 1] = parsed->text();
    return true;
}

const std::string& ProfileCodes::code(int profile, int button) const {
    static const std::string kNone;
    if (profile < 1 || profile > kProfiles || button < 1 || button > kButtons) return kNone;
    return m_codes[profile - 1][button - 1];
}

}  // namespace vornik

#include "image/function_code.h"

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
    {900, "010100", "Str210"},  {901, "010200", "Str211"},  {902, "010400", "Str212"},
    {903, "010800", "Str213"},  {904, "011000", "Str214"},  {1000, "0600F0", "Str220"},
    {1001, "090000", "Str221"}, {kAimTag, "", "Str222"},    {1003, "0D0000", "Str223"},
    {1004, "000000", "Str224"}, {1005, "0F0000", "Str225"}, {1006, "100000", "Str226"},
    {1100, "030194", "Str240"}, {1101, "030192", "Str241"}, {1102, "03018A", "Str242"},
    {1103, "020807", "Str243"}, {1300, "0300CD", "Str250"}, {1301, "0300B7", "Str251"},
    {1302, "0300B6", "Str252"}, {1303, "0300B5", "Str253"}, {1304, "0300E9", "Str254"},
    {1305, "0300EA", "Str255"}, {1306, "0300E2", "Str256"}, {1400, "030223", "Str260"},
    {1401, "030221", "Str261"}, {1402, "030224", "Str262"}, {1403, "030225", "Str263"},
    {1404, "030226", "Str264"}, {1405, "030227", "Str265"}, {1406, "03022A", "Str266"},
    {2000, "050000", "Str231"}, {2001, "070000", "Str232"}, {2002, "080000", "Str233"},
};

struct GunPreset {
    std::string_view code;
    std::string_view nameKey;
};

constexpr GunPreset kGunPresets[] = {
    {"0C0101", "Str600"}, {"0C0202", "Str601"}, {"0C0303", "Str602"}, {"0C0404", "Str603"},
    {"0C0505", "Str604"}, {"0C0606", "Str605"}, {"0C0607", "Str605"}, {"0C0808", "Str606"},
    {"0C0809", "Str606"}, {"0C080A", "Str606"},
};

std::string keyboardName(const FunctionCode& code) {
    static constexpr std::string_view kModifiers[] = {"Ctrl+", "Shift+", "Alt+", "Win+"};
    std::string name;
    for (unsigned bit = 0; bit < 4; ++bit)
        if (code.high & (1u << bit)) name += kModifiers[bit];
    if (code.low != 0) name += UsageName(code.low);
    return name;
}

std::string slotName(const NameContext& context, std::size_t index) {
    return index < context.slotNames.size() ? context.slotNames[index] : std::string();
}

std::string macroName(std::uint16_t address, const NameContext& context) {
    if (context.eepromMode) {
        for (std::size_t i = 0; i < MacroSlotAddresses.size(); ++i)
            if (MacroSlotAddresses[i] == address) return slotName(context, i);
        return {};
    }
    // Blocks past 0xFFFF cannot be carried by a code, so the search stops there.
    for (std::uint32_t n = 0; n < context.driverBlockCount && DriverBlockAddress(n) <= 0xFFFF; ++n)
        if (DriverBlockAddress(n) == address) return slotName(context, n);
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

std::string CodeForTag(int tag, std::uint8_t aimIndex) {
    if (tag == kAimTag) return FunctionCode{0x0A, aimIndex, 0x00}.text();
    for (const auto& entry : kMenu)
        if (entry.tag == tag) return std::string(entry.code);
    return {};
}

std::string NameForCode(std::string_view code, const NameContext& context) {
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

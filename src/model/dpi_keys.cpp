#include <string>

#include "image/memory_map.h"
#include "model/edit_numbers.h"
#include "model/settings_keys.h"

namespace vornik {

namespace {

constexpr std::uint16_t kParameterA = section::kParameterA.address;
constexpr std::uint16_t kParameterB = section::kParameterB.address;
constexpr auto kParameterACheck =
    static_cast<std::uint16_t>(section::kParameterA.address + section::kParameterA.size - 1);

std::uint16_t address(std::uint16_t base, int offset) {
    return static_cast<std::uint16_t>(base + offset);
}

std::string levelName(const char* what, int level) {
    return std::string("dpi.") + what + std::to_string(level);
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string dpiTableText() {
    std::string list;
    for (const int dpi : kDpiValues) list += (list.empty() ? "" : ", ") + std::to_string(dpi);
    return list;
}

EditResult notADpiValue(std::string_view text) {
    return EditResult::refused(quoted(text) + " is not a DPI value of the table (" +
                               dpiTableText() + ")");
}

SettingsKey countKey() {
    return {"dpi.count",
            "2 to 7 (the highest level becomes current)",
            true,
            [](const SettingsKeyTarget& t) { return std::to_string(levelCount(t.values)); },
            [](SettingsKeyTarget& t, std::string_view text) {
                const auto count = unsignedDecimal(text);
                if (!count)
                    return EditResult::refused("a DPI level count of " + quoted(text) +
                                               " is not 2 to 7");
                return setLevelCount(t.values, *count);
            },
            {address(kParameterA, 2), kParameterACheck, address(kParameterB, 0),
             address(kParameterB, 1)}};
}

SettingsKey currentKey() {
    return {"dpi.current",
            "a level in use, 1 to dpi.count",
            true,
            [](const SettingsKeyTarget& t) { return std::to_string(currentLevel(t.values)); },
            [](SettingsKeyTarget& t, std::string_view text) {
                const auto level = unsignedDecimal(text);
                if (!level)
                    return EditResult::refused("DPI level " + quoted(text) + " is not a number");
                return setCurrentLevel(t.values, *level);
            },
            {address(kParameterB, 0), address(kParameterB, 1)}};
}

SettingsKey levelKey(int level) {
    return {levelName("level", level),
            "a DPI value of the table: " + dpiTableText(),
            false,  // a level without a value reads "none"
            [level](const SettingsKeyTarget& t) {
                return dpiTextOf(t.values.cb_CPI[static_cast<std::size_t>(level - 1)]);
            },
            [level](SettingsKeyTarget& t, std::string_view text) {
                const auto index = dpiIndexOfText(text);
                if (!index) return notADpiValue(text);
                return setLevelValue(t.values, level, *index);
            },
            {address(kParameterA, 6 + level - 1), kParameterACheck}};
}

SettingsKey colourKey(int level) {
    const int first = 26 + 3 * (level - 1);
    return {
        levelName("color", level),
        "#RRGGBB (flowing light only)",
        false,
        [level](const SettingsKeyTarget& t) { return colourText(levelColour(t.values, level)); },
        [level](SettingsKeyTarget& t, std::string_view text) {
            if (!colourLabelActive(t.values))
                return EditResult::refused(std::string("the ") +
                                           std::string(lightTypeName(t.values.gbLEDType)) +
                                           " has no DPI colours");
            const auto colour = colourOfText(text);
            if (!colour) return EditResult::refused(quoted(text) + " is not a #RRGGBB colour");
            return setLevelColour(t.values, level, *colour);
        },
        {address(kParameterA, first), address(kParameterA, first + 1),
         address(kParameterA, first + 2), kParameterACheck}};
}

SettingsKey aimKey() {
    std::vector<std::uint16_t> addresses;
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k)
            addresses.push_back(static_cast<std::uint16_t>(section::kProfile.address +
                                                           ProfileCodes::offset(p, k) + 1));
    addresses.push_back(
        static_cast<std::uint16_t>(section::kProfile.address + section::kProfile.size - 1));
    return {"aim",
            "a DPI value of the table from 500 to 6400 (needs a button with the AIM key)",
            false,  // "none" without an AIM button
            [](const SettingsKeyTarget& t) {
                const auto index = aimIndexOf(t.codes);
                return index ? dpiTextOf(*index) : std::string("none");
            },
            [](SettingsKeyTarget& t, std::string_view text) {
                const auto index = dpiIndexOfText(text);
                if (!index) return notADpiValue(text);
                if (*index >= kAimValueCount)
                    return EditResult::refused("the AIM value " + quoted(text) + " is above 6400");
                // Refused before the editor's fallback to index 0, so nothing changes.
                if (!hasAimButton(t.codes))
                    return EditResult::refused(std::string(kNoAimButtonMessage));
                int aimIndex = aimIndexOf(t.codes).value_or(0);
                return setAimValue(aimIndex, t.codes, t.profile, *index);
            },
            std::move(addresses)};
}

}  // namespace

std::optional<int> dpiIndexOfText(std::string_view text) {
    const auto dpi = unsignedDecimal(text);
    if (!dpi || text.front() == '0') return std::nullopt;
    for (std::size_t i = 0; i < kDpiValues.size(); ++i)
        if (kDpiValues[i] == *dpi) return static_cast<int>(i);
    return std::nullopt;
}

std::string dpiTextOf(int index) {
    if (index < 0 || index >= static_cast<int>(kDpiValues.size())) return "none";
    return std::to_string(kDpiValues[static_cast<std::size_t>(index)]);
}

std::optional<Rgb> colourOfText(std::string_view text) {
    if (text.size() != 7 || text.front() != '#') return std::nullopt;
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    Rgb colour{};
    for (std::size_t c = 0; c < 3; ++c) {
        const int high = digit(text[1 + 2 * c]);
        const int low = digit(text[2 + 2 * c]);
        if (high < 0 || low < 0) return std::nullopt;
        colour[c] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return colour;
}

std::string colourText(Rgb colour) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const std::uint8_t part : colour) {
        text += kHex[part >> 4];
        text += kHex[part & 0x0F];
    }
    return text;
}

std::vector<SettingsKey> dpiSettingsKeys() {
    std::vector<SettingsKey> keys{countKey(), currentKey()};
    for (int level = 1; level <= kMaxDpiLevels; ++level) keys.push_back(levelKey(level));
    for (int level = 1; level <= kMaxDpiLevels; ++level) keys.push_back(colourKey(level));
    keys.push_back(aimKey());
    return keys;
}

}  // namespace vornik

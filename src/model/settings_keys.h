#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/function_code.h"
#include "model/dpi_editor.h"
#include "model/edit_result.h"
#include "model/light_editor.h"
#include "model/settings_values.h"

namespace vornik {

class ConfigKeyRegistry;

// What the DPI and lighting keys read and change: the settings values, and the button codes
// with the profile section bytes they are kept in step with (the AIM value lives in the AIM
// buttons' codes).
struct SettingsKeyTarget {
    SettingsValues values;
    ProfileCodes codes;
    std::array<std::uint8_t, ProfileCodes::kSectionSize> profile{};
};

// One named setting as scripts see it ("dpi.level2", "light.modes"): its value as text, set
// through the editors' own operations, and the image addresses a change may touch (integrity
// codes included). A refused set leaves the target as it was.
struct SettingsKey {
    std::string name;
    std::string values;    // what the key takes, for help texts and error messages
    bool numeric = false;  // a number in JSON
    std::function<std::string(const SettingsKeyTarget&)> get;
    std::function<EditResult(SettingsKeyTarget&, std::string_view)> set;
    std::vector<std::uint16_t> addresses;
};

// dpi.count, dpi.current, dpi.level1 … dpi.level7, dpi.color1 … dpi.color7 and aim.
std::vector<SettingsKey> dpiSettingsKeys();
// light.on, light.mode, light.modes, light.leds, light.step and light.bright.
std::vector<SettingsKey> lightSettingsKeys();

// The two lists above in the tools' key registry (settings_key_registry.cpp, built with the
// registry).
void registerDpiKeys(ConfigKeyRegistry& registry);
void registerLightKeys(ConfigKeyRegistry& registry);

// A DPI value of the table ("1600") as its index; nullopt for any other text.
std::optional<int> dpiIndexOfText(std::string_view text);
// The DPI value of an index as text; "none" outside the table.
std::string dpiTextOf(int index);

// "#RRGGBB", either case; nullopt for any other text.
std::optional<Rgb> colourOfText(std::string_view text);
// "#RRGGBB" in uppercase.
std::string colourText(Rgb colour);

// A set of light modes: mode numbers 1-7 separated by commas, each once ("1,3,5"), or "none".
struct ModeSetParse {
    std::array<bool, kLightModes> modes{};
    std::string error;  // empty when the text is a set
};
ModeSetParse modeSetOfText(std::string_view text);
// The modes in ascending order, "none" for the empty set.
std::string modeSetText(const std::array<bool, kLightModes>& modes);

// "flowing light", "two-colour light", "synchronous light" or "breathing light".
std::string_view lightTypeName(LedType type);

}  // namespace vornik

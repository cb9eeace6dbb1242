#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/function_code.h"
#include "model/edit_result.h"
#include "model/settings_values.h"

namespace vornik {

// The DPI editor's rules over the settings values. Levels count from 1; the value of a level is
// an index into kDpiValues. Operations check their arguments, change the values only when they
// accept them, and say whether anything changed.

inline constexpr int kMinDpiLevels = 2;
// The AIM combo lists "500" to "6400".
inline constexpr int kAimValueCount = 11;
// The width of a DPI slider's track in pixels.
inline constexpr int kSliderTrackWidth = 225;

inline constexpr std::string_view kNoAimButtonMessage = "Please select a AIM Key in Profile!";

using Rgb = std::array<std::uint8_t, 3>;

// The language key naming value index 0-11 ("Str300" … "Str311"); any other index names the
// text of index 0, as a level without a value shows.
std::string dpiValueKey(int index);

// Levels in use, 2-7, as cb_CPIStep stands for them.
int levelCount(const SettingsValues& values);
// The current level, 1 to levelCount.
int currentLevel(const SettingsValues& values);
bool levelInUse(const SettingsValues& values, int level);

// The count combos: 2-7. The highest level becomes the current one, whatever was current.
EditResult setLevelCount(SettingsValues& values, int count);
// A click on level label 1-7: the first level not in use is added and made current; the last
// level in use (3 or above) is removed and the level below it made current; any other click
// changes nothing.
EditResult clickLevelLabel(SettingsValues& values, int level);
// A marker click or the engineer combo: only a level in use can become current.
EditResult setCurrentLevel(SettingsValues& values, int level);

// The level's value combo: any of the twelve table indexes.
EditResult setLevelValue(SettingsValues& values, int level, int index);

// The slider ruler: the value index for a release at pixel x of the track, with `dpiCount`
// table entries usable (the option file's DPI_Count, 1-12).
int sliderIndexAt(int x, int dpiCount);
// The slider's range is 0 to this, in steps of 100 per index.
int sliderMaximum(int dpiCount);
// A slider released at x: the level takes the ruler's index.
EditResult releaseLevelSlider(SettingsValues& values, int level, int x, int dpiCount);
// Where a level's slider stands: index × 100; nullopt for a level without a value, whose slider
// stays where it was.
std::optional<int> levelSliderValue(const SettingsValues& values, int level);
// The key of the text a slider at `sliderValue` shows while it is dragged.
std::string sliderValueKey(int sliderValue);

// The colour edits: channel 0 red, 1 green, 2 blue, each 0-255.
EditResult setLevelColour(SettingsValues& values, int level, int channel, int value);
EditResult setLevelColour(SettingsValues& values, int level, Rgb colour);
Rgb levelColour(const SettingsValues& values, int level);
// The text a colour edit keeps after a change: above 255 becomes "255", an empty (or
// non-numeric) text "0"; anything else stays.
std::string clampColourEditText(std::string_view text);
// A change of a colour edit: clamps `text` in place and stores its number.
EditResult typeLevelColour(SettingsValues& values, int level, int channel, std::string& text);
// The colour labels open the colour dialog only for the flowing light.
bool colourLabelActive(const SettingsValues& values);
// The colour dialog's answer for level `level`; refused while another light is selected.
EditResult pickLevelColour(SettingsValues& values, int level, Rgb colour);

// How the advanced page shows level 1-7 after a fill.
struct DpiLevelView {
    bool inUse = false;    // slider, marker and colour label enabled; label in the selected colour
    bool current = false;  // marker "CbS_E", else "CbS_D"
    std::optional<int> sliderValue;  // nullopt: the slider keeps its place
    std::string valueKey;            // the value label's text
    std::optional<Rgb> swatch;       // painted for the flowing light only
    bool operator==(const DpiLevelView&) const = default;
};
DpiLevelView dpiLevelView(const SettingsValues& values, int level);

// The marker images.
std::string_view markerImage(bool current);

// The AIM value. An AIM button is one whose code has type 0x0A, in either key mode.
bool hasAimButton(const ProfileCodes& codes);
// The second code byte of the last AIM button, key mode 1 first; nullopt without one.
std::optional<int> aimIndexOf(const ProfileCodes& codes);
// The AIM slider's place for AIM value `index`.
inline int aimSliderValue(int index) { return index * 100; }

// The AIM combo (0-10) or a released AIM slider: every AIM button of either key mode takes the
// index in the lists and in `profile`, and `aimIndex` follows. Without an AIM button the
// request is refused with kNoAimButtonMessage and the AIM value falls back to 0, which is a
// change when it was not 0 already.
EditResult setAimValue(int& aimIndex, ProfileCodes& codes,
                       std::span<std::uint8_t, ProfileCodes::kSectionSize> profile, int index);
// The slider can reach index 11 with DPI_Count 12, which the AIM combo does not list: such a
// release takes the highest listed value.
EditResult releaseAimSlider(int& aimIndex, ProfileCodes& codes,
                            std::span<std::uint8_t, ProfileCodes::kSectionSize> profile, int x,
                            int dpiCount);

}  // namespace vornik

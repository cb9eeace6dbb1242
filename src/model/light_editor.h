#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "formats/engineer_terms.h"
#include "model/edit_result.h"
#include "model/settings_values.h"

namespace vornik {

// The lighting editor's rules over the settings values. Modes count from 1 to 7, bar positions
// from 1. Operations check their arguments, change the values only when they accept them, and
// say whether anything changed.

inline constexpr int kLightModes = 7;
inline constexpr int kMinLedNumber = 4;
inline constexpr int kMaxLedNumber = 13;
inline constexpr int kMaxLightStep = 7;
inline constexpr int kLedNumberBarPositions = kMaxLedNumber - kMinLedNumber + 1;
inline constexpr int kStepBarPositions = kMaxLightStep + 1;

// The item of the flowing-light mode list for a mode left out of the cycle.
inline constexpr std::string_view kModeNotInCycle = "------";

// How the advanced page's DPI colour row is left by a light type.
enum class ColourRow { Shown, Hidden, Untouched };
// The current-mode handler a type's set-up runs last.
enum class ModeRow { Flowing, TwoColour, None };

// Which light page and engineer page controls a light type shows.
struct LightPageSetup {
    bool rbModeGroup = false;     // gbRBLEDMode
    bool leftDpiSwitch = false;   // gbLCPI, Img_LCPIOn/Off, lbl_LCPIOn/Off
    bool flowingGroups = false;   // gbMCULEDControlMode, gbMCULEDCurrent, gbMCULEDCPIColor
    bool flowingModeRow = false;  // the flowing-light mode buttons (those of enabled modes)
    bool rbModeRow = false;       // the RB mode buttons
    bool bars = false;            // the step and LED number bars with their labels
    ColourRow dpiColourRow = ColourRow::Untouched;
    ModeRow modeRow = ModeRow::None;
    bool operator==(const LightPageSetup&) const = default;
};
LightPageSetup lightPageSetup(LedType type);

// The type radio buttons of the unlocked engineer page; the next write stores the type.
EditResult setLightType(SettingsValues& values, LedType type);

// LED status and the radio pairs; each side's image shows radioImage(chosen).
bool lightOn(const SettingsValues& values);
EditResult setLightOn(SettingsValues& values, bool on);
EditResult setLeftDpiSwitching(SettingsValues& values, bool on);  // Left + DPI changes the mode
EditResult setBackDpiSwitching(SettingsValues& values, bool on);  // Back + DPI switches LEDs
EditResult setFullBrightness(SettingsValues& values, bool full);
// "No Save" also selects key mode 1, whose combo stays disabled until "Save" is chosen again.
EditResult setSaveKeyMode(SettingsValues& values, bool save);
bool keyModeChoosable(const SettingsValues& values);
std::string_view radioImage(bool chosen);

// The flowing-light mode cycle. Any change rebuilds the mode list, whose first item becomes
// current.
EditResult setModeEnabled(SettingsValues& values, int mode, bool enabled);
EditResult setModesEnabled(SettingsValues& values, const std::array<bool, kLightModes>& enabled);
// The seven items of the flowing-light mode list: the mode's name in `column` while it is in
// the cycle, kModeNotInCycle otherwise.
std::array<std::string, kLightModes> flowingModeItems(const SettingsValues& values,
                                                      TermColumn column);
// Which flowing-light mode buttons the light page shows.
std::array<bool, kLightModes> flowingModeButtonsShown(const SettingsValues& values);

// The current mode, 1-7, of the light type that has modes.
int flowingMode(const SettingsValues& values);
int rbMode(const SettingsValues& values);
// The flowing-light combo or mode button: only a mode in the cycle. A click on the button's
// image also moves the RB list to the same item.
enum class ModeClick { Combo, Label, Image };
EditResult chooseFlowingMode(SettingsValues& values, int mode, ModeClick click = ModeClick::Combo);
EditResult chooseRbMode(SettingsValues& values, int mode);
// The current mode button of a row shows radioImage(true), the others radioImage(false).
std::array<bool, kLightModes> modeButtonsChosen(int currentMode);

// The captions' language keys: flowing-light mode k is "Str821" … "Str827", RB mode k
// "Str828" … "Str834".
std::string flowingModeCaptionKey(int mode);
std::string rbModeCaptionKey(int mode);

// The LED number: 4-13.
EditResult setLedNumber(SettingsValues& values, int number);
// The text edt_MCULEDNum keeps after a change: 0, 2 and 3 become "4", above 13 "13", an empty
// (or non-numeric) text "13"; a lone "1" stays, as the first digit of 10-13.
std::string clampLedNumberText(std::string_view text);
// Leaving the edit: a lone "1" becomes "4".
std::string ledNumberTextOnLeave(std::string_view text);
// A change of the edit or leaving it: clamps `text` in place and stores its number (a lone
// "1" is held as 1, which a write does not store).
EditResult typeLedNumber(SettingsValues& values, std::string& text);
EditResult leaveLedNumber(SettingsValues& values, std::string& text);
// Bar position 1-10 stands for number position + 3; 0 while the edit holds no number.
int ledNumberBarPosition(const SettingsValues& values);
EditResult clickLedNumberBar(SettingsValues& values, int position);

// The speed step: 0-7.
EditResult setLightStep(SettingsValues& values, int step);
// Above 7 becomes "7", an empty (or non-numeric) text "0".
std::string clampStepText(std::string_view text);
EditResult typeLightStep(SettingsValues& values, std::string& text);
// Bar position 1-8 stands for step position - 1.
int stepBarPosition(const SettingsValues& values);
EditResult clickStepBar(SettingsValues& values, int position);

// Which of a bar's positions are lit with `chosen` the chosen one: the slider style
// (DPILED_Status 1) lights it alone, the progress style 1 … chosen. Position 1 first.
std::vector<bool> barLit(int positions, int chosen, bool sliderStyle);
// "Bar1_E" lit, "Bar1_D" unlit.
std::string_view barImage(bool lit);
// The bar position shown at screen place 1 … positions from the left: Num_Order 0 ascending,
// 1 descending. Also the place of a position, as the mapping is its own inverse.
int barPositionAtPlace(int place, int positions, int numOrder);

}  // namespace vornik

#include "model/light_editor.h"

#include <cstddef>
#include <string>

#include "model/edit_numbers.h"

namespace vornik {

namespace {

// Flowing-light mode k is named by engineer term 39 + k.
constexpr int kFirstModeTerm = 40;

bool validMode(int mode) { return mode >= 1 && mode <= kLightModes; }

std::size_t at(int mode) { return static_cast<std::size_t>(mode - 1); }

EditResult noSuchMode(int mode) {
    return EditResult::refused("there is no light mode " + std::to_string(mode) + " (1 to 7)");
}

template <typename T>
bool assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

int modeOfItem(int item) { return item >= 0 && item < kLightModes ? item + 1 : 0; }

}  // namespace

LightPageSetup lightPageSetup(LedType type) {
    switch (type) {
        case LedType::Flowing:
            return {false, true, true, true, false, true, ColourRow::Shown, ModeRow::Flowing};
        case LedType::TwoColour:
            return {true, true, false, false, true, false, ColourRow::Hidden, ModeRow::TwoColour};
        case LedType::Synchronous:
            return {false, false, false, false, false, false, ColourRow::Hidden, ModeRow::None};
        case LedType::Breathing:
            break;
    }
    return {false, false, false, false, false, false, ColourRow::Untouched, ModeRow::None};
}

EditResult setLightType(SettingsValues& values, LedType type) {
    return {assign(values.gbLEDType, type), {}};
}

bool lightOn(const SettingsValues& values) { return !values.rb_LEDOff; }

EditResult setLightOn(SettingsValues& values, bool on) {
    return {assign(values.rb_LEDOff, !on), {}};
}

EditResult setLeftDpiSwitching(SettingsValues& values, bool on) {
    return {assign(values.rb_LCPIOn, on), {}};
}

EditResult setBackDpiSwitching(SettingsValues& values, bool on) {
    return {assign(values.rb_B4CPIOn, on), {}};
}

EditResult setFullBrightness(SettingsValues& values, bool full) {
    return {assign(values.rb_MCULED3Control, full), {}};
}

EditResult setSaveKeyMode(SettingsValues& values, bool save) {
    bool changed = assign(values.rb_NoSave, !save);
    if (!save) changed = assign(values.cb_KeyMode, 0) || changed;
    return {changed, {}};
}

bool keyModeChoosable(const SettingsValues& values) { return !values.rb_NoSave; }

std::string_view radioImage(bool chosen) { return chosen ? "RdS_E" : "RdS_D"; }

EditResult setModeEnabled(SettingsValues& values, int mode, bool enabled) {
    if (!validMode(mode)) return noSuchMode(mode);
    std::array<bool, kLightModes> modes = values.cb_Mode;
    modes[at(mode)] = enabled;
    return setModesEnabled(values, modes);
}

EditResult setModesEnabled(SettingsValues& values, const std::array<bool, kLightModes>& enabled) {
    if (!assign(values.cb_Mode, enabled)) return {};
    assign(values.cb_MCULEDCurrentMode, 0);
    return {true, {}};
}

std::array<std::string, kLightModes> flowingModeItems(const SettingsValues& values,
                                                      TermColumn column) {
    std::array<std::string, kLightModes> items;
    for (int mode = 1; mode <= kLightModes; ++mode)
        items[at(mode)] = values.cb_Mode[at(mode)]
                              ? std::string(termText(kFirstModeTerm + mode - 1, column))
                              : std::string(kModeNotInCycle);
    return items;
}

std::array<bool, kLightModes> flowingModeButtonsShown(const SettingsValues& values) {
    std::array<bool, kLightModes> shown{};
    if (!lightPageSetup(values.gbLEDType).flowingModeRow) return shown;
    return values.cb_Mode;
}

int flowingMode(const SettingsValues& values) { return modeOfItem(values.cb_MCULEDCurrentMode); }

int rbMode(const SettingsValues& values) { return modeOfItem(values.cb_RBLEDCurrentMode); }

EditResult chooseFlowingMode(SettingsValues& values, int mode, ModeClick click) {
    if (!validMode(mode)) return noSuchMode(mode);
    if (!values.cb_Mode[at(mode)])
        return EditResult::refused("flowing-light mode " + std::to_string(mode) +
                                   " is not in the mode cycle");
    bool changed = assign(values.cb_MCULEDCurrentMode, mode - 1);
    if (click == ModeClick::Image)
        changed = assign(values.cb_RBLEDCurrentMode, mode - 1) || changed;
    return {changed, {}};
}

EditResult chooseRbMode(SettingsValues& values, int mode) {
    if (!validMode(mode)) return noSuchMode(mode);
    return {assign(values.cb_RBLEDCurrentMode, mode - 1), {}};
}

std::array<bool, kLightModes> modeButtonsChosen(int currentMode) {
    std::array<bool, kLightModes> chosen{};
    if (validMode(currentMode)) chosen[at(currentMode)] = true;
    return chosen;
}

std::string flowingModeCaptionKey(int mode) {
    return validMode(mode) ? "Str" + std::to_string(820 + mode) : std::string();
}

std::string rbModeCaptionKey(int mode) {
    return validMode(mode) ? "Str" + std::to_string(827 + mode) : std::string();
}

EditResult setLedNumber(SettingsValues& values, int number) {
    if (number < kMinLedNumber || number > kMaxLedNumber)
        return EditResult::refused("an LED number of " + std::to_string(number) +
                                   " is not 4 to 13");
    return {assign(values.edt_MCULEDNum, number), {}};
}

std::string clampLedNumberText(std::string_view text) {
    const auto number = unsignedDecimal(text);
    if (!number || *number > kMaxLedNumber) return std::to_string(kMaxLedNumber);
    if (*number == 0 || *number == 2 || *number == 3) return std::to_string(kMinLedNumber);
    return std::string(text);
}

std::string ledNumberTextOnLeave(std::string_view text) {
    std::string kept = clampLedNumberText(text);
    return unsignedDecimal(kept) == 1 ? std::to_string(kMinLedNumber) : kept;
}

EditResult typeLedNumber(SettingsValues& values, std::string& text) {
    text = clampLedNumberText(text);
    return {assign(values.edt_MCULEDNum, unsignedDecimal(text).value_or(kMaxLedNumber)), {}};
}

EditResult leaveLedNumber(SettingsValues& values, std::string& text) {
    text = ledNumberTextOnLeave(text);
    return {assign(values.edt_MCULEDNum, unsignedDecimal(text).value_or(kMaxLedNumber)), {}};
}

int ledNumberBarPosition(const SettingsValues& values) {
    const int number = values.edt_MCULEDNum;
    return number >= kMinLedNumber && number <= kMaxLedNumber ? number - kMinLedNumber + 1 : 0;
}

EditResult clickLedNumberBar(SettingsValues& values, int position) {
    if (position < 1 || position > kLedNumberBarPositions)
        return EditResult::refused("there is no LED number bar position " +
                                   std::to_string(position) + " (1 to 10)");
    return setLedNumber(values, position + kMinLedNumber - 1);
}

EditResult setLightStep(SettingsValues& values, int step) {
    if (step < 0 || step > kMaxLightStep)
        return EditResult::refused("a light step of " + std::to_string(step) + " is not 0 to 7");
    return {assign(values.edt_MCULEDCrtStep, step), {}};
}

std::string clampStepText(std::string_view text) {
    const auto step = unsignedDecimal(text);
    if (!step) return "0";
    if (*step > kMaxLightStep) return std::to_string(kMaxLightStep);
    return std::string(text);
}

EditResult typeLightStep(SettingsValues& values, std::string& text) {
    text = clampStepText(text);
    return setLightStep(values, unsignedDecimal(text).value_or(0));
}

int stepBarPosition(const SettingsValues& values) {
    const int step = values.edt_MCULEDCrtStep;
    return step >= 0 && step <= kMaxLightStep ? step + 1 : 0;
}

EditResult clickStepBar(SettingsValues& values, int position) {
    if (position < 1 || position > kStepBarPositions)
        return EditResult::refused("there is no step bar position " + std::to_string(position) +
                                   " (1 to 8)");
    return setLightStep(values, position - 1);
}

std::vector<bool> barLit(int positions, int chosen, bool sliderStyle) {
    std::vector<bool> lit(static_cast<std::size_t>(positions > 0 ? positions : 0));
    for (int p = 1; p <= positions; ++p)
        lit[static_cast<std::size_t>(p - 1)] = sliderStyle ? p == chosen : p <= chosen;
    return lit;
}

std::string_view barImage(bool lit) { return lit ? "Bar1_E" : "Bar1_D"; }

int barPositionAtPlace(int place, int positions, int numOrder) {
    return numOrder == 1 ? positions + 1 - place : place;
}

}  // namespace vornik

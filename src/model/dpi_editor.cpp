#include "model/dpi_editor.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "model/edit_numbers.h"

namespace vornik {

namespace {

constexpr int kDpiValueCount = static_cast<int>(kDpiValues.size());
constexpr std::uint8_t kAimType = 0x0A;

bool validLevel(int level) { return level >= 1 && level <= kMaxDpiLevels; }

std::size_t at(int level) { return static_cast<std::size_t>(level - 1); }

EditResult noSuchLevel(int level) {
    return EditResult::refused("there is no DPI level " + std::to_string(level) + " (1 to 7)");
}

int usableCount(int dpiCount) { return std::clamp(dpiCount, 1, kDpiValueCount); }

template <typename T>
bool assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

std::string dpiValueKey(int index) {
    if (index < 0 || index >= kDpiValueCount) index = 0;
    return "Str" + std::to_string(300 + index);
}

int levelCount(const SettingsValues& values) {
    return std::clamp(values.cb_CPIStep + kMinDpiLevels, kMinDpiLevels, kMaxDpiLevels);
}

int currentLevel(const SettingsValues& values) {
    return std::clamp(values.cb_CurrentCPI + 1, 1, levelCount(values));
}

bool levelInUse(const SettingsValues& values, int level) {
    return level >= 1 && level <= levelCount(values);
}

EditResult setLevelCount(SettingsValues& values, int count) {
    if (count < kMinDpiLevels || count > kMaxDpiLevels)
        return EditResult::refused("a DPI level count of " + std::to_string(count) +
                                   " is not 2 to 7");
    bool changed = assign(values.cb_CPIStep, count - kMinDpiLevels);
    changed = assign(values.cb_CurrentCPI, count - 1) || changed;
    return {changed, {}};
}

EditResult clickLevelLabel(SettingsValues& values, int level) {
    if (!validLevel(level)) return noSuchLevel(level);
    const int count = levelCount(values);
    if (level == count + 1) return setLevelCount(values, count + 1);
    if (level == count && level > kMinDpiLevels) return setLevelCount(values, count - 1);
    return {};
}

EditResult setCurrentLevel(SettingsValues& values, int level) {
    const int count = levelCount(values);
    if (level < 1 || level > count)
        return EditResult::refused("DPI level " + std::to_string(level) +
                                   " is not in use (levels 1 to " + std::to_string(count) + ")");
    return {assign(values.cb_CurrentCPI, level - 1), {}};
}

EditResult setLevelValue(SettingsValues& values, int level, int index) {
    if (!validLevel(level)) return noSuchLevel(level);
    if (index < 0 || index >= kDpiValueCount)
        return EditResult::refused("DPI value index " + std::to_string(index) + " is not 0 to 11");
    return {assign(values.cb_CPI[at(level)], index), {}};
}

int sliderIndexAt(int x, int dpiCount) {
    const int usable = usableCount(dpiCount);
    const int step = kSliderTrackWidth / usable;
    const int start = -(step / 4);
    const int last = usable - 1;
    if (x <= start) return 0;
    for (int i = 0; i < last; ++i)
        if (start + step * i < x && x <= start + step * (i + 1)) return i;
    return last;
}

int sliderMaximum(int dpiCount) { return (usableCount(dpiCount) - 1) * 100; }

EditResult releaseLevelSlider(SettingsValues& values, int level, int x, int dpiCount) {
    return setLevelValue(values, level, sliderIndexAt(x, dpiCount));
}

std::optional<int> levelSliderValue(const SettingsValues& values, int level) {
    if (!validLevel(level)) return std::nullopt;
    const int index = values.cb_CPI[at(level)];
    if (index < 0 || index >= kDpiValueCount) return std::nullopt;
    return index * 100;
}

std::string sliderValueKey(int sliderValue) { return dpiValueKey(sliderValue / 100); }

EditResult setLevelColour(SettingsValues& values, int level, int channel, int value) {
    if (!validLevel(level)) return noSuchLevel(level);
    if (channel < 0 || channel > 2)
        return EditResult::refused("colour channel " + std::to_string(channel) +
                                   " is not red, green or blue");
    if (value < 0 || value > 255)
        return EditResult::refused("a colour part of " + std::to_string(value) +
                                   " is not 0 to 255");
    return {assign(values.edt_CPIColor[at(level)][static_cast<std::size_t>(channel)], value), {}};
}

EditResult setLevelColour(SettingsValues& values, int level, Rgb colour) {
    if (!validLevel(level)) return noSuchLevel(level);
    const std::array<int, 3> parts{colour[0], colour[1], colour[2]};
    return {assign(values.edt_CPIColor[at(level)], parts), {}};
}

Rgb levelColour(const SettingsValues& values, int level) {
    if (!validLevel(level)) return {};
    Rgb colour{};
    for (std::size_t c = 0; c < 3; ++c)
        colour[c] =
            static_cast<std::uint8_t>(std::clamp(values.edt_CPIColor[at(level)][c], 0, 255));
    return colour;
}

std::string clampColourEditText(std::string_view text) {
    const auto value = unsignedDecimal(text);
    if (!value) return "0";
    if (*value > 255) return "255";
    return std::string(text);
}

EditResult typeLevelColour(SettingsValues& values, int level, int channel, std::string& text) {
    if (!validLevel(level)) return noSuchLevel(level);
    text = clampColourEditText(text);
    return setLevelColour(values, level, channel, unsignedDecimal(text).value_or(0));
}

bool colourLabelActive(const SettingsValues& values) {
    return values.gbLEDType == LedType::Flowing;
}

EditResult pickLevelColour(SettingsValues& values, int level, Rgb colour) {
    if (!colourLabelActive(values))
        return EditResult::refused("DPI colours belong to the flowing light only");
    return setLevelColour(values, level, colour);
}

DpiLevelView dpiLevelView(const SettingsValues& values, int level) {
    DpiLevelView view;
    if (!validLevel(level)) return view;
    view.inUse = levelInUse(values, level);
    view.current = level == currentLevel(values);
    view.sliderValue = levelSliderValue(values, level);
    view.valueKey = dpiValueKey(values.cb_CPI[at(level)]);
    if (values.gbLEDType == LedType::Flowing) view.swatch = levelColour(values, level);
    return view;
}

std::string_view markerImage(bool current) { return current ? "CbS_E" : "CbS_D"; }

bool hasAimButton(const ProfileCodes& codes) { return aimIndexOf(codes).has_value(); }

std::optional<int> aimIndexOf(const ProfileCodes& codes) {
    std::optional<int> index;
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k) {
            const auto code = FunctionCode::fromText(codes.code(p, k));
            if (code && code->type == kAimType) index = code->high;
        }
    return index;
}

EditResult setAimValue(int& aimIndex, ProfileCodes& codes,
                       std::span<std::uint8_t, ProfileCodes::kSectionSize> profile, int index) {
    if (index < 0 || index >= kAimValueCount)
        return EditResult::refused("AIM value index " + std::to_string(index) + " is not 0 to 10");
    if (!hasAimButton(codes)) {
        const bool reset = assign(aimIndex, 0);
        return {reset, std::string(kNoAimButtonMessage)};
    }
    const std::string code = FunctionCode{kAimType, static_cast<std::uint8_t>(index), 0x00}.text();
    bool changed = false;
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k) {
            const auto old = FunctionCode::fromText(codes.code(p, k));
            if (!old || old->type != kAimType || codes.code(p, k) == code) continue;
            changed = codes.store(p, k, code, profile) || changed;
        }
    changed = assign(aimIndex, index) || changed;
    return {changed, {}};
}

EditResult releaseAimSlider(int& aimIndex, ProfileCodes& codes,
                            std::span<std::uint8_t, ProfileCodes::kSectionSize> profile, int x,
                            int dpiCount) {
    return setAimValue(aimIndex, codes, profile,
                       std::min(sliderIndexAt(x, dpiCount), kAimValueCount - 1));
}

}  // namespace vornik

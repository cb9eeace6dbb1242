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
constexpr auto kLedState = static_cast<std::uint16_t>(kParameterB + 2);
constexpr auto kLedStateComplement = static_cast<std::uint16_t>(kParameterB + 3);

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The flowing light's own settings are refused for the other types, whose pages hide them.
std::optional<EditResult> flowingOnly(const SettingsValues& values, const char* what) {
    if (values.gbLEDType == LedType::Flowing) return std::nullopt;
    return EditResult::refused("the " + std::string(lightTypeName(values.gbLEDType)) + " has no " +
                               what);
}

std::optional<bool> switchOf(std::string_view text) {
    if (text == "0") return false;
    if (text == "1") return true;
    return std::nullopt;
}

EditResult notASwitch(std::string_view text) {
    return EditResult::refused(quoted(text) + " is not 0 or 1");
}

SettingsKey onKey() {
    return {"light.on",
            "1 (on) or 0 (off)",
            true,
            [](const SettingsKeyTarget& t) { return std::string(lightOn(t.values) ? "1" : "0"); },
            [](SettingsKeyTarget& t, std::string_view text) {
                const auto on = switchOf(text);
                if (!on) return notASwitch(text);
                return setLightOn(t.values, *on);
            },
            {kLedState, kLedStateComplement}};
}

SettingsKey modeKey() {
    return {"light.mode",
            "the current light mode, 1 to 7 (flowing light: one of light.modes)",
            true,
            [](const SettingsKeyTarget& t) {
                switch (t.values.gbLEDType) {
                    case LedType::Flowing:
                        return std::to_string(flowingMode(t.values));
                    case LedType::TwoColour:
                        return std::to_string(rbMode(t.values));
                    case LedType::Synchronous:
                    case LedType::Breathing:
                        break;
                }
                return std::string("0");
            },
            [](SettingsKeyTarget& t, std::string_view text) {
                const auto mode = unsignedDecimal(text);
                if (!mode)
                    return EditResult::refused("light mode " + quoted(text) + " is not 1 to 7");
                switch (t.values.gbLEDType) {
                    case LedType::Flowing:
                        return chooseFlowingMode(t.values, *mode);
                    case LedType::TwoColour:
                        return chooseRbMode(t.values, *mode);
                    case LedType::Synchronous:
                    case LedType::Breathing:
                        break;
                }
                return EditResult::refused("the " + std::string(lightTypeName(t.values.gbLEDType)) +
                                           " has no light modes");
            },
            {kLedState, kLedStateComplement}};
}

SettingsKey modesKey() {
    return {"light.modes",
            "the flowing-light modes cycled through, e.g. 1,3,5, or none (the current mode "
            "becomes the first item)",
            false,
            [](const SettingsKeyTarget& t) { return modeSetText(t.values.cb_Mode); },
            [](SettingsKeyTarget& t, std::string_view text) {
                if (auto refused = flowingOnly(t.values, "mode cycle")) return *refused;
                const ModeSetParse parsed = modeSetOfText(text);
                if (!parsed.error.empty()) return EditResult::refused(parsed.error);
                return setModesEnabled(t.values, parsed.modes);
            },
            {static_cast<std::uint16_t>(kParameterA + 4), kParameterACheck, kLedState,
             kLedStateComplement}};
}

SettingsKey ledsKey() {
    return {
        "light.leds",
        "the number of LEDs, 4 to 13 (flowing light only)",
        true,
        [](const SettingsKeyTarget& t) { return std::to_string(t.values.edt_MCULEDNum); },
        [](SettingsKeyTarget& t, std::string_view text) {
            if (auto refused = flowingOnly(t.values, "LED number")) return *refused;
            const auto number = unsignedDecimal(text);
            if (!number)
                return EditResult::refused("an LED number of " + quoted(text) + " is not 4 to 13");
            return setLedNumber(t.values, *number);
        },
        {static_cast<std::uint16_t>(kParameterA + 3), kParameterACheck}};
}

SettingsKey stepKey() {
    return {
        "light.step",
        "the speed step, 0 to 7 (flowing light only)",
        true,
        [](const SettingsKeyTarget& t) { return std::to_string(t.values.edt_MCULEDCrtStep); },
        [](SettingsKeyTarget& t, std::string_view text) {
            if (auto refused = flowingOnly(t.values, "speed step")) return *refused;
            const auto step = unsignedDecimal(text);
            if (!step)
                return EditResult::refused("a light step of " + quoted(text) + " is not 0 to 7");
            return setLightStep(t.values, *step);
        },
        {kLedState, kLedStateComplement}};
}

SettingsKey brightKey() {
    return {"light.bright",
            "1 (full brightness) or 0 (half; flowing light only)",
            true,
            [](const SettingsKeyTarget& t) {
                return std::string(t.values.rb_MCULED3Control ? "1" : "0");
            },
            [](SettingsKeyTarget& t, std::string_view text) {
                if (auto refused = flowingOnly(t.values, "brightness choice")) return *refused;
                const auto full = switchOf(text);
                if (!full) return notASwitch(text);
                return setFullBrightness(t.values, *full);
            },
            {static_cast<std::uint16_t>(kParameterA + 3), kParameterACheck}};
}

}  // namespace

ModeSetParse modeSetOfText(std::string_view text) {
    ModeSetParse parsed;
    if (text == "none") return parsed;
    if (text.empty()) {
        parsed.error = "an empty mode set; give none for no modes";
        return parsed;
    }
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view item = text.substr(from, comma - from);
        const auto mode = unsignedDecimal(item);
        if (!mode || *mode < 1 || *mode > kLightModes) {
            parsed.error = "light mode " + quoted(item) + " in " + quoted(text) + " is not 1 to 7";
            return parsed;
        }
        bool& enabled = parsed.modes[static_cast<std::size_t>(*mode - 1)];
        if (enabled) {
            parsed.error =
                "light mode " + std::to_string(*mode) + " is given twice in " + quoted(text);
            return parsed;
        }
        enabled = true;
        from = comma + 1;
    }
    return parsed;
}

std::string modeSetText(const std::array<bool, kLightModes>& modes) {
    std::string text;
    for (int mode = 1; mode <= kLightModes; ++mode)
        if (modes[static_cast<std::size_t>(mode - 1)])
            text += (text.empty() ? "" : ",") + std::to_string(mode);
    return text.empty() ? "none" : text;
}

std::string_view lightTypeName(LedType type) {
    switch (type) {
        case LedType::Flowing:
            return "flowing light";
        case LedType::TwoColour:
            return "two-colour light";
        case LedType::Synchronous:
            return "synchronous light";
        case LedType::Breathing:
            break;
    }
    return "breathing light";
}

std::vector<SettingsKey> lightSettingsKeys() {
    return {onKey(), modeKey(), modesKey(), ledsKey(), stepKey(), brightKey()};
}

}  // namespace vornik

// The fire key's and the fire macros' keys in the tools' key registry.
#include <fmt/format.h>

#include "formats/decimal.h"
#include "model/config_keys.h"
#include "model/settings_keys.h"

namespace vornik {

namespace {

constexpr std::uint16_t kFireKey = section::kFireKey.address;
constexpr auto kFireKeyCheck = static_cast<std::uint16_t>(kFireKey + section::kFireKey.size - 1);
constexpr auto kFireKeyCount = static_cast<std::uint16_t>(kFireKey + 2);
constexpr auto kFireKeyInterval = static_cast<std::uint16_t>(kFireKey + 8);
// Continuous fire switched off again counts three shots, as the fire key editor shows then.
constexpr int kCountAfterContinuous = 3;

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::optional<long long> numberIn(std::string_view text, long long low, long long high) {
    const auto n = decimalValue(text, Sign::Minus);
    if (!n || *n < low || *n > high) return std::nullopt;
    return n;
}

EditResult editValues(ConfigModel& model, const std::function<void(SettingsValues&)>& change) {
    SettingsValues values = model.values();
    change(values);
    return model.setValues(values);
}

std::uint16_t recordAddress(int macro, std::size_t byte) {
    return static_cast<std::uint16_t>(section::kFireMacroRegion.address +
                                      kFireMacroRecordSize * static_cast<std::size_t>(macro - 1) +
                                      byte);
}

// A parameter may stand anywhere in the body, with the check byte after it.
std::vector<std::uint16_t> bodyAddresses(int macro) {
    std::vector<std::uint16_t> at;
    for (std::size_t i = 1; i < kFireMacroRecordSize; ++i) at.push_back(recordAddress(macro, i));
    return at;
}

std::uint16_t offsetAddress(int macro, int byte) {
    return static_cast<std::uint16_t>(section::kFireOffset.address + 2 * (macro - 1) + byte);
}

// The tools have no Fire Confirm: an edit of a fire macro is committed at once, so that the
// write sends it.
EditResult committed(ConfigModel& model, EditResult result) {
    if (result.ok()) model.commitFire();
    return result;
}

struct ParameterKey {
    const char* stem;
    FireParameter parameter;
    const char* values;
    long long low, high;
};

constexpr ParameterKey kParameterKeys[] = {
    {"count", FireParameter::Count, "shots, 1 to 256", 1, 256},
    {"x", FireParameter::X, "X movement per shot, -128 to 127", -128, 127},
    {"y", FireParameter::Y, "Y movement per shot, 0 to 127 (resets the offset to 0)", 0, 127},
    {"time", FireParameter::Time, "shot time in ms, 0 to 2040 (stored in 8 ms units)", 0, 2040},
};

std::optional<FireOperand> operandOf(const FireMacroValues& v, FireParameter parameter) {
    switch (parameter) {
        case FireParameter::Count:
            return v.count;
        case FireParameter::X:
            return v.x;
        case FireParameter::Y:
            return v.y;
        case FireParameter::Time:
            return v.timeMs;
    }
    return std::nullopt;
}

void registerFireKeyKeys(ConfigKeyRegistry& registry) {
    registry.add(ConfigKey{
        "fire.key.count",
        "fire key shots per press, 1 to 255 (switches continuous fire off); 0 while continuous "
        "fire is on",
        true,
        [](const ConfigModel& model) {
            const SettingsValues& v = model.values();
            return std::to_string(v.cb_IsFireContinue ? 0 : v.cb_FireCount + 1);
        },
        [](ConfigModel& model, std::string_view text) {
            const auto count = numberIn(text, 1, 255);
            if (!count)
                return EditResult::refused("a fire key count of " + quoted(text) +
                                           " is not 1 to 255");
            return editValues(model, [&](SettingsValues& v) {
                v.cb_FireCount = static_cast<int>(*count) - 1;
                v.cb_IsFireContinue = false;
            });
        },
        {kFireKeyCount, kFireKeyCheck},
    });
    registry.add(ConfigKey{
        "fire.key.interval",
        "fire key interval between shots in 8 ms units, 0 to 255",
        true,
        [](const ConfigModel& model) { return std::to_string(model.values().edt_FireTime); },
        [](ConfigModel& model, std::string_view text) {
            const auto interval = numberIn(text, 0, 255);
            if (!interval)
                return EditResult::refused("a fire key interval of " + quoted(text) +
                                           " is not 0 to 255");
            return editValues(
                model, [&](SettingsValues& v) { v.edt_FireTime = static_cast<int>(*interval); });
        },
        {kFireKeyInterval, kFireKeyCheck},
    });
    registry.add(ConfigKey{
        "fire.key.continuous",
        "1 (continuous fire while held) or 0 (the count of shots)",
        true,
        [](const ConfigModel& model) {
            return std::string(model.values().cb_IsFireContinue ? "1" : "0");
        },
        [](ConfigModel& model, std::string_view text) {
            if (text != "0" && text != "1")
                return EditResult::refused(quoted(text) + " is not 0 or 1");
            const bool on = text == "1";
            return editValues(model, [&](SettingsValues& v) {
                if (v.cb_IsFireContinue == on) return;
                v.cb_IsFireContinue = on;
                v.cb_FireCount = on ? kNoItem : kCountAfterContinuous - 1;
            });
        },
        {kFireKeyCount, kFireKeyCheck},
    });
}

std::vector<ConfigKey> macroKeys(int n) {
    std::vector<ConfigKey> keys;
    const std::string prefix = fmt::format("fire.{}.", n);
    for (const ParameterKey& p : kParameterKeys) {
        std::vector<std::uint16_t> addresses = bodyAddresses(n);
        if (p.parameter == FireParameter::Y) {
            addresses.push_back(offsetAddress(n, 0));
            addresses.push_back(offsetAddress(n, 1));
        }
        keys.push_back(ConfigKey{
            prefix + p.stem,
            fmt::format("{}; \"none\" when the fire macro has none", p.values),
            false,
            [n, parameter = p.parameter](const ConfigModel& model) {
                const auto operand = operandOf(model.fireMacro(n), parameter);
                return operand ? std::to_string(operand->value) : std::string("none");
            },
            [n, p](ConfigModel& model, std::string_view text) {
                const auto value = numberIn(text, p.low, p.high);
                if (!value)
                    return EditResult::refused(fmt::format("fire macro {}'s {} of {} is not {}", n,
                                                           p.stem, quoted(text), p.values));
                return committed(model,
                                 model.setFireParameter(n, p.parameter, static_cast<int>(*value)));
            },
            std::move(addresses),
        });
    }
    keys.push_back(ConfigKey{
        prefix + "offset",
        "Y offset, -128 to 127, kept so that Y + offset stays within -128 to 127",
        true,
        [n](const ConfigModel& model) { return std::to_string(fireYOffset(model.sections(), n)); },
        [n](ConfigModel& model, std::string_view text) {
            const auto offset = numberIn(text, -128, 127);
            if (!offset)
                return EditResult::refused(
                    fmt::format("a Y offset of {} is not -128 to 127", quoted(text)));
            return model.setFireYOffset(n, static_cast<int>(*offset));
        },
        {offsetAddress(n, 0), offsetAddress(n, 1)},
    });
    const auto colour = static_cast<std::uint16_t>(section::kFireColor.address + 3 * (n - 1));
    keys.push_back(ConfigKey{
        prefix + "color",
        "indicator colour, #RRGGBB",
        false,
        [n](const ConfigModel& model) {
            const FireColour c = fireColour(model.sections(), n);
            return colourText({c.red, c.green, c.blue});
        },
        [n](ConfigModel& model, std::string_view text) {
            const auto rgb = colourOfText(text);
            if (!rgb) return EditResult::refused(quoted(text) + " is not a colour #RRGGBB");
            return model.setFireColour(n, {(*rgb)[0], (*rgb)[1], (*rgb)[2]});
        },
        {colour, static_cast<std::uint16_t>(colour + 1), static_cast<std::uint16_t>(colour + 2)},
    });
    keys.push_back(ConfigKey{
        prefix + "release",
        "1 when the fire macro stops as the button is released, 0 when it runs to its end",
        true,
        [n](const ConfigModel& model) {
            return std::string(model.fireMacro(n).stopsOnRelease.value_or(false) ? "1" : "0");
        },
        [n](ConfigModel& model, std::string_view text) {
            if (text != "0" && text != "1")
                return EditResult::refused(quoted(text) + " is not 0 or 1");
            return committed(model, model.setFireStopOnRelease(n, text == "1"));
        },
        {recordAddress(n, 0), static_cast<std::uint16_t>(section::kFireCode.address + 3 * (n - 1))},
    });
    return keys;
}

}  // namespace

void registerFireKeys(ConfigKeyRegistry& registry) {
    registerFireKeyKeys(registry);
    // One family after the other, so that help texts list fire.1.count ... fire.10.count.
    std::vector<std::vector<ConfigKey>> byMacro;
    for (int n = 1; n <= static_cast<int>(kFireMacroCount); ++n) byMacro.push_back(macroKeys(n));
    for (std::size_t k = 0; k < byMacro.front().size(); ++k)
        for (auto& keys : byMacro) registry.add(std::move(keys[k]));
}

}  // namespace vornik

#include "platform/pointer_settings_gnome.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vornik {

namespace {

constexpr const char* kSpeedKey = "speed";
constexpr const char* kAccelProfileKey = "accel-profile";
constexpr const char* kDoubleClickKey = "double-click";
constexpr int kMiddlePosition = 6;
constexpr double kSpeedSteps = 5.0;  // positions from the middle to either end

std::size_t index(PointerControl control) { return static_cast<std::size_t>(control); }

std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

bool listsKey(const std::string& keys, std::string_view key) {
    std::size_t at = 0;
    while (at < keys.size()) {
        const auto end = std::min(keys.find('\n', at), keys.size());
        if (trimmed(std::string_view(keys).substr(at, end - at)) == key) return true;
        at = end + 1;
    }
    return false;
}

PointerControlStates allUnavailable(const std::string& hint) {
    PointerControlStates states;
    for (auto& s : states) s = {false, hint};
    return states;
}

}  // namespace

double gnomeSpeedOfPosition(int position) {
    return (std::clamp(position, 1, kPointerPositions) - kMiddlePosition) / kSpeedSteps;
}

int positionOfGnomeSpeed(double speed) {
    if (!std::isfinite(speed)) return kMiddlePosition;
    return std::clamp(static_cast<int>(std::lround(speed * kSpeedSteps)) + kMiddlePosition, 1,
                      kPointerPositions);
}

GnomePointerSettingsStore::GnomePointerSettingsStore(std::unique_ptr<CommandRunner> runner)
    : m_runner(std::move(runner)) {}

const PointerControlStates& GnomePointerSettingsStore::probe() {
    if (m_controls) return *m_controls;
    const CommandResult keys = m_runner->run({"gsettings", "list-keys", kGnomeMouseSchema});
    if (!keys.started) {
        m_controls = allUnavailable(
            "The pointer settings cannot be changed here: the gsettings program (package "
            "libglib2.0-bin) is not installed.");
    } else if (keys.exitCode != 0) {
        m_controls = allUnavailable(
            "The pointer settings cannot be changed here: this desktop has no GNOME mouse "
            "settings (" +
            std::string(kGnomeMouseSchema) + ").");
    } else if (keys.errors.find("memory") != std::string::npos &&
               keys.errors.find("backend") != std::string::npos) {
        m_controls = allUnavailable(
            "The pointer settings cannot be changed here: no desktop settings service is "
            "running, so a change would not be kept.");
    } else {
        PointerControlStates states;
        auto need = [&](PointerControl control, const char* key) {
            if (!listsKey(keys.output, key))
                states[index(control)] = {false, "This desktop's mouse settings have no \"" +
                                                     std::string(key) + "\" setting."};
        };
        need(PointerControl::Speed, kSpeedKey);
        need(PointerControl::Precision, kAccelProfileKey);
        need(PointerControl::DoubleClick, kDoubleClickKey);
        states[index(PointerControl::Wheel)] = {
            false, "The desktop has no setting for the lines one wheel step scrolls."};
        m_controls = states;
    }
    return *m_controls;
}

PointerControlStates GnomePointerSettingsStore::controls() { return probe(); }

bool GnomePointerSettingsStore::available(PointerControl control) {
    return probe()[index(control)].available;
}

std::optional<std::string> GnomePointerSettingsStore::get(const char* key) {
    const CommandResult r = m_runner->run({"gsettings", "get", kGnomeMouseSchema, key});
    if (!r.started || r.exitCode != 0) return std::nullopt;
    // A typed value prints as "int32 400"; the number is the last word.
    std::string value = trimmed(r.output);
    if (const auto space = value.rfind(' '); space != std::string::npos)
        value = value.substr(space + 1);
    return value;
}

bool GnomePointerSettingsStore::set(const char* key, const std::string& value,
                                    std::string& errors) {
    const CommandResult r = m_runner->run({"gsettings", "set", kGnomeMouseSchema, key, value});
    if (r.started && r.exitCode == 0) return true;
    if (!errors.empty()) errors += "; ";
    errors += "gsettings set " + std::string(kGnomeMouseSchema) + " " + key + " " + value +
              (r.started ? " failed (exit code " + std::to_string(r.exitCode) + ")"
                         : " could not be run");
    if (const std::string said = trimmed(r.errors); !said.empty()) errors += ": " + said;
    return false;
}

PointerReading GnomePointerSettingsStore::read() {
    PointerReading reading;
    if (available(PointerControl::Speed)) {
        if (const auto text = get(kSpeedKey)) {
            double speed = 0;
            const auto [end, ec] =
                std::from_chars(text->data(), text->data() + text->size(), speed);
            if (ec == std::errc{} && end == text->data() + text->size()) {
                const int p = positionOfGnomeSpeed(speed);
                reading.sensitivity =
                    std::to_string(kSensitivityTable[static_cast<std::size_t>(p - 1)]);
            }
        }
    }
    if (available(PointerControl::Precision)) {
        if (const auto profile = get(kAccelProfileKey)) {
            const auto& triple = *profile == "'flat'" ? kPrecisionOff : kPrecisionOn;
            reading.precision = std::array<std::string, 3>{
                std::to_string(triple[0]), std::to_string(triple[1]), std::to_string(triple[2])};
        }
    }
    if (available(PointerControl::DoubleClick)) reading.doubleClick = get(kDoubleClickKey);
    return reading;
}

bool GnomePointerSettingsStore::write(const PointerWrite& changes, std::string& error) {
    std::string errors;
    auto unavailable = [&](PointerControl control) {
        if (!errors.empty()) errors += "; ";
        errors += probe()[index(control)].hint;
    };
    if (changes.sensitivity) {
        if (!available(PointerControl::Speed)) {
            unavailable(PointerControl::Speed);
        } else {
            // GVariant text of a double, whatever the locale: "-0.4", "1.0".
            const double speed =
                gnomeSpeedOfPosition(readSensitivityPosition(std::to_string(*changes.sensitivity)));
            char text[16];
            const auto end =
                std::to_chars(text, text + sizeof text, speed, std::chars_format::fixed, 1).ptr;
            set(kSpeedKey, std::string(text, end), errors);
        }
    }
    if (changes.precision) {
        if (!available(PointerControl::Precision)) {
            unavailable(PointerControl::Precision);
        } else {
            const bool on = *changes.precision != kPrecisionOff;
            set(kAccelProfileKey, on ? "'adaptive'" : "'flat'", errors);
        }
    }
    if (changes.doubleClickMs) {
        if (!available(PointerControl::DoubleClick))
            unavailable(PointerControl::DoubleClick);
        else
            set(kDoubleClickKey, std::to_string(*changes.doubleClickMs), errors);
    }
    if (changes.wheelLines) unavailable(PointerControl::Wheel);
    if (errors.empty()) return true;
    error = errors;
    return false;
}

}  // namespace vornik

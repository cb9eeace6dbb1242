// The Windows pointer settings' registry and SystemParametersInfoA calls, faked for the store's
// tests and the Advanced page's.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/pointer_settings_windows.h"

namespace vornik {

// The current user's two registry keys and the SystemParametersInfoA calls made.
struct FakeRegistry {
    std::map<std::string, std::string> mouse{{"MouseSensitivity", "10"},
                                             {"MouseSpeed", "1"},
                                             {"MouseThreshold1", "6"},
                                             {"MouseThreshold2", "10"},
                                             {"DoubleClickSpeed", "500"}};
    std::map<std::string, std::string> desktop{{"WheelScrollLines", "3"}};
    bool mouseOpens = true;
    bool desktopOpens = true;
    bool spiFails = false;
    std::vector<PointerSystemApi::SpiCall> calls;
    int writes = 0;
};

class FakeApi : public PointerSystemApi {
  public:
    explicit FakeApi(FakeRegistry& registry) : m_registry(registry) {}

    std::optional<std::vector<std::optional<std::string>>> readValues(
        Key key, const std::vector<std::string>& names) override {
        if (!opens(key)) return std::nullopt;
        std::vector<std::optional<std::string>> out;
        for (const auto& name : names) {
            const auto& values = valuesOf(key);
            const auto it = values.find(name);
            out.push_back(it == values.end() ? std::nullopt : std::optional(it->second));
        }
        return out;
    }
    bool writeValues(Key key, const std::vector<std::pair<std::string, std::string>>& values,
                     std::string& error) override {
        if (!opens(key)) {
            error = "RegOpenKeyExA: error 2";
            return false;
        }
        for (const auto& [name, text] : values) {
            valuesOf(key)[name] = text;
            ++m_registry.writes;
        }
        return true;
    }
    bool systemParametersInfo(const SpiCall& call, std::string& error) override {
        m_registry.calls.push_back(call);
        if (m_registry.spiFails)
            error = "SystemParametersInfoA action " + std::to_string(call.action);
        return !m_registry.spiFails;
    }

  private:
    bool opens(Key key) const {
        return key == Key::Mouse ? m_registry.mouseOpens : m_registry.desktopOpens;
    }
    std::map<std::string, std::string>& valuesOf(Key key) {
        return key == Key::Mouse ? m_registry.mouse : m_registry.desktop;
    }
    FakeRegistry& m_registry;
};

}  // namespace vornik

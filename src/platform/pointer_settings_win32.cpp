#include <windows.h>

#include "platform/pointer_settings_windows.h"

namespace vornik {

namespace {

const char* keyPath(PointerSystemApi::Key key) {
    return key == PointerSystemApi::Key::Mouse ? "Control Panel\\Mouse" : "Control Panel\\Desktop";
}

std::string failed(const std::string& call, const std::string& what, unsigned long code) {
    return call + " " + what + ": error " + std::to_string(code);
}

class OpenKey {
  public:
    OpenKey(PointerSystemApi::Key key, REGSAM access) {
        m_status = RegOpenKeyExA(HKEY_CURRENT_USER, keyPath(key), 0, access, &m_key);
    }
    ~OpenKey() {
        if (m_status == ERROR_SUCCESS) RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    bool ok() const { return m_status == ERROR_SUCCESS; }
    LONG status() const { return m_status; }
    HKEY get() const { return m_key; }

  private:
    HKEY m_key{};
    LONG m_status;
};

// A registry value as text: strings as they are, a DWORD in decimal.
std::optional<std::string> queryText(HKEY key, const std::string& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD) {
        DWORD value = 0;
        size = sizeof value;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::to_string(value);
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
    std::string text(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

class Win32PointerSystemApi : public PointerSystemApi {
  public:
    std::optional<std::vector<std::optional<std::string>>> readValues(
        Key key, const std::vector<std::string>& names) override {
        const OpenKey open(key, KEY_QUERY_VALUE);
        if (!open.ok()) return std::nullopt;
        std::vector<std::optional<std::string>> values;
        for (const std::string& name : names) values.push_back(queryText(open.get(), name));
        return values;
    }

    bool writeValues(Key key, const std::vector<std::pair<std::string, std::string>>& values,
                     std::string& error) override {
        const OpenKey open(key, KEY_SET_VALUE);
        if (!open.ok()) {
            error = failed("RegOpenKeyExA", std::string("\"") + keyPath(key) + "\"",
                           static_cast<unsigned long>(open.status()));
            return false;
        }
        for (const auto& [name, text] : values) {
            const LONG status = RegSetValueExA(open.get(), name.c_str(), 0, REG_SZ,
                                               reinterpret_cast<const BYTE*>(text.c_str()),
                                               static_cast<DWORD>(text.size() + 1));
            if (status != ERROR_SUCCESS) {
                error = failed("RegSetValueExA", "\"" + name + "\"",
                               static_cast<unsigned long>(status));
                return false;
            }
        }
        return true;
    }

    bool systemParametersInfo(const SpiCall& call, std::string& error) override {
        std::array<int, 3> array{};
        PVOID pv = reinterpret_cast<PVOID>(call.pvValue);
        if (call.pvArray) {
            array = *call.pvArray;
            pv = array.data();
        }
        if (SystemParametersInfoA(call.action, call.uiParam, pv, call.winIni)) return true;
        error = failed("SystemParametersInfoA", "action " + std::to_string(call.action),
                       GetLastError());
        return false;
    }
};

}  // namespace

std::unique_ptr<PointerSystemApi> createWin32PointerSystemApi() {
    return std::make_unique<Win32PointerSystemApi>();
}

}  // namespace vornik

#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/pointer_settings.h"

namespace vornik {

// The two Windows facilities the pointer settings use: the current user's registry values
// and SystemParametersInfoA. A seam of its own so that the store's logic runs on a fake
// registry on any system.
class PointerSystemApi {
  public:
    enum class Key : std::uint8_t {
        Mouse,    // HKEY_CURRENT_USER "Control Panel\Mouse"
        Desktop,  // HKEY_CURRENT_USER "Control Panel\Desktop"
    };
    // One SystemParametersInfoA call: pvParam is either an integer passed as the pointer or a
    // pointer to three integers.
    struct SpiCall {
        unsigned action = 0;
        unsigned uiParam = 0;
        std::intptr_t pvValue = 0;
        std::optional<std::array<int, 3>> pvArray;
        unsigned winIni = 0;

        bool operator==(const SpiCall&) const = default;
    };

    virtual ~PointerSystemApi() = default;
    // The string values `names` of `key`, nullopt for each value that is not there; nullopt
    // when the key cannot be opened.
    virtual std::optional<std::vector<std::optional<std::string>>> readValues(
        Key key, const std::vector<std::string>& names) = 0;
    // Sets string values of `key`; false with `error` when the key cannot be opened or a value
    // cannot be set.
    virtual bool writeValues(Key key,
                             const std::vector<std::pair<std::string, std::string>>& values,
                             std::string& error) = 0;
    virtual bool systemParametersInfo(const SpiCall& call, std::string& error) = 0;
};

inline constexpr unsigned kSpiSetMouse = 4;
inline constexpr unsigned kSpiSetDoubleClickTime = 32;
inline constexpr unsigned kSpiSetWheelScrollLines = 105;
inline constexpr unsigned kSpiSetMouseSpeed = 113;
inline constexpr unsigned kSpifUpdateIniFile = 0x01;
inline constexpr unsigned kSpifSendChange = 0x02;

// The Windows pointer settings: read from the registry; written to the registry, then told to
// Windows with SPI_SETMOUSESPEED, SPI_SETMOUSE (thresholds 1 and 2, then speed),
// SPI_SETDOUBLECLICKTIME and SPI_SETWHEELSCROLLLINES, each only for a setting that changed.
// A key that cannot be opened is skipped (its values not read or not written) while the
// SystemParametersInfoA calls still run; write() then says so in `error`.
class WindowsPointerSettingsStore : public PointerSettingsStore {
  public:
    explicit WindowsPointerSettingsStore(std::unique_ptr<PointerSystemApi> api);

    PointerControlStates controls() override { return {}; }
    PointerReading read() override;
    bool write(const PointerWrite& changes, std::string& error) override;

  private:
    std::unique_ptr<PointerSystemApi> m_api;
};

// The real registry and SystemParametersInfoA; only in the Windows build.
std::unique_ptr<PointerSystemApi> createWin32PointerSystemApi();

}  // namespace vornik

// clang-format off
#include <windows.h>
#include <timeapi.h>
// clang-format on

#include <memory>
#include <string>

#include "device/native_platform.h"
#include "device/windows/win_hid_platform.h"

namespace vornik {

namespace {

// With the default 15.6 ms tick every short protocol sleep would last a full tick, so a
// transfer raises the timer resolution to 1 ms for its duration. The clock belongs to the GUI
// thread (processEvents pumps its messages), so the depth needs no lock.
class WinSystemClock : public SystemClock {
  public:
    WinSystemClock() = default;
    WinSystemClock(const WinSystemClock&) = delete;
    WinSystemClock& operator=(const WinSystemClock&) = delete;

    ~WinSystemClock() override {
        // A transfer abandoned without its end must not keep the system timer raised.
        if (m_raised) {
            timeEndPeriod(kPeriodMs);
        }
    }

    void beginTransfer() override {
        if (m_depth++ == 0) {
            m_raised = timeBeginPeriod(kPeriodMs) == TIMERR_NOERROR;
        }
    }

    void endTransfer() override {
        if (m_depth == 0) {
            return;
        }
        if (--m_depth == 0 && m_raised) {
            timeEndPeriod(kPeriodMs);
            m_raised = false;
        }
    }

  private:
    static constexpr UINT kPeriodMs = 1;
    unsigned m_depth = 0;
    // Only a period that was granted is released.
    bool m_raised = false;
};

}  // namespace

std::unique_ptr<HidPlatform> createNativeHidPlatform() {
    return std::make_unique<WinHidPlatform>();
}

std::unique_ptr<SystemClock> createNativeClock() { return std::make_unique<WinSystemClock>(); }

std::string programDirectory() {
    // The ANSI name, as the files beside the program are opened through narrow paths.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace vornik

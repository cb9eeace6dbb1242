#include <sys/prctl.h>

#include <filesystem>
#include <system_error>

#include "device/linux/hidraw_platform.h"
#include "device/native_platform.h"

namespace vornik {

namespace {

// A transfer is hundreds of 5 and 10 ms sleeps; the default 50 us timer slack adds up to a few
// percent of it, so the slack is cut to the minimum while a transfer runs.
class LinuxClock : public SystemClock {
  public:
    void beginTransfer() override {
        if (m_depth++ > 0) return;
        m_savedSlack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
        if (m_savedSlack > 0) prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    }
    void endTransfer() override {
        if (m_depth == 0 || --m_depth > 0) return;
        if (m_savedSlack > 0)
            prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(m_savedSlack), 0, 0, 0);
    }

  private:
    unsigned m_depth = 0;
    int m_savedSlack = -1;
};

}  // namespace

std::unique_ptr<HidPlatform> createNativeHidPlatform() {
    return std::make_unique<HidrawPlatform>();
}

std::unique_ptr<SystemClock> createNativeClock() { return std::make_unique<LinuxClock>(); }

std::string programDirectory() {
    std::error_code ec;
    const auto path = std::filesystem::canonical("/proc/self/exe", ec);
    return ec ? std::string() : (path.parent_path() / "").string();
}

}  // namespace vornik

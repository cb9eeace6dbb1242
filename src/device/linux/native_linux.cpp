#include "device/linux/hidraw_platform.h"
#include "device/native_platform.h"

namespace vornik {

std::unique_ptr<HidPlatform> createNativeHidPlatform() {
    return std::make_unique<HidrawPlatform>();
}

std::unique_ptr<Clock> createNativeClock() { return std::make_unique<SystemClock>(); }

}  // namespace vornik

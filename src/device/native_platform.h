#pragma once

#include <memory>

#include "device/clock.h"
#include "device/hid_platform.h"

namespace vornik {

// The platform this program was built for: hidraw on Linux, SetupAPI/HID on Windows. Exactly
// one backend library defines these; the build chooses it.
std::unique_ptr<HidPlatform> createNativeHidPlatform();
std::unique_ptr<SystemClock> createNativeClock();

}  // namespace vornik

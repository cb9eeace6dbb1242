#pragma once

#include <memory>
#include <string>

#include "device/clock.h"
#include "device/hid_platform.h"

namespace vornik {

// The platform this program was built for: hidraw on Linux, SetupAPI/HID on Windows. Exactly
// one backend library defines these; the build chooses it.
std::unique_ptr<HidPlatform> createNativeHidPlatform();
std::unique_ptr<SystemClock> createNativeClock();
// The directory of the running executable with its trailing separator, wherever it was started
// from (files shipped beside the program are looked for there); empty when it cannot be told.
std::string programDirectory();

}  // namespace vornik

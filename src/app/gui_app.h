#pragma once

#include <functional>
#include <memory>

#include "device/hid_platform.h"

namespace vornik {

class SimHidPlatform;

// Runs the program: single instance, the main window, then the loading window, and the event
// loop until the main window closes. `platform` supplies the HID interfaces; with `simulator`
// set, a small control window for the simulated mouse is shown beside it.
int runGui(int& argc, char** argv, std::unique_ptr<HidPlatform> platform,
           SimHidPlatform* simulator = nullptr);

}  // namespace vornik

#pragma once

#include <memory>

#include "device/clock.h"
#include "model/input_capture.h"

class QWidget;

namespace vornik {

// The one place the recorder's input source is chosen: on Windows its raw keyboard input and
// mouse hook; on X11 (the xcb platform with XInput2 2.0 or later) the desktop's raw events;
// anywhere else, or when those cannot be had, the keys and buttons of `window` alone
// (coversDesktop() false). `clock` stamps the events and must outlive the source.
std::unique_ptr<InputCapture> createInputCapture(Clock& clock, QWidget& window);

}  // namespace vornik

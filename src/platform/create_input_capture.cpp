#include "platform/create_input_capture.h"

#include <QGuiApplication>

#include "platform/window_input_capture.h"

#ifdef _WIN32
#include "platform/windows_input_capture.h"
#else
#include "platform/x11_input_capture.h"
#endif

namespace vornik {

std::unique_ptr<InputCapture> createInputCapture(Clock& clock, [[maybe_unused]] QWidget& window) {
#ifdef _WIN32
    return std::make_unique<WindowsInputCapture>(clock);
#else
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (auto desktop = X11InputCapture::open(clock)) return desktop;
    return std::make_unique<WindowInputCapture>(clock, window);
#endif
}

}  // namespace vornik

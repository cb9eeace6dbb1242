#include "platform/window_input_capture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <optional>

#include "platform/qt_keys.h"

namespace vornik {

namespace {

std::optional<MouseButton> buttonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        case Qt::BackButton:
            return MouseButton::Backward;
        case Qt::ForwardButton:
            return MouseButton::Forward;
        default:
            return std::nullopt;
    }
}

}  // namespace

WindowInputCapture::WindowInputCapture(Clock& clock, QWidget& window)
    : m_clock(clock), m_window(window) {}

WindowInputCapture::~WindowInputCapture() { stop(); }

bool WindowInputCapture::start(InputSink& sink) {
    if (m_filtered) return true;
    QWindow* handle = m_window.window()->windowHandle();
    if (!handle) {
        m_error = "the window has no native window yet";
        return false;
    }
    m_sink = &sink;
    m_keys.reset();
    m_filtered = handle;
    handle->installEventFilter(this);
    return true;
}

void WindowInputCapture::stop() {
    if (m_filtered) m_filtered->removeEventFilter(this);
    m_filtered = nullptr;
    m_sink = nullptr;
}

// The native window gets every input event once, before it is handed to a widget (and maybe
// on to its parents); nothing is taken away from the window.
bool WindowInputCapture::eventFilter(QObject* watched, QEvent* event) {
    if (!m_sink || watched != m_filtered) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            const bool press = event->type() == QEvent::KeyPress;
            // An auto-repeat is a key-down without a key-up in between.
            if (key.isAutoRepeat() && !press) break;
            const KeyState state = press ? m_keys.down() : m_keys.up();
            if (const auto vk = virtualKeyFromKeyEvent(key))
                m_sink->post(InputEvent::key(*vk, state, m_clock.nowMs()));
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto& mouse = static_cast<const QMouseEvent&>(*event);
            if (const auto button = buttonOf(mouse.button()))
                m_sink->post(InputEvent::mouse(*button, event->type() == QEvent::MouseButtonPress,
                                               m_clock.nowMs()));
            break;
        }
        default:
            break;
    }
    return false;
}

}  // namespace vornik

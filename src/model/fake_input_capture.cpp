#include "model/fake_input_capture.h"

namespace vornik {

bool FakeInputCapture::start(InputSink& sink) {
    m_sink = &sink;
    m_keys.reset();
    return true;
}

void FakeInputCapture::keyDown(std::uint8_t virtualKey) {
    deliver(InputEvent::key(virtualKey, m_keys.down(), m_clock.nowMs()));
}

void FakeInputCapture::keyUp(std::uint8_t virtualKey) {
    deliver(InputEvent::key(virtualKey, m_keys.up(), m_clock.nowMs()));
}

void FakeInputCapture::tapKey(std::uint8_t virtualKey) {
    keyDown(virtualKey);
    keyUp(virtualKey);
}

void FakeInputCapture::button(MouseButton b, bool press) {
    deliver(InputEvent::mouse(b, press, m_clock.nowMs()));
}

void FakeInputCapture::click(MouseButton b) {
    button(b, true);
    button(b, false);
}

void FakeInputCapture::deliver(const InputEvent& event) {
    if (m_sink) m_sink->post(event);
}

}  // namespace vornik

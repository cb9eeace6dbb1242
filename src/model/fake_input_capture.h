#pragma once

#include <cstdint>

#include "device/clock.h"
#include "model/input_capture.h"

namespace vornik {

// A capture source driven by the test: each call delivers one event, stamped with the clock,
// on the caller's thread, while the source is started.
class FakeInputCapture final : public InputCapture {
  public:
    explicit FakeInputCapture(Clock& clock, bool coversDesktop = true)
        : m_clock(clock), m_coversDesktop(coversDesktop) {}

    bool start(InputSink& sink) override;
    void stop() override { m_sink = nullptr; }
    bool coversDesktop() const override { return m_coversDesktop; }
    bool started() const { return m_sink != nullptr; }

    // Key-downs and key-ups counted as a real keyboard source counts them: a second down
    // before any up (auto-repeat, or another key while one is held) is a held-down.
    void keyDown(std::uint8_t virtualKey);
    void keyUp(std::uint8_t virtualKey);
    void tapKey(std::uint8_t virtualKey);
    void button(MouseButton button, bool press);
    void click(MouseButton button);

  private:
    void deliver(const InputEvent& event);

    Clock& m_clock;
    bool m_coversDesktop;
    InputSink* m_sink = nullptr;
    KeyStateCounter m_keys;
};

}  // namespace vornik

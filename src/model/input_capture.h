#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "model/script_lines.h"

namespace vornik {

// A key event as the recorder counts it: the first key-down since the last key-up, a key-up,
// or a key-down while a down has not been followed by any key-up (auto-repeat, or a second
// key pressed while the first is held).
enum class KeyState : std::uint8_t { FirstDown = 0, Up = 1, HeldDown = 2 };

// What a capture source saw, stamped with the source's clock when it saw it.
struct InputEvent {
    enum class Source : std::uint8_t { Key, Button };

    Source source = Source::Key;
    std::uint8_t virtualKey = 0;  // Key: the Windows virtual-key code
    KeyState keyState = KeyState::FirstDown;
    MouseButton button = MouseButton::Left;  // Button
    bool press = false;                      // Button: down, else up
    std::uint64_t timeMs = 0;

    static InputEvent key(std::uint8_t virtualKey, KeyState state, std::uint64_t timeMs);
    static InputEvent mouse(MouseButton button, bool press, std::uint64_t timeMs);

    bool operator==(const InputEvent&) const = default;
};

// Turns key-downs and key-ups into key states: every down counts, any up resets the count.
// Every source keeps one, so all platforms report auto-repeat and held keys alike.
class KeyStateCounter {
  public:
    KeyState down();
    KeyState up();
    void reset() { m_downs = 0; }

  private:
    unsigned m_downs = 0;
};

// Where a capture source delivers its events; called on the source's own thread.
class InputSink {
  public:
    virtual ~InputSink() = default;
    virtual void post(const InputEvent& event) = 0;
};

// One source of keyboard and mouse-button events. Chosen once by createInputCapture (platform/).
class InputCapture {
  public:
    virtual ~InputCapture() = default;

    // Starts delivering events to `sink`; when it returns true, input from then on arrives.
    // False when the source could not start; error() names the failing call.
    virtual bool start(InputSink& sink) = 0;
    // After it returns, no more events are delivered. Safe to call when not started.
    virtual void stop() = 0;
    // False when only input into the program's own window is seen (the GUI says so).
    virtual bool coversDesktop() const = 0;
    virtual std::string error() const { return {}; }
};

// The hand-off between the capture threads and the recorder on the window's thread. Posting
// is safe from any thread; the order of take() is the order in which posts happened, across
// all posting threads. Nothing runs while no event arrives.
class InputEventQueue final : public InputSink {
  public:
    // Posts are dropped unless accepting (the recording runs), and left-button posts while
    // ignoring the left button (the pointer is over a button that starts or stops recording).
    void setAccepting(bool accepting);
    void setIgnoreLeft(bool ignore);
    bool accepting() const { return m_accepting; }

    // Called on the posting thread whenever an event lands in an empty queue, so that the
    // window's thread can be asked once to take everything (e.g. by a queued call).
    void setWakeup(std::function<void()> wakeup);

    void post(const InputEvent& event) override;

    // Every queued event, oldest first; empty when there is none.
    std::vector<InputEvent> takeAll();
    // Waits until an event is queued, interrupt() is called or the timeout passes, then takes
    // everything queued.
    std::vector<InputEvent> waitAndTakeAll(std::chrono::milliseconds timeout);
    // Ends one waitAndTakeAll (the current one, or the next when none waits).
    void interrupt();
    void clear();

  private:
    std::vector<InputEvent> takeLocked();

    std::atomic<bool> m_accepting{false};
    std::atomic<bool> m_ignoreLeft{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<InputEvent> m_events;
    bool m_interrupted = false;
    std::function<void()> m_wakeup;
};

}  // namespace vornik

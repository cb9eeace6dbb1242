#include "model/input_capture.h"

#include <iterator>
#include <utility>

namespace vornik {

InputEvent InputEvent::key(std::uint8_t virtualKey, KeyState state, std::uint64_t timeMs) {
    return {Source::Key, virtualKey, state, MouseButton::Left, false, timeMs};
}

InputEvent InputEvent::mouse(MouseButton button, bool press, std::uint64_t timeMs) {
    return {Source::Button, 0, KeyState::FirstDown, button, press, timeMs};
}

KeyState KeyStateCounter::down() {
    if (m_downs < 2) ++m_downs;
    return m_downs == 1 ? KeyState::FirstDown : KeyState::HeldDown;
}

KeyState KeyStateCounter::up() {
    m_downs = 0;
    return KeyState::Up;
}

void InputEventQueue::setAccepting(bool accepting) { m_accepting = accepting; }

void InputEventQueue::setIgnoreLeft(bool ignore) { m_ignoreLeft = ignore; }

void InputEventQueue::setWakeup(std::function<void()> wakeup) {
    const std::lock_guard lock(m_mutex);
    m_wakeup = std::move(wakeup);
}

void InputEventQueue::post(const InputEvent& event) {
    if (!m_accepting) return;
    if (event.source == InputEvent::Source::Button && event.button == MouseButton::Left &&
        m_ignoreLeft)
        return;
    std::function<void()> wakeup;
    {
        const std::lock_guard lock(m_mutex);
        if (m_events.empty()) wakeup = m_wakeup;
        m_events.push_back(event);
    }
    m_ready.notify_one();
    // Outside the lock: the callback may take the events at once.
    if (wakeup) wakeup();
}

std::vector<InputEvent> InputEventQueue::takeLocked() {
    std::vector<InputEvent> taken(std::make_move_iterator(m_events.begin()),
                                  std::make_move_iterator(m_events.end()));
    m_events.clear();
    return taken;
}

std::vector<InputEvent> InputEventQueue::takeAll() {
    const std::lock_guard lock(m_mutex);
    return takeLocked();
}

std::vector<InputEvent> InputEventQueue::waitAndTakeAll(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_ready.wait_for(lock, timeout, [this] { return !m_events.empty() || m_interrupted; });
    m_interrupted = false;
    return takeLocked();
}

void InputEventQueue::interrupt() {
    {
        const std::lock_guard lock(m_mutex);
        m_interrupted = true;
    }
    m_ready.notify_all();
}

void InputEventQueue::clear() {
    const std::lock_guard lock(m_mutex);
    m_events.clear();
    m_interrupted = false;
}

}  // namespace vornik

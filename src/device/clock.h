#pragma once

#include <cstdint>
#include <functional>

namespace vornik {

// Time as the protocol and the flows see it. The product sleeps for real; tests use a virtual
// clock so that every wait runs instantly and is still measured.
class Clock {
  public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start, monotonic.
    virtual std::uint64_t nowMs() = 0;
    virtual void sleepMs(unsigned ms) = 0;
    // "Let pending window messages run": the GUI paints and handles input here.
    virtual void processEvents() = 0;
    // Bracket a transfer of many short sleeps; a platform with a coarse timer tick raises its
    // timer resolution in between.
    virtual void beginTransfer() {}
    virtual void endTransfer() {}
};

// Real time from the standard library; processEvents runs the hook the GUI installs.
class SystemClock : public Clock {
  public:
    std::uint64_t nowMs() override;
    void sleepMs(unsigned ms) override;
    void processEvents() override;

    void setEventHook(std::function<void()> hook) { m_eventHook = std::move(hook); }
    // Replaces the plain sleep: the GUI waits in its event loop, so that the window keeps
    // painting while the protocol waits for the mouse.
    void setSleepHook(std::function<void(unsigned ms)> hook) { m_sleepHook = std::move(hook); }

  private:
    std::function<void()> m_eventHook;
    std::function<void(unsigned ms)> m_sleepHook;
};

// Virtual time: sleeping advances the clock at once. Counts what it was asked to do.
class VirtualClock : public Clock {
  public:
    std::uint64_t nowMs() override { return m_now; }
    void sleepMs(unsigned ms) override;
    void processEvents() override;

    void advance(std::uint64_t ms) { m_now += ms; }
    std::uint64_t sleptMs() const { return m_slept; }
    unsigned sleepCount() const { return m_sleeps; }
    unsigned eventRuns() const { return m_eventRuns; }
    unsigned transferDepth() const { return m_transferDepth; }
    void beginTransfer() override { ++m_transferDepth; }
    void endTransfer() override { --m_transferDepth; }

    // Runs on every sleep (after the clock moved) and on every processEvents; lets a test act
    // "while" the code under test waits, e.g. unplug a device.
    void setOnTick(std::function<void()> tick) { m_onTick = std::move(tick); }

  private:
    std::uint64_t m_now = 0;
    std::uint64_t m_slept = 0;
    unsigned m_sleeps = 0;
    unsigned m_eventRuns = 0;
    unsigned m_transferDepth = 0;
    std::function<void()> m_onTick;
};

}  // namespace vornik

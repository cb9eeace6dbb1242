#include "device/clock.h"

#include <chrono>
#include <thread>

namespace vornik {

std::uint64_t SystemClock::nowMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::sleepMs(unsigned ms) {
    if (m_sleepHook) {
        m_sleepHook(ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SystemClock::processEvents() {
    if (m_eventHook) m_eventHook();
}

void VirtualClock::sleepMs(unsigned ms) {
    m_now += ms;
    m_slept += ms;
    ++m_sleeps;
    if (m_onTick) m_onTick();
}

void VirtualClock::processEvents() {
    ++m_eventRuns;
    if (m_onTick) m_onTick();
}

}  // namespace vornik

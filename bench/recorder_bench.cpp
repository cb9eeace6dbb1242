// The recorder on the real X11 source: CPU time of an idle recording, and the delay from an
// input event made with XTEST to its script line. It types and clicks on the display it is
// given, so it runs only when told the display is a private one:
//   xvfb-run -a vornik-bench-recorder --private-display [idle seconds] [events]

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "model/macro_recorder.h"
#include "platform/x11_input_capture.h"
#include "xtest_input.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The window's thread as the GUI runs it: woken by the queue once per batch, it hands the
// events to the recorder and notes when each line was placed.
class WindowThread {
  public:
    explicit WindowThread(vornik::InputEventQueue& queue) : m_queue(queue) {
        m_queue.setWakeup([this] {
            const std::lock_guard lock(m_mutex);
            m_woken = true;
            m_wake.notify_one();
        });
        m_recorder.startNew({vornik::DelayOption::None, 0, vornik::MacroForm::Driver});
        m_thread = std::thread([this] { run(); });
    }
    ~WindowThread() {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
        m_queue.setWakeup(nullptr);
    }

    // Waits until `count` lines stand in the script; the time the last of them was placed.
    SteadyClock::time_point waitForLines(std::size_t count) {
        std::unique_lock lock(m_mutex);
        m_placed.wait_for(lock, std::chrono::seconds(5), [&] { return m_lines >= count; });
        return m_lastPlaced;
    }
    std::size_t lines() {
        const std::lock_guard lock(m_mutex);
        return m_lines;
    }
    unsigned wakeups() {
        const std::lock_guard lock(m_mutex);
        return m_wakeups;
    }

  private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_woken || m_done; });
            if (m_done) return;
            m_woken = false;
            ++m_wakeups;
            lock.unlock();
            m_recorder.handleAll(m_queue.takeAll());
            const auto placed = SteadyClock::now();
            const std::size_t lines =
                m_recorder.script().empty() ? 0 : m_recorder.script().size() - 1;
            lock.lock();
            m_lines = lines;
            m_lastPlaced = placed;
            m_placed.notify_all();
        }
    }

    vornik::InputEventQueue& m_queue;
    vornik::MacroRecorder m_recorder;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_placed;
    bool m_woken = false;
    bool m_done = false;
    unsigned m_wakeups = 0;
    std::size_t m_lines = 0;
    SteadyClock::time_point m_lastPlaced;
    std::thread m_thread;
};

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--private-display") != 0) {
        std::fprintf(stderr,
                     "usage: xvfb-run -a %s --private-display [idle seconds] [events]\n"
                     "It types and clicks on $DISPLAY; give it a private display.\n",
                     argv[0]);
        return 2;
    }
    const int idleSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const int eventCount = argc > 3 ? std::max(4, std::atoi(argv[3])) : 400;

    vornik::SystemClock clock;
    std::string why;
    const auto capture = vornik::X11InputCapture::open(clock, &why);
    std::string noInput;
    const auto input = capture ? XTestInput::open(noInput) : nullptr;
    if (!input) {
        std::printf("recorder bench: skipped: %s\n", capture ? noInput.c_str() : why.c_str());
        return 0;
    }

    vornik::InputEventQueue queue;
    queue.setAccepting(true);
    WindowThread window(queue);
    if (!capture->start(queue)) {
        std::printf("recorder bench: the capture did not start: %s\n", capture->error().c_str());
        return 1;
    }

    // An idle recording: the capture thread waits on the X connection, the window's thread
    // on the queue.
    const double cpuBefore = cpuSeconds();
    const auto idleStart = SteadyClock::now();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idleWall = std::chrono::duration<double>(SteadyClock::now() - idleStart).count();
    const double idleCpu = cpuSeconds() - cpuBefore;
    const unsigned idleWakeups = window.wakeups();

    // One event at a time: key A down and up, left button down and up, and again.
    std::vector<double> delaysMs;
    for (int i = 0; i < eventCount; ++i) {
        const bool press = i % 2 == 0;
        const auto sent = SteadyClock::now();
        if ((i / 2) % 2 == 0)
            input->keyA(press);
        else
            input->leftButton(press);
        const auto placed = window.waitForLines(static_cast<std::size_t>(i) + 1);
        if (window.lines() < static_cast<std::size_t>(i) + 1) {
            std::printf("recorder bench: event %d gave no line within 5 s\n", i);
            return 1;
        }
        delaysMs.push_back(std::chrono::duration<double, std::milli>(placed - sent).count());
    }
    capture->stop();

    std::printf("recorder bench (X11 source, XInput2 raw events)\n");
    std::printf(
        "  idle recording: %.1f ms CPU over %.1f s = %.3f %% of a core (goal < 1 %%), "
        "%u wake-ups\n",
        idleCpu * 1000, idleWall, 100 * idleCpu / idleWall, idleWakeups);
    std::printf(
        "  event to line (%zu events): median %.3f ms, 95th percentile %.3f ms, "
        "max %.3f ms (goal < 5 ms)\n",
        delaysMs.size(), percentile(delaysMs, 0.5), percentile(delaysMs, 0.95),
        percentile(delaysMs, 1.0));
    return 0;
}

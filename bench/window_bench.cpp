// The window's responsiveness over the simulated mouse, with the platform's real clock:
// - a language switch: the layout pass and the language pass over every page (goal < 50 ms);
// - the longest stall of the window's event loop while the device monitor finds and fully
//   reads the mouse (goal < 30 ms), measured as the longest gap between two runs of a
//   zero-interval timer.
//   vornik-bench-window [RUNS]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/app_session.h"
#include "app/main_window.h"
#include "device/native_platform.h"
#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"
#include "ui/dialogs.h"
#include "ui/skin/skin.h"
#include "ui/style.h"

namespace {

using namespace vornik;

struct QuietDialogs : Dialogs {
    void messageDialog(QWidget*, const QString&, const QString&) override {}
    void messageBox(QWidget*, const QString&) override {}
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The gaps between the runs of a zero-interval timer while `work` runs on the window's thread,
// letting window messages run as it does.
std::vector<double> eventLoopGaps(QApplication& app, const std::function<void()>& work) {
    std::vector<double> gaps;
    QElapsedTimer clock;
    QTimer probe;
    probe.setInterval(0);
    qint64 last = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back(static_cast<double>(now - last) / 1e6);
        last = now;
    });
    QTimer::singleShot(0, [&] {
        clock.start();
        last = 0;
        probe.start();
        work();
        // The gap that ends with the work counts too.
        gaps.push_back(static_cast<double>(clock.nsecsElapsed() - last) / 1e6);
        probe.stop();
        app.quit();
    });
    app.exec();
    return gaps;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initSkin();
    applyDarkStyle(app);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));

    auto clock = createNativeClock();
    clock->setEventHook([] { QCoreApplication::processEvents(); });
    auto owned = std::make_unique<SimHidPlatform>();
    SimHidPlatform& platform = *owned;
    plugOtherDevices(platform);
    AppSession session(std::move(owned), *clock);
    QuietDialogs dialogs;
    MainWindow window(session, dialogs);
    window.show();
    QCoreApplication::processEvents();

    // Each language in turn, so that every run changes every caption.
    std::vector<double> switches;
    for (int run = 0; run < runs; ++run)
        for (int language : {2, 3, 1}) {
            QElapsedTimer timer;
            timer.start();
            window.switchLanguage(language);
            switches.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();
        }
    std::printf(
        "language switch: median %.1f ms, longest %.1f ms over %zu switches (goal under "
        "50 ms)\n",
        median(switches), *std::max_element(switches.begin(), switches.end()), switches.size());

    std::vector<double> stalls;
    std::vector<double> reads;
    for (int run = 0; run < runs; ++run) {
        auto mouse = plugDefaultMouse(platform);
        std::copy(BuiltInImage().begin(), BuiltInImage().end(), mouse->memory().begin());
        QElapsedTimer timer;
        double readMs = 0;
        const std::vector<double> gaps = eventLoopGaps(app, [&] {
            timer.start();
            window.monitor().DevTimerTimer();  // finds, identifies and reads the mouse
            readMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        });
        if (!session.mouseConnected() || window.state().noDeviceShown) {
            std::fprintf(stderr, "the simulated mouse was not read\n");
            return 1;
        }
        stalls.push_back(*std::max_element(gaps.begin(), gaps.end()));
        reads.push_back(readMs);
        std::printf("read %d: %.1f ms, %zu event loop runs, longest stall %.1f ms\n", run + 1,
                    readMs, gaps.size(), stalls.back());
        platform.unplugAll();
        plugOtherDevices(platform);
        window.monitor().DevTimerTimer();  // the mouse is gone: the no-device state again
    }
    std::printf(
        "full read: median %.1f ms; longest event loop stall: median %.1f ms, worst "
        "%.1f ms (goal under 30 ms)\n",
        median(reads), median(stalls), *std::max_element(stalls.begin(), stalls.end()));
    return 0;
}

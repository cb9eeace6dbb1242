// The window's responsiveness over the simulated mouse, with the platform's real clock:
// - a language switch: the layout pass and the language pass over every page (goal < 50 ms);
// - the longest stall of the window's event loop while the device monitor finds and fully
//   reads the mouse (goal < 30 ms), measured as the longest gap between two runs of a
//   zero-interval timer;
// - a drag of a DPI level slider on the Advanced page: each move with the value label following
//   and the repaint it causes (goal < 16 ms per move, one frame);
// - a button's function chosen through the menus: the click that opens the function menu, and
//   the hovers and the click through Special, DPI key and DPI Loop that assign it, each with
//   its repaint (goal < 16 ms for each).
//   vornik-bench-window [RUNS]
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/app_session.h"
#include "app/device_buttons.h"
#include "app/gui_app.h"
#include "app/main_window.h"
#include "device/native_platform.h"
#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"
#include "settings/button_editor.h"
#include "settings/button_page.h"
#include "settings/function_menu.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/skin/skin.h"
#include "ui/style.h"
#include "ui/widgets/skin_slider.h"

namespace {

using namespace vornik;

struct QuietDialogs : Dialogs {
    void messageDialog(QWidget*, const QString&, const QString&) override {}
    void messageBox(QWidget*, const QString&) override {}
    std::optional<QColor> colourDialog(QWidget*, const QColor&) override { return std::nullopt; }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The gaps between the runs of a zero-interval timer while `work` runs on the window's thread:
// the window's messages run only where the work lets them, as during a device operation.
std::vector<double> eventLoopGaps(const std::function<void()>& work) {
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
    clock.start();
    probe.start();
    work();
    // The gap that ends with the work counts too.
    gaps.push_back(static_cast<double>(clock.nsecsElapsed() - last) / 1e6);
    return gaps;
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void clickLabel(QWidget& w) {
    const QPointF at(4, 4);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, w.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
}

void enterLabel(QWidget& w) {
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), w.mapToGlobal(QPointF(4, 4)));
    QCoreApplication::sendEvent(&w, &enter);
}

void sendMouse(QWidget& w, QEvent::Type type, int x) {
    const QPointF at(x, w.height() / 2);
    QMouseEvent event(type, at, w.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
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
    runEventsWhileWaiting(*clock);
    auto owned = std::make_unique<SimHidPlatform>();
    SimHidPlatform& platform = *owned;
    plugOtherDevices(platform);
    AppSession session(std::move(owned), *clock);
    QuietDialogs dialogs;
    MainWindow window(session, dialogs);
    window.show();
    // No one picks a language within the first second: by then the other layouts' backgrounds
    // are decoded (prefetchSkin). The first switch to a language is still counted apart.
    {
        QEventLoop idle;
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
    }

    // Each language in turn, so that every switch changes every caption.
    std::vector<double> firsts;
    std::vector<double> switches;
    for (int run = 0; run <= runs; ++run)
        for (int language : {2, 3, 1}) {
            QElapsedTimer timer;
            timer.start();
            window.switchLanguage(language);
            (run == 0 ? firsts : switches)
                .push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();
        }
    std::printf(
        "language switch: first to each language %.1f / %.1f / %.1f ms; then median %.1f ms, "
        "longest %.1f ms over %zu switches (goal under 50 ms)\n",
        firsts[0], firsts[1], firsts[2], median(switches),
        *std::max_element(switches.begin(), switches.end()), switches.size());

    // The mouse plugged in and found by the monitor (its settle wait lets messages run every
    // 100 ms, as it should); then Read, the full read of the image, is measured.
    auto mouse = plugDefaultMouse(platform);
    std::copy(builtInImage().begin(), builtInImage().end(), mouse->memory().begin());
    QElapsedTimer connectTimer;
    connectTimer.start();
    const std::vector<double> connectGaps = eventLoopGaps([&] { window.monitor().tick(); });
    if (!session.mouseConnected() || window.state().noDeviceShown) {
        std::fprintf(stderr, "the simulated mouse was not found and read\n");
        return 1;
    }
    std::printf(
        "found and read by the monitor: %.1f ms, longest stall %.1f ms (the settle wait "
        "sleeps 100 ms at a time)\n",
        static_cast<double>(connectTimer.nsecsElapsed()) / 1e6,
        *std::max_element(connectGaps.begin(), connectGaps.end()));

    std::vector<double> stalls;
    std::vector<double> reads;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::vector<double> gaps =
            eventLoopGaps([&] { window.deviceButtons().Btn_Read_0Click(); });
        reads.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (window.state().noDeviceShown || session.model.image().incomplete) {
            std::fprintf(stderr, "the read did not complete\n");
            return 1;
        }
        stalls.push_back(*std::max_element(gaps.begin(), gaps.end()));
        std::printf("read %d: %.1f ms, %zu event loop runs, longest stall %.1f ms\n", run + 1,
                    reads.back(), gaps.size(), stalls.back());
    }
    std::printf(
        "full read (Read): median %.1f ms; longest event loop stall: median %.1f ms, worst "
        "%.1f ms (goal under 30 ms)\n",
        median(reads), median(stalls), *std::max_element(stalls.begin(), stalls.end()));

    // A DPI slider dragged back and forth over its track, one pixel at a time: every move sets
    // the thumb and the value label and is painted at once (repaint, not the window system's
    // next frame), the slider and its label with what lies beneath them.
    window.navigation().Btn_Adv_0Click();
    QCoreApplication::processEvents();
    auto* slider = window.findChild<SkinSlider*>("slider_DPI1");
    auto* label = window.findChild<QWidget*>("lbl_DPI1Value");
    if (slider == nullptr || label == nullptr || !slider->isVisible() || !slider->isEnabled()) {
        std::fprintf(stderr, "slider_DPI1 is not shown\n");
        return 1;
    }
    PaintCounter counter;
    slider->installEventFilter(&counter);
    std::vector<double> moves;
    std::vector<double> valueMoves;  // the moves that changed the value
    const int track = slider->width();
    sendMouse(*slider, QEvent::MouseButtonPress, 0);
    for (int run = 0; run < runs; ++run)
        for (int step = 0; step < 2 * track; ++step) {
            const int x = step < track ? step : 2 * track - 1 - step;
            const int before = slider->value();
            QElapsedTimer timer;
            timer.start();
            sendMouse(*slider, QEvent::MouseMove, x);
            slider->repaint();
            label->repaint();
            QCoreApplication::processEvents();
            const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            moves.push_back(ms);
            if (slider->value() != before) valueMoves.push_back(ms);
        }
    sendMouse(*slider, QEvent::MouseButtonRelease, 0);
    QCoreApplication::processEvents();
    std::printf(
        "DPI slider drag: %zu moves, %d slider paints; per move with its repaint median %.3f ms, "
        "longest %.3f ms; the %zu moves to another value median %.3f ms (goal under 16 ms)\n",
        moves.size(), counter.paints, median(moves), *std::max_element(moves.begin(), moves.end()),
        valueMoves.size(), valueMoves.empty() ? 0.0 : median(valueMoves));

    // Button 3 of Office Mode given DPI Loop and back Right Key, again and again.
    window.navigation().Btn_Main_0Click();
    QCoreApplication::processEvents();
    FunctionMenu& menu = window.buttonEditor().menu();
    QWidget* key = window.buttonPage().keys()[2].label;
    std::vector<double> opens;
    std::vector<double> assigns;
    const auto choose = [&](std::initializer_list<const char*> path) {
        QElapsedTimer timer;
        timer.start();
        clickLabel(*key);
        window.repaint();
        QCoreApplication::processEvents();
        opens.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        const char* last = nullptr;
        for (const char* entry : path) {
            enterLabel(*menu.entry(entry));
            last = entry;
        }
        clickLabel(*menu.entry(last));
        window.repaint();
        QCoreApplication::processEvents();
        assigns.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    };
    for (int run = 0; run < 10 * runs; ++run) {
        choose({"Key_Special", "Key_CPIKey", "Key_CPI"});
        if (session.model.buttonFunction(1, 3) != "050000") {
            std::fprintf(stderr, "the menu did not assign DPI Loop\n");
            return 1;
        }
        choose({"Key_Standard", "Key_Right"});
    }
    std::printf(
        "function menu: open with its repaint median %.2f ms, longest %.2f ms; a choice through "
        "the sub-menus to the assignment with its repaint median %.2f ms, longest %.2f ms over "
        "%zu choices (goal under 16 ms)\n",
        median(opens), *std::max_element(opens.begin(), opens.end()), median(assigns),
        *std::max_element(assigns.begin(), assigns.end()), assigns.size());
    return 0;
}

#include "app/gui_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/app_session.h"
#include "app/main_window.h"
#include "app/simulator_window.h"
#include "app/single_instance.h"
#include "device/native_platform.h"
#include "device/sim/sim_hid_platform.h"
#include "ui/dialogs.h"
#include "ui/loading_window.h"
#include "ui/skin/skin.h"
#include "ui/style.h"
#include "version/version.h"

namespace vornik {

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// With VORNIK_STARTUP_PROBE set the program reports its first painted frame and ends; the
// start-up benchmark runs it that way.
class FirstPaintProbe : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("first-paint rss-kib=%ld\n", residentKiB());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool m_done = false;
};

}  // namespace

int runGui(int& argc, char** argv, std::unique_ptr<HidPlatform> platform,
           SimHidPlatform* simulator) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationDisplayName(kApplicationTitle);
    QApplication::setApplicationVersion(kVersion);
    // Ties the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(simulator ? kDemoDesktopAppId : kDesktopAppId);
    initSkin();
    applyDarkStyle(app);

    SingleInstance instance(kWindowCaption);
    if (instance.activateRunning()) return 0;

    auto clock = createNativeClock();
    clock->setEventHook([] { QCoreApplication::processEvents(); });
    AppSession session(std::move(platform), *clock);
    session.programDir = (QCoreApplication::applicationDirPath() + "/").toStdString();
    QtDialogs dialogs;
    TForm1 window(session, dialogs);
    QApplication::setWindowIcon(QIcon(skinPixmap("AppIcon")));
    instance.listen([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });

    FirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("VORNIK_STARTUP_PROBE")) window.installEventFilter(&probe);
    window.show();
    TFormLoadingUI loading(&window, [&window] { window.setDevTimer(true); });
    window.attachLoadingWindow(&loading);

    std::unique_ptr<SimulatorWindow> control;
    if (simulator) {
        control = std::make_unique<SimulatorWindow>(*simulator, session.clock);
        control->move(window.geometry().right() + 16, window.geometry().top());
        control->show();
    }
    return QApplication::exec();
}

}  // namespace vornik

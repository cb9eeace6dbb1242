#include "app/gui_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
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
#include "platform/pointer_settings_platform.h"
#include "platform/system_folders.h"
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

bool parseDemoArguments(const QStringList& arguments, DemoArguments& demo, QString& error) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == "--memory") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                error = "--memory needs a file name";
                return false;
            }
            demo.memoryFile = std::filesystem::path(arguments[++i].toStdString());
        } else {
            error = "unknown argument " + arg;
            return false;
        }
    }
    return true;
}

GuiProgram::GuiProgram(std::unique_ptr<HidPlatform> platform, Clock& clock, Dialogs& dialogs,
                       SimHidPlatform* simulator)
    : m_session(std::make_unique<AppSession>(std::move(platform), clock)) {
    m_session->programDir = (QCoreApplication::applicationDirPath() + "/").toStdString();
    m_session->macroLibraryFile =
        systemMacroLibraryPath(m_session->options.path, m_session->programDir);
    m_session->snapshotFolder = systemSnapshotFolder();
    m_session->pointerSettings = createPointerSettingsStore();
    m_window = std::make_unique<MainWindow>(*m_session, dialogs);
    if (simulator) m_simulatorWindow = std::make_unique<SimulatorWindow>(*simulator, clock);
}

GuiProgram::~GuiProgram() = default;

bool GuiProgram::useMemoryFile(const std::filesystem::path& file, std::string& error) {
    if (!m_simulatorWindow) {
        error = "--memory needs the simulated mouse";
        return false;
    }
    return m_simulatorWindow->useMemoryFile(file, error);
}

void GuiProgram::show() {
    m_window->show();
    m_loading =
        std::make_unique<LoadingWindow>(m_window.get(), [this] { m_window->setDeviceTimer(true); });
    m_window->attachLoadingWindow(m_loading.get());
    if (!m_simulatorWindow) return;
    // The control window does not keep the program alive: it goes with the main window.
    m_simulatorWindow->setAttribute(Qt::WA_QuitOnClose, false);
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, m_simulatorWindow.get(),
                     &QWidget::close);
    const QRect main = m_window->geometry();
    m_simulatorWindow->move(main.right() + 16, main.top());
    m_simulatorWindow->show();
}

void runEventsWhileWaiting(SystemClock& clock) {
    clock.setEventHook([] { QCoreApplication::processEvents(); });
    clock.setSleepHook([](unsigned ms) {
        QEventLoop wait;
        QTimer::singleShot(std::chrono::milliseconds(ms), Qt::PreciseTimer, &wait,
                           &QEventLoop::quit);
        wait.exec();
    });
}

void prepareApplication(QApplication& app) {
    // The window's caption stays exactly kWindowCaption: Qt would append a display name to
    // every window title, so none is set.
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(kVersion);
    initSkin();
    applyDarkStyle(app);
}

int runGui(int& argc, char** argv, std::unique_ptr<HidPlatform> platform,
           SimHidPlatform* simulator) {
    QApplication app(argc, argv);
    prepareApplication(app);
    // Ties the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(simulator ? kDemoDesktopAppId : kDesktopAppId);

    DemoArguments demo;
    QString argumentError;
    if (simulator &&
        !parseDemoArguments(QCoreApplication::arguments().mid(1), demo, argumentError)) {
        std::fprintf(stderr, "vornik-demo: %s\nusage: vornik-demo [--memory FILE]\n",
                     qPrintable(argumentError));
        return 2;
    }

    SingleInstance instance(kWindowCaption);
    if (instance.activateRunning()) return 0;

    auto clock = createNativeClock();
    runEventsWhileWaiting(*clock);
    QtDialogs dialogs;
    GuiProgram program(std::move(platform), *clock, dialogs, simulator);
    MainWindow& window = program.window();
    for (const std::string& option : program.session().options.outOfRange)
        std::fprintf(stderr, "%s: option %s is out of range; its default is used\n",
                     qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                     option.c_str());
    if (demo.memoryFile) {
        std::string error;
        if (!program.useMemoryFile(*demo.memoryFile, error)) {
            std::fprintf(stderr, "vornik-demo: %s\n", error.c_str());
            return 1;
        }
    }
    QApplication::setWindowIcon(QIcon(skinPixmap("AppIcon")));
    instance.listen([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });

    FirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("VORNIK_STARTUP_PROBE")) window.installEventFilter(&probe);
    program.show();
    return QApplication::exec();
}

}  // namespace vornik

#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "device/hid_platform.h"

class QApplication;

namespace vornik {

class SystemClock;

class Clock;
class Dialogs;
class SimHidPlatform;
class SimulatorWindow;
class MainWindow;
class LoadingWindow;
struct AppSession;

// What vornik-demo takes besides Qt's own arguments.
struct DemoArguments {
    // --memory FILE: the simulated mouse starts plugged in and keeps its memory in FILE.
    std::optional<std::filesystem::path> memoryFile;
};

// Parses the arguments after the program name; false with `error` for anything it does not know.
bool parseDemoArguments(const QStringList& arguments, DemoArguments& demo, QString& error);

// The windows of one run over one session: the main window, then the loading window (whose
// creation switches the device timer on) and, with `simulator`, the control window of the
// simulated mouse beside it. Closing the main window ends the program, whatever else is open.
class GuiProgram {
  public:
    GuiProgram(std::unique_ptr<HidPlatform> platform, Clock& clock, Dialogs& dialogs,
               SimHidPlatform* simulator = nullptr);
    ~GuiProgram();

    // The simulated mouse keeps its memory in `file` (the format of vornikctl --simulate): it
    // is created with the built-in image when missing, written back after every block write,
    // and the mouse is plugged in with it. False with `error` when the file cannot serve (a
    // file of another size is refused and left alone).
    bool useMemoryFile(const std::filesystem::path& file, std::string& error);

    void show();

    AppSession& session() { return *m_session; }
    MainWindow& window() { return *m_window; }
    LoadingWindow* loadingWindow() { return m_loading.get(); }
    SimulatorWindow* simulatorWindow() { return m_simulatorWindow.get(); }

  private:
    std::unique_ptr<AppSession> m_session;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<LoadingWindow> m_loading;
    std::unique_ptr<SimulatorWindow> m_simulatorWindow;
};

// What the program sets on the application before its windows: its name (no display name, so
// that Qt leaves the window captions as they are set), the skin and the style.
void prepareApplication(QApplication& app);

// Lets window messages run whenever the protocol or the flows wait on `clock`: in
// processEvents and through every sleep, which waits in the event loop instead of blocking it.
void runEventsWhileWaiting(SystemClock& clock);

// Runs the program: single instance, the windows, and the event loop until the main window
// closes. `platform` supplies the HID interfaces; `simulator` makes it the demo, which reads
// its arguments (parseDemoArguments).
int runGui(int& argc, char** argv, std::unique_ptr<HidPlatform> platform,
           SimHidPlatform* simulator = nullptr);

}  // namespace vornik

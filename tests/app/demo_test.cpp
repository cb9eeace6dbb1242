// vornik-demo's program: the windows over the simulated mouse, its memory file and its end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app_session.h"
#include "app/device_buttons.h"
#include "app/gui_app.h"
#include "app/main_window.h"
#include "app/simulator_window.h"
#include "cli/vornikctl.h"
#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"
#include "settings/engineer_page.h"
#include "ui/dialogs.h"
#include "window_fixture.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DemoTest : public ::testing::Test {
  protected:
    DemoTest() {
        start();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    // The demo's program as it starts: the simulated devices, the mouse not plugged in.
    void start() {
        program.reset();
        // The demo keeps its snapshots in the user's state folder: here, the test's own.
        ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        auto owned = std::make_unique<SimHidPlatform>();
        simulator = owned.get();
        plugOtherDevices(*simulator);
        program = std::make_unique<GuiProgram>(std::move(owned), clock, dialogs, simulator);
    }
    ~DemoTest() override { fs::remove_all(dir); }

    // One directory per test, since CTest runs them side by side.
    const fs::path dir = fs::temp_directory_path() /
                         ("vornik_demo_test_" + std::to_string(QCoreApplication::applicationPid()));
    const fs::path memory = dir / "mouse.bin";
    VirtualClock clock;
    RecordingDialogs dialogs;
    SimHidPlatform* simulator = nullptr;
    std::unique_ptr<GuiProgram> program;
};

TEST_F(DemoTest, ClosingTheMainWindowEndsTheProgram) {
    program->show();
    ASSERT_TRUE(program->simulatorWindow()->isVisible());
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    // The program's own event loop, as vornik-demo runs it; it must end by itself.
    bool timedOut = false;
    QTimer::singleShot(0, &program->window(), [this] { program->window().close(); });
    QTimer::singleShot(5000, qApp, [&timedOut] {
        timedOut = true;
        QCoreApplication::quit();
    });
    QApplication::exec();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(lastClosed.count(), 1);
    EXPECT_FALSE(program->simulatorWindow()->isVisible());
}

TEST_F(DemoTest, TheMouseKeepsItsMemoryInTheFile) {
    std::string error;
    ASSERT_TRUE(program->useMemoryFile(memory, error)) << error;
    // Created with the built-in image; the mouse is plugged in with it.
    const ConfigImage& builtIn = builtInImage();
    EXPECT_EQ(fileBytes(memory), std::string(builtIn.begin(), builtIn.end()));
    program->show();
    program->window().monitor().tick();
    ASSERT_TRUE(program->session().mouseConnected());

    program->window().engineerPage().cb_CPI[0]->setCurrentIndex(10);  // level 1: 6400 DPI
    ASSERT_TRUE(program->window().deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(fileBytes(memory)[6], 10);

    // vornikctl sees the same mouse.
    std::ostringstream out, err;
    VirtualClock ctlClock;
    CtlEnvironment env{[] { return std::make_unique<SimHidPlatform>(); }, ctlClock, out, err, ""};
    env.snapshotFolder = dir / "state" / "vornik" / "snapshots";
    EXPECT_EQ(runVornikctl({"--simulate", memory.string(), "dump", "--device"}, env), kExitOk)
        << err.str();
    EXPECT_NE(out.str().find("level 1: 6400 DPI"), std::string::npos) << out.str();

    // A second start of the demo finds the mouse as the first one left it.
    start();
    ASSERT_TRUE(program->useMemoryFile(memory, error)) << error;
    program->window().monitor().tick();
    ASSERT_TRUE(program->session().mouseConnected());
    EXPECT_EQ(program->session().model.image().bytes[6], 10);
}

TEST_F(DemoTest, AFileOfAnotherSizeIsRefusedAndLeftAlone) {
    std::ofstream(memory, std::ios::binary) << std::string(100, '\x33');
    const int interfaces = simulator->presentInterfaces();
    std::string error;
    EXPECT_FALSE(program->useMemoryFile(memory, error));
    EXPECT_NE(error.find("not a mouse memory file"), std::string::npos) << error;
    EXPECT_EQ(fileBytes(memory), std::string(100, '\x33'));
    EXPECT_EQ(simulator->presentInterfaces(), interfaces);  // the mouse was not plugged in
}

TEST_F(DemoTest, ArgumentsOfTheDemo) {
    struct Case {
        QStringList args;
        bool ok;
        const char* memory;
        const char* error;
    } cases[] = {
        {{}, true, "", ""},
        {{"--memory", "m.bin"}, true, "m.bin", ""},
        {{"--memory"}, false, "", "--memory needs a file name"},
        {{"--memory", ""}, false, "", "--memory needs a file name"},
        {{"--bogus"}, false, "", "unknown argument --bogus"},
        {{"m.bin"}, false, "", "unknown argument m.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        DemoArguments demo;
        QString error;
        EXPECT_EQ(parseDemoArguments(c.args, demo, error), c.ok);
        EXPECT_EQ(demo.memoryFile.value_or("").string(), c.memory);
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
}  // namespace vornik

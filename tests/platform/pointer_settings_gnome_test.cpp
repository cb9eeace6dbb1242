#include "platform/pointer_settings_gnome.h"

#include <gtest/gtest.h>

#include <map>

namespace vornik {
namespace {

// gsettings as a desktop would answer it: the schema's keys and values, the commands run.
struct FakeDesktop {
    bool installed = true;
    bool schema = true;
    bool memoryBackend = false;
    std::map<std::string, std::string> values{{"speed", "0.0"},
                                              {"accel-profile", "'default'"},
                                              {"double-click", "400"},
                                              {"left-handed", "false"}};
    std::vector<std::vector<std::string>> commands;
    std::string refuseSet;  // a key whose set fails
};

class FakeGsettings : public CommandRunner {
  public:
    explicit FakeGsettings(FakeDesktop& desktop) : m_desktop(desktop) {}

    CommandResult run(const std::vector<std::string>& argv) override {
        m_desktop.commands.push_back(argv);
        CommandResult r;
        if (!m_desktop.installed || argv.empty() || argv[0] != "gsettings") return r;
        r.started = true;
        if (m_desktop.memoryBackend)
            r.errors =
                "GLib-GIO-Message: Using the 'memory' GSettings backend.  Your settings "
                "will not be saved or shared with other applications.\n";
        if (!m_desktop.schema || argv.size() < 3 || argv[2] != kGnomeMouseSchema) {
            r.exitCode = 1;
            r.errors += "No such schema\n";
            return r;
        }
        r.exitCode = 0;
        if (argv[1] == "list-keys") {
            for (const auto& [key, value] : m_desktop.values) r.output += key + "\n";
        } else if (argv[1] == "get" && m_desktop.values.count(argv[3])) {
            r.output = m_desktop.values[argv[3]] + "\n";
        } else if (argv[1] == "set" && argv.size() == 5 && argv[3] != m_desktop.refuseSet) {
            m_desktop.values[argv[3]] = argv[4];
        } else {
            r.exitCode = 1;
            r.errors = "No such key or bad value\n";
        }
        return r;
    }

  private:
    FakeDesktop& m_desktop;
};

class GnomePointerTest : public ::testing::Test {
  protected:
    bool apply() {
        error.clear();
        return store.write(model.changes(), error);
    }

    FakeDesktop desktop;
    GnomePointerSettingsStore store{std::make_unique<FakeGsettings>(desktop)};
    PointerSettings model;
    std::string error;
};

TEST(GnomeSpeedTest, ElevenPositionsOverMinusOneToOne) {
    EXPECT_DOUBLE_EQ(gnomeSpeedOfPosition(1), -1.0);
    EXPECT_DOUBLE_EQ(gnomeSpeedOfPosition(6), 0.0);
    EXPECT_DOUBLE_EQ(gnomeSpeedOfPosition(8), 0.4);
    EXPECT_DOUBLE_EQ(gnomeSpeedOfPosition(11), 1.0);
    for (int p = 1; p <= 11; ++p) EXPECT_EQ(positionOfGnomeSpeed(gnomeSpeedOfPosition(p)), p);
    EXPECT_EQ(positionOfGnomeSpeed(0.29), 7);
    EXPECT_EQ(positionOfGnomeSpeed(0.31), 8);
    EXPECT_EQ(positionOfGnomeSpeed(-7.0), 1);
    EXPECT_EQ(positionOfGnomeSpeed(3.0), 11);
}

TEST_F(GnomePointerTest, ReadsSpeedAccelerationAndDoubleClick) {
    desktop.values["speed"] = "-0.39999999999999997";
    desktop.values["double-click"] = "400";
    model.read(store.read());
    EXPECT_EQ(model.speedPosition(), 4);
    EXPECT_TRUE(model.precision());  // 'default' accelerates
    EXPECT_EQ(model.doubleClickPosition(), 9);
    desktop.values["accel-profile"] = "'flat'";
    model.read(store.read());
    EXPECT_FALSE(model.precision());
    desktop.values["accel-profile"] = "'adaptive'";
    model.read(store.read());
    EXPECT_TRUE(model.precision());
}

TEST_F(GnomePointerTest, WritesOnlyWhatChangedInTheDesktopsTerms) {
    model.read(store.read());
    desktop.commands.clear();
    EXPECT_TRUE(apply());
    EXPECT_TRUE(desktop.commands.empty());

    model.setSpeedPosition(8);
    model.togglePrecision();
    model.setDoubleClickPosition(2);
    EXPECT_TRUE(apply()) << error;
    EXPECT_EQ(desktop.values["speed"], "0.4");
    EXPECT_EQ(desktop.values["accel-profile"], "'flat'");
    EXPECT_EQ(desktop.values["double-click"], "830");
    model.setSpeedPosition(1);
    model.togglePrecision();
    EXPECT_TRUE(apply()) << error;
    EXPECT_EQ(desktop.values["speed"], "-1.0");
    EXPECT_EQ(desktop.values["accel-profile"], "'adaptive'");
}

TEST_F(GnomePointerTest, WheelHasNoDesktopSetting) {
    const auto controls = store.controls();
    EXPECT_TRUE(controls[0].available);
    EXPECT_TRUE(controls[1].available);
    EXPECT_TRUE(controls[2].available);
    EXPECT_FALSE(controls[3].available);
    EXPECT_NE(controls[3].hint.find("wheel"), std::string::npos) << controls[3].hint;
    EXPECT_FALSE(store.read().wheelLines);
    model.setWheelPosition(4);
    EXPECT_FALSE(apply());
    EXPECT_NE(error.find("wheel"), std::string::npos) << error;
}

TEST_F(GnomePointerTest, FailedSetIsReportedWithWhatGsettingsSaid) {
    model.read(store.read());
    desktop.refuseSet = "double-click";
    model.setDoubleClickPosition(3);
    model.setSpeedPosition(7);
    EXPECT_FALSE(apply());
    EXPECT_NE(error.find("double-click 760"), std::string::npos) << error;
    EXPECT_NE(error.find("No such key"), std::string::npos) << error;
    EXPECT_EQ(desktop.values["speed"], "0.2");
}

TEST(GnomePointerUnavailableTest, EveryControlUnavailableWithAReason) {
    const struct {
        void (*setUp)(FakeDesktop&);
        const char* reason;
    } cases[] = {
        {[](FakeDesktop& d) { d.installed = false; }, "gsettings"},
        {[](FakeDesktop& d) { d.schema = false; }, kGnomeMouseSchema},
        {[](FakeDesktop& d) { d.memoryBackend = true; }, "would not be kept"},
    };
    for (const auto& c : cases) {
        FakeDesktop desktop;
        c.setUp(desktop);
        GnomePointerSettingsStore store(std::make_unique<FakeGsettings>(desktop));
        for (const auto& control : store.controls()) {
            EXPECT_FALSE(control.available) << c.reason;
            EXPECT_NE(control.hint.find(c.reason), std::string::npos) << control.hint;
        }
        const PointerReading reading = store.read();
        EXPECT_FALSE(reading.sensitivity || reading.precision || reading.doubleClick);
        PointerWrite change;
        change.sensitivity = 4;
        std::string error;
        EXPECT_FALSE(store.write(change, error));
        EXPECT_EQ(desktop.values["speed"], "0.0");
        // The desktop is asked once.
        EXPECT_EQ(desktop.commands.size(), 1u) << c.reason;
    }
    // An older schema without one of the keys loses only that control.
    FakeDesktop desktop;
    desktop.values.erase("accel-profile");
    GnomePointerSettingsStore store(std::make_unique<FakeGsettings>(desktop));
    const auto controls = store.controls();
    EXPECT_TRUE(controls[0].available);
    EXPECT_FALSE(controls[1].available);
    EXPECT_NE(controls[1].hint.find("accel-profile"), std::string::npos);
    EXPECT_FALSE(store.read().precision);
}

TEST(ProcessRunnerTest, CollectsOutputErrorsAndExitCode) {
    const auto runner = createProcessRunner();
    const CommandResult r =
        runner->run({"sh", "-c", "echo out; echo err >&2; cat; exit 3"});  // cat: stdin is empty
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, "out\n");
    EXPECT_EQ(r.errors, "err\n");

    const CommandResult big =
        runner->run({"sh", "-c", "head -c 200000 /dev/zero; head -c 70000 /dev/zero >&2"});
    EXPECT_EQ(big.exitCode, 0);
    EXPECT_EQ(big.output.size(), 200000u);
    EXPECT_EQ(big.errors.size(), 70000u);

    EXPECT_FALSE(runner->run({"vornik-no-such-program-here"}).started);
    EXPECT_FALSE(runner->run({}).started);
}

}  // namespace
}  // namespace vornik

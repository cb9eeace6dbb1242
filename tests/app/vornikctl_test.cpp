#include "app/vornikctl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "device/sim/sim_hid_platform.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

class VornikctlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("vornikctl_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        state = (dir / "mouse.bin").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        CtlEnvironment env{[this] { return makeNative(); }, clock, out, err};
        return runVornikctl(args, env);
    }
    std::unique_ptr<HidPlatform> makeNative() {
        auto platform = std::make_unique<SimHidPlatform>();
        plugOtherDevices(*platform);
        return platform;  // the "real" system here has no mouse
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir;
    std::string state;
    VirtualClock clock;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(VornikctlTest, ListMarksTheMouse) {
    ASSERT_EQ(run({"--simulate", state, "list"}), kExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("* 2C4E 0B17 0104        8  "), std::string::npos) << text;
    EXPECT_NE(text.find("(cannot be opened)"), std::string::npos) << text;
    EXPECT_NE(text.find("* the mouse"), std::string::npos) << text;
}

TEST_F(VornikctlTest, ListWithoutMouseSaysSo) {
    ASSERT_EQ(run({"list"}), kExitOk);
    EXPECT_EQ(out.str().find("* "), std::string::npos);
    EXPECT_NE(out.str().find("no mouse"), std::string::npos);
}

TEST_F(VornikctlTest, StatusOfAHealthyMouse) {
    ASSERT_EQ(run({"status", "--simulate", state}), kExitOk) << err.str();
    EXPECT_EQ(out.str(),
              "mouse: 2C4E:0B17 version 0104\n"
              "reply byte 1: 0xAA (ready)\n"
              "EepromReady: yes\n"
              "ChipType: 0x98\n"
              "button state: 0x0000\n");
}

TEST_F(VornikctlTest, StatusShowsFaults) {
    ASSERT_EQ(run({"--simulate", state, "--fault", "notready", "--fault", "chip=0x42", "status"}),
              kExitOk);
    EXPECT_NE(out.str().find("EepromReady: no"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("ChipType: unknown (code 0x42)"), std::string::npos) << out.str();
}

TEST_F(VornikctlTest, FailuresGiveOneLineAndNonZero) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* reason;
    } cases[] = {
        {{"status"}, kExitFailure, "no mouse found"},
        {{"--simulate", "S", "--fault", "noack", "status"}, kExitFailure, "command 1"},
        {{"--simulate", "S", "--fault", "refuse=3", "status"}, kExitFailure, "command 3"},
        {{}, kExitUsage, "no command given"},
        {{"frobnicate"}, kExitUsage, "unknown command frobnicate"},
        {{"--bogus", "list"}, kExitUsage, "unknown option --bogus"},
        {{"--fault", "noack", "list"}, kExitUsage, "--fault needs --simulate"},
        {{"--simulate", "S", "--fault", "nack", "list"}, kExitUsage, "unknown fault"},
        {{"--simulate"}, kExitUsage, "--simulate needs a file name"},
        {{"list", "extra"}, kExitUsage, "unexpected argument extra"},
    };
    for (auto& c : cases) {
        for (auto& a : c.args)
            if (a == "S") a = state;
        EXPECT_EQ(run(c.args), c.code) << c.reason;
        const std::string text = err.str();
        EXPECT_EQ(text.rfind("vornikctl: ", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}

TEST_F(VornikctlTest, HelpPrintsUsage) {
    ASSERT_EQ(run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("usage: vornikctl"), std::string::npos);
    EXPECT_NE(out.str().find("drop-chunk=N"), std::string::npos);
}

TEST_F(VornikctlTest, StateFileIsCreatedWhenMissing) {
    ASSERT_EQ(run({"--simulate", state, "status"}), kExitOk);
    const std::string bytes = read(state);
    ASSERT_EQ(bytes.size(), 2048u);
    EXPECT_EQ(bytes, std::string(2048, '\xFF'));
}

TEST_F(VornikctlTest, AStateFileOfTheWrongSizeIsLeftAlone) {
    {
        std::ofstream f(state, std::ios::binary);
        f << "not a mouse";
    }
    EXPECT_EQ(run({"--simulate", state, "status"}), kExitFailure);
    EXPECT_NE(err.str().find("not a mouse memory file (11 bytes"), std::string::npos) << err.str();
    EXPECT_EQ(read(state), "not a mouse");
}

TEST_F(VornikctlTest, TraceRecordsEveryExchange) {
    const auto trace = (dir / "trace.txt").string();
    ASSERT_EQ(run({"--simulate", state, "--trace", trace, "status"}), kExitOk);
    std::istringstream lines(read(trace));
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    // Commands 1, 3 and 2, each one set and one poll.
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[0], "0 SET 04 01 00 00 00 00 00 00");
    EXPECT_EQ(all[1], "10 GET 04 01 00 00 00 00 00 CC");
    EXPECT_EQ(all[3], "20 GET 04 AA 04 FD 00 00 00 CC");
    EXPECT_EQ(all[4], "20 SET 04 02 00 00 00 00 00 00");
}

TEST_F(VornikctlTest, TraceFileThatCannotBeCreated) {
    EXPECT_EQ(run({"--simulate", state, "--trace", (dir / "no" / "such" / "t").string(), "list"}),
              kExitFailure);
    EXPECT_NE(err.str().find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace vornik

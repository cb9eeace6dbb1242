// Pins the feature-report exchanges of the flows that read or write the whole image: the full
// read, the write of a loaded image (with the chip check), the write of edited sections, the
// default restores and the ways a mouse refuses them, each compared byte for byte with a trace
// recorded before the flows were restructured. A change here changes what the mouse receives.
//
// To record the traces anew (only when the exchanges are meant to change):
//   VORNIK_RECORD_TRACES=1 ctest -R FlowTraces
// and review the diff under tests/data/flow-traces/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/vornikctl.h"
#include "device/sim/sim_hid_platform.h"
#include "device/trace.h"
#include "image/defaults.h"
#include "image/function_code.h"
#include "model/config_flows.h"
#include "model/device_monitor.h"
#include "support/sim_rig.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

const fs::path kTraceDir = fs::path(VORNIK_TEST_DATA_DIR) / "flow-traces";

bool recording() {
    const char* value = std::getenv("VORNIK_RECORD_TRACES");
    return value && *value && std::string(value) != "0";
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Compares `trace` with the recorded trace `name` (or records it), naming the first line that
// differs.
void expectTrace(const std::string& name, const std::string& trace) {
    const fs::path path = kTraceDir / (name + ".trace");
    if (recording()) {
        fs::create_directories(kTraceDir);
        std::ofstream(path, std::ios::binary) << trace;
        return;
    }
    ASSERT_TRUE(fs::exists(path)) << path << " is missing; record it with VORNIK_RECORD_TRACES=1";
    const std::string golden = readText(path);
    if (golden == trace) return;
    std::istringstream a(golden), b(trace);
    std::string lineA, lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB) break;
        if (moreA != moreB || lineA != lineB) {
            ADD_FAILURE() << name << ": first difference at line " << line
                          << "\n  recorded: " << (moreA ? lineA : "(end)")
                          << "\n  now:      " << (moreB ? lineB : "(end)");
            return;
        }
    }
    ADD_FAILURE() << name << " differs";
}

// The mouse's memory in these cases: the built-in image with recognisable macro bytes.
ConfigImage mouseImage() {
    ConfigImage image = builtInImage();
    for (std::size_t i = 0; i < section::kMacroSlots1To4.size; ++i)
        image[section::kMacroSlots1To4.address + i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

struct NoHooks : FlowHooks {};

struct RecordedMessages : MessageSink {
    std::vector<std::string> shown;
    void messageDialog(std::string_view key) override { shown.emplace_back(key); }
    void errorMessage(std::string_view text) override { shown.emplace_back(text); }
};

// The flows over a simulated mouse, with every exchange traced on a virtual clock.
class FlowTracesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rig.opened);
        mouse->memory() = mouseImage();
    }
    // Each case's trace is timed from its own start.
    void startTrace() { rig.startTrace(); }
    void fault(const char* text) { rig.fault(text); }

    SimRig rig{SimRig::Tracing::On};
    std::shared_ptr<SimMouse>& mouse = rig.mouse;
    const std::string& trace = rig.trace;
    CommandProtocol& protocol = rig.protocol();
    NoHooks hooks;
    RecordedMessages messages;
    ConfigModel model;
    ImageSession& session = model.image();
    ImageFlows flows{rig.device, hooks, messages, model};
};

TEST_F(FlowTracesTest, FullRead) {
    ConfigModeScope scope(protocol);
    ASSERT_TRUE(scope.ready());
    EXPECT_TRUE(flows.readImage(scope));
    EXPECT_EQ(session.bytes, mouseImage());
    expectTrace("read", trace);
}

TEST_F(FlowTracesTest, WriteOfALoadedImage) {
    struct Case {
        const char* name;
        const char* fault;
        WriteResult result;
    } cases[] = {
        {"write-loaded", "", WriteResult::Verified},
        {"write-loaded-chip99", "chip=0x99", WriteResult::NotWritten},
        {"write-loaded-notready", "notready", WriteResult::NotWritten},
        {"write-loaded-status55", "status=0x55", WriteResult::NotWritten},
        {"write-loaded-refuse1", "refuse=1", WriteResult::NotWritten},
        {"write-loaded-refuse3", "refuse=3", WriteResult::NotWritten},
        {"write-loaded-stuck", "stuck=0x140", WriteResult::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mouse->faults() = {};
        if (*c.fault) fault(c.fault);
        mouse->memory() = mouseImage();
        startTrace();
        session.bytes = builtInImage();
        session.bytes[0x200] = 0x5A;
        EXPECT_EQ(flows.writeLoadedImage().result, c.result);
        expectTrace(c.name, trace);
    }
}

TEST_F(FlowTracesTest, WriteOfEditedSections) {
    // What Apply sends: the edited working copies joined, written whatever the chip type.
    fault("chip=0x99");
    session.bytes = mouseImage();
    flows.split();
    ASSERT_TRUE(model.setButtonFunction(2, 4, "011000").ok());
    ASSERT_TRUE(model.setKeyMode(2).ok());
    model.storeToImage();
    EXPECT_EQ(flows.writeImage(false).result, WriteResult::Verified);
    expectTrace("write-edited", trace);
}

TEST_F(FlowTracesTest, DefaultRestores) {
    const fs::path dir =
        fs::temp_directory_path() /
        ("flow_traces_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / kDefaultImageFiles[1], std::ios::binary) << std::string(100, '\x33');
    std::ofstream(dir / kDefaultImageFiles[2], std::ios::binary) << "";  // empty: unreadable
    const std::string prefix = (dir / "").string();
    for (std::size_t n = 0; n < 3; ++n) {
        SCOPED_TRACE(kDefaultImageFiles[n]);
        startTrace();
        session.bytes = mouseImage();
        flows.restoreDefaultImage(prefix, kDefaultImageFiles[n]);
        expectTrace("default-" + std::to_string(n + 1), trace);
    }
    fs::remove_all(dir);
}

// The monitor finding the mouse and reading it, as the window runs it.
struct ReadingUi : MonitorUi {
    ImageFlows* flows = nullptr;
    std::vector<std::string> boxes;
    void setDeviceTimer(bool) override {}
    void showNoDevice() override {}
    void messageBox(std::string_view key) override { boxes.emplace_back(key); }
    void showIdBytes(std::uint8_t, std::uint8_t) override {}
    void readImage(ConfigModeScope& scope) override { flows->readImage(scope); }
};

TEST(FlowTracesMonitor, PlugInReadsTheMouse) {
    struct Case {
        const char* name;
        const char* fault;
        std::uint8_t idByte;
    } cases[] = {
        {"monitor-read", "", 0xFF},
        {"monitor-notready", "notready", 0xFF},
        {"monitor-foreign-id", "", 0x12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualClock clock;
        std::string trace;
        SimHidPlatform sim;
        plugOtherDevices(sim);
        TracingHidPlatform tracing(
            sim, clock, [&](const Exchange& e) { (trace += formatExchange(e)) += '\n'; });
        DeviceSession device(tracing, clock);
        ConfigModel model;
        ReadingUi ui;
        NoHooks hooks;
        RecordedMessages messages;
        ImageFlows flows(device, hooks, messages, model);
        ui.flows = &flows;
        DeviceMonitor monitor(device, ui);
        monitor.expectedPair = {0xFF, 0xFF};
        monitor.tick();  // the other devices only
        auto mouse = plugDefaultMouse(sim);
        mouse->memory() = mouseImage();
        mouse->memory()[0x36] = c.idByte;
        if (*c.fault) {
            std::string error;
            ASSERT_TRUE(parseFaults(c.fault, mouse->faults(), error));
        }
        monitor.tick();
        expectTrace(c.name, trace);
    }
}

// vornikctl runs the same flows from the command line; its own --trace records them.
class CtlTracesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ctl_traces_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs vornikctl on a fresh simulated mouse holding mouseImage(); returns the trace.
    std::string traced(std::vector<std::string> args, int expectedCode) {
        const fs::path state = dir / "mouse.bin";
        const ConfigImage image = mouseImage();
        std::ofstream(state, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()), image.size());
        const fs::path tracePath = dir / "trace.txt";
        args.insert(args.begin(), {"--simulate", state.string(), "--trace", tracePath.string()});
        std::ostringstream out, err;
        CtlEnvironment env{[] { return std::make_unique<SimHidPlatform>(); }, clock, out, err,
                           (dir / "").string()};
        env.snapshotFolder = dir / "snapshots";
        EXPECT_EQ(runVornikctl(args, env), expectedCode) << err.str();
        return readText(tracePath);
    }

    fs::path dir;
    VirtualClock clock;
};

TEST_F(CtlTracesTest, CommandsThatReadOrWriteTheImage) {
    const fs::path profile = dir / "profile.bin";
    ConfigImage image = builtInImage();
    image[0x300] = 0x42;
    std::ofstream(profile, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), image.size());
    const fs::path shortProfile = dir / "short.bin";
    std::ofstream(shortProfile, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), 0x40);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {"ctl-status", {"status"}, kExitOk},
        {"ctl-read", {"read", "--out", (dir / "out.bin").string()}, kExitOk},
        {"ctl-read-notready", {"--fault", "notready", "read", "--out", "x.bin"}, kExitFailure},
        {"ctl-read-status55", {"--fault", "status=0x55", "dump", "--device"}, kExitFailure},
        {"ctl-dump-device", {"dump", "--device"}, kExitOk},
        {"ctl-restore", {"restore", profile.string()}, kExitOk},
        {"ctl-restore-short", {"restore", shortProfile.string()}, kExitOk},
        {"ctl-restore-chip99", {"--fault", "chip=0x99", "restore", profile.string()}, kExitFailure},
        {"ctl-default-1", {"default", "1"}, kExitOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectTrace(c.name, traced(c.args, c.code));
    }
}

}  // namespace
}  // namespace vornik

#include "model/config_flows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"
#include "support/sim_rig.h"

namespace vornik {
namespace {

struct RecordingHooks : FlowHooks {
    std::vector<std::string> calls;
    bool timerOn = true;
    bool locked = false;
    void setDeviceTimer(bool on) override {
        timerOn = on;
        calls.push_back(on ? "timer on" : "timer off");
    }
    void lockPages() override { locked = true; }
    void unlockPages() override { locked = false; }
    void dataBufToUI() override { calls.push_back("ui"); }
    void clearProfileCodes() override { calls.push_back("clear codes"); }
};

struct RecordingMessages : MessageSink {
    std::vector<std::string> shown;
    void messageDialog(std::string_view key) override { shown.emplace_back(key); }
    void errorMessage(std::string_view text) override { shown.emplace_back(text); }
};

class ImageFlowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rig.opened);
        for (std::size_t i = 0; i < kImageSize; ++i)
            mouse->memory()[i] = static_cast<std::uint8_t>(i);
    }
    std::vector<int> commands() const { return rig.commands(); }
    void expectRestored() const {
        EXPECT_TRUE(hooks.timerOn);
        EXPECT_FALSE(hooks.locked);
    }

    SimRig rig;
    std::shared_ptr<SimMouse>& mouse = rig.mouse;
    CommandProtocol& protocol = rig.protocol();
    RecordingHooks hooks;
    RecordingMessages messages;
    ConfigModel model;
    ImageSession& session = model.image();
    ImageFlows flows{rig.device, hooks, messages, model};
};

TEST_F(ImageFlowsTest, WritesTheImageAsLoadedToAReadyMouse) {
    session.bytes = builtInImage();
    session.bytes[0x02F] ^= 0xFF;  // bad parameterA code: shown repaired, written as is
    const WriteOutcome outcome = flows.writeLoadedImage();
    EXPECT_EQ(outcome.result, WriteResult::Verified);
    EXPECT_TRUE(session.lastRepairs.parameterA);
    EXPECT_EQ(session.sections.parameterA[0], parameterADefaults()[0]);
    EXPECT_TRUE(std::equal(session.bytes.begin(), session.bytes.end(), mouse->memory().begin()));
    EXPECT_EQ(commands(), (std::vector<int>{1, 3, 6, 4, 8, 2}));
    EXPECT_EQ(hooks.calls.front(), "ui");
    expectRestored();
}

TEST_F(ImageFlowsTest, AMouseNotFitForTheImageKeepsItsMemory) {
    struct Case {
        const char* fault;
        SkipReason reason;
        std::vector<int> commands;
    } cases[] = {
        {"chip=0x99", SkipReason::WrongChip, {1, 3, 8, 2}},
        {"chip=0x90", SkipReason::WrongChip, {1, 3, 8, 2}},
        {"notready", SkipReason::EepromNotReady, {1, 3, 8, 2}},
        {"status=0x55", SkipReason::NotReady, {1, 3, 8, 2}},
        {"refuse=3", SkipReason::StatusRefused, {1, 3, 3, 3, 3, 3, 8, 2}},
        {"refuse=1", SkipReason::EnterRefused, {1, 1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        mouse->faults() = {};
        rig.startTrace();
        rig.fault(c.fault);
        const auto before = mouse->memory();
        session.bytes = builtInImage();
        const WriteOutcome outcome = flows.writeLoadedImage();
        EXPECT_EQ(outcome.result, WriteResult::NotWritten);
        EXPECT_EQ(outcome.reason, c.reason);
        EXPECT_EQ(mouse->memory(), before);
        EXPECT_EQ(commands(), c.commands);
        // The pages show the image whatever the mouse does.
        EXPECT_EQ(session.sections.profile[0], builtInImage()[0x040]);
        expectRestored();
    }
}

TEST_F(ImageFlowsTest, ReadWithCommand4RefusedShowsTheDefaults) {
    mouse->faults().refusedCommands = {cmd::kBeginRead};
    ConfigModeScope scope(protocol);
    ASSERT_TRUE(scope.ready());
    mouse->clearTrace();
    EXPECT_FALSE(flows.readImage(scope));
    EXPECT_TRUE(
        std::all_of(session.bytes.begin(), session.bytes.end(), [](auto b) { return b == 0xFF; }));
    EXPECT_TRUE(session.lastRepairs.parameterA && session.lastRepairs.profile &&
                session.lastRepairs.fireKey);
    EXPECT_EQ(session.sections.fireKey, fireKeyDefaults());
    const auto sent = commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(std::vector<int>(sent.end() - 2, sent.end()), (std::vector<int>{8, 2}));
    expectRestored();
}

TEST_F(ImageFlowsTest, ReadTakesTheWholeMemory) {
    ConfigModeScope scope(protocol);
    EXPECT_TRUE(flows.readImage(scope));
    EXPECT_TRUE(std::equal(session.bytes.begin(), session.bytes.end(), mouse->memory().begin()));
    EXPECT_FALSE(mouse->inConfigMode());
    EXPECT_EQ(mouse->reloads(), 1u);
}

TEST_F(ImageFlowsTest, DefaultRestoreUsesTheFileOrTheBuiltInImage) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "image_flows_default_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string prefix = (dir / "").string();

    for (const char* name : kDefaultImageFiles) {
        mouse->memory().fill(0);
        EXPECT_EQ(flows.restoreDefaultImage(prefix, name).result, WriteResult::Verified) << name;
        EXPECT_TRUE(
            std::equal(builtInImage().begin(), builtInImage().end(), mouse->memory().begin()))
            << name;
    }
    EXPECT_EQ(std::count(hooks.calls.begin(), hooks.calls.end(), "clear codes"), 3);

    std::ofstream(dir / "TamselData_Cfg2.bin", std::ios::binary) << std::string(100, '\x33');
    session.bytes = builtInImage();
    session.bytes[0x200] = 0x99;
    EXPECT_EQ(flows.restoreDefaultImage(prefix, "TamselData_Cfg2.bin").result,
              WriteResult::Verified);
    EXPECT_EQ(mouse->memory()[99], 0x33);
    EXPECT_EQ(mouse->memory()[100], builtInImage()[100]);
    EXPECT_EQ(mouse->memory()[0x200], 0x99);  // the rest of the image stays
    expectRestored();
    fs::remove_all(dir);
}

// Fire Confirm commits the work copy and writes the three small fire sections and the fire
// region, nothing else; a mouse that does not take them is told with Str109.
TEST_F(ImageFlowsTest, FireConfirmWritesTheFireDataOnly) {
    session.bytes = builtInImage();
    model.loadFromImage();
    std::copy(builtInImage().begin(), builtInImage().end(), mouse->memory().begin());
    ASSERT_TRUE(model.setFireColour(2, {1, 2, 3}).ok());
    ASSERT_TRUE(model.setFireStopOnRelease(2, true).ok());
    auto& record = model.image().sections.fireMacroRecords[1];
    record[1] = 3;
    record[2] = 0xFA;
    record[3] = 0x0C;
    updateFireChecksum(record);
    model.image().sections.parameterA[6] ^= 0xFF;  // not fire data: stays in memory only

    auto expected = mouse->memory();
    const Sections& s = model.sections();
    std::copy(s.fireCode.begin(), s.fireCode.end(), expected.begin() + 0x080);
    std::copy(s.fireOffset.begin(), s.fireOffset.end(), expected.begin() + 0x0B0);
    std::copy(s.fireColor.begin(), s.fireColor.end(), expected.begin() + 0x0D0);
    std::copy(record.begin(), record.end(), expected.begin() + 0x500 + 24);

    const BlockWriteOutcome outcome = flows.confirmFire();
    EXPECT_TRUE(outcome.written);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), s.fireMacroRegion.begin() + 24));
    EXPECT_EQ(mouse->memory(), expected);
    EXPECT_FALSE(mouse->inConfigMode());
    EXPECT_TRUE(messages.shown.empty());
    expectRestored();

    struct Case {
        const char* fault;
        SkipReason reason;
        std::vector<int> commands;
    } cases[] = {
        {"chip=0x99", SkipReason::WrongChip, {1, 3, 8, 2}},
        {"notready", SkipReason::EepromNotReady, {1, 3, 8, 2}},
        {"status=0x55", SkipReason::NotReady, {1, 3}},
        {"refuse=1", SkipReason::EnterRefused, {1, 1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        mouse->faults() = {};
        messages.shown.clear();
        rig.startTrace();
        rig.fault(c.fault);
        model.setFireColour(3, {9, 9, 9});
        const auto before = mouse->memory();
        const BlockWriteOutcome failed = flows.confirmFire();
        EXPECT_FALSE(failed.written);
        EXPECT_EQ(failed.reason, c.reason);
        EXPECT_EQ(mouse->memory(), before);
        EXPECT_EQ(commands(), c.commands);
        EXPECT_EQ(messages.shown, std::vector<std::string>{"Str109"});
        expectRestored();
    }
}

}  // namespace
}  // namespace vornik

// The device guard, the operation frame and the configuration-mode scope.
#include "model/device_session.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "device/sim/sim_hid_platform.h"
#include "model/operation_frame.h"
#include "support/sim_rig.h"

namespace vornik {
namespace {

struct RecordingHooks : FrameHooks {
    std::vector<std::string> calls;
    void setDeviceTimer(bool on) override { calls.push_back(on ? "timer on" : "timer off"); }
    void lockPages() override { calls.push_back("lock"); }
    void unlockPages() override { calls.push_back("unlock"); }
    void showLoadingWindow() override { calls.push_back("show"); }
    void hideLoadingWindow() override { calls.push_back("hide"); }
};

using Calls = std::vector<std::string>;
const Calls kWholeFrame{"timer off", "lock", "show", "hide", "timer on", "unlock"};

TEST(OperationFrameTest, RestoresOnceOnEveryPath) {
    VirtualClock clock;
    {
        RecordingHooks hooks;
        {
            OperationFrame outer(hooks, clock);
            OperationFrame inner(hooks, clock);  // nested: nothing twice
            EXPECT_FALSE(inner.outermost());
        }
        EXPECT_EQ(hooks.calls, kWholeFrame);
        EXPECT_EQ(clock.eventRuns(), 1u);
    }
    {
        RecordingHooks hooks;
        EXPECT_THROW(
            {
                OperationFrame frame(hooks, clock);
                throw std::runtime_error("transfer failed");
            },
            std::runtime_error);
        EXPECT_EQ(hooks.calls, kWholeFrame);
    }
    {
        // A hook that throws on restore does not keep the others from running.
        struct Throwing : RecordingHooks {
            void hideLoadingWindow() override {
                RecordingHooks::hideLoadingWindow();
                throw std::runtime_error("gone");
            }
        } hooks;
        { OperationFrame frame(hooks, clock); }
        EXPECT_EQ(hooks.calls, kWholeFrame);
        // And the frame after it acts again.
        hooks.calls.clear();
        { OperationFrame frame(hooks, clock); }
        EXPECT_EQ(hooks.calls, kWholeFrame);
    }
}

class ConfigModeScopeTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(rig.opened); }
    void fault(const char* text) { rig.fault(text); }
    std::vector<int> commands() const { return rig.commands(); }

    SimRig rig;
    std::shared_ptr<SimMouse>& mouse = rig.mouse;
    DeviceSession& device = rig.device;
};

TEST_F(ConfigModeScopeTest, EntersChecksAndLeavesOnce) {
    struct Case {
        const char* fault;
        bool leaveAfterBadStatus;
        EntryProblem problem;
        std::vector<int> commands;
    } cases[] = {
        {"", true, EntryProblem::None, {1, 3, 8, 2}},
        {"notready", true, EntryProblem::EepromNotReady, {1, 3, 8, 2}},
        {"notready", false, EntryProblem::EepromNotReady, {1, 3, 8, 2}},
        {"status=0x55", true, EntryProblem::NotReady, {1, 3, 8, 2}},
        {"status=0x55", false, EntryProblem::NotReady, {1, 3}},
        {"refuse=3", false, EntryProblem::StatusRefused, {1, 3, 3, 3, 3, 3}},
        {"refuse=1", true, EntryProblem::EnterRefused, {1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        mouse->faults() = {};
        if (*c.fault) fault(c.fault);
        mouse->clearTrace();
        {
            ConfigModeScope scope(device.protocol(),
                                  {.leaveAfterBadStatus = c.leaveAfterBadStatus});
            EXPECT_EQ(scope.problem(), c.problem);
        }
        EXPECT_EQ(commands(), c.commands);
    }
}

TEST_F(ConfigModeScopeTest, AStaleStatusDoesNotPassForTheNewOne) {
    device.protocol().setEepromReady(true);
    device.protocol().setChipType(0x98);
    fault("chip=0x42");
    ConfigModeScope scope(device.protocol());
    EXPECT_TRUE(scope.ready());
    EXPECT_EQ(device.protocol().chipType(), 0);
}

TEST_F(ConfigModeScopeTest, AnExceptionStillLeavesConfigurationMode) {
    EXPECT_THROW(
        {
            ConfigModeScope scope(device.protocol());
            throw std::runtime_error("editor failed");
        },
        std::runtime_error);
    EXPECT_FALSE(mouse->inConfigMode());
    EXPECT_EQ(mouse->reloads(), 1u);
    // An explicit leave is the only one.
    mouse->clearTrace();
    {
        ConfigModeScope scope(device.protocol());
        EXPECT_TRUE(scope.leave().leaveAcknowledged);
        scope.leave();
    }
    EXPECT_EQ(commands(), (std::vector<int>{1, 3, 8, 2}));
}

TEST(DeviceSessionTest, OneGuardAtATime) {
    VirtualClock clock;
    DeviceSession device(std::make_unique<SimHidPlatform>(), clock);
    {
        DeviceSession::Guard first(device);
        EXPECT_TRUE(first.acquired());
        EXPECT_TRUE(device.busy());
        DeviceSession::Guard second(device);
        EXPECT_FALSE(second.acquired());
    }
    EXPECT_FALSE(device.busy());
    DeviceSession::Guard again(device);
    EXPECT_TRUE(again.acquired());
}

}  // namespace
}  // namespace vornik

#include <gtest/gtest.h>

#include "device/sim/sim_faults.h"
#include "device/sim/sim_hid_platform.h"

namespace vornik {
namespace {

TEST(SimFaultsTest, ParsesEveryFault) {
    SimFaults f;
    std::string error;
    ASSERT_TRUE(parseFaults("noack", f, error));
    ASSERT_TRUE(parseFaults("ack=0x55,drop-chunk=5,drop-chunk=7", f, error));
    ASSERT_TRUE(parseFaults("stuck=0x7FF,refuse=4,vanish=100,slow=3,notready", f, error));
    ASSERT_TRUE(parseFaults("chip=0x99", f, error));
    ASSERT_TRUE(parseFaults("status=85", f, error));
    EXPECT_TRUE(f.neverAck);
    EXPECT_EQ(f.ackValue, 0x55);
    EXPECT_EQ(f.droppedChunks, (std::set<unsigned>{5, 7}));
    EXPECT_EQ(f.stuckAddresses, (std::set<std::uint16_t>{0x7FF}));
    EXPECT_EQ(f.refusedCommands, (std::set<std::uint8_t>{4}));
    EXPECT_EQ(f.vanishAfter, 100u);
    EXPECT_EQ(f.slowPolls, 3u);
    EXPECT_TRUE(f.notReady);
    EXPECT_EQ(f.chipCode, 0x75);  // chip type 0x99 is reported as code 0x75
    EXPECT_EQ(f.statusByte, 85);
}

TEST(SimFaultsTest, RejectsWhatIsNotAFault) {
    for (const char* bad :
         {"", "nack", "ack", "ack=", "ack=256", "ack=0x", "stuck=0x800", "drop-chunk=0", "slow=-1",
          "refuse=4x", "noack,", ",noack", "vanish=99999999999"}) {
        SimFaults f;
        std::string error;
        EXPECT_FALSE(parseFaults(bad, f, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(SimPlatformTest, UnpluggedInterfacesStopWorking) {
    SimHidPlatform platform;
    plugOtherDevices(platform);
    auto mouse = plugDefaultMouse(platform);
    const int all = platform.presentInterfaces();
    const auto paths = *platform.listInterfaces(kHidClassFallback);
    const InterfacePath& config = paths.back();
    DeviceHandle handle = platform.open(config);
    ASSERT_NE(handle, kNoHandle);
    EXPECT_EQ(platform.featureReportLength(handle), 8);

    platform.unplug(config.path);
    EXPECT_EQ(platform.presentInterfaces(), all - 1);
    std::array<std::uint8_t, 8> report{4, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(platform.setFeature(handle, report));
    EXPECT_FALSE(platform.attributes(handle).has_value());
    EXPECT_EQ(platform.open(config), kNoHandle);
    platform.close(handle);
    EXPECT_EQ(platform.openHandles(), 0);
}

TEST(SimPlatformTest, OnlyTheConfigurationInterfaceTakesReports) {
    SimHidPlatform platform;
    auto mouse = plugDefaultMouse(platform);
    int answered = 0;
    const auto paths = platform.listInterfaces(kHidClassFallback);
    ASSERT_TRUE(paths);
    for (const auto& path : *paths) {
        DeviceHandle handle = platform.open(path);
        std::array<std::uint8_t, 8> report{4, 1, 0, 0, 0, 0, 0, 0};
        answered += platform.setFeature(handle, report) && platform.getFeature(handle, report) &&
                    report[7] == 0xCC;
        platform.close(handle);
    }
    EXPECT_EQ(answered, 1);
}

TEST(SimPlatformTest, VanishRemovesTheWholeDevice) {
    SimHidPlatform platform;
    plugOtherDevices(platform);
    const int others = platform.presentInterfaces();
    auto mouse = plugDefaultMouse(platform);
    mouse->faults().vanishAfter = 2;
    const auto paths = *platform.listInterfaces(kHidClassFallback);
    DeviceHandle handle = platform.open(paths.back());
    std::array<std::uint8_t, 8> report{4, 1, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(platform.setFeature(handle, report));
    EXPECT_TRUE(platform.getFeature(handle, report));
    EXPECT_FALSE(platform.setFeature(handle, report));
    EXPECT_EQ(platform.presentInterfaces(), others);
}

}  // namespace
}  // namespace vornik

#include "device/device_link.h"

#include <gtest/gtest.h>

#include "device/sim/sim_hid_platform.h"

namespace vornik {
namespace {

HidAttributes mouseIds(std::uint16_t version = kMouseVersion) {
    return {static_cast<std::uint16_t>(kMouseVendorId), static_cast<std::uint16_t>(kMouseProductId),
            version};
}

SimInterface iface(std::string path, HidAttributes ids, std::uint16_t featureLen) {
    return {{std::move(path), 0}, ids, featureLen, std::make_shared<SimMouse>(), true};
}

bool openMouse(DeviceLink& link, std::uint32_t& version) {
    version = kMouseVersion;
    return link.openMouse(kMouseVendorId, kMouseProductId, version);
}

TEST(DeviceLinkTest, NothingPresent) {
    SimHidPlatform platform;
    DeviceLink link(platform);
    std::uint32_t version = 0;
    EXPECT_EQ(link.deviceCount(), 0);
    EXPECT_FALSE(openMouse(link, version));
    EXPECT_EQ(link.mouseHandle, kNoHandle);
}

TEST(DeviceLinkTest, CountsOnlyInterfacesThatOpen) {
    SimHidPlatform platform;
    plugOtherDevices(platform);  // one of its interfaces cannot be opened
    plugDefaultMouse(platform);
    DeviceLink link(platform);
    EXPECT_EQ(link.deviceCount(), platform.presentInterfaces() - 1);
    EXPECT_EQ(platform.openHandles(), 0);
}

TEST(DeviceLinkTest, NoListMeansNothing) {
    SimHidPlatform platform;
    plugDefaultMouse(platform);
    platform.listFails = true;
    DeviceLink link(platform);
    std::uint32_t version = 0;
    EXPECT_EQ(link.deviceCount(), 0);
    EXPECT_FALSE(openMouse(link, version));
}

struct MatchCase {
    const char* name;
    HidAttributes ids;
    std::uint16_t featureLen;
    bool opened;
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

class MouseMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MouseMatchTest, OpensOnlyTheConfigurationInterface) {
    const MatchCase& c = GetParam();
    SimHidPlatform platform;
    platform.plug(iface("candidate", c.ids, c.featureLen));
    DeviceLink link(platform);
    std::uint32_t version = 0;
    EXPECT_EQ(openMouse(link, version), c.opened);
    EXPECT_EQ(link.mouseHandle != kNoHandle, c.opened);
    EXPECT_EQ(platform.openHandles(), c.opened ? 1 : 0);  // a rejected interface is closed
    if (c.opened) {
        EXPECT_EQ(link.currentVendorId, kMouseVendorId);
        EXPECT_EQ(link.currentProductId, kMouseProductId);
        EXPECT_EQ(link.featureLength, 8u);
        EXPECT_EQ(version, kMouseVersion);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MouseMatchTest,
    ::testing::Values(MatchCase{"match", mouseIds(), 8, true},
                      MatchCase{"version0105", mouseIds(0x0105), 8, false},
                      MatchCase{"feature9", mouseIds(), 9, false},
                      MatchCase{"feature7", mouseIds(), 7, false},
                      MatchCase{"noFeature", mouseIds(), 0, false},
                      MatchCase{"otherVendor", {0x2C4F, 0x0B17, 0x0104}, 8, false},
                      MatchCase{"otherProduct", {0x2C4E, 0x0B18, 0x0104}, 8, false}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(DeviceLinkTest, LastMatchWinsAndEarlierAreClosed) {
    SimHidPlatform platform;
    platform.plug(iface("first", mouseIds(), 8));
    platform.plug(iface("other", {0x1234, 0x5678, 0x0104}, 8));
    platform.plug(iface("second", mouseIds(), 8));
    DeviceLink link(platform);
    std::uint32_t version = 0;
    ASSERT_TRUE(openMouse(link, version));
    EXPECT_EQ(platform.openHandles(), 1);
    // Only the second interface is gone from the handle's view once it is unplugged.
    platform.unplug("second");
    EXPECT_FALSE(platform.attributes(link.mouseHandle).has_value());
}

TEST(DeviceLinkTest, ReopeningDoesNotLeakTheOldHandle) {
    SimHidPlatform platform;
    plugDefaultMouse(platform);
    DeviceLink link(platform);
    std::uint32_t version = 0;
    ASSERT_TRUE(openMouse(link, version));
    ASSERT_TRUE(openMouse(link, version));
    EXPECT_EQ(platform.openHandles(), 1);
    link.closeMouse();
    EXPECT_EQ(platform.openHandles(), 0);
    EXPECT_EQ(link.mouseHandle, kNoHandle);
    EXPECT_EQ(link.currentVendorId, 0u);
    EXPECT_EQ(link.currentProductId, 0u);
}

TEST(DeviceLinkTest, FallsBackToTheConstantHidClass) {
    SimHidPlatform platform;
    plugDefaultMouse(platform);
    platform.hidGuidAvailable = false;
    DeviceLink link(platform);
    std::uint32_t version = 0;
    EXPECT_EQ(link.hidClass(), kHidClassFallback);
    EXPECT_TRUE(openMouse(link, version));
}

TEST(DeviceLinkTest, FeatureReportsWithoutHandleMakeNoCall) {
    SimHidPlatform platform;
    auto firmware = plugDefaultMouse(platform);
    DeviceLink link(platform);
    std::array<std::uint8_t, 8> buffer{4, 1, 2, 3, 4, 5, 6, 7};
    const auto before = buffer;
    EXPECT_FALSE(link.setFeatureReport(kNoHandle, buffer));
    EXPECT_FALSE(link.getFeatureReport(kNoHandle, buffer));
    EXPECT_EQ(buffer, before);
    EXPECT_TRUE(firmware->trace().empty());
}

TEST(DeviceLinkTest, FeatureReportsOfAVanishedMouseFail) {
    SimHidPlatform platform;
    auto firmware = plugDefaultMouse(platform);
    DeviceLink link(platform);
    std::uint32_t version = 0;
    ASSERT_TRUE(openMouse(link, version));
    std::array<std::uint8_t, 8> buffer{4, 3, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(link.setFeatureReport(link.mouseHandle, buffer));
    firmware->unplug();
    const auto before = buffer;
    EXPECT_FALSE(link.setFeatureReport(link.mouseHandle, buffer));
    EXPECT_FALSE(link.getFeatureReport(link.mouseHandle, buffer));
    EXPECT_EQ(buffer, before);
    EXPECT_EQ(link.deviceCount(), 0);  // every interface of the device went with it
}

TEST(DeviceLinkTest, DriverNumberOfPath) {
    const std::string pad(54, 'x');
    struct Case {
        std::string path;
        long number;
    } cases[] = {
        {pad + "0001", 1},
        {pad + "BEEF#{tail}", 0xBEEF},
        {pad + "beef", 0xBEEF},
        {pad + "00G1", -1},
        {pad + "+001", -1},
        {pad + " 001", -1},
        {pad + "001", -1},  // 57 characters: too short
        {"", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(driverNumberOfPath(c.path), c.number) << c.path;
}

TEST(DeviceLinkTest, OpensTheDriverWhosePathCarriesTheNumber) {
    SimHidPlatform platform;
    platform.plugDriver(simDriverPath(0x0002), nullptr);
    platform.plugDriver(simDriverPath(0x1A2B), nullptr);
    platform.plugDriver("\\\\?\\short#path", nullptr);
    DeviceLink link(platform);
    EXPECT_FALSE(link.openDriver(0x0003));
    EXPECT_EQ(platform.openHandles(), 0);
    EXPECT_TRUE(link.openDriver(0x1A2B));
    EXPECT_NE(link.driverHandle, kNoHandle);
    EXPECT_EQ(platform.openHandles(), 1);
    EXPECT_EQ(driverNumberOfPath(simDriverPath(0x1A2B)), 0x1A2B);
}

TEST(DeviceLinkTest, ListMarksTheInterfaceTheMouseOpensOn) {
    SimHidPlatform platform;
    plugOtherDevices(platform);
    plugDefaultMouse(platform);
    DeviceLink link(platform);
    const auto reports = link.listInterfaces(kMouseVendorId, kMouseProductId, kMouseVersion);
    ASSERT_EQ(static_cast<int>(reports.size()), platform.presentInterfaces());
    int marked = 0;
    for (const auto& r : reports) {
        if (!r.isMouse) continue;
        ++marked;
        EXPECT_EQ(r.featureLen, 8);
        EXPECT_EQ(r.attributes.vendorId, kMouseVendorId);
    }
    EXPECT_EQ(marked, 1);
    EXPECT_FALSE(reports.front().opened);
    EXPECT_EQ(platform.openHandles(), 0);
}

}  // namespace
}  // namespace vornik

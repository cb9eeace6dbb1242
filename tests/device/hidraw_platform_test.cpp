#include "device/linux/hidraw_platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace vornik {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Stands in for the kernel: nodes present by path, fds handed out lowest-free-first as the
// kernel does, every ioctl recorded.
struct FakeKernel {
    std::set<std::string> presentNodes;
    std::map<int, std::string> openFds;
    std::vector<int> closedFds;
    std::map<std::string, int> lockHolders;  // node -> fd holding its flock

    struct Call {
        int fd;
        Bytes buffer;  // as the ioctl received it
    };
    std::vector<Call> setCalls;
    std::vector<Call> getCalls;
    int setResult = 0;
    int getResult = 0;
    // Written into a get's buffer before getResult is returned, success or not.
    Bytes getReply;
};

class FakeHidrawIo final : public HidrawIo {
  public:
    explicit FakeHidrawIo(std::shared_ptr<FakeKernel> kernel) : m_kernel(std::move(kernel)) {}

    int open(const std::string& nodePath) override {
        if (!m_kernel->presentNodes.contains(nodePath)) return -1;
        int fd = 3;
        while (m_kernel->openFds.contains(fd)) ++fd;
        m_kernel->openFds[fd] = nodePath;
        return fd;
    }
    void close(int fd) override {
        unlock(fd);
        m_kernel->openFds.erase(fd);
        m_kernel->closedFds.push_back(fd);
    }
    bool tryLock(int fd) override {
        const auto [holder, taken] = m_kernel->lockHolders.emplace(m_kernel->openFds.at(fd), fd);
        return taken || holder->second == fd;
    }
    void unlock(int fd) override {
        std::erase_if(m_kernel->lockHolders, [&](const auto& lock) { return lock.second == fd; });
    }
    int setFeature(int fd, std::span<const std::uint8_t> report) override {
        m_kernel->setCalls.push_back({fd, Bytes(report.begin(), report.end())});
        return m_kernel->setResult;
    }
    int getFeature(int fd, std::span<std::uint8_t> report) override {
        m_kernel->getCalls.push_back({fd, Bytes(report.begin(), report.end())});
        std::copy_n(m_kernel->getReply.begin(), std::min(report.size(), m_kernel->getReply.size()),
                    report.begin());
        return m_kernel->getResult;
    }

  private:
    std::shared_ptr<FakeKernel> m_kernel;
};

// Three top-level collections: the mouse itself, a vendor collection with an 8-byte feature
// report (id 4, 7 data bytes) and a vendor collection with a 65-byte one.
const Bytes kMouseDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,              // Generic Desktop, Mouse, Application
    0x85, 0x01, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02,  // id 1: 7 input bytes
    0xC0,                                            //
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        // Vendor FF00, usage 1
    0x85, 0x04, 0x95, 0x07, 0xB1, 0x02,              // id 4: 7 feature bytes
    0xC0,                                            //
    0x06, 0x00, 0xFF, 0x09, 0x02, 0xA1, 0x01,        // Vendor FF00, usage 2
    0x85, 0x05, 0x95, 0x40, 0xB1, 0x02,              // id 5: 64 feature bytes
    0xC0,
};
// One keyboard collection with a 2-byte feature report and no report id.
const Bytes kKeyboardDescriptor = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95,
                                   0x08, 0x81, 0x02, 0x95, 0x02, 0xB1, 0x02, 0xC0};
const Bytes kBluetoothMouseDescriptor = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75,
                                         0x08, 0x95, 0x04, 0x81, 0x02, 0xC0};
const Bytes kGarbageDescriptor = {0xC0, 0x05};

constexpr const char* kUsbHub = "pci0000:00/0000:00:14.0/usb1";

class HidrawPlatformTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string base = (fs::temp_directory_path() / "vornik-hidraw-XXXXXX").string();
        ASSERT_NE(mkdtemp(base.data()), nullptr);
        m_root = base;
        m_sys = m_root / "sys";
        m_dev = m_root / "dev";
        fs::create_directories(m_sys / "class" / "hidraw");

        // The mouse as sysfs really shows it: the class entry links into the device tree, and
        // the node's `device` link points back up to the hid device.
        const std::string mouseUsb = std::string(kUsbHub) + "/1-2";
        writeFile(m_sys / "devices" / mouseUsb / "bcdDevice", "0104\n");
        const std::string mouseHid = mouseUsb + "/1-2:1.1/0003:2C4E:0B17.0001";
        addHidDevice(mouseHid, "0003:00002C4E:00000B17", kMouseDescriptor);
        linkAsSysfsDoes("hidraw2", mouseHid);

        // A Bluetooth mouse below a USB dongle: the dongle's release number is not its own.
        const std::string dongle = std::string(kUsbHub) + "/1-5";
        writeFile(m_sys / "devices" / dongle / "bcdDevice", "0150\n");
        const std::string btHid = dongle + "/1-5:1.0/bluetooth/hci0/hci0:256/0005:046D:B010.0003";
        addHidDevice(btHid, "0005:0000046D:0000B010", kBluetoothMouseDescriptor);
        linkFlat("hidraw0", btHid);

        const std::string keyboardUsb = std::string(kUsbHub) + "/1-3";
        writeFile(m_sys / "devices" / keyboardUsb / "bcdDevice", "6400\n");
        const std::string keyboardHid = keyboardUsb + "/1-3:1.0/0003:046D:C31C.0002";
        addHidDevice(keyboardHid, "0003:0000046D:0000C31C", kKeyboardDescriptor);
        linkFlat("hidraw10", keyboardHid);

        const std::string noDescriptorHid = keyboardUsb + "/1-3:1.1/0003:046D:C31C.0004";
        addHidDevice(noDescriptorHid, "0003:0000046D:0000C31C", std::nullopt);
        linkFlat("hidraw11", noDescriptorHid);

        const std::string garbageHid = keyboardUsb + "/1-3:1.2/0003:046D:C31C.0005";
        addHidDevice(garbageHid, "0003:0000046D:0000C31C", kGarbageDescriptor);
        linkFlat("hidraw12", garbageHid);

        for (const char* node : {"hidraw0", "hidraw2", "hidraw10", "hidraw11", "hidraw12"}) {
            m_kernel->presentNodes.insert(devNode(node));
        }
        m_platform = std::make_unique<HidrawPlatform>(m_sys, m_dev,
                                                      std::make_unique<FakeHidrawIo>(m_kernel));
    }

    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    static void writeFile(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    void addHidDevice(const std::string& hidDir, const std::string& hidId,
                      const std::optional<Bytes>& descriptor) {
        const fs::path dir = m_sys / "devices" / hidDir;
        writeFile(dir / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Test\n");
        if (descriptor)
            writeFile(dir / "report_descriptor",
                      std::string(descriptor->begin(), descriptor->end()));
    }

    void linkAsSysfsDoes(const std::string& node, const std::string& hidDir) {
        const fs::path nodeDir = m_sys / "devices" / hidDir / "hidraw" / node;
        fs::create_directories(nodeDir);
        fs::create_directory_symlink("../../../" + fs::path(hidDir).filename().string(),
                                     nodeDir / "device");
        fs::create_directory_symlink("../../devices/" + hidDir + "/hidraw/" + node,
                                     m_sys / "class" / "hidraw" / node);
    }

    void linkFlat(const std::string& node, const std::string& hidDir) {
        const fs::path nodeDir = m_sys / "class" / "hidraw" / node;
        fs::create_directories(nodeDir);
        fs::create_directory_symlink("../../../devices/" + hidDir, nodeDir / "device");
    }

    std::string devNode(const std::string& node) const { return (m_dev / node).string(); }

    DeviceHandle openOrFail(const std::string& node, std::uint32_t collection) {
        const DeviceHandle handle = m_platform->open({devNode(node), collection});
        EXPECT_NE(handle, kNoHandle) << node << " collection " << collection;
        return handle;
    }

    fs::path m_root;
    fs::path m_sys;
    fs::path m_dev;
    std::shared_ptr<FakeKernel> m_kernel = std::make_shared<FakeKernel>();
    std::unique_ptr<HidrawPlatform> m_platform;
};

TEST_F(HidrawPlatformTest, ListsEachCollectionOfEachNodeInNodeNumberOrder) {
    const auto list = m_platform->listInterfaces(kHidClassFallback);
    ASSERT_TRUE(list.has_value());
    const std::vector<InterfacePath> expected = {
        {devNode("hidraw0"), 0},  {devNode("hidraw2"), 0},  {devNode("hidraw2"), 1},
        {devNode("hidraw2"), 2},  {devNode("hidraw10"), 0}, {devNode("hidraw11"), 0},
        {devNode("hidraw12"), 0},
    };
    EXPECT_EQ(*list, expected);
}

TEST_F(HidrawPlatformTest, ClassesOtherThanHidHaveNoNodes) {
    EXPECT_EQ(m_platform->hidClassGuid(), kHidClassFallback);
    const auto driver = m_platform->listInterfaces(kDriverClass);
    ASSERT_TRUE(driver.has_value());
    EXPECT_TRUE(driver->empty());
    EXPECT_FALSE(m_platform->listInterfaces(ClassGuid{0x12345678, 0x1, 0x2, {}}).has_value());
}

TEST_F(HidrawPlatformTest, MissingClassDirectoryIsAnEmptyListMissingSysfsNoList) {
    fs::remove_all(m_sys / "class");
    const auto none = m_platform->listInterfaces(kHidClassFallback);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());

    HidrawPlatform noSysfs(m_root / "absent", m_dev, std::make_unique<FakeHidrawIo>(m_kernel));
    EXPECT_FALSE(noSysfs.listInterfaces(kHidClassFallback).has_value());
}

struct InterfaceCase {
    const char* node;
    std::uint32_t collection;
    HidAttributes attributes;
    std::uint16_t featureLength;
};

void PrintTo(const InterfaceCase& c, std::ostream* os) { *os << c.node << ":" << c.collection; }

class HidrawInterfaceTest : public HidrawPlatformTest,
                            public testing::WithParamInterface<InterfaceCase> {};

TEST_P(HidrawInterfaceTest, OpenReportsAttributesAndFeatureLength) {
    const InterfaceCase& c = GetParam();
    const DeviceHandle handle = openOrFail(c.node, c.collection);
    ASSERT_NE(handle, kNoHandle);

    const auto attributes = m_platform->attributes(handle);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(attributes->vendorId, c.attributes.vendorId);
    EXPECT_EQ(attributes->productId, c.attributes.productId);
    EXPECT_EQ(attributes->versionNumber, c.attributes.versionNumber);
    EXPECT_EQ(m_platform->featureReportLength(handle), c.featureLength);
    EXPECT_EQ(m_kernel->openFds.begin()->second, devNode(c.node));
}

INSTANTIATE_TEST_SUITE_P(Nodes, HidrawInterfaceTest,
                         testing::Values(InterfaceCase{"hidraw2", 0, {0x2C4E, 0x0B17, 0x0104}, 0},
                                         InterfaceCase{"hidraw2", 1, {0x2C4E, 0x0B17, 0x0104}, 8},
                                         InterfaceCase{"hidraw2", 2, {0x2C4E, 0x0B17, 0x0104}, 65},
                                         InterfaceCase{"hidraw10", 0, {0x046D, 0xC31C, 0x6400}, 3},
                                         InterfaceCase{"hidraw0", 0, {0x046D, 0xB010, 0}, 0},
                                         InterfaceCase{"hidraw11", 0, {0x046D, 0xC31C, 0x6400}, 0},
                                         InterfaceCase{"hidraw12", 0, {0x046D, 0xC31C, 0x6400}, 0}),
                         [](const testing::TestParamInfo<InterfaceCase>& caseInfo) {
                             return std::string(caseInfo.param.node) + "_" +
                                    std::to_string(caseInfo.param.collection);
                         });

struct RefusedOpenCase {
    const char* name;
    std::string node;  // relative to the dev root unless absolute
    std::uint32_t collection;
    // Applied after listing: what changed before the open.
    std::function<void(const fs::path& sys, FakeKernel&, const fs::path& dev)> change;
};

void PrintTo(const RefusedOpenCase& c, std::ostream* os) { *os << c.name; }

class HidrawRefusedOpenTest : public HidrawPlatformTest,
                              public testing::WithParamInterface<RefusedOpenCase> {};

TEST_P(HidrawRefusedOpenTest, OpenFailsWithoutOpeningAnything) {
    const RefusedOpenCase& c = GetParam();
    ASSERT_TRUE(m_platform->listInterfaces(kHidClassFallback).has_value());
    if (c.change) c.change(m_sys, *m_kernel, m_dev);
    const std::string path = c.node.starts_with("/") ? c.node : devNode(c.node);
    EXPECT_EQ(m_platform->open({path, c.collection}), kNoHandle);
    EXPECT_TRUE(m_kernel->openFds.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HidrawRefusedOpenTest,
    testing::Values(RefusedOpenCase{"CollectionPastTheLast", "hidraw2", 3, nullptr},
                    RefusedOpenCase{"SecondCollectionOfUnreadableNode", "hidraw11", 1, nullptr},
                    // Present as a node, but sysfs under our root does not describe it.
                    RefusedOpenCase{"NodeOutsideTheDevRoot", "/elsewhere/hidraw2", 0,
                                    [](const fs::path&, FakeKernel& kernel, const fs::path&) {
                                        kernel.presentNodes.insert("/elsewhere/hidraw2");
                                    }},
                    RefusedOpenCase{"UnpluggedSysfsGone", "hidraw2", 1,
                                    [](const fs::path& sys, FakeKernel&, const fs::path&) {
                                        fs::remove(sys / "class" / "hidraw" / "hidraw2");
                                    }},
                    RefusedOpenCase{"UnpluggedNodeGone", "hidraw2", 1,
                                    [](const fs::path&, FakeKernel& kernel, const fs::path& dev) {
                                        kernel.presentNodes.erase((dev / "hidraw2").string());
                                    }}),
    [](const testing::TestParamInfo<RefusedOpenCase>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

TEST_F(HidrawPlatformTest, SetFeatureSendsTheWholeBufferToItsOwnNode) {
    const DeviceHandle keyboard = openOrFail("hidraw10", 0);
    const DeviceHandle mouse = openOrFail("hidraw2", 1);
    const int mouseFd = std::prev(m_kernel->openFds.end())->first;
    const Bytes report = {0x04, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70};

    m_kernel->setResult = static_cast<int>(report.size());
    EXPECT_TRUE(m_platform->setFeature(mouse, report));
    ASSERT_EQ(m_kernel->setCalls.size(), 1u);
    EXPECT_EQ(m_kernel->setCalls[0].fd, mouseFd);
    EXPECT_EQ(m_kernel->setCalls[0].buffer, report);

    m_kernel->setResult = -1;
    EXPECT_FALSE(m_platform->setFeature(mouse, report));
    m_platform->close(keyboard);
}

TEST_F(HidrawPlatformTest, GetFeatureFillsTheBufferOnlyOnSuccess) {
    const DeviceHandle mouse = openOrFail("hidraw2", 1);
    const Bytes asked = {0x04, 0, 0, 0, 0, 0, 0, 0};
    m_kernel->getReply = {0x04, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};

    Bytes buffer = asked;
    m_kernel->getResult = -1;
    EXPECT_FALSE(m_platform->getFeature(mouse, buffer));
    EXPECT_EQ(buffer, asked);

    m_kernel->getResult = static_cast<int>(buffer.size());
    EXPECT_TRUE(m_platform->getFeature(mouse, buffer));
    EXPECT_EQ(buffer, m_kernel->getReply);
    // The kernel learns which report to fetch from byte 0 of what it is given.
    ASSERT_EQ(m_kernel->getCalls.size(), 2u);
    EXPECT_EQ(m_kernel->getCalls[1].buffer, asked);
}

TEST_F(HidrawPlatformTest, ClosedHandleIsDeadEvenWhenItsFdIsReused) {
    const DeviceHandle first = openOrFail("hidraw2", 1);
    m_platform->close(first);
    ASSERT_EQ(m_kernel->closedFds.size(), 1u);
    const int reusedFd = m_kernel->closedFds[0];

    const DeviceHandle second = openOrFail("hidraw10", 0);
    ASSERT_TRUE(m_kernel->openFds.contains(reusedFd));  // the kernel handed out the same fd

    Bytes buffer = {0x04, 0, 0};
    EXPECT_FALSE(m_platform->attributes(first).has_value());
    EXPECT_FALSE(m_platform->featureReportLength(first).has_value());
    EXPECT_FALSE(m_platform->setFeature(first, buffer));
    EXPECT_FALSE(m_platform->getFeature(first, buffer));
    m_platform->close(first);
    EXPECT_TRUE(m_kernel->setCalls.empty());
    EXPECT_TRUE(m_kernel->getCalls.empty());
    EXPECT_EQ(m_kernel->closedFds.size(), 1u);
    EXPECT_EQ(m_platform->featureReportLength(second), 3);
}

TEST_F(HidrawPlatformTest, DestroyingThePlatformClosesWhatIsOpen) {
    openOrFail("hidraw2", 0);
    openOrFail("hidraw2", 2);
    m_platform.reset();
    EXPECT_TRUE(m_kernel->openFds.empty());
    EXPECT_EQ(m_kernel->closedFds.size(), 2u);
}

TEST_F(HidrawPlatformTest, TheLockIsTakenOnTheHandlesOwnNode) {
    const DeviceHandle mine = openOrFail("hidraw2", 1);
    const DeviceHandle theirs = openOrFail("hidraw2", 1);
    const DeviceHandle keyboard = openOrFail("hidraw10", 0);
    EXPECT_TRUE(m_platform->tryLockExclusive(mine));
    EXPECT_FALSE(m_platform->tryLockExclusive(theirs));
    EXPECT_TRUE(m_platform->tryLockExclusive(keyboard));  // another node
    m_platform->unlockExclusive(mine);
    EXPECT_TRUE(m_platform->tryLockExclusive(theirs));
    m_platform->close(theirs);  // closing releases
    EXPECT_TRUE(m_platform->tryLockExclusive(mine));
    EXPECT_FALSE(m_platform->tryLockExclusive(theirs));  // a dead handle holds nothing
}

// The real flock(2) on a regular file standing in for a node: every open of it sees the lock.
TEST(SystemHidrawIoTest, TheLockExcludesOtherOpensUntilReleased) {
    std::string base = (fs::temp_directory_path() / "vornik-flock-XXXXXX").string();
    const int created = mkstemp(base.data());
    ASSERT_GE(created, 0);
    const auto io = createSystemHidrawIo();
    io->close(created);
    const int first = io->open(base);
    const int second = io->open(base);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_TRUE(io->tryLock(first));
    EXPECT_FALSE(io->tryLock(second));
    io->unlock(first);
    EXPECT_TRUE(io->tryLock(second));
    io->close(second);
    EXPECT_TRUE(io->tryLock(first));
    io->close(first);
    fs::remove(base);
}

TEST_F(HidrawPlatformTest, NoDriverControlCalls) {
    const DeviceHandle mouse = openOrFail("hidraw2", 1);
    Bytes out(4, 0xEE);
    std::uint32_t returned = 99;
    EXPECT_FALSE(m_platform->ioControl(mouse, 0x222000, Bytes{1, 2}, out, returned));
    EXPECT_EQ(returned, 0u);
}

}  // namespace
}  // namespace vornik

#include "image/write_verify.h"

#include <gtest/gtest.h>

#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"

namespace vornik {
namespace {

struct RecordingMessages : MessageSink {
    std::vector<std::string> shown;
    void messageDialog(std::string_view key) override { shown.emplace_back(key); }
    void errorMessage(std::string_view text) override { shown.emplace_back(text); }
};

// The default mouse in configuration mode, on a virtual clock.
class WriteVerifyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mouse = plugDefaultMouse(platform);
        std::uint32_t version = kMouseVersion;
        ASSERT_TRUE(link.OpenMouseDev(kMouseVendorId, kMouseProductId, version));
        ASSERT_TRUE(protocol.SendCmd(cmd::kEnterConfig));
        image = BuiltInImage();
        image[0x038] = 0x5C;  // a gap byte must arrive as it is
        mouse->clearTrace();
    }

    // The single-byte block writes, by address, in the order sent.
    std::vector<int> oneByteWrites() const {
        std::vector<int> out;
        for (const auto& e : mouse->trace())
            if (e.isSet && e.bytes[1] == cmd::kBeginWrite && e.bytes[4] == 1 && e.bytes[5] == 0)
                out.push_back(e.bytes[2] | e.bytes[3] << 8);
        return out;
    }
    std::size_t fullReads() const {
        std::size_t n = 0;
        for (const auto& e : mouse->trace())
            n += e.isSet && e.bytes[1] == cmd::kBeginRead && e.bytes[5] == 0x08;
        return n;
    }

    VirtualClock clock;
    SimHidPlatform platform;
    std::shared_ptr<SimMouse> mouse;
    DeviceLink link{platform};
    CommandProtocol protocol{link, clock};
    RecordingMessages messages;
    ConfigImage image{};
    VerifyRecord record;
};

TEST_F(WriteVerifyTest, HealthyMouseVerifiesAtTheFirstRead) {
    EXPECT_EQ(WriteAndVerify(protocol, image, messages, &record), WriteResult::Verified);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse->memory().begin()));
    EXPECT_EQ(record.passes, 0);
    EXPECT_TRUE(record.MismatchList[0].empty());
    EXPECT_EQ(fullReads(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WriteVerifyTest, OneBadByteIsRewrittenAloneAndReadAgain) {
    // 0x140 keeps the fresh mouse's 0xFF through the write and stores from the first read on.
    image[0x140] = 0x01;
    mouse->faults().stuckAddresses = {0x140};
    struct StuckOnce : TransferObserver {
        SimMouse* mouse;
        int finished = 0;
        void transferProgress(std::size_t done, std::size_t total) override {
            if (done == total && ++finished == 2) mouse->faults().stuckAddresses.clear();
        }
    } observer;
    observer.mouse = mouse.get();
    protocol.setObserver(&observer);
    EXPECT_EQ(WriteAndVerify(protocol, image, messages, &record), WriteResult::Verified);
    ASSERT_EQ(record.MismatchList[0].size(), 1u);
    EXPECT_EQ(record.MismatchList[0][0].address, 0x140);
    EXPECT_EQ(record.MismatchList[0][0].readBack, 0xFF);
    EXPECT_EQ(oneByteWrites(), (std::vector<int>{0x140}));
    EXPECT_EQ(record.passes, 1);
    EXPECT_EQ(fullReads(), 2u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WriteVerifyTest, AnAddressThatNeverStoresFailsAfterThreePasses) {
    image[0x7FF] = 0x00;
    image[0x123] = 0x77;
    mouse->faults().stuckAddresses = {0x7FF, 0x123};
    EXPECT_EQ(WriteAndVerify(protocol, image, messages, &record), WriteResult::Failed);
    EXPECT_EQ(record.passes, 3);
    for (const auto& list : record.MismatchList) ASSERT_EQ(list.size(), 2u);
    // Rewritten in list order, once per pass.
    EXPECT_EQ(oneByteWrites(), (std::vector<int>{0x123, 0x7FF, 0x123, 0x7FF, 0x123, 0x7FF}));
    EXPECT_EQ(fullReads(), 4u);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Str109"}));
}

TEST_F(WriteVerifyTest, TransferFailuresAreReportedNotSwallowed) {
    struct Case {
        const char* name;
        std::function<void(SimMouse&)> fault;
    } cases[] = {
        {"write refused", [](SimMouse& m) { m.faults().refusedCommands = {cmd::kBeginWrite}; }},
        {"read refused", [](SimMouse& m) { m.faults().refusedCommands = {cmd::kBeginRead}; }},
        {"vanishes during the write",
         [](SimMouse& m) { m.faults().vanishAfter = m.exchanges() + 300; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mouse->faults() = {};
        messages.shown.clear();
        c.fault(*mouse);
        EXPECT_EQ(WriteAndVerify(protocol, image, messages, &record), WriteResult::Failed);
        EXPECT_TRUE(record.transferFailed);
        EXPECT_EQ(messages.shown, (std::vector<std::string>{"Str109"}));
    }
}

TEST_F(WriteVerifyTest, ARepairWriteThatFailsEndsThePass) {
    image[0x7FF] = 0x00;
    mouse->faults().stuckAddresses = {0x7FF};
    struct RefuseRepairs : TransferObserver {
        SimMouse* mouse;
        void transferProgress(std::size_t done, std::size_t total) override {
            if (total == 342 && done == total) mouse->faults().refusedCommands = {cmd::kBeginWrite};
        }
    } observer;
    observer.mouse = mouse.get();
    protocol.setObserver(&observer);
    EXPECT_EQ(WriteAndVerify(protocol, image, messages, &record), WriteResult::Failed);
    EXPECT_EQ(record.passes, 1);
    EXPECT_EQ(fullReads(), 1u);  // no new read after the failed rewrite
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Str109"}));
}

}  // namespace
}  // namespace vornik

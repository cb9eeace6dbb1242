#include "image/write_verify.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

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
        ASSERT_TRUE(link.openMouse(kMouseVendorId, kMouseProductId, version));
        ASSERT_TRUE(protocol.sendCommand(cmd::kEnterConfig));
        image = builtInImage();
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
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Verified);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse->memory().begin()));
    EXPECT_EQ(record.passes, 0);
    EXPECT_TRUE(record.mismatches[0].empty());
    EXPECT_EQ(fullReads(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

// Runs `action` once the first full-image write has been sent, before it is read back.
struct AfterTheWrite : TransferObserver {
    std::function<void()> action;
    void transferProgress(std::size_t done, std::size_t total) override {
        if (total == chunkCount(kImageSize) && done == total && action) std::exchange(action, {})();
    }
};

TEST_F(WriteVerifyTest, OneBadByteIsRewrittenAloneAndReadAgain) {
    // 0x140 does not take the first write; from then on it does.
    image[0x140] = 0x01;
    mouse->faults().stuckAddresses = {0x140};
    AfterTheWrite observer;
    observer.action = [&] { mouse->faults().stuckAddresses.clear(); };
    protocol.setObserver(&observer);
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Verified);
    ASSERT_EQ(record.mismatches[0].size(), 1u);
    EXPECT_EQ(record.mismatches[0][0].address, 0x140);
    EXPECT_EQ(record.mismatches[0][0].readBack, 0xFF);
    EXPECT_EQ(oneByteWrites(), (std::vector<int>{0x140}));
    EXPECT_EQ(record.passes, 1);
    EXPECT_EQ(fullReads(), 2u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WriteVerifyTest, BytesOfAChunkThatWasNotReturnedAreUnknownNotFF) {
    // The last chunk holds 2046 and 2047, both 0xFF in the image; 2047 never stores and keeps
    // 0x5A. Taking the missing chunk for 0xFF would call this verified. (A dropped chunk holds
    // up the rest of its block, so only the last one leaves a single chunk unknown.)
    std::fill(image.begin() + 2046, image.end(), 0xFF);
    mouse->memory()[2047] = 0x5A;
    mouse->faults().stuckAddresses = {2047};
    mouse->faults().droppedChunks = {342};
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Failed);
    EXPECT_EQ(record.passes, 3);
    const std::vector<std::uint16_t> lastChunk{2046, 2047};
    for (int pass = 0; pass <= 3; ++pass) {
        EXPECT_EQ(record.unreadable[static_cast<std::size_t>(pass)], lastChunk) << pass;
        EXPECT_TRUE(record.mismatches[static_cast<std::size_t>(pass)].empty()) << pass;
    }
    // Unknown bytes are rewritten too: their content is not known to be right.
    EXPECT_EQ(oneByteWrites().size(), 3 * lastChunk.size());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Str109"}));
}

TEST_F(WriteVerifyTest, AChunkReturnedAtTheNextReadIsVerifiedThen) {
    mouse->faults().droppedChunks = {342};
    // The chunk is missing from the first read back only.
    struct ReturnLater : TransferObserver {
        SimMouse* mouse;
        int finished = 0;
        void transferProgress(std::size_t done, std::size_t total) override {
            if (done == total && total == chunkCount(kImageSize) && ++finished == 2)
                mouse->faults().droppedChunks.clear();
        }
    } later;
    later.mouse = mouse.get();
    protocol.setObserver(&later);
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Verified);
    EXPECT_EQ(record.unreadable[0].size(), 2u);
    EXPECT_TRUE(record.passClean(1));
    EXPECT_EQ(oneByteWrites(), (std::vector<int>{2046, 2047}));
}

TEST_F(WriteVerifyTest, UnacknowledgedWriteChunksAreWrittenAgain) {
    // Chunk 100 of the write goes unacknowledged (and so unstored: the rest lands 6 bytes early).
    struct RefuseOneChunk : TransferObserver {
        SimMouse* mouse;
        void transferProgress(std::size_t done, std::size_t total) override {
            if (total != chunkCount(kImageSize)) return;
            if (done == 99) mouse->faults().refusedCommands = {cmd::kWriteChunk};
            if (done == 100) mouse->faults().refusedCommands.clear();
        }
    } observer;
    observer.mouse = mouse.get();
    protocol.setObserver(&observer);
    for (std::size_t a = 0; a < kImageSize; ++a) image[a] = static_cast<std::uint8_t>(a * 13 + 1);
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Verified);
    std::vector<std::uint16_t> chunk100;
    for (std::uint16_t a = 594; a < 600; ++a) chunk100.push_back(a);
    EXPECT_EQ(record.unacknowledged[0], chunk100);
    EXPECT_GT(record.passes, 0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse->memory().begin()));
}

TEST_F(WriteVerifyTest, AMouseThatRefusesEveryChunkIsGivenUpOnAtOnce) {
    struct Case {
        const char* name;
        std::set<std::uint8_t> refused;
        TransferPhase phase;
    } cases[] = {
        {"refuses command 7", {cmd::kWriteChunk}, TransferPhase::Write},
        {"refuses commands 5 and 7", {cmd::kReadChunk, cmd::kWriteChunk}, TransferPhase::Write},
        {"refuses command 5", {cmd::kReadChunk}, TransferPhase::ReadBack},
    };
    image.fill(0xFF);  // what a read of nothing would look like
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mouse->faults().refusedCommands = c.refused;
        messages.shown.clear();
        const std::uint64_t start = clock.nowMs();
        EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Failed);
        EXPECT_TRUE(record.transferFailed);
        EXPECT_EQ(record.failedPhase, c.phase);
        EXPECT_EQ(record.failedBlock.end, BlockEnd::GaveUp);
        EXPECT_EQ(record.failedBlock.chunksDone, kMaxFailedChunksInARow);
        // 16 chunks of 5 attempts each, not 342 chunks and three repair passes.
        EXPECT_LT(clock.nowMs() - start, 30'000u);
        EXPECT_EQ(messages.shown, (std::vector<std::string>{"Str109"}));
    }
}

TEST_F(WriteVerifyTest, RepairWritesThatAreNeverAcknowledgedAreGivenUpOnToo) {
    for (std::size_t a = 0; a < kImageSize; ++a) image[a] = static_cast<std::uint8_t>(a * 13 + 1);
    mouse->faults().stuckAddresses = {};
    for (std::uint16_t a = 0; a < 40; ++a) mouse->faults().stuckAddresses.insert(a);
    AfterTheWrite observer;
    observer.action = [&] { mouse->faults().refusedCommands = {cmd::kWriteChunk}; };
    protocol.setObserver(&observer);
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Failed);
    EXPECT_EQ(record.failedPhase, TransferPhase::Repair);
    EXPECT_EQ(record.failedBlock.end, BlockEnd::GaveUp);
    EXPECT_EQ(oneByteWrites().size(), kMaxFailedChunksInARow);
}

TEST_F(WriteVerifyTest, AnInterruptedWriteStopsBetweenChunksAndSaysNothing) {
    struct AfterChunks : Cancellation {
        mutable int asked = 0;
        bool requested() const override { return ++asked > 100; }
    } cancel;
    protocol.setCancellation(&cancel);
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Interrupted);
    EXPECT_EQ(record.failedPhase, TransferPhase::Write);
    EXPECT_EQ(record.failedBlock.end, BlockEnd::Interrupted);
    EXPECT_EQ(record.failedBlock.chunksDone, 100u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 600, mouse->memory().begin()));
    EXPECT_FALSE(std::equal(image.begin() + 600, image.end(), mouse->memory().begin() + 600));
}

TEST_F(WriteVerifyTest, AnAddressThatNeverStoresFailsAfterThreePasses) {
    image[0x7FF] = 0x00;
    image[0x123] = 0x77;
    mouse->faults().stuckAddresses = {0x7FF, 0x123};
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Failed);
    EXPECT_EQ(record.passes, 3);
    for (const auto& list : record.mismatches) ASSERT_EQ(list.size(), 2u);
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
        EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Failed);
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
    EXPECT_EQ(writeAndVerify(protocol, image, messages, &record), WriteResult::Failed);
    EXPECT_EQ(record.passes, 1);
    EXPECT_EQ(fullReads(), 1u);  // no new read after the failed rewrite
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Str109"}));
}

}  // namespace
}  // namespace vornik

#include "device/protocol.h"

#include <gtest/gtest.h>

#include <numeric>

#include "device/sim/sim_hid_platform.h"

namespace vornik {
namespace {

using Report = std::array<std::uint8_t, 8>;

// A healthy mouse, opened, on a virtual clock; each test adds one fault.
class ProtocolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plugOtherDevices(platform);
        mouse = plugDefaultMouse(platform);
        mouse->setClock(&clock);
        std::uint32_t version = kMouseVersion;
        ASSERT_TRUE(link.openMouse(kMouseVendorId, kMouseProductId, version));
        std::iota(mouse->memory().begin(), mouse->memory().end(), 0);  // byte i = i mod 256
    }

    // Requests the mouse received (SET exchanges), optionally only those of one command.
    std::vector<Report> requests(int code = -1) const {
        std::vector<Report> out;
        for (const auto& e : mouse->trace())
            if (e.isSet && e.ok && (code < 0 || e.bytes[1] == code)) out.push_back(e.bytes);
        return out;
    }
    std::size_t polls() const {
        std::size_t n = 0;
        for (const auto& e : mouse->trace()) n += !e.isSet;
        return n;
    }
    void enterConfig() {
        ASSERT_TRUE(protocol.sendCommand(cmd::kEnterConfig));
        mouse->clearTrace();
    }

    VirtualClock clock;
    SimHidPlatform platform;
    std::shared_ptr<SimMouse> mouse;
    DeviceLink link{platform};
    CommandProtocol protocol{link, clock};
};

struct AttemptCase {
    const char* name;
    const char* fault;
    bool acknowledged;
    std::size_t sets;
    std::size_t polls;
    std::uint64_t ms;
};

void PrintTo(const AttemptCase& c, std::ostream* os) { *os << c.name; }

class SendCmdAttemptTest : public ProtocolTest,
                           public ::testing::WithParamInterface<AttemptCase> {};

TEST_P(SendCmdAttemptTest, AttemptsPollsAndSleeps) {
    const AttemptCase& c = GetParam();
    std::string error;
    if (*c.fault) {
        ASSERT_TRUE(parseFaults(c.fault, mouse->faults(), error)) << error;
    }
    EXPECT_EQ(protocol.sendCommand(cmd::kEnterConfig), c.acknowledged);
    EXPECT_EQ(requests().size(), c.sets);
    EXPECT_EQ(polls(), c.polls);
    EXPECT_EQ(clock.nowMs(), c.ms);
    for (const auto& r : requests()) EXPECT_EQ(r, (Report{4, 1, 0, 0, 0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendCmdAttemptTest,
    ::testing::Values(AttemptCase{"healthy", "", true, 1, 1, 10},
                      // 5 attempts of 10 ms, each with 5 polls that read 0 and sleep 10 ms after.
                      AttemptCase{"neverAcknowledged", "noack", false, 5, 25, 5 * (10 + 5 * 10)},
                      // Another value ends each attempt at its first poll.
                      AttemptCase{"otherAcknowledge", "ack=0x55", false, 5, 5, 5 * 10},
                      AttemptCase{"threeSlowPolls", "slow=3", true, 1, 4, 10 + 3 * 10},
                      // Five polls reading 0 exhaust the first attempt; the second one succeeds.
                      AttemptCase{"fiveSlowPolls", "slow=5", false, 5, 25, 5 * (10 + 5 * 10)},
                      AttemptCase{"fourSlowPolls", "slow=4", true, 1, 5, 10 + 4 * 10}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(ProtocolTest, EveryExchangeFailsAtOnceWithoutMouse) {
    link.closeMouse();
    std::array<std::uint8_t, 16> dest{};
    const std::array<std::uint8_t, 4> src{1, 2, 3, 4};
    EXPECT_FALSE(protocol.sendCommand(cmd::kStatus));
    EXPECT_EQ(protocol.readKeyStatus(), 0);
    protocol.readChunk();
    EXPECT_EQ(protocol.replyStore(),
              (std::array<std::uint8_t, 7>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(protocol.readBlock(0, 16, dest));
    EXPECT_FALSE(protocol.writeBlock(0, 4, src));
    EXPECT_EQ(clock.sleptMs(), 0u);
    EXPECT_TRUE(mouse->trace().empty());
    for (auto b : dest) EXPECT_EQ(b, 0xFF);
}

TEST_F(ProtocolTest, StatusSetsReadinessAndChipType) {
    struct Case {
        const char* faults;
        bool ready;
        int chipType;
    } cases[] = {
        {"", true, 0x98},          {"notready", false, 0x98}, {"chip=0x90", true, 0x90},
        {"chip=0x99", true, 0x99}, {"chip=0x12", true, 0x77},  // unknown code keeps the value
    };
    enterConfig();
    for (const auto& c : cases) {
        mouse->faults() = {};
        std::string error;
        if (*c.faults) {
            ASSERT_TRUE(parseFaults(c.faults, mouse->faults(), error));
        }
        protocol.setChipType(0x77);
        protocol.setEepromReady(!c.ready);
        ASSERT_TRUE(protocol.sendCommand(cmd::kStatus)) << c.faults;
        EXPECT_EQ(protocol.report()[1], kStatusReady);
        EXPECT_EQ(protocol.eepromReady(), c.ready) << c.faults;
        EXPECT_EQ(protocol.chipType(), c.chipType) << c.faults;
    }
}

TEST_F(ProtocolTest, ExtendedStatusLeavesTheStatusValues) {
    enterConfig();
    mouse->faults().chipCode = 0x35;
    protocol.setChipType(0x98);
    ASSERT_TRUE(protocol.sendCommand(cmd::kStatus, 0x3C, 0x96));
    EXPECT_EQ(protocol.chipType(), 0x98);
}

TEST_F(ProtocolTest, ReadKeyStatusReturnsTheButtonWord) {
    mouse->buttonState = 0x1234;
    EXPECT_EQ(protocol.readKeyStatus(), 0x1234);
    EXPECT_EQ(clock.nowMs(), 10u);  // 5 ms before the send, 5 before the poll
}

TEST_F(ProtocolTest, ReadKeyStatusGivesUpAfterTenAttempts) {
    mouse->buttonState = 0x1234;
    mouse->faults().neverAck = true;
    EXPECT_EQ(protocol.readKeyStatus(), 0);
    EXPECT_EQ(requests().size(), 10u);
    EXPECT_EQ(polls(), 100u);
    EXPECT_EQ(clock.nowMs(), 10u * (5 + 10 * 5));
}

TEST_F(ProtocolTest, FullImageReadIs342Chunks) {
    enterConfig();
    std::array<std::uint8_t, 2048> image{};
    ASSERT_TRUE(protocol.readBlock(0, 2048, image));
    const auto begin = requests(cmd::kBeginRead);
    ASSERT_EQ(begin.size(), 1u);
    EXPECT_EQ(begin[0], (Report{4, 4, 0x00, 0x00, 0x00, 0x08, 0, 0}));
    EXPECT_EQ(requests(cmd::kReadChunk).size(), 342u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse->memory().begin()));
    EXPECT_EQ(clock.transferDepth(), 0u);
}

TEST_F(ProtocolTest, PartialLastChunkCopiesOnlyTheRest) {
    enterConfig();
    std::array<std::uint8_t, 12> dest{};
    ASSERT_TRUE(protocol.readBlock(0x100, 8, dest));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(dest[i], mouse->memory()[0x100 + i]);
    for (int i = 8; i < 12; ++i) EXPECT_EQ(dest[i], 0xFF) << i;
    EXPECT_EQ(requests(cmd::kBeginRead)[0], (Report{4, 4, 0x00, 0x01, 8, 0, 0, 0}));
}

TEST_F(ProtocolTest, ReadNeverWritesPastTheDestination) {
    enterConfig();
    std::array<std::uint8_t, 16> storage{};
    storage.fill(0xAB);
    std::span<std::uint8_t> dest(storage.data(), 10);
    ASSERT_TRUE(protocol.readBlock(0, 2048, dest));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(storage[i], i);
    for (int i = 10; i < 16; ++i) EXPECT_EQ(storage[i], 0xAB);
}

TEST_F(ProtocolTest, UnacknowledgedChunkStaysFFAndTheReadGoesOn) {
    enterConfig();
    mouse->faults().droppedChunks = {5};
    std::array<std::uint8_t, 60> dest{};
    EXPECT_TRUE(protocol.readBlock(0, 60, dest));
    // The mouse cannot tell a retry from the next request, so it serves nothing past the chunk
    // it cannot serve; the host still asks five times for each chunk that is left.
    for (int i = 0; i < 60; ++i) EXPECT_EQ(dest[i], i < 24 ? i : 0xFF) << i;
    EXPECT_EQ(protocol.lastBlockFailedChunks(), 6u);
    EXPECT_EQ(requests(cmd::kReadChunk).size(), 4u + 6u * 5u);

    mouse->faults() = {};  // the next block read starts afresh
    EXPECT_TRUE(protocol.readBlock(0, 60, dest));
    EXPECT_EQ(protocol.lastBlockFailedChunks(), 0u);
    EXPECT_EQ(dest[59], 59);
}

TEST_F(ProtocolTest, RefusedBeginEndsTheTransfer) {
    enterConfig();
    mouse->faults().refusedCommands = {cmd::kBeginRead, cmd::kBeginWrite};
    std::array<std::uint8_t, 6> data{1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(protocol.readBlock(0, 6, data));
    EXPECT_EQ(data, (std::array<std::uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(protocol.writeBlock(0, 6, data));
    EXPECT_TRUE(requests(cmd::kReadChunk).empty());
    EXPECT_TRUE(requests(cmd::kWriteChunk).empty());
}

TEST_F(ProtocolTest, TransfersNeedConfigurationMode) {
    std::array<std::uint8_t, 6> data{};
    EXPECT_FALSE(protocol.readBlock(0, 6, data));  // no command 1 sent
}

TEST_F(ProtocolTest, SingleByteWriteIsOneChunkPaddedWithFF) {
    enterConfig();
    const std::array<std::uint8_t, 1> byte{0x42};
    ASSERT_TRUE(protocol.writeBlock(0x7FF, 1, byte));
    EXPECT_EQ(requests(cmd::kBeginWrite)[0], (Report{4, 6, 0xFF, 0x07, 1, 0, 0, 0}));
    const auto chunks = requests(cmd::kWriteChunk);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0], (Report{4, 7, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(mouse->memory()[0x7FF], 0x42);
    EXPECT_EQ(mouse->memory()[0x7FE], 0xFE);
}

TEST_F(ProtocolTest, ShortLastChunkKeepsThePreviousTail) {
    enterConfig();
    const std::array<std::uint8_t, 8> src{10, 11, 12, 13, 14, 15, 16, 17};
    ASSERT_TRUE(protocol.writeBlock(0x20, 8, src));
    const auto chunks = requests(cmd::kWriteChunk);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[1], (Report{4, 7, 16, 17, 12, 13, 14, 15}));
    EXPECT_EQ(mouse->memory()[0x28], 0x28);  // the padding is not stored
}

TEST_F(ProtocolTest, WriteThenReadRoundTrips) {
    enterConfig();
    std::vector<std::uint8_t> src(1024);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 7 + 3);
    ASSERT_TRUE(protocol.writeBlock(0x100, 1024, src));
    std::vector<std::uint8_t> back(1024);
    ASSERT_TRUE(protocol.readBlock(0x100, 1024, back));
    EXPECT_EQ(back, src);
    EXPECT_EQ(mouse->memory()[0xFF], 0xFF);
    EXPECT_EQ(mouse->memory()[0x500], 0x00);
}

TEST_F(ProtocolTest, StuckAddressKeepsItsOldValue) {
    enterConfig();
    mouse->faults().stuckAddresses = {0x7FF};
    std::array<std::uint8_t, 2> src{0x11, 0x22};
    ASSERT_TRUE(protocol.writeBlock(0x7FE, 2, src));
    EXPECT_EQ(mouse->memory()[0x7FE], 0x11);
    EXPECT_EQ(mouse->memory()[0x7FF], 0xFF);
}

TEST_F(ProtocolTest, WriteRefusesASourceShorterThanTheLength) {
    enterConfig();
    std::array<std::uint8_t, 4> src{};
    EXPECT_FALSE(protocol.writeBlock(0, 6, src));
    EXPECT_TRUE(mouse->trace().empty());
}

TEST_F(ProtocolTest, MouseVanishingMidTransferEndsIt) {
    enterConfig();
    mouse->faults().vanishAfter = mouse->exchanges() + 100;
    std::array<std::uint8_t, 2048> image{};
    EXPECT_FALSE(protocol.readBlock(0, 2048, image));
    // The chunk that found the mouse gone costs its attempts, nothing more.
    EXPECT_LT(clock.nowMs(), 2000u);
    EXPECT_EQ(clock.transferDepth(), 0u);

    mouse->faults().vanishAfter.reset();
    mouse->unplug();
    EXPECT_FALSE(protocol.writeBlock(0, 2048, image));
    EXPECT_FALSE(protocol.sendCommand(cmd::kLeaveConfig));
}

TEST_F(ProtocolTest, SixteenUnansweredChunksInARowEndTheBlock) {
    // Chunks from index 10 go unanswered for `run` chunks; fewer than 16 are retried and
    // passed over, the 16th ends the block there.
    struct Case {
        std::size_t run;
        bool complete;
        BlockEnd end;
        std::size_t chunksDone;
    } cases[] = {{15, true, BlockEnd::Complete, 342}, {16, false, BlockEnd::GaveUp, 26}};
    enterConfig();
    for (const auto& c : cases) {
        struct Silence : TransferObserver {
            SimMouse* mouse;
            std::size_t run;
            void transferProgress(std::size_t done, std::size_t) override {
                if (done == 10) mouse->faults().refusedCommands = {cmd::kReadChunk};
                if (done == 10 + run) mouse->faults().refusedCommands.clear();
            }
        } observer;
        observer.mouse = mouse.get();
        observer.run = c.run;
        protocol.setObserver(&observer);
        mouse->clearTrace();
        std::array<std::uint8_t, 2048> image{};
        EXPECT_EQ(protocol.readBlock(0, 2048, image), c.complete) << c.run;
        const BlockReport& block = protocol.lastBlock();
        EXPECT_EQ(block.end, c.end) << c.run;
        EXPECT_EQ(block.chunksDone, c.chunksDone) << c.run;
        EXPECT_EQ(block.failedChunks.size(), c.run);
        EXPECT_EQ(block.failedChunks.front(), 10u);
        // Each unanswered chunk still had its five attempts.
        EXPECT_EQ(requests(cmd::kReadChunk).size(), c.chunksDone - c.run + 5 * c.run);
        mouse->faults() = {};
    }
}

TEST_F(ProtocolTest, ACancelledTransferEndsBetweenChunks) {
    struct AfterChunks : Cancellation {
        std::size_t allowed;
        mutable std::size_t asked = 0;
        bool requested() const override { return ++asked > allowed; }
    } cancel;
    cancel.allowed = 3;
    protocol.setCancellation(&cancel);
    enterConfig();
    std::array<std::uint8_t, 60> dest{};
    EXPECT_FALSE(protocol.readBlock(0, 60, dest));
    EXPECT_EQ(protocol.lastBlock().end, BlockEnd::Interrupted);
    EXPECT_EQ(protocol.lastBlock().chunksDone, 3u);
    EXPECT_EQ(requests(cmd::kReadChunk).size(), 3u);  // the three chunks before, each whole
    EXPECT_EQ(dest[17], 17);
    EXPECT_EQ(dest[18], 0xFF);

    cancel.asked = 0;
    std::array<std::uint8_t, 60> src{};
    src.fill(0x42);
    EXPECT_FALSE(protocol.writeBlock(0x100, 60, src));
    EXPECT_EQ(protocol.lastBlock().chunksDone, 3u);
    EXPECT_EQ(mouse->memory()[0x100 + 17], 0x42);
    EXPECT_NE(mouse->memory()[0x100 + 18], 0x42);
    EXPECT_TRUE(protocol.sendCommand(cmd::kLeaveConfig));  // commands are never cancelled
}

TEST_F(ProtocolTest, ReportsProgressAndLetsEventsRun) {
    struct Observer : TransferObserver {
        int shows = 0;
        std::vector<std::pair<std::size_t, std::size_t>> progress;
        void showLoadingWindow() override { ++shows; }
        void transferProgress(std::size_t done, std::size_t total) override {
            progress.emplace_back(done, total);
        }
    } observer;
    protocol.setObserver(&observer);
    enterConfig();
    std::array<std::uint8_t, 13> dest{};
    ASSERT_TRUE(protocol.readBlock(0, 13, dest));
    EXPECT_EQ(observer.shows, 3);
    ASSERT_EQ(observer.progress.size(), 3u);
    EXPECT_EQ(observer.progress.back(), (std::pair<std::size_t, std::size_t>{3, 3}));
    EXPECT_GE(clock.eventRuns(), 6u);

    observer = {};
    ASSERT_TRUE(protocol.readBlockQuietly(0, 13, dest));
    EXPECT_EQ(observer.shows, 0);
    EXPECT_TRUE(observer.progress.empty());

    ASSERT_TRUE(protocol.writeBlock(0, 13, dest));
    EXPECT_EQ(observer.shows, 3);
}

}  // namespace
}  // namespace vornik

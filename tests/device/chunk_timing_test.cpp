// The timing of the block transfer chunks (commands 5 and 7) as the mouse sees it: when each
// request arrives, when each poll comes, how long the host sleeps and how often it tries.
#include <gtest/gtest.h>

#include <numeric>

#include "device/protocol.h"
#include "device/sim/sim_hid_platform.h"

namespace vornik {
namespace {

// What the mouse saw of the exchanges since a moment: request and poll times, in ms from then.
struct Schedule {
    std::vector<std::uint64_t> sends;
    std::vector<std::uint64_t> polls;
    bool operator==(const Schedule&) const = default;
};

void PrintTo(const Schedule& s, std::ostream* os) {
    *os << "sends";
    for (auto t : s.sends) *os << ' ' << t;
    *os << " / polls";
    for (auto t : s.polls) *os << ' ' << t;
}

class ChunkTimingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mouse = plugDefaultMouse(platform);
        mouse->setClock(&clock);
        std::uint32_t version = kMouseVersion;
        ASSERT_TRUE(link.openMouse(kMouseVendorId, kMouseProductId, version));
        std::iota(mouse->memory().begin(), mouse->memory().end(), 0);
        ASSERT_TRUE(protocol.sendCommand(cmd::kEnterConfig));
    }
    // Begins a block transfer, then applies `fault` so that only the chunks meet it.
    void begin(std::uint8_t command, const char* fault) {
        ASSERT_TRUE(protocol.sendCommand(command, 0x00, 0x01, 0x00, 0x01));  // 256 bytes at 0x100
        std::string error;
        if (*fault) {
            ASSERT_TRUE(parseFaults(fault, mouse->faults(), error)) << error;
        }
        mouse->clearTrace();
        start = clock.nowMs();
        sleepsBefore = clock.sleepCount();
    }
    Schedule schedule() const {
        Schedule s;
        for (const auto& e : mouse->trace()) (e.isSet ? s.sends : s.polls).push_back(e.ms - start);
        return s;
    }
    std::uint64_t elapsed() { return clock.nowMs() - start; }
    unsigned sleeps() const { return clock.sleepCount() - sleepsBefore; }

    VirtualClock clock;
    SimHidPlatform platform;
    std::shared_ptr<SimMouse> mouse;
    DeviceLink link{platform};
    CommandProtocol protocol{link, clock};
    std::uint64_t start = 0;
    unsigned sleepsBefore = 0;
};

struct ChunkCase {
    const char* fault;
    Schedule schedule;
    std::uint64_t elapsed;
    unsigned sleeps;
    bool acknowledged;
    bool stored = true;  // command 7: the first data byte reached the memory
};

TEST_F(ChunkTimingTest, ReadChunkSleeps5MsAfterTheSendAnd5AfterEachEmptyPoll) {
    const ChunkCase cases[] = {
        {"", {{0}, {5}}, 5, 1, true},
        {"slow=3", {{0}, {5, 10, 15, 20}}, 20, 4, true},
        {"slow=4", {{0}, {5, 10, 15, 20, 25}}, 25, 5, true},
        // Five attempts of five polls, each poll that reads 0 followed by 5 ms.
        {"refuse=5",
         {{0, 30, 60, 90, 120}, {5,  10, 15, 20,  25,  35,  40,  45,  50,  55,  65,  70, 75,
                                 80, 85, 95, 100, 105, 110, 115, 125, 130, 135, 140, 145}},
         150,
         30,
         false},
        // A reply that is neither 0 nor the acknowledge ends the attempt at once.
        {"ack=0x55", {{0, 5, 10, 15, 20}, {5, 10, 15, 20, 25}}, 25, 5, false},
    };
    for (const ChunkCase& c : cases) {
        SCOPED_TRACE(c.fault);
        mouse->faults() = {};
        begin(cmd::kBeginRead, c.fault);
        protocol.readChunk();
        EXPECT_EQ(schedule(), c.schedule);
        EXPECT_EQ(elapsed(), c.elapsed);
        EXPECT_EQ(sleeps(), c.sleeps);
        for (const auto& e : mouse->trace()) {
            if (e.isSet) {
                EXPECT_EQ(e.bytes, (std::array<std::uint8_t, 8>{4, 5, 0, 0, 0, 0, 0, 0}));
            }
        }
        const std::array<std::uint8_t, 7> data{0x00, 0x01, 0x02, 0x03, 0x04, 0x05, kAck};
        const std::array<std::uint8_t, 7> none{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        EXPECT_EQ(protocol.replyStore(), c.acknowledged ? data : none);
    }
}

TEST_F(ChunkTimingTest, WriteChunkSleeps10MsAfterTheSendAnd5AfterEachEmptyPoll) {
    const ChunkCase cases[] = {
        {"", {{0}, {10}}, 10, 1, true},
        {"slow=3", {{0}, {10, 15, 20, 25}}, 25, 4, true},
        {"refuse=7",
         {{0, 35, 70, 105, 140}, {10, 15,  20,  25,  30,  45,  50,  55,  60,  65,  80,  85, 90,
                                  95, 100, 115, 120, 125, 130, 135, 150, 155, 160, 165, 170}},
         175,
         30,
         false,
         false},
        // The mouse stored the data, but the answer was not the acknowledge.
        {"ack=0x55", {{0, 10, 20, 30, 40}, {10, 20, 30, 40, 50}}, 50, 5, false, true},
    };
    for (const ChunkCase& c : cases) {
        SCOPED_TRACE(c.fault);
        mouse->faults() = {};
        mouse->memory()[0x100] = 0x00;
        begin(cmd::kBeginWrite, c.fault);
        protocol.writeChunk(0x11, 0x22, 0x33, 0x44, 0x55, 0x66);
        EXPECT_EQ(schedule(), c.schedule);
        EXPECT_EQ(elapsed(), c.elapsed);
        EXPECT_EQ(sleeps(), c.sleeps);
        for (const auto& e : mouse->trace()) {
            if (e.isSet) {
                EXPECT_EQ(e.bytes,
                          (std::array<std::uint8_t, 8>{4, 7, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
            }
        }
        EXPECT_EQ(mouse->memory()[0x100], c.stored ? 0x11 : 0x00);
    }
}

TEST_F(ChunkTimingTest, BlockChunksFollowEachOtherWithoutPause) {
    std::array<std::uint8_t, 12> data{};
    mouse->clearTrace();
    start = clock.nowMs();
    ASSERT_TRUE(protocol.readBlock(0x100, 12, data));
    // Command 4 (10 ms to its poll), then two chunks of 5 ms each.
    EXPECT_EQ(schedule(), (Schedule{{0, 10, 15}, {10, 15, 20}}));

    mouse->clearTrace();
    start = clock.nowMs();
    ASSERT_TRUE(protocol.writeBlock(0x100, 12, data));
    EXPECT_EQ(schedule(), (Schedule{{0, 10, 20}, {10, 20, 30}}));

    // The whole image: 342 chunks each way.
    std::array<std::uint8_t, 2048> image{};
    start = clock.nowMs();
    ASSERT_TRUE(protocol.readBlock(0, 2048, image));
    EXPECT_EQ(elapsed(), 10u + 342u * 5u);
    start = clock.nowMs();
    ASSERT_TRUE(protocol.writeBlock(0, 2048, image));
    EXPECT_EQ(elapsed(), 10u + 342u * 10u);
}

}  // namespace
}  // namespace vornik

#include "model/macro_recorder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "device/clock.h"
#include "model/event_bytes.h"
#include "model/fake_input_capture.h"

namespace vornik {
namespace {

constexpr std::uint8_t kA = 0x41;
constexpr std::uint8_t kB = 0x42;
constexpr std::uint8_t kCtrl = 0x11;

// A recording fed by the fake source through the queue, as the window would run it.
class RecorderTest : public ::testing::Test {
  protected:
    void start(RecorderOptions options = {}) {
        queue.setAccepting(true);
        source.start(queue);
        recorder.startNew(options);
    }
    bool startInsert(MacroScript script, std::size_t row, InsertSide side,
                     RecorderOptions options = {}) {
        queue.setAccepting(true);
        source.start(queue);
        const std::size_t length = scriptEventByteCount(script) + 1;
        return recorder.startInsert(std::move(script), row, side, length, options);
    }
    RecordBatch drain() { return recorder.handleAll(queue.takeAll()); }

    VirtualClock clock;
    FakeInputCapture source{clock};
    InputEventQueue queue;
    MacroRecorder recorder;
};

TEST_F(RecorderTest, MeasuresGapsFromTheFirstEventOnAndSplitsButtonDelays) {
    start();
    source.keyDown(kA);
    clock.advance(100);
    source.keyUp(kA);
    clock.advance(3000);
    source.button(MouseButton::Left, true);
    drain();
    EXPECT_EQ(recorder.script(), (MacroScript{"10", "1 A CODE:8204", "0 100", "2 A CODE:0204",
                                              "0 2040", "0 960", "1 LeftKey CODE:00A1"}));
    EXPECT_EQ(recorder.recordedBytes(), 11u);
    EXPECT_EQ(recorder.eventBytes(), scriptEventByteCount(recorder.script()));
    EXPECT_EQ(recorder.selectedRow(), 5u);
}

TEST_F(RecorderTest, AKeyHeldTwelveSecondsGivesOneCappedDelayAndNoRepeats) {
    start();
    source.keyDown(kA);
    for (int i = 0; i < 360; ++i) {
        clock.advance(33);
        source.keyDown(kA);  // auto-repeat
    }
    source.keyUp(kA);
    drain();
    EXPECT_EQ(recorder.script(), (MacroScript{"10", "1 A CODE:8204", "0 10200", "2 A CODE:0204"}));
}

TEST_F(RecorderTest, ButtonGapsAreCappedTooAndSplitInto2040Pieces) {
    start();
    source.button(MouseButton::Right, true);
    clock.advance(15000);
    source.button(MouseButton::Right, false);
    drain();
    EXPECT_EQ(recorder.script(),
              (MacroScript{"10", "1 RightKey CODE:00A2", "0 2040", "0 2040", "0 2040", "0 2040",
                           "0 2040", "2 RightKey CODE:0022"}));
}

TEST_F(RecorderTest, AKeyPressedWhileAnotherIsHeldIsAPressAndModifiersPlayTheirCodes) {
    start({DelayOption::None});
    source.keyDown(kCtrl);
    source.keyDown(kCtrl);  // repeat
    source.keyDown(kA);     // held-down of a new key
    source.keyDown(kA);     // its repeat
    source.keyUp(kA);
    source.keyUp(kCtrl);
    source.tapKey(0xFF);  // the key the recorder ignores
    source.tapKey(0x07);  // a key without a name
    drain();
    EXPECT_EQ(recorder.script(),
              (MacroScript{"00", "1 Ctrl CODE:8101", "1 A CODE:8204", "2 A CODE:0204",
                           "2 Ctrl CODE:0101", "1 None CODE:8200", "2 None CODE:0200"}));
}

TEST_F(RecorderTest, TheLeftClickOnTheStopButtonIsNotRecordedButARightClickIs) {
    start({DelayOption::None});
    queue.setIgnoreLeft(true);  // the pointer is over Stop
    source.click(MouseButton::Left);
    source.click(MouseButton::Right);
    queue.setIgnoreLeft(false);
    source.click(MouseButton::Backward);
    drain();
    EXPECT_EQ(recorder.script(), (MacroScript{"00", "1 RightKey CODE:00A2", "2 RightKey CODE:0022",
                                              "1 Backward CODE:00B0", "2 Backward CODE:0030"}));
}

TEST_F(RecorderTest, NoDelayStopsTakingKeysOnceTheBytesPass216) {
    start({DelayOption::None});
    for (int i = 0; i < 60; ++i) source.tapKey(kA);
    drain();
    // 55 taps: the press at 216 still fits (216 + 4 <= 220), the one at 220 does not.
    EXPECT_EQ(recorder.script().size(), 1u + 110u);
    EXPECT_EQ(recorder.recordedBytes(), 220u);
    EXPECT_TRUE(recorder.keysStopped());
    EXPECT_TRUE(recorder.recording());
    // The buttons still count: a down finds no room and claims its reserve, so its up does
    // not fit either.
    source.click(MouseButton::Left);
    drain();
    EXPECT_EQ(recorder.script().size(), 111u);
    EXPECT_EQ(recorder.recordedBytes(), 224u);
}

TEST_F(RecorderTest, AReleaseArrivingAtTheCapacityEndsTheRecording) {
    start({DelayOption::None});
    for (int i = 0; i < 53; ++i) source.tapKey(kA);  // 212 bytes
    source.keyDown(0x58);                            // X, 214
    source.keyDown(0x59);                            // Y, 216
    source.keyDown(0x5A);                            // Z, 218
    source.keyUp(0x58);                              // 220
    source.keyUp(0x59);                              // at the capacity: ends
    source.keyUp(0x5A);
    const RecordBatch batch = drain();
    EXPECT_TRUE(batch.ended);
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(recorder.script().back(), "2 X CODE:021B");
    EXPECT_EQ(recorder.recordedBytes(), 220u);
}

TEST_F(RecorderTest, DefaultDelayZeroGivesEveryKeyADelayLineAndButtonsNone) {
    start({DelayOption::Fixed, 0});
    source.tapKey(kA);
    source.click(MouseButton::Middle);
    source.tapKey(kB);
    drain();
    EXPECT_EQ(recorder.script(), (MacroScript{"010", "1 A CODE:8204", "0 0", "2 A CODE:0204",
                                              "1 MiddleKey CODE:00A4", "2 MiddleKey CODE:0024",
                                              "0 0", "1 B CODE:8205", "0 0", "2 B CODE:0205"}));
    EXPECT_EQ(recorder.recordedBytes(), 4u * 2 + 2 + 3 * 2);
}

TEST_F(RecorderTest, DefaultDelayIsTheEditsValueWhateverTheGap) {
    start({DelayOption::Fixed, 3000});  // clamped to 2040
    source.button(MouseButton::Left, true);
    clock.advance(5);
    source.button(MouseButton::Left, false);
    clock.advance(9000);
    source.keyDown(kA);
    drain();
    EXPECT_EQ(recorder.script(), (MacroScript{"012040", "1 LeftKey CODE:00A1", "0 2040",
                                              "2 LeftKey CODE:0021", "0 2040", "1 A CODE:8204"}));
}

TEST_F(RecorderTest, DriverModeStopsAtTheContentLimit) {
    start({DelayOption::None, 0, MacroForm::Driver});
    for (int i = 0; i < 1100; ++i) source.tapKey(kA);
    drain();
    EXPECT_EQ(recorder.eventBytes(), eventCapacity(MacroForm::Driver));
    EXPECT_TRUE(encodeScript(recorder.script(), false, MacroForm::Driver).ok());
}

TEST_F(RecorderTest, InsertRecordingsPlaceLinesBeforeOrAfterTheSelectedRow) {
    const MacroScript script{"00", "1 A CODE:8204", "2 A CODE:0204"};
    const struct {
        InsertSide side;
        MacroScript expected;
        std::size_t firstRow;
    } cases[] = {
        {InsertSide::Front,
         {"00", "1 B CODE:8205", "2 B CODE:0205", "1 A CODE:8204", "2 A CODE:0204"},
         0},
        {InsertSide::Back,
         {"00", "1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204"},
         1},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(startInsert(script, 0, c.side, {DelayOption::None}));
        EXPECT_EQ(recorder.recordedBytes(), 5u);  // the stored length
        source.keyDown(kB);
        const RecordStep step = recorder.handle(queue.takeAll().at(0));
        EXPECT_EQ(step.firstRow, c.firstRow);
        source.keyUp(kB);
        drain();
        EXPECT_EQ(recorder.script(), c.expected);
        EXPECT_EQ(recorder.selectedRow(), 2u);
    }
}

TEST_F(RecorderTest, InsertPlacesDelayLinesWithTheirEvent) {
    ASSERT_TRUE(startInsert({"10", "1 A CODE:8204"}, 0, InsertSide::Back));
    source.button(MouseButton::Left, true);
    clock.advance(2100);
    source.button(MouseButton::Left, false);
    drain();
    EXPECT_EQ(recorder.script(), (MacroScript{"10", "1 A CODE:8204", "1 LeftKey CODE:00A1",
                                              "0 2040", "0 60", "2 LeftKey CODE:0021"}));
}

TEST_F(RecorderTest, AnInsertNeedsARowAndRoom) {
    EXPECT_FALSE(recorder.startInsert({"00", "1 A CODE:8204"}, 1, InsertSide::Front, 3, {}));
    EXPECT_FALSE(recorder.startInsert({"00", "1 A CODE:8204"}, 0, InsertSide::Front, 220, {}));
    EXPECT_FALSE(recorder.recording());
    EXPECT_TRUE(recorder.startInsert({"00", "1 A CODE:8204"}, 0, InsertSide::Front, 219, {}));
}

TEST(InputEventQueueTest, TakesEventsOnlyWhileAcceptingAndWakesOncePerBatch) {
    InputEventQueue queue;
    int wakeups = 0;
    queue.setWakeup([&wakeups] { ++wakeups; });
    queue.post(InputEvent::key(kA, KeyState::FirstDown, 1));
    EXPECT_TRUE(queue.takeAll().empty());
    EXPECT_EQ(wakeups, 0);

    queue.setAccepting(true);
    queue.post(InputEvent::key(kA, KeyState::FirstDown, 1));
    queue.post(InputEvent::key(kA, KeyState::Up, 2));
    EXPECT_EQ(wakeups, 1);
    EXPECT_EQ(queue.takeAll().size(), 2u);
    queue.post(InputEvent::mouse(MouseButton::Left, true, 3));
    EXPECT_EQ(wakeups, 2);
    EXPECT_EQ(queue.waitAndTakeAll(std::chrono::milliseconds(0)).size(), 1u);
    EXPECT_TRUE(queue.waitAndTakeAll(std::chrono::milliseconds(1)).empty());
}

// Keys from one thread and buttons from another, strictly taking turns, while the window's
// thread drains: the lines come in the order the events were posted.
TEST(InputEventQueueTest, EventsFromTwoThreadsKeepTheirOrder) {
    constexpr int kRounds = 100;
    InputEventQueue queue;
    queue.setAccepting(true);
    MacroRecorder recorder;
    recorder.startNew({DelayOption::None, 0, MacroForm::Driver});

    std::mutex mutex;
    std::condition_variable turnChanged;
    int turn = 0;  // even: keys, odd: buttons
    auto takeTurns = [&](int parity, auto post) {
        for (int i = 0; i < 2 * kRounds; ++i) {
            std::unique_lock lock(mutex);
            turnChanged.wait(lock, [&] { return turn % 2 == parity; });
            post(i % 2 == 0);
            ++turn;
            turnChanged.notify_all();
        }
    };
    std::thread keys(takeTurns, 0, [&](bool down) {
        queue.post(InputEvent::key(kA, down ? KeyState::FirstDown : KeyState::Up, 0));
    });
    std::thread buttons(takeTurns, 1, [&](bool down) {
        queue.post(InputEvent::mouse(MouseButton::Left, down, 0));
    });
    while (recorder.script().size() < 1 + 4 * kRounds) {
        const auto events = queue.waitAndTakeAll(std::chrono::seconds(5));
        ASSERT_FALSE(events.empty()) << "events lost";
        recorder.handleAll(events);
    }
    keys.join();
    buttons.join();

    MacroScript expected{"00"};
    for (int i = 0; i < kRounds; ++i)
        expected.insert(expected.end(), {"1 A CODE:8204", "1 LeftKey CODE:00A1", "2 A CODE:0204",
                                         "2 LeftKey CODE:0021"});
    EXPECT_EQ(recorder.script(), expected);
}

}  // namespace
}  // namespace vornik

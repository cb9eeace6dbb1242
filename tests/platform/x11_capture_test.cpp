// The X11 source end to end: a real X server (Xvfb), input made with xdotool through XTEST,
// caught by XInput2 and turned into script lines. Skipped (exit 77) without a display,
// XInput2 or xdotool.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "model/macro_recorder.h"
#include "platform/x11_input_capture.h"

namespace vornik {
namespace {

constexpr int kSkipped = 77;

void xdotool(const std::string& arguments) {
    const std::string command = "xdotool " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Takes events until `count` arrived or five seconds passed.
std::vector<InputEvent> takeEvents(InputEventQueue& queue, std::size_t count) {
    std::vector<InputEvent> events;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (events.size() < count && std::chrono::steady_clock::now() < deadline) {
        for (const InputEvent& e : queue.waitAndTakeAll(std::chrono::milliseconds(200)))
            events.push_back(e);
    }
    return events;
}

class X11CaptureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        capture = X11InputCapture::open(clock, &error);
        ASSERT_TRUE(capture) << error;
        queue.setAccepting(true);
        ASSERT_TRUE(capture->start(queue));
    }

    SystemClock clock;
    std::unique_ptr<X11InputCapture> capture;
    InputEventQueue queue;
};

TEST_F(X11CaptureTest, AKeyAPauseAndAClickBecomeTheirLinesWithTheDelayBetween) {
    constexpr long long kPauseMs = 500;
    xdotool("key a");
    std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs));
    xdotool("click 1");
    const std::vector<InputEvent> events = takeEvents(queue, 4);
    capture->stop();

    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].source, InputEvent::Source::Key);
    EXPECT_EQ(events[0].virtualKey, 0x41);
    EXPECT_EQ(events[0].keyState, KeyState::FirstDown);
    EXPECT_EQ(events[1].virtualKey, 0x41);
    EXPECT_EQ(events[1].keyState, KeyState::Up);
    EXPECT_EQ(events[2].source, InputEvent::Source::Button);
    EXPECT_EQ(events[2].button, MouseButton::Left);
    EXPECT_TRUE(events[2].press);
    EXPECT_EQ(events[3].button, MouseButton::Left);
    EXPECT_FALSE(events[3].press);
    const auto gap = static_cast<long long>(events[2].timeMs - events[1].timeMs);
    EXPECT_GE(gap, kPauseMs);
    EXPECT_LT(gap, kPauseMs + 1000);

    MacroRecorder recorder;
    recorder.startNew({DelayOption::Recorded});
    recorder.handleAll(events);
    const MacroScript& script = recorder.script();
    ASSERT_GE(script.size(), 7u);
    EXPECT_EQ(script[0], "10");
    EXPECT_EQ(script[1], "1 A CODE:8204");
    EXPECT_EQ(lineKind(script[2]), MacroLineKind::Delay);
    EXPECT_EQ(script[3], "2 A CODE:0204");
    EXPECT_EQ(lineKind(script[4]), MacroLineKind::Delay);
    EXPECT_EQ(delayMilliseconds(script[4]), gap);
    EXPECT_EQ(script[5], "1 LeftKey CODE:00A1");
    EXPECT_EQ(script.back(), "2 LeftKey CODE:0021");
}

TEST_F(X11CaptureTest, ModifiersArriveAsTheGenericKeysAndNothingArrivesAfterStop) {
    xdotool("keydown ctrl keydown b keyup b keyup ctrl");
    std::vector<InputEvent> events = takeEvents(queue, 4);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (const InputEvent& e : queue.takeAll()) events.push_back(e);
    capture->stop();
    xdotool("key c");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(queue.takeAll().empty());

    MacroRecorder recorder;
    recorder.startNew({DelayOption::None});
    recorder.handleAll(events);
    const MacroScript expected{"00", "1 Ctrl CODE:8101", "1 B CODE:8205", "2 B CODE:0205",
                               "2 Ctrl CODE:0101"};
    MacroScript script = recorder.script();
    // xdotool lets go of the modifiers it used once more: further releases of Ctrl.
    while (script.size() > expected.size() && script.back() == "2 Ctrl CODE:0101")
        script.pop_back();
    EXPECT_EQ(script, expected);
}

}  // namespace
}  // namespace vornik

int main(int argc, char** argv) {
    // Without what it needs the test says so and is counted as skipped, never as passed.
    std::string why;
    vornik::SystemClock clock;
    if (!vornik::X11InputCapture::open(clock, &why)) {
        std::printf("x11_capture_test: skipped: %s\n", why.c_str());
        return vornik::kSkipped;
    }
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) {
        std::printf("x11_capture_test: skipped: xdotool is not installed\n");
        return vornik::kSkipped;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

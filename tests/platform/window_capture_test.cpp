#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/create_input_capture.h"
#include "platform/qt_keys.h"
#include "platform/window_input_capture.h"

namespace vornik {
namespace {

TEST(QtKeysTest, QtKeysGiveTheWindowsCodes) {
    const struct {
        int key;
        bool keypad;
        std::optional<std::uint8_t> vk;
    } cases[] = {
        {Qt::Key_A, false, 0x41},
        {Qt::Key_Z, false, 0x5A},
        {Qt::Key_0, false, 0x30},
        {Qt::Key_7, true, 0x67},
        {Qt::Key_F1, false, 0x70},
        {Qt::Key_F24, false, 0x87},
        {Qt::Key_Control, false, 0x11},
        {Qt::Key_Shift, false, 0x10},
        {Qt::Key_Alt, false, 0x12},
        {Qt::Key_Super_R, false, 0x5C},
        {Qt::Key_Left, false, 0x25},
        {Qt::Key_Down, false, 0x28},
        {Qt::Key_PageUp, false, 0x21},
        {Qt::Key_Enter, true, 0x0D},
        {Qt::Key_Plus, false, 0xBB},
        {Qt::Key_Plus, true, 0x6B},
        {Qt::Key_Slash, true, 0x6F},
        {Qt::Key_Asterisk, false, 0x38},
        {Qt::Key_QuoteLeft, false, 0xC0},
        {Qt::Key_VolumeUp, false, 0xAF},
        {Qt::Key_Eacute, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtualKeyFromQtKey(c.key, c.keypad), c.vk) << std::hex << c.key;
}

// Input into the window reaches the capture once, whichever widget has it.
TEST(WindowInputCaptureTest, SeesTheWindowsKeysAndButtonsOnceEach) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit;
    layout->addWidget(edit);
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();

    VirtualClock clock;
    clock.advance(7);
    const auto capture = createInputCapture(clock, window);
    EXPECT_FALSE(capture->coversDesktop());  // the offscreen platform has no desktop source
    InputEventQueue queue;
    queue.setAccepting(true);
    ASSERT_TRUE(capture->start(queue));

    QWindow* native = window.windowHandle();
    QTest::keyPress(native, Qt::Key_A);
    QTest::keyPress(native, Qt::Key_A, Qt::NoModifier, -1);  // held: a second down
    QTest::keyRelease(native, Qt::Key_A);
    QTest::mouseClick(native, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    capture->stop();
    QTest::keyClick(native, Qt::Key_B);

    const std::vector<InputEvent> expected{
        InputEvent::key(0x41, KeyState::FirstDown, 7),
        InputEvent::key(0x41, KeyState::HeldDown, 7),
        InputEvent::key(0x41, KeyState::Up, 7),
        InputEvent::mouse(MouseButton::Right, true, 7),
        InputEvent::mouse(MouseButton::Right, false, 7),
    };
    EXPECT_EQ(queue.takeAll(), expected);
    EXPECT_EQ(edit->text(), "aab");  // nothing was taken from the window
}

}  // namespace
}  // namespace vornik

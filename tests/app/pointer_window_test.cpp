// The Advanced page's pointer settings over the Windows store on a fake registry: what a read
// shows, what a release or a click writes, and that nothing the user left alone is rewritten.
#include <gtest/gtest.h>

#include <QTest>

#include "../support/fake_pointer_registry.h"
#include "app/device_buttons.h"
#include "settings/advanced_page.h"
#include "settings/pointer_settings_view.h"
#include "ui/widgets/skin_slider.h"
#include "window_fixture.h"

namespace vornik {
namespace {

using SpiCall = PointerSystemApi::SpiCall;

// Where on a pointer slider a release lands on position p.
int xOf(int position) { return (position - 1) * kPointerRulerStep + 10; }

void release(SkinSlider* slider, int position) {
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(xOf(position), 10));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(xOf(position), 10));
}

class PointerWindowTest : public MainWindowTest {
  protected:
    // A window whose pointer settings are the fake registry's.
    void startOnRegistry() {
        session->pointerSettings =
            std::make_unique<WindowsPointerSettingsStore>(std::make_unique<FakeApi>(registry));
        restartWindow();
    }
    PointerSettingsView& view() { return window->advancedPage().pointerSettings(); }
    int position(SkinSlider* slider) { return slider->value() / 100 + 1; }

    FakeRegistry registry;
};

TEST_F(PointerWindowTest, WhatTheRegistryHoldsShowsOnTheSliders) {
    struct Case {
        const char* sensitivity;
        const char* doubleClick;
        const char* wheel;
        int speed, dbl, lines;
    } cases[] = {
        {"10", "500", "0", 6, 7, 3},
        {"11", "900", "25", 6, 1, 11},
        {"20", "269", "7", 11, 11, 7},
        {"x", "", "", 11, 7, 11},  // unreadable: 20, 480, 11
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sensitivity);
        registry.mouse["MouseSensitivity"] = c.sensitivity;
        registry.mouse["DoubleClickSpeed"] = c.doubleClick;
        registry.desktop["WheelScrollLines"] = c.wheel;
        startOnRegistry();
        EXPECT_EQ(position(view().slider_Spd), c.speed);
        EXPECT_EQ(position(view().slider_DbSpd), c.dbl);
        EXPECT_EQ(position(view().slider_SrcSpd), c.lines);
        EXPECT_EQ(view().Img_IsControl->skin(), "CbS_E");
        EXPECT_TRUE(view().slider_SrcSpd->isEnabled());
    }
}

TEST_F(PointerWindowTest, OnlyWhatTheUserMovedIsWrittenThroughTheTables) {
    registry.mouse["MouseSensitivity"] = "11";
    registry.mouse["DoubleClickSpeed"] = "500";
    startOnRegistry();
    const auto untouched = registry.mouse;

    // A release on position 6 writes the table's 10; the double-click time stays 500.
    release(view().slider_Spd, 6);
    EXPECT_EQ(registry.mouse["MouseSensitivity"], "10");
    EXPECT_EQ(registry.mouse["DoubleClickSpeed"], "500");
    EXPECT_EQ(registry.mouse["MouseSpeed"], untouched.at("MouseSpeed"));
    ASSERT_FALSE(registry.calls.empty());
    EXPECT_EQ(registry.calls.back(), (SpiCall{kSpiSetMouseSpeed, 0, 10, {}, kSpifSendChange}));

    // A write to the mouse applies again, still without the double-click time.
    connectMouse();
    registry.calls.clear();
    registry.mouse["MouseSensitivity"] = "16";  // changed elsewhere since the read
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(registry.mouse["DoubleClickSpeed"], "500");
    // The full read read the registry again, so the speed was not the user's any more.
    EXPECT_EQ(registry.mouse["MouseSensitivity"], "16");
    EXPECT_TRUE(registry.calls.empty());

    // Moving the double-click slider writes its table value; position 7 is 480.
    release(view().slider_DbSpd, 7);
    EXPECT_EQ(registry.mouse["DoubleClickSpeed"], "480");
    EXPECT_EQ(registry.calls.back(),
              (SpiCall{kSpiSetDoubleClickTime, 480, 0, {}, kSpifSendChange}));
    registry.calls.clear();
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(registry.calls.size(), 1u);  // the double-click time, with the write
}

TEST_F(PointerWindowTest, PrecisionClickWritesItsTripleAndPassesThresholdsFirst) {
    registry.mouse["MouseSpeed"] = "0";
    registry.mouse["MouseThreshold1"] = "0";
    registry.mouse["MouseThreshold2"] = "0";
    startOnRegistry();
    EXPECT_EQ(view().Img_IsControl->skin(), "CbS_D");
    QTest::mouseClick(view().lbl_IsControl, Qt::LeftButton);
    EXPECT_EQ(view().Img_IsControl->skin(), "CbS_E");
    EXPECT_EQ(registry.mouse["MouseSpeed"], "1");
    EXPECT_EQ(registry.mouse["MouseThreshold1"], "6");
    EXPECT_EQ(registry.mouse["MouseThreshold2"], "10");
    ASSERT_EQ(registry.calls.size(), 1u);
    EXPECT_EQ(registry.calls[0].action, kSpiSetMouse);
    EXPECT_EQ(registry.calls[0].pvArray, (std::array<int, 3>{6, 10, 1}));
    QTest::mouseClick(view().lbl_IsControl, Qt::LeftButton);
    EXPECT_EQ(registry.mouse["MouseSpeed"], "0");
    EXPECT_EQ(view().Img_IsControl->skin(), "CbS_D");
}

TEST_F(PointerWindowTest, OneScreenOnAndOffRestoresTheLastLineCount) {
    struct Case {
        const char* stored;
        int before;  // the line count the slider shows once one screen is off again
    } cases[] = {{"4", 5}, {"-1", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        registry.desktop["WheelScrollLines"] = c.stored;
        startOnRegistry();
        if (std::string(c.stored) == "-1") {
            EXPECT_EQ(view().Img_IsScreen->skin(), "CbS_E");
            EXPECT_FALSE(view().slider_SrcSpd->isEnabled());
        } else {
            release(view().slider_SrcSpd, 5);
            EXPECT_EQ(registry.desktop["WheelScrollLines"], "5");
            QTest::mouseClick(view().lbl_IsScreen, Qt::LeftButton);
            EXPECT_EQ(registry.desktop["WheelScrollLines"], "-1");
            EXPECT_FALSE(view().slider_SrcSpd->isEnabled());
            EXPECT_FALSE(view().lbl_ScrSpd[4]->isEnabled());
            // The disabled slider takes no release.
            release(view().slider_SrcSpd, 9);
            EXPECT_EQ(registry.desktop["WheelScrollLines"], "-1");
        }
        QTest::mouseClick(view().lbl_IsScreen, Qt::LeftButton);
        EXPECT_EQ(registry.desktop["WheelScrollLines"], std::to_string(c.before));
        EXPECT_EQ(position(view().slider_SrcSpd), c.before);
        EXPECT_TRUE(view().slider_SrcSpd->isEnabled());
        EXPECT_TRUE(view().lbl_ScrSpd[4]->isEnabled());
        EXPECT_EQ(view().Img_IsScreen->skin(), "CbS_D");
    }
}

// A desktop that keeps a speed but no wheel lines.
struct NoWheelStore : PointerSettingsStore {
    PointerReading reading;
    std::vector<PointerWrite> writes;
    PointerControlStates controls() override {
        PointerControlStates states;
        states[static_cast<std::size_t>(PointerControl::Wheel)] = {false, "no wheel setting"};
        return states;
    }
    PointerReading read() override { return reading; }
    bool write(const PointerWrite& changes, std::string&) override {
        writes.push_back(changes);
        return true;
    }
};

TEST_F(PointerWindowTest, AControlTheDesktopHasNoSettingForIsDisabledWithItsHint) {
    auto owned = std::make_unique<NoWheelStore>();
    NoWheelStore& store = *owned;
    store.reading.sensitivity = "4";
    session->pointerSettings = std::move(owned);
    restartWindow();
    EXPECT_EQ(position(view().slider_Spd), 3);
    EXPECT_TRUE(view().slider_Spd->isEnabled());
    for (QWidget* w :
         {static_cast<QWidget*>(view().slider_SrcSpd), static_cast<QWidget*>(view().lbl_IsScreen),
          static_cast<QWidget*>(view().lbl_ScrSpd[0])}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_EQ(w->toolTip(), "no wheel setting") << w->objectName().toStdString();
    }
    view().releaseWheelSlider(xOf(8));
    view().clickOneScreen();
    EXPECT_TRUE(store.writes.empty());
    release(view().slider_Spd, 2);
    ASSERT_EQ(store.writes.size(), 1u);
    EXPECT_EQ(store.writes[0], (PointerWrite{2, {}, {}, {}}));

    // Without a store at all every control says so.
    session->pointerSettings.reset();
    restartWindow();
    EXPECT_FALSE(view().slider_Spd->isEnabled());
    EXPECT_FALSE(view().slider_Spd->toolTip().isEmpty());
}

}  // namespace
}  // namespace vornik

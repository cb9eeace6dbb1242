#include "platform/pointer_settings_windows.h"

#include <gtest/gtest.h>

#include <map>

#include "support/fake_pointer_registry.h"

namespace vornik {
namespace {

using Key = PointerSystemApi::Key;
using SpiCall = PointerSystemApi::SpiCall;

// The page's model over the Windows store on a fake registry.
class WindowsPointerTest : public ::testing::Test {
  protected:
    void readAll() { model.read(store.read()); }
    void apply() {
        std::string error;
        applied = store.write(model.changes(), error);
        lastError = error;
    }

    FakeRegistry registry;
    WindowsPointerSettingsStore store{std::make_unique<FakeApi>(registry)};
    PointerSettings model;
    bool applied = false;
    std::string lastError;
};

TEST_F(WindowsPointerTest, SensitivityTenOrElevenShowsSixAndPositionSixStoresTen) {
    for (const char* stored : {"10", "11"}) {
        registry.mouse["MouseSensitivity"] = stored;
        readAll();
        EXPECT_EQ(model.speedPosition(), 6) << stored;
        apply();  // the write to the mouse applies again: nothing was touched
        EXPECT_EQ(registry.mouse["MouseSensitivity"], stored);
        EXPECT_TRUE(registry.calls.empty());
        model.setSpeedPosition(pointerRulerPosition(140));
        EXPECT_EQ(model.speedPosition(), 6);
        apply();
        EXPECT_EQ(registry.mouse["MouseSensitivity"], "10");
        ASSERT_EQ(registry.calls.size(), 1u);
        EXPECT_EQ(registry.calls[0], (SpiCall{113, 0, 10, std::nullopt, kSpifSendChange}));
        registry.calls.clear();
    }
}

TEST_F(WindowsPointerTest, DoubleClickOfFiveHundredStaysUntilItsSliderMoves) {
    readAll();
    EXPECT_EQ(model.doubleClickPosition(), 7);
    model.setSpeedPosition(3);
    model.togglePrecision();
    model.setWheelPosition(5);
    apply();
    EXPECT_TRUE(applied) << lastError;
    EXPECT_EQ(registry.mouse["DoubleClickSpeed"], "500");
    for (const SpiCall& call : registry.calls) EXPECT_NE(call.action, kSpiSetDoubleClickTime);

    // The settings changed before are applied again with it, as on every write to the mouse.
    registry.calls.clear();
    model.setDoubleClickPosition(pointerRulerPosition(150));  // position 7 again
    apply();
    EXPECT_EQ(registry.mouse["DoubleClickSpeed"], "480");
    ASSERT_EQ(registry.calls.size(), 4u);
    EXPECT_EQ(registry.calls[2],
              (SpiCall{kSpiSetDoubleClickTime, 480, 0, std::nullopt, kSpifSendChange}));
}

TEST_F(WindowsPointerTest, WheelLinesZeroAndTwentyFive) {
    registry.desktop["WheelScrollLines"] = "0";
    readAll();
    EXPECT_EQ(model.wheelPosition(), 3);
    registry.desktop["WheelScrollLines"] = "25";
    readAll();
    EXPECT_EQ(model.wheelPosition(), 11);
    EXPECT_EQ(pointerSliderValue(model.wheelPosition()), 1000);
    apply();
    EXPECT_EQ(registry.desktop["WheelScrollLines"], "25");
}

TEST_F(WindowsPointerTest, OneScreenOnAndOffRestoresTheLastLineCount) {
    readAll();
    model.setWheelPosition(pointerRulerPosition(100));  // position 5
    apply();
    model.toggleOneScreen();
    apply();
    EXPECT_EQ(registry.desktop["WheelScrollLines"], "-1");
    EXPECT_EQ(registry.calls.back(),
              (SpiCall{kSpiSetWheelScrollLines, 0xFFFFFFFFu, 0, std::nullopt, kSpifUpdateIniFile}));
    model.toggleOneScreen();
    apply();
    EXPECT_EQ(registry.desktop["WheelScrollLines"], "5");
    EXPECT_EQ(registry.calls.back().uiParam, 5u);

    // Read in one-screen mode: the line count to return to is 1.
    registry.desktop["WheelScrollLines"] = "-1";
    readAll();
    EXPECT_TRUE(model.oneScreen());
    model.toggleOneScreen();
    apply();
    EXPECT_EQ(registry.desktop["WheelScrollLines"], "1");
}

TEST_F(WindowsPointerTest, PrecisionOnWritesItsTripleAndPassesThresholdsFirst) {
    registry.mouse["MouseSpeed"] = "0";
    registry.mouse["MouseThreshold1"] = "0";
    registry.mouse["MouseThreshold2"] = "0";
    readAll();
    EXPECT_FALSE(model.precision());
    model.togglePrecision();
    apply();
    EXPECT_EQ(registry.mouse["MouseSpeed"], "1");
    EXPECT_EQ(registry.mouse["MouseThreshold1"], "6");
    EXPECT_EQ(registry.mouse["MouseThreshold2"], "10");
    ASSERT_EQ(registry.calls.size(), 1u);
    EXPECT_EQ(registry.calls[0],
              (SpiCall{kSpiSetMouse, 0, 0, std::array<int, 3>{6, 10, 1}, kSpifSendChange}));
    model.togglePrecision();
    apply();
    EXPECT_EQ(registry.mouse["MouseSpeed"], "0");
    EXPECT_EQ(registry.calls.back().pvArray, (std::array<int, 3>{0, 0, 0}));
}

TEST_F(WindowsPointerTest, AllFourCallsInTheirOrder) {
    readAll();
    model.setSpeedPosition(11);
    model.togglePrecision();
    model.setDoubleClickPosition(1);
    model.setWheelPosition(2);
    apply();
    ASSERT_EQ(registry.calls.size(), 4u);
    EXPECT_EQ(registry.calls[0], (SpiCall{113, 0, 20, std::nullopt, 2}));
    EXPECT_EQ(registry.calls[1], (SpiCall{4, 0, 0, std::array<int, 3>{0, 0, 0}, 2}));
    EXPECT_EQ(registry.calls[2], (SpiCall{32, 900, 0, std::nullopt, 2}));
    EXPECT_EQ(registry.calls[3], (SpiCall{105, 2, 0, std::nullopt, 1}));
    EXPECT_EQ(registry.writes, 6);
}

TEST_F(WindowsPointerTest, KeysThatDoNotOpenAndValuesThatAreMissing) {
    registry.mouse.erase("MouseSensitivity");
    registry.mouse.erase("DoubleClickSpeed");
    registry.mouse["MouseThreshold2"] = "junk";
    registry.desktop.clear();
    model.setWheelPosition(9);
    readAll();
    EXPECT_EQ(model.speedPosition(), 11);       // missing counts as 20
    EXPECT_EQ(model.doubleClickPosition(), 7);  // missing counts as 480
    EXPECT_TRUE(model.precision());
    EXPECT_EQ(model.wheelPosition(), 9);  // no WheelScrollLines: left as it was

    // Neither key opens: nothing read, the calls still run, and the error says so.
    registry.mouseOpens = false;
    registry.desktopOpens = false;
    model.setSpeedPosition(4);
    readAll();
    EXPECT_EQ(model.speedPosition(), 4);
    apply();
    EXPECT_FALSE(applied);
    EXPECT_NE(lastError.find("RegOpenKeyExA"), std::string::npos) << lastError;
    ASSERT_EQ(registry.calls.size(), 2u);
    EXPECT_EQ(registry.calls[0].action, kSpiSetMouseSpeed);
    EXPECT_EQ(registry.calls[0].pvValue, 6);

    registry.mouseOpens = true;
    registry.spiFails = true;
    apply();
    EXPECT_FALSE(applied);
    EXPECT_NE(lastError.find("SystemParametersInfoA"), std::string::npos) << lastError;
    EXPECT_EQ(registry.mouse["MouseSensitivity"], "6");
}

}  // namespace
}  // namespace vornik

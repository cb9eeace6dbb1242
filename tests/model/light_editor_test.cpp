#include "model/light_editor.h"

#include <gtest/gtest.h>

#include "image/defaults.h"

namespace vornik {
namespace {

Sections builtInSections() {
    Sections s;
    splitImage(builtInImage(), s);
    return s;
}

SettingsValues builtInValues() { return valuesFromSections(builtInSections()); }

TEST(LightPageSetup, ControlsOfEachType) {
    struct Row {
        LedType type;
        LightPageSetup setup;
    };
    const Row rows[] = {
        {LedType::Flowing,
         {false, true, true, true, false, true, ColourRow::Shown, ModeRow::Flowing}},
        {LedType::TwoColour,
         {true, true, false, false, true, false, ColourRow::Hidden, ModeRow::TwoColour}},
        {LedType::Synchronous,
         {false, false, false, false, false, false, ColourRow::Hidden, ModeRow::None}},
        {LedType::Breathing,
         {false, false, false, false, false, false, ColourRow::Untouched, ModeRow::None}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(ledTypeText(row.type));
        EXPECT_EQ(lightPageSetup(row.type), row.setup);
    }
}

TEST(LightPageSetup, TypeFollowsTheImage) {
    struct Row {
        std::uint8_t byte0, byte1;
        LedType type;
    };
    const Row rows[] = {{0x00, 0x18, LedType::Flowing},
                        {0x80, 0x18, LedType::TwoColour},
                        {0x80, 0x00, LedType::Synchronous},
                        {0x80, 0x10, LedType::Breathing}};
    for (const auto& row : rows) {
        SCOPED_TRACE(ledTypeText(row.type));
        Sections s = builtInSections();
        s.parameterA[0] = row.byte0;
        s.parameterA[1] = row.byte1;
        const SettingsValues v = valuesFromSections(s);
        EXPECT_EQ(v.gbLEDType, row.type);
        // Only the flowing light shows its mode buttons.
        const bool anyShown = flowingModeButtonsShown(v) != std::array<bool, kLightModes>{};
        EXPECT_EQ(anyShown, row.type == LedType::Flowing);
    }
}

TEST(LightModes, UncheckingModeThree) {
    SettingsValues v = builtInValues();
    ASSERT_EQ(v.cb_Mode, (std::array<bool, 7>{true, true, true, true, true, true, true}));
    ASSERT_TRUE(chooseFlowingMode(v, 5).ok());

    const EditResult r = setModeEnabled(v, 3, false);
    EXPECT_TRUE(r.changed);
    EXPECT_FALSE(flowingModeButtonsShown(v)[2]);
    EXPECT_TRUE(flowingModeButtonsShown(v)[3]);
    const auto items = flowingModeItems(v, TermColumn::English);
    EXPECT_EQ(items[2], kModeNotInCycle);
    EXPECT_EQ(items[0], "Mode 1");
    EXPECT_EQ(items[6], "Mode 7");
    EXPECT_EQ(v.cb_MCULEDCurrentMode, 0);
    EXPECT_EQ(flowingMode(v), 1);

    // A mode out of the cycle cannot be chosen.
    EXPECT_FALSE(chooseFlowingMode(v, 3).ok());
    EXPECT_EQ(flowingMode(v), 1);
    // Setting what is already set changes nothing and keeps the current mode.
    ASSERT_TRUE(chooseFlowingMode(v, 4).ok());
    EXPECT_FALSE(setModeEnabled(v, 3, false).changed);
    EXPECT_EQ(flowingMode(v), 4);
}

TEST(LightModes, ButtonClicks) {
    SettingsValues v = builtInValues();
    v.cb_RBLEDCurrentMode = 0;
    EXPECT_TRUE(chooseFlowingMode(v, 6, ModeClick::Label).changed);
    EXPECT_EQ(v.cb_RBLEDCurrentMode, 0);
    EXPECT_TRUE(chooseFlowingMode(v, 2, ModeClick::Image).changed);
    EXPECT_EQ(flowingMode(v), 2);
    EXPECT_EQ(rbMode(v), 2);
    EXPECT_EQ(modeButtonsChosen(2), (std::array<bool, 7>{false, true}));

    EXPECT_TRUE(chooseRbMode(v, 7).changed);
    EXPECT_EQ(rbMode(v), 7);
    EXPECT_FALSE(chooseRbMode(v, 8).ok());
    EXPECT_FALSE(chooseRbMode(v, 0).ok());
    EXPECT_EQ(rbMode(v), 7);
}

TEST(LightModes, CaptionKeys) {
    EXPECT_EQ(flowingModeCaptionKey(1), "Str821");
    EXPECT_EQ(flowingModeCaptionKey(7), "Str827");
    EXPECT_EQ(rbModeCaptionKey(1), "Str828");
    EXPECT_EQ(rbModeCaptionKey(7), "Str834");
    EXPECT_EQ(rbModeCaptionKey(8), "");
}

TEST(LedNumber, TypingRules) {
    struct Row {
        std::vector<const char*> typed;  // the edit's text after each key press
        const char* kept;
        int number;
    };
    const Row rows[] = {
        {{"1", "12"}, "12", 12},  // the lone "1" stays as the first digit
        {{"1"}, "1", 1},         {{"2"}, "4", 4},         {{"3"}, "4", 4},
        {{"0"}, "4", 4},         {{"9"}, "9", 9},         {{"1", "14"}, "13", 13},
        {{"1", "10"}, "10", 10}, {{"5", "55"}, "13", 13}, {{""}, "13", 13},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed.back());
        SettingsValues v = builtInValues();
        std::string text;
        for (const char* typed : row.typed) {
            text = typed;
            EXPECT_TRUE(typeLedNumber(v, text).ok());
        }
        EXPECT_EQ(text, row.kept);
        EXPECT_EQ(v.edt_MCULEDNum, row.number);
    }
}

TEST(LedNumber, LeavingALoneOne) {
    SettingsValues v = builtInValues();
    std::string text = "1";
    typeLedNumber(v, text);
    EXPECT_EQ(ledNumberBarPosition(v), 0);
    EXPECT_TRUE(leaveLedNumber(v, text).changed);
    EXPECT_EQ(text, "4");
    EXPECT_EQ(v.edt_MCULEDNum, 4);
    text = "11";
    EXPECT_TRUE(leaveLedNumber(v, text).changed);
    EXPECT_EQ(text, "11");
}

TEST(LedNumber, BarClicksAndRange) {
    SettingsValues v = builtInValues();
    EXPECT_TRUE(clickLedNumberBar(v, 1).ok());
    EXPECT_EQ(v.edt_MCULEDNum, 4);
    EXPECT_TRUE(clickLedNumberBar(v, 10).ok());
    EXPECT_EQ(v.edt_MCULEDNum, 13);
    EXPECT_EQ(ledNumberBarPosition(v), 10);
    for (const int p : {0, 11}) EXPECT_FALSE(clickLedNumberBar(v, p).ok());
    for (const int n : {3, 14}) EXPECT_FALSE(setLedNumber(v, n).ok());
    EXPECT_EQ(v.edt_MCULEDNum, 13);
}

TEST(LightBars, DisplayStyles) {
    SettingsValues v = builtInValues();
    ASSERT_TRUE(setLedNumber(v, 8).ok());
    const int p = ledNumberBarPosition(v);
    EXPECT_EQ(p, 5);
    const std::vector<bool> progress = barLit(kLedNumberBarPositions, p, false);
    const std::vector<bool> slider = barLit(kLedNumberBarPositions, p, true);
    for (int position = 1; position <= kLedNumberBarPositions; ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(progress[static_cast<std::size_t>(position - 1)], position <= 5);
        EXPECT_EQ(slider[static_cast<std::size_t>(position - 1)], position == 5);
    }
    EXPECT_EQ(barImage(true), "Bar1_E");
    EXPECT_EQ(barImage(false), "Bar1_D");

    // Num_Order 1 numbers the scale from the right.
    EXPECT_EQ(barPositionAtPlace(1, kLedNumberBarPositions, 0), 1);
    EXPECT_EQ(barPositionAtPlace(1, kLedNumberBarPositions, 1), 10);
    EXPECT_EQ(barPositionAtPlace(3, kStepBarPositions, 1), 6);
}

TEST(LightStep, BarAndTyping) {
    SettingsValues v = builtInValues();
    EXPECT_TRUE(clickStepBar(v, 1).ok());
    EXPECT_EQ(v.edt_MCULEDCrtStep, 0);
    EXPECT_EQ(stepBarPosition(v), 1);
    EXPECT_TRUE(clickStepBar(v, 8).ok());
    EXPECT_EQ(v.edt_MCULEDCrtStep, 7);
    EXPECT_EQ(stepBarPosition(v), 8);
    EXPECT_FALSE(clickStepBar(v, 9).ok());
    EXPECT_FALSE(setLightStep(v, -1).ok());

    struct Row {
        const char* typed;
        const char* kept;
        int step;
    };
    for (const Row row : {Row{"8", "7", 7}, Row{"70", "7", 7}, Row{"", "0", 0}, Row{"3", "3", 3}}) {
        SCOPED_TRACE(row.typed);
        std::string text = row.typed;
        EXPECT_TRUE(typeLightStep(v, text).ok());
        EXPECT_EQ(text, row.kept);
        EXPECT_EQ(v.edt_MCULEDCrtStep, row.step);
    }
}

TEST(SaveKeyMode, NoSaveForcesKeyModeOne) {
    Sections s = builtInSections();
    SettingsValues v = valuesFromSections(s);
    v.cb_KeyMode = 1;
    EXPECT_TRUE(keyModeChoosable(v));
    EXPECT_TRUE(setSaveKeyMode(v, false).changed);
    EXPECT_EQ(v.cb_KeyMode, 0);
    EXPECT_FALSE(keyModeChoosable(v));
    valuesToSections(v, s);
    EXPECT_EQ(s.parameterB[4], 0x00);
    EXPECT_EQ(s.parameterB[5], 0xFF);
    EXPECT_EQ(s.parameterA[0] & 0x08, 0x08);

    EXPECT_TRUE(setSaveKeyMode(v, true).changed);
    EXPECT_TRUE(keyModeChoosable(v));
    EXPECT_EQ(v.cb_KeyMode, 0);
}

TEST(SynchronousLight, LedStateCarriesOnlyTheStatusBit) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        Sections s = builtInSections();
        SettingsValues v = valuesFromSections(s);
        // Mode and step held from the flowing light must not reach the byte.
        ASSERT_NE(v.cb_MCULEDCurrentMode, 0);
        ASSERT_NE(v.edt_MCULEDCrtStep, 0);
        const std::uint8_t modes = s.parameterA[4];
        ASSERT_TRUE(setLightType(v, LedType::Synchronous).changed);
        setLightOn(v, on);
        valuesToSections(v, s);
        EXPECT_EQ(s.parameterB[2], on ? 0x00 : 0x08);
        EXPECT_EQ(s.parameterB[3], on ? 0xFF : 0xF7);
        EXPECT_EQ(s.parameterA[4], modes);
        EXPECT_FALSE(lightPageSetup(v.gbLEDType).flowingGroups);
        EXPECT_FALSE(lightPageSetup(v.gbLEDType).bars);
    }
}

TEST(RadioPairs, EachChoiceWritesItsSide) {
    SettingsValues v = builtInValues();
    v.rb_LCPIOn = v.rb_B4CPIOn = v.rb_MCULED3Control = false;
    EXPECT_TRUE(setLeftDpiSwitching(v, true).changed);
    EXPECT_TRUE(setBackDpiSwitching(v, true).changed);
    EXPECT_TRUE(setFullBrightness(v, true).changed);
    EXPECT_FALSE(setFullBrightness(v, true).changed);
    EXPECT_TRUE(v.rb_LCPIOn && v.rb_B4CPIOn && v.rb_MCULED3Control);
    EXPECT_EQ(radioImage(true), "RdS_E");
    EXPECT_EQ(radioImage(false), "RdS_D");
}

}  // namespace
}  // namespace vornik

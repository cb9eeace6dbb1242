#include "model/pointer_settings.h"

#include <gtest/gtest.h>

namespace vornik {
namespace {

TEST(PointerRulerTest, MouseXToPositionAndSliderValue) {
    const struct {
        int x;
        int position;
    } cases[] = {{-100, 1}, {0, 1},   {19, 1},   {20, 2},   {45, 2},
                 {46, 3},   {227, 9}, {253, 10}, {254, 11}, {5000, 11}};
    for (const auto& c : cases) EXPECT_EQ(pointerRulerPosition(c.x), c.position) << c.x;
    EXPECT_EQ(pointerSliderValue(1), 0);
    EXPECT_EQ(pointerSliderValue(7), 600);
    EXPECT_EQ(pointerSliderValue(11), 1000);
}

TEST(PointerReadingRulesTest, StoredTextsToPositions) {
    const struct {
        const char* text;
        int position;
    } sensitivity[] = {{"0", 1},    {"1", 1},   {"2", 2},
                       {"3", 2},    {"9", 5},   {"10", 6},
                       {"11", 6},   {"12", 7},  {"19", 10},
                       {"20", 11},  {"21", 6},  {"-1", 6},
                       {" 14 ", 8}, {"+4", 3},  {"abc", 11},
                       {"", 11},    {"7x", 11}, {"99999999999999999999999", 11}};
    for (const auto& c : sensitivity)
        EXPECT_EQ(readSensitivityPosition(c.text), c.position) << c.text;

    const struct {
        const char* text;
        int position;
    } doubleClick[] = {{"5000", 1}, {"900", 1}, {"899", 2},  {"550", 6},  {"549", 7},
                       {"500", 7},  {"480", 7}, {"479", 8},  {"270", 10}, {"269", 11},
                       {"0", 11},   {"-5", 11}, {"slow", 7}, {"", 7}};
    for (const auto& c : doubleClick)
        EXPECT_EQ(readDoubleClickPosition(c.text), c.position) << c.text;

    const struct {
        const char* text;
        int lines;
    } wheel[] = {{"1", 1},   {"11", 11},         {"0", 3},   {"25", 11},  {"12", 11},
                 {"-1", -1}, {"4294967295", -1}, {"-2", 11}, {"many", 11}};
    for (const auto& c : wheel) EXPECT_EQ(readWheelLines(c.text), c.lines) << c.text;

    using Texts = std::array<std::string, 3>;
    EXPECT_FALSE(readPrecision(Texts{"0", "0", "0"}));
    EXPECT_FALSE(readPrecision(Texts{"", "x", "0"}));
    EXPECT_TRUE(readPrecision(Texts{"0", "0", "1"}));
    EXPECT_TRUE(readPrecision(Texts{"2", "0", "0"}));
}

PointerReading readingOf(const char* sensitivity, const char* doubleClick, const char* wheel) {
    PointerReading r;
    r.sensitivity = sensitivity;
    r.precision = std::array<std::string, 3>{"1", "6", "10"};
    r.doubleClick = doubleClick;
    r.wheelLines = wheel;
    return r;
}

TEST(PointerSettingsTest, OnlyTouchedSettingsAreWrittenAndThroughTheTables) {
    PointerSettings model;
    model.read(readingOf("11", "500", "4"));
    EXPECT_EQ(model.speedPosition(), 6);
    EXPECT_EQ(model.doubleClickPosition(), 7);
    EXPECT_TRUE(model.changes().empty());

    model.setSpeedPosition(6);
    PointerWrite expected;
    expected.sensitivity = 10;
    EXPECT_EQ(model.changes(), expected);

    model.setDoubleClickPosition(7);
    expected.doubleClickMs = 480;
    EXPECT_EQ(model.changes(), expected);

    model.togglePrecision();
    expected.precision = kPrecisionOff;
    model.setWheelPosition(40);  // clamped
    expected.wheelLines = 11;
    EXPECT_EQ(model.changes(), expected);

    // A new read: nothing is the user's change any more.
    model.read(readingOf("11", "500", "4"));
    EXPECT_TRUE(model.changes().empty());
}

TEST(PointerSettingsTest, SettingsNotReadKeepTheirStateAndTheirChange) {
    PointerSettings model;
    model.read(readingOf("4", "620", "5"));
    model.setSpeedPosition(9);
    PointerReading wheelOnly;
    wheelOnly.wheelLines = "2";
    model.read(wheelOnly);
    EXPECT_EQ(model.speedPosition(), 9);
    EXPECT_EQ(model.doubleClickPosition(), 5);
    EXPECT_EQ(model.wheelPosition(), 2);
    ASSERT_TRUE(model.changes().sensitivity);
    EXPECT_EQ(*model.changes().sensitivity, 16);
    EXPECT_FALSE(model.changes().wheelLines);
}

TEST(PointerSettingsTest, OneScreenRemembersTheLineCount) {
    PointerSettings model;
    model.read(readingOf("10", "500", "5"));
    model.toggleOneScreen();
    EXPECT_TRUE(model.oneScreen());
    EXPECT_EQ(model.wheelLines(), kWheelOneScreen);
    EXPECT_EQ(model.changes().wheelLines, kWheelOneScreen);
    model.setWheelPosition(9);  // the slider is disabled meanwhile
    model.toggleOneScreen();
    EXPECT_EQ(model.wheelLines(), 5);

    model.setWheelPosition(8);
    model.toggleOneScreen();
    model.toggleOneScreen();
    EXPECT_EQ(model.changes().wheelLines, 8);

    model.read(readingOf("10", "500", "-1"));
    EXPECT_TRUE(model.oneScreen());
    EXPECT_EQ(model.wheelPosition(), 1);
    model.toggleOneScreen();
    EXPECT_EQ(model.changes().wheelLines, 1);
}

}  // namespace
}  // namespace vornik

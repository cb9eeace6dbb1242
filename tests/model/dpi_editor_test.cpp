#include "model/dpi_editor.h"

#include <gtest/gtest.h>

#include "image/defaults.h"

namespace vornik {
namespace {

SettingsValues builtInValues() {
    Sections s;
    splitImage(builtInImage(), s);
    return valuesFromSections(s);
}

SettingsValues withLevels(int count, int current) {
    SettingsValues v = builtInValues();
    v.cb_CPIStep = count - 2;
    v.cb_CurrentCPI = current - 1;
    return v;
}

TEST(DpiLevelCount, TheHighestLevelBecomesCurrent) {
    struct Row {
        int count, current, newCount;
        bool changed;
    };
    const Row rows[] = {
        {4, 1, 3, true},  // level 1 was current: level 3 is now
        {4, 4, 3, true},  {2, 1, 7, true}, {7, 7, 2, true},
        {5, 2, 5, true},  // the same count still moves the current level to the top
        {5, 5, 5, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.count << " -> " << row.newCount);
        SettingsValues v = withLevels(row.count, row.current);
        const EditResult r = setLevelCount(v, row.newCount);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(r.changed, row.changed);
        EXPECT_EQ(levelCount(v), row.newCount);
        EXPECT_EQ(currentLevel(v), row.newCount);
    }
}

TEST(DpiLevelCount, OutsideTwoToSevenIsRefusedUnchanged) {
    for (const int count : {-1, 0, 1, 8, 255}) {
        SCOPED_TRACE(count);
        SettingsValues v = withLevels(4, 2);
        const SettingsValues before = v;
        const EditResult r = setLevelCount(v, count);
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(v, before);
    }
}

TEST(DpiLevelLabels, AddTheNextRemoveTheLastNeverBelowTwo) {
    struct Row {
        int count, current, click;
        int countAfter, currentAfter;
    };
    const Row rows[] = {
        {4, 1, 6, 4, 1},                   // beyond the next level: nothing
        {4, 1, 7, 4, 1}, {4, 1, 5, 5, 5},  // the next level is added and made current
        {5, 1, 5, 4, 4},  // the last level is removed, the one below becomes current
        {4, 2, 3, 4, 2},  // neither next nor last
        {2, 1, 2, 2, 1},  // levels 1 and 2 are never removed
        {2, 2, 1, 2, 2}, {3, 1, 2, 3, 1}, {2, 1, 3, 3, 3}, {6, 1, 7, 7, 7}, {7, 3, 7, 6, 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "levels " << row.count << ", lbl_DPI" << row.click);
        SettingsValues v = withLevels(row.count, row.current);
        const EditResult r = clickLevelLabel(v, row.click);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(levelCount(v), row.countAfter);
        EXPECT_EQ(currentLevel(v), row.currentAfter);
        EXPECT_EQ(r.changed, row.countAfter != row.count);
    }
}

TEST(DpiLevelLabels, FiveAddedThenRemoved) {
    SettingsValues v = withLevels(4, 1);
    clickLevelLabel(v, 5);
    EXPECT_EQ(levelCount(v), 5);
    EXPECT_EQ(currentLevel(v), 5);
    clickLevelLabel(v, 5);
    EXPECT_EQ(levelCount(v), 4);
    EXPECT_EQ(currentLevel(v), 4);
}

TEST(DpiCurrentLevel, OnlyALevelInUse) {
    SettingsValues v = withLevels(4, 1);
    EXPECT_TRUE(setCurrentLevel(v, 4).changed);
    EXPECT_EQ(currentLevel(v), 4);
    for (const int level : {0, 5, 7, 8}) {
        SCOPED_TRACE(level);
        const EditResult r = setCurrentLevel(v, level);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(currentLevel(v), 4);
    }
}

TEST(DpiSliderRuler, IndexAtX) {
    struct Row {
        int dpiCount, x, index;
    };
    const Row rows[] = {
        // DPI_Count 11: step 20, start -5.
        {11, -100, 0},
        {11, -5, 0},
        {11, 0, 0},
        {11, 15, 0},
        {11, 16, 1},
        {11, 35, 1},
        {11, 36, 2},
        {11, 175, 8},
        {11, 176, 9},
        {11, 195, 9},
        {11, 196, 10},
        {11, 200, 10},
        {11, 224, 10},
        // DPI_Count 12: step 18, start -4.
        {12, -4, 0},
        {12, 14, 0},
        {12, 15, 1},
        {12, 194, 10},
        {12, 195, 11},
        {12, 224, 11},
        // Counts outside 1-12 are taken at the nearest end.
        {1, 224, 0},
        {0, 224, 0},
        {13, 224, 11},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "DPI_Count " << row.dpiCount << ", x " << row.x);
        EXPECT_EQ(sliderIndexAt(row.x, row.dpiCount), row.index);
    }
    EXPECT_EQ(sliderMaximum(11), 1000);
    EXPECT_EQ(sliderMaximum(12), 1100);
}

TEST(DpiSliderRuler, ReleaseAt224) {
    const EnglishTexts english;
    struct Row {
        int dpiCount;
        int index;
        const char* dpi;
    };
    for (const Row row : {Row{11, 10, "6400"}, Row{12, 11, "8000"}}) {
        SCOPED_TRACE(row.dpiCount);
        SettingsValues v = builtInValues();
        const EditResult r = releaseLevelSlider(v, 3, 224, row.dpiCount);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(v.cb_CPI[2], row.index);
        EXPECT_EQ(levelSliderValue(v, 3), row.index * 100);
        EXPECT_EQ(dpiValueKey(v.cb_CPI[2]), "Str3" + std::to_string(row.index));
        EXPECT_EQ(std::to_string(kDpiValues[static_cast<std::size_t>(row.index)]), row.dpi);
    }
    // The English file has no Str311: index 11 shows an empty text there.
    EXPECT_EQ(english.text(dpiValueKey(10)), "6400");
    EXPECT_EQ(english.text(sliderValueKey(1150)), "");
}

TEST(DpiLevelValue, ComboAndNoValue) {
    SettingsValues v = builtInValues();
    EXPECT_TRUE(setLevelValue(v, 7, 11).changed);
    EXPECT_FALSE(setLevelValue(v, 7, 11).changed);
    EXPECT_FALSE(setLevelValue(v, 7, 12).ok());
    EXPECT_FALSE(setLevelValue(v, 8, 0).ok());
    EXPECT_EQ(v.cb_CPI[6], 11);

    // A level without a value keeps its slider where it was and shows the text of index 0.
    v.cb_CPI[1] = kNoItem;
    EXPECT_EQ(levelSliderValue(v, 2), std::nullopt);
    EXPECT_EQ(dpiLevelView(v, 2).valueKey, "Str300");
    EXPECT_EQ(sliderValueKey(0), "Str300");
    EXPECT_EQ(sliderValueKey(450), "Str304");
}

TEST(DpiColours, EditTextsClamp) {
    struct Row {
        const char* typed;
        const char* kept;
        int value;
    };
    const Row rows[] = {{"0", "0", 0},
                        {"7", "7", 7},
                        {"255", "255", 255},
                        {"256", "255", 255},
                        {"99999999", "255", 255},
                        {"", "0", 0},
                        {"-1", "0", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        SettingsValues v = builtInValues();
        std::string text = row.typed;
        EXPECT_TRUE(typeLevelColour(v, 4, 1, text).ok());
        EXPECT_EQ(text, row.kept);
        EXPECT_EQ(v.edt_CPIColor[3][1], row.value);
    }
}

TEST(DpiColours, RefusedOutsideTheirRanges) {
    SettingsValues v = builtInValues();
    const SettingsValues before = v;
    EXPECT_FALSE(setLevelColour(v, 1, 0, 256).ok());
    EXPECT_FALSE(setLevelColour(v, 1, 0, -1).ok());
    EXPECT_FALSE(setLevelColour(v, 1, 3, 0).ok());
    EXPECT_FALSE(setLevelColour(v, 0, 0, 0).ok());
    EXPECT_EQ(v, before);
}

TEST(DpiColours, LabelWorksOnlyForTheFlowingLight) {
    const Rgb colour{0x12, 0x34, 0x56};
    for (const LedType type :
         {LedType::Flowing, LedType::TwoColour, LedType::Synchronous, LedType::Breathing}) {
        SCOPED_TRACE(ledTypeText(type));
        SettingsValues v = builtInValues();
        v.gbLEDType = type;
        const SettingsValues before = v;
        const bool flowing = type == LedType::Flowing;
        EXPECT_EQ(colourLabelActive(v), flowing);
        const EditResult r = pickLevelColour(v, 2, colour);
        EXPECT_EQ(r.ok(), flowing);
        if (flowing) {
            EXPECT_EQ(levelColour(v, 2), colour);
            EXPECT_EQ(dpiLevelView(v, 2).swatch, colour);
        } else {
            EXPECT_EQ(v, before);
            EXPECT_EQ(dpiLevelView(v, 2).swatch, std::nullopt);
        }
    }
}

TEST(DpiLevelView, InUseAndCurrent) {
    const SettingsValues v = withLevels(4, 3);
    for (int level = 1; level <= kMaxDpiLevels; ++level) {
        SCOPED_TRACE(level);
        const DpiLevelView view = dpiLevelView(v, level);
        EXPECT_EQ(view.inUse, level <= 4);
        EXPECT_EQ(view.current, level == 3);
    }
    EXPECT_EQ(markerImage(true), "CbS_E");
    EXPECT_EQ(markerImage(false), "CbS_D");
}

class AimValue : public testing::Test {
  protected:
    void SetUp() override {
        Sections s;
        splitImage(builtInImage(), s);
        profile = s.profile;
        codes.rebuild(profile);
    }
    void giveAimKey(int mode, int button, std::uint8_t index) {
        ASSERT_TRUE(codes.store(mode, button, FunctionCode{0x0A, index, 0}.text(), profile));
    }

    ProfileCodes codes;
    std::array<std::uint8_t, ProfileCodes::kSectionSize> profile{};
};

TEST_F(AimValue, ReadFromTheSecondCodeByte) {
    EXPECT_FALSE(hasAimButton(codes));
    EXPECT_EQ(aimIndexOf(codes), std::nullopt);
    giveAimKey(2, 5, 3);
    ASSERT_EQ(aimIndexOf(codes), 3);
    EXPECT_EQ(aimSliderValue(*aimIndexOf(codes)), 300);
    EXPECT_EQ(EnglishTexts().text(dpiValueKey(*aimIndexOf(codes))), "1200");
}

TEST_F(AimValue, EveryAimButtonOfBothModesTakesTheValue) {
    giveAimKey(1, 4, 0);
    giveAimKey(2, 9, 2);
    int aim = 0;
    const EditResult r = setAimValue(aim, codes, profile, 7);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(aim, 7);
    for (const auto& [mode, button] : {std::pair{1, 4}, std::pair{2, 9}}) {
        EXPECT_EQ(codes.code(mode, button), "0A0700");
        EXPECT_EQ(profile[ProfileCodes::offset(mode, button) + 1], 7);
    }
    // Other buttons keep their codes.
    EXPECT_EQ(codes.code(1, 1), "010100");
    EXPECT_FALSE(setAimValue(aim, codes, profile, 7).changed);
    EXPECT_FALSE(setAimValue(aim, codes, profile, 11).ok());
    EXPECT_EQ(aim, 7);
}

TEST_F(AimValue, WithoutAnAimButtonTheValueFallsBackToZero) {
    const auto before = profile;
    int aim = 5;
    EditResult r = setAimValue(aim, codes, profile, 3);
    EXPECT_EQ(r.error, kNoAimButtonMessage);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(aim, 0);
    EXPECT_EQ(profile, before);

    r = releaseAimSlider(aim, codes, profile, 100, 11);
    EXPECT_EQ(r.error, kNoAimButtonMessage);
    EXPECT_FALSE(r.changed);
}

TEST_F(AimValue, SliderBeyondTheComboTakesItsLastValue) {
    giveAimKey(1, 3, 0);
    int aim = 0;
    EXPECT_TRUE(releaseAimSlider(aim, codes, profile, 224, 12).ok());
    EXPECT_EQ(aim, kAimValueCount - 1);
    EXPECT_TRUE(releaseAimSlider(aim, codes, profile, 16, 11).ok());
    EXPECT_EQ(aim, 1);
    EXPECT_EQ(codes.code(1, 3), "0A0100");
}

}  // namespace
}  // namespace vornik

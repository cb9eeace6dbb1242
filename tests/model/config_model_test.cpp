// The configuration model's operations and checks, and what its listeners hear.
#include "model/config_model.h"

#include <gtest/gtest.h>

#include "image/defaults.h"
#include "model/dpi_editor.h"
#include "model/light_editor.h"

namespace vornik {
namespace {

struct RecordingListener : ConfigModel::Listener {
    std::vector<ChangeSet> heard;
    void modelChanged(ChangeSet changes) override { heard.push_back(changes); }
};

class ConfigModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model.loadFromImage(builtInImage());
        model.addListener(listener);
    }
    ConfigModel model;
    RecordingListener listener;
};

TEST_F(ConfigModelTest, LoadingAnImageRebuildsCodesAndValuesAndTellsEveryView) {
    ConfigImage image = builtInImage();
    image[0x34] = 0x80;
    image[0x35] = 0x7F;
    image[0x040] ^= 0xFF;  // the profile fails its check: repaired from the defaults
    const RepairReport repairs = model.loadFromImage(image);
    EXPECT_TRUE(repairs.profile);
    EXPECT_EQ(model.keyMode(), 2);
    EXPECT_EQ(model.values().cb_KeyMode, 1);
    EXPECT_EQ(model.buttonFunction(1, 1), "010100");
    EXPECT_FALSE(model.image().incomplete);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0], ChangeSet::everything());
}

TEST_F(ConfigModelTest, ButtonFunctionsAreCheckedBeforeTheyAreStored) {
    struct Case {
        int mode;
        int button;
        const char* code;
        bool ok;
    } cases[] = {
        {2, 4, "011000", true},   {1, 9, "0e0721", true},  {2, 1, "0600F0", true},
        {1, 1, "0A0B00", true},   {1, 2, "0C0808", true},  {1, 3, "020004", true},
        {0, 1, "011000", false},  {3, 1, "011000", false}, {1, 0, "011000", false},
        {1, 10, "011000", false}, {1, 1, "01100", false},  {1, 1, "0x1100", false},
        {1, 1, "0E00F0", false},  // continuous fire exists only in driver mode
        {1, 1, "060120", false},  {1, 1, "0A0C00", false}, {1, 1, "0C0B0B", false},
        {1, 1, "110000", false},  {1, 1, "020000", true},  {1, 1, "021004", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const auto before = model.sections().profile;
        listener.heard.clear();
        const EditResult result = model.setButtonFunction(c.mode, c.button, c.code);
        EXPECT_EQ(result.ok(), c.ok) << result.error;
        if (!c.ok) {
            EXPECT_FALSE(result.error.empty());
            EXPECT_EQ(model.sections().profile, before);
            EXPECT_TRUE(listener.heard.empty());
            continue;
        }
        EXPECT_TRUE(result.changed);
        const auto code = FunctionCode::fromText(c.code)->bytes();
        const auto at = ProfileCodes::offset(c.mode, c.button);
        EXPECT_TRUE(std::equal(code.begin(), code.end(),
                               model.sections().profile.begin() + static_cast<std::ptrdiff_t>(at)));
        EXPECT_EQ(model.buttonFunction(c.mode, c.button), FunctionCode::fromText(c.code)->text());
        ASSERT_EQ(listener.heard.size(), 1u);
        EXPECT_TRUE(listener.heard[0].has(Change::Buttons));
    }
    // The same code again changes nothing and tells nobody.
    listener.heard.clear();
    EXPECT_FALSE(model.setButtonFunction(2, 4, "011000").changed);
    EXPECT_TRUE(listener.heard.empty());
}

// The menus' rule counts the buttons of the edited key mode after the change.
TEST_F(ConfigModelTest, AssigningKeepsALeftKeyInEachKeyMode) {
    ASSERT_EQ(model.buttonFunction(1, 1), kLeftKeyCode);
    ASSERT_TRUE(model.setButtonFunction(1, 8, kLeftKeyCode).ok());
    EXPECT_TRUE(model.assignButtonFunction(1, 1, "0300E2").changed);

    const auto before = model.sections().profile;
    listener.heard.clear();
    const EditResult refused = model.assignButtonFunction(1, 8, "010200");
    EXPECT_EQ(refused.error, kKeepLeftKeyMessage);
    EXPECT_EQ(model.buttonFunction(1, 8), kLeftKeyCode);
    EXPECT_EQ(model.sections().profile, before);
    EXPECT_TRUE(listener.heard.empty());

    // The same code again, or another button of the mode, is no loss of the left button.
    EXPECT_TRUE(model.assignButtonFunction(1, 8, kLeftKeyCode).ok());
    EXPECT_TRUE(model.assignButtonFunction(1, 2, "070000").ok());
    // Key mode 2 has a left button of its own.
    ASSERT_EQ(model.buttonFunction(2, 1), kLeftKeyCode);
    EXPECT_EQ(model.assignButtonFunction(2, 1, "0300E2").error, kKeepLeftKeyMessage);
    // A key mode already without one takes a left button, and nothing else.
    ASSERT_TRUE(model.setButtonFunction(2, 1, "0300E2").ok());
    EXPECT_EQ(model.assignButtonFunction(2, 2, "080000").error, kKeepLeftKeyMessage);
    EXPECT_TRUE(model.assignButtonFunction(2, 9, kLeftKeyCode).ok());
    // The code's own checks still come first for a bad code.
    EXPECT_NE(model.assignButtonFunction(1, 1, "zz").error, kKeepLeftKeyMessage);
}

TEST_F(ConfigModelTest, DriverModeTakesDriverBlockAddresses) {
    model.setEepromMode(false);
    EXPECT_TRUE(model.setButtonFunction(1, 1, "060920").ok());
    EXPECT_TRUE(model.setButtonFunction(1, 1, "0E00F0").ok());
    EXPECT_FALSE(model.setButtonFunction(1, 1, "060121").ok());
}

TEST_F(ConfigModelTest, KeyModeKeepsBytesValuesAndViewsInStep) {
    EXPECT_FALSE(model.setKeyMode(3).ok());
    EXPECT_FALSE(model.setKeyMode(0).ok());
    EXPECT_TRUE(listener.heard.empty());
    const EditResult result = model.setKeyMode(2);
    EXPECT_TRUE(result.ok() && result.changed);
    EXPECT_EQ(model.sections().parameterB[4], 0x80);
    EXPECT_EQ(model.sections().parameterB[5], 0x7F);
    EXPECT_EQ(model.values().cb_KeyMode, 1);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_TRUE(listener.heard[0].has(Change::KeyMode) && listener.heard[0].has(Change::Values));
    EXPECT_FALSE(model.setKeyMode(2).changed);
}

// A slot 1-4 whose content fails its check is emptied on loading, its name kept; a valid one
// and slots 5-6 stay. In driver mode the slots are left alone.
TEST_F(ConfigModelTest, LoadingEmptiesMacroSlotsThatFailTheirCheck) {
    const std::uint8_t valid[] = {0x00, 0x05, 0x82, 0x04, 0x02, 0x04, 0xCB};
    ConfigImage image = builtInImage();
    auto slot = [&](int k) { return (k <= 4 ? 0x100 + (k - 1) * 256 : 0x600 + (k - 5) * 256); };
    for (int k : {1, 2, 5}) {
        image[static_cast<std::size_t>(slot(k) + 1)] = 'M';
        std::copy(std::begin(valid), std::end(valid), image.begin() + slot(k) + 32);
    }
    image[static_cast<std::size_t>(slot(2) + 32 + 6)] ^= 1;  // slot 2's check byte is wrong
    image[static_cast<std::size_t>(slot(5) + 32 + 6)] ^= 1;  // slot 5 has no check

    for (const bool eeprom : {true, false}) {
        SCOPED_TRACE(eeprom ? "configuration memory" : "driver mode");
        model.setEepromMode(eeprom);
        model.loadFromImage(image);
        const DeviceMacroSlots slots = model.macroSlots();
        EXPECT_EQ(slots[0].content[6], 0xCB);
        EXPECT_EQ(slots[1].name[1], 'M');
        EXPECT_EQ(slots[1].content[1], eeprom ? 0x00 : 0x05);
        EXPECT_EQ(slots[4].content[1], 0x05);
    }
}

TEST_F(ConfigModelTest, NoSaveHoldsKeyModeOne) {
    SettingsValues values = model.values();
    values.cb_KeyMode = 1;
    ASSERT_TRUE(setSaveKeyMode(values, false).changed);
    ASSERT_TRUE(model.setValues(values).ok());
    EXPECT_EQ(model.keyMode(), 1);
    EXPECT_EQ(model.sections().parameterB[4], 0x00);
    EXPECT_FALSE(model.setKeyMode(2).ok());
    EXPECT_EQ(model.sections().parameterB[4], 0x00);
    EXPECT_TRUE(model.setKeyMode(1).ok());
}

TEST_F(ConfigModelTest, ValuesGoIntoTheSectionsAtOnce) {
    SettingsValues values = model.values();
    values.cb_CPI[0] = 10;
    values.cb_KeyMode = 1;
    const EditResult result = model.setValues(values);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(model.sections().parameterA[6], 10);
    EXPECT_EQ(model.keyMode(), 2);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_TRUE(listener.heard[0].has(Change::Values) && listener.heard[0].has(Change::KeyMode));
    EXPECT_FALSE(model.setValues(values).changed);

    // What the join writes: the working copies with fresh integrity codes.
    model.storeToImage();
    EXPECT_EQ(model.image().bytes[6], 10);
    EXPECT_TRUE(sectionCodeValid(std::span(model.image().bytes).subspan(0, 48)));
}

// The AIM value lives in the model: a load takes it from the AIM buttons, an edit gives it to
// all of them, and without an AIM button it falls back to 0.
TEST_F(ConfigModelTest, TheAimValueFollowsTheAimButtons) {
    const auto profileByte = [&](int mode, int button, int byte) {
        return model.sections().profile[ProfileCodes::offset(mode, button) + byte];
    };
    ConfigImage image = builtInImage();
    const auto aimAt = section::kProfile.address + ProfileCodes::offset(2, 6);
    image[aimAt] = 0x0A;
    image[aimAt + 1] = 3;
    image[aimAt + 2] = 0;
    image[section::kProfile.address + section::kProfile.size - 1] = sectionCode(
        std::span(image).subspan(section::kProfile.address, section::kProfile.size - 1));
    model.loadFromImage(image);
    EXPECT_EQ(model.aimIndex(), 3);

    ASSERT_TRUE(model.setButtonFunction(1, 4, "0A0000").ok());
    listener.heard.clear();
    const EditResult chosen = model.setAimValue(9);
    EXPECT_TRUE(chosen.ok() && chosen.changed);
    EXPECT_EQ(model.aimIndex(), 9);
    EXPECT_EQ(profileByte(1, 4, 1), 9);
    EXPECT_EQ(profileByte(2, 6, 1), 9);
    EXPECT_EQ(model.buttonFunction(2, 6), "0A0900");
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_TRUE(listener.heard[0].has(Change::Buttons) && listener.heard[0].has(Change::Values));
    EXPECT_FALSE(model.setAimValue(11).ok());  // the AIM combo lists 500 to 6400
    EXPECT_EQ(model.aimIndex(), 9);

    // The slider can reach 8000 with twelve DPI values; the highest listed value is taken.
    EXPECT_TRUE(model.releaseAimSlider(224, 12).ok());
    EXPECT_EQ(model.aimIndex(), 10);
    EXPECT_TRUE(model.releaseAimSlider(16, 11).ok());
    EXPECT_EQ(model.aimIndex(), 1);

    // An image without an AIM button keeps the value; an edit then falls back to 0.
    model.loadFromImage(builtInImage());
    EXPECT_EQ(model.aimIndex(), 1);
    const auto profileBefore = model.sections().profile;
    listener.heard.clear();
    const EditResult refused = model.setAimValue(5);
    EXPECT_EQ(refused.error, kNoAimButtonMessage);
    EXPECT_EQ(model.aimIndex(), 0);
    EXPECT_EQ(model.sections().profile, profileBefore);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0], ChangeSet(Change::Values));
}

TEST_F(ConfigModelTest, AListenerMayLeaveWhileItIsTold) {
    struct Leaving : ConfigModel::Listener {
        ConfigModel* model = nullptr;
        int told = 0;
        void modelChanged(ChangeSet) override {
            ++told;
            model->removeListener(*this);
        }
    } leaving;
    leaving.model = &model;
    model.addListener(leaving);
    model.setKeyMode(2);
    model.setKeyMode(1);
    EXPECT_EQ(leaving.told, 1);
    EXPECT_EQ(listener.heard.size(), 2u);
}

}  // namespace
}  // namespace vornik

#include "model/settings_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "image/defaults.h"

namespace vornik {
namespace {

class SettingsKeys : public testing::Test {
  protected:
    void SetUp() override {
        splitImage(builtInImage(), sections);
        target.values = valuesFromSections(sections);
        target.profile = sections.profile;
        target.codes.rebuild(target.profile);
        for (auto& key : dpiSettingsKeys()) keys.emplace(key.name, key);
        for (auto& key : lightSettingsKeys()) keys.emplace(key.name, key);
    }

    const SettingsKey& key(const std::string& name) {
        const auto it = keys.find(name);
        EXPECT_NE(it, keys.end()) << name;
        return it->second;
    }
    EditResult set(const std::string& name, std::string_view value) {
        return key(name).set(target, value);
    }
    std::string get(const std::string& name) { return key(name).get(target); }

    // The image the target's values and codes give.
    ConfigImage imageOf(const SettingsKeyTarget& t) {
        Sections s = sections;
        valuesToSections(t.values, s);
        s.profile = t.profile;
        ConfigImage image = builtInImage();
        joinImage(s, image);
        return image;
    }

    Sections sections;
    SettingsKeyTarget target;
    std::map<std::string, SettingsKey> keys;
};

TEST(SettingsKeyTexts, DpiValues) {
    struct Row {
        const char* text;
        std::optional<int> index;
    };
    const Row rows[] = {{"500", 0},
                        {"1600", 4},
                        {"8000", 11},
                        {"1700", std::nullopt},
                        {"01600", std::nullopt},
                        {"", std::nullopt},
                        {"-500", std::nullopt},
                        {"1600 ", std::nullopt},
                        {"4", std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(dpiIndexOfText(row.text), row.index);
        if (row.index) {
            EXPECT_EQ(dpiTextOf(*row.index), row.text);
        }
    }
    EXPECT_EQ(dpiTextOf(kNoItem), "none");
}

TEST(SettingsKeyTexts, Colours) {
    EXPECT_EQ(colourOfText("#12aBfF"), (Rgb{0x12, 0xAB, 0xFF}));
    EXPECT_EQ(colourText(Rgb{0x12, 0xAB, 0x0F}), "#12AB0F");
    for (const char* bad : {"12ABFF", "#12ABF", "#12ABFFF", "#12ABFG", "", "#"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(colourOfText(bad), std::nullopt);
    }
}

TEST(SettingsKeyTexts, ModeSets) {
    EXPECT_EQ(modeSetOfText("1,3,5").modes,
              (std::array<bool, 7>{true, false, true, false, true, false, false}));
    EXPECT_EQ(modeSetOfText("7,1").modes,
              (std::array<bool, 7>{true, false, false, false, false, false, true}));
    EXPECT_TRUE(modeSetOfText("none").error.empty());
    EXPECT_EQ(modeSetOfText("none").modes, (std::array<bool, 7>{}));
    for (const char* bad : {"", "0", "8", "1,,3", "1,", ",1", "3,3", "1 ,3", "a"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(modeSetOfText(bad).error.empty());
    }
    EXPECT_EQ(modeSetText({true, false, true, false, true}), "1,3,5");
    EXPECT_EQ(modeSetText({}), "none");
}

TEST_F(SettingsKeys, BuiltInImageAsRead) {
    const std::pair<const char*, const char*> expected[] = {
        {"dpi.count", "6"},     {"dpi.current", "2"},
        {"dpi.level1", "800"},  {"dpi.level2", "1600"},
        {"dpi.level7", "3200"}, {"dpi.color1", "#FF0000"},
        {"aim", "none"},        {"light.on", "1"},
        {"light.mode", "4"},    {"light.modes", "1,2,3,4,5,6,7"},
        {"light.leds", "10"},   {"light.step", "2"},
        {"light.bright", "1"},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(get(name), value) << name;
}

TEST_F(SettingsKeys, RefusedValuesChangeNothing) {
    struct Row {
        const char* key;
        const char* value;
        LedType type = LedType::Flowing;
    };
    const Row rows[] = {
        {"dpi.count", "1"},
        {"dpi.count", "8"},
        {"dpi.count", "x"},
        {"dpi.current", "7"},  // six levels in use
        {"dpi.current", "0"},
        {"dpi.level3", "1700"},
        {"dpi.level3", ""},
        {"dpi.color2", "#GG0000"},
        {"dpi.color2", "#00FF00", LedType::TwoColour},
        {"dpi.color2", "#00FF00", LedType::Synchronous},
        {"dpi.color2", "#00FF00", LedType::Breathing},
        {"aim", "1600"},  // no AIM button
        {"aim", "1700"},
        {"light.on", "2"},
        {"light.on", "yes"},
        {"light.mode", "8"},
        {"light.mode", "0"},
        {"light.mode", "2", LedType::Synchronous},
        {"light.mode", "2", LedType::Breathing},
        {"light.modes", "1,8"},
        {"light.modes", "2", LedType::TwoColour},
        {"light.leds", "3"},
        {"light.leds", "14"},
        {"light.leds", "8", LedType::Synchronous},
        {"light.step", "8"},
        {"light.step", "3", LedType::TwoColour},
        {"light.bright", "2"},
        {"light.bright", "0", LedType::Breathing},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.key << "=" << row.value << " with " << ledTypeText(row.type));
        target.values.gbLEDType = row.type;
        const SettingsValues values = target.values;
        const auto profile = target.profile;
        const EditResult r = set(row.key, row.value);
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(target.values, values);
        EXPECT_EQ(target.profile, profile);
    }
}

TEST_F(SettingsKeys, AimTakesTheComboRangeOnly) {
    ASSERT_TRUE(target.codes.store(1, 6, "0A0000", target.profile));
    ASSERT_TRUE(target.codes.store(2, 2, "0A0500", target.profile));
    EXPECT_EQ(get("aim"), "2000");
    EXPECT_FALSE(set("aim", "8000").ok());
    EXPECT_EQ(set("aim", "6400").changed, true);
    EXPECT_EQ(get("aim"), "6400");
    EXPECT_EQ(target.profile[ProfileCodes::offset(1, 6) + 1], 10);
    EXPECT_EQ(target.profile[ProfileCodes::offset(2, 2) + 1], 10);
}

// A change reaches the image only at the addresses its key names.
TEST_F(SettingsKeys, ChangesStayWithinTheKeysAddresses) {
    ASSERT_TRUE(target.codes.store(1, 2, "0A0000", target.profile));
    const std::pair<const char*, const char*> settings[] = {
        {"dpi.count", "3"},        {"dpi.current", "1"},   {"dpi.level2", "8000"},
        {"dpi.color5", "#123456"}, {"aim", "4800"},        {"light.on", "0"},
        {"light.mode", "7"},       {"light.modes", "2,6"}, {"light.leds", "4"},
        {"light.step", "7"},       {"light.bright", "0"},
    };
    for (const auto& [name, value] : settings) {
        SCOPED_TRACE(name);
        SettingsKeyTarget changed = target;
        const ConfigImage before = imageOf(changed);
        const EditResult r = key(name).set(changed, value);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_TRUE(r.changed);
        const ConfigImage after = imageOf(changed);
        const auto& addresses = key(name).addresses;
        int differing = 0;
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (before[i] == after[i]) continue;
            ++differing;
            EXPECT_NE(std::find(addresses.begin(), addresses.end(), i), addresses.end())
                << "address " << i;
        }
        EXPECT_GT(differing, 0);
        EXPECT_EQ(key(name).get(changed), value);
    }
}

TEST_F(SettingsKeys, RbLightModeIsTheRbList) {
    target.values.gbLEDType = LedType::TwoColour;
    ASSERT_TRUE(set("light.mode", "6").ok());
    EXPECT_EQ(target.values.cb_RBLEDCurrentMode, 5);
    EXPECT_EQ(get("light.mode"), "6");
    target.values.gbLEDType = LedType::Synchronous;
    EXPECT_EQ(get("light.mode"), "0");
}

// Every key set, written into the sections, joined into an image, split and read again.
TEST_F(SettingsKeys, RoundTripThroughTheImage) {
    ASSERT_TRUE(target.codes.store(2, 4, "0A0000", target.profile));
    const std::pair<const char*, const char*> settings[] = {
        {"dpi.count", "7"},        {"dpi.level1", "500"},     {"dpi.level2", "1000"},
        {"dpi.level3", "2000"},    {"dpi.level4", "2400"},    {"dpi.level5", "4000"},
        {"dpi.level6", "6400"},    {"dpi.level7", "8000"},    {"dpi.current", "5"},
        {"dpi.color1", "#010203"}, {"dpi.color4", "#A0B0C0"}, {"dpi.color7", "#FFFFFF"},
        {"aim", "1200"},           {"light.modes", "1,3,5"},  {"light.mode", "3"},
        {"light.on", "0"},         {"light.leds", "12"},      {"light.step", "6"},
        {"light.bright", "0"},
    };
    for (const auto& [name, value] : settings) {
        const EditResult r = set(name, value);
        EXPECT_TRUE(r.ok()) << name << ": " << r.error;
    }
    // The editors' own operations, beside the keys.
    std::string leds = "1";
    typeLedNumber(target.values, leds);
    leds = "12";
    typeLedNumber(target.values, leds);
    ASSERT_TRUE(setSaveKeyMode(target.values, false).ok());

    valuesToSections(target.values, sections);
    sections.profile = target.profile;
    ConfigImage image = builtInImage();
    joinImage(sections, image);

    const auto& a = section::kParameterA;
    const auto& b = section::kParameterB;
    EXPECT_EQ(image[a.address + 2], 7);
    const std::uint8_t levels[] = {0, 2, 5, 6, 8, 10, 11};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(image[a.address + 6 + k], levels[k]) << k;
    EXPECT_EQ(image[a.address + 26], 0x01);
    EXPECT_EQ(image[a.address + 28], 0x03);
    EXPECT_EQ(image[a.address + 35], 0xA0);
    EXPECT_EQ(image[a.address + 46], 0xFF);
    EXPECT_EQ(image[a.address + 0] & 0x88, 0x08);  // flowing light, No Save
    EXPECT_EQ(image[a.address + 3], (13 - 12) << 4 | (builtInImage()[a.address + 3] & 0x07));
    EXPECT_EQ(image[a.address + 4], 0b0010'1011);  // modes 1, 3, 5 and bit 0
    EXPECT_EQ(image[b.address + 0], 4);
    EXPECT_EQ(image[b.address + 1], 0xFB);
    EXPECT_EQ(image[b.address + 2], 6 << 5 | 0x08 | 3);
    EXPECT_EQ(image[b.address + 3], static_cast<std::uint8_t>(~(6 << 5 | 0x08 | 3)));
    EXPECT_EQ(image[b.address + 4], 0x00);
    EXPECT_EQ(image[section::kProfile.address + ProfileCodes::offset(2, 4) + 1], 3);

    Sections read;
    const RepairReport repairs = splitImage(image, read);
    EXPECT_FALSE(repairs.any());
    SettingsKeyTarget again;
    again.values = valuesFromSections(read, target.values);
    again.profile = read.profile;
    again.codes.rebuild(again.profile);
    EXPECT_EQ(again.values, target.values);
    for (const auto& [name, value] : settings) {
        EXPECT_EQ(key(name).get(again), value) << name;
    }
}

}  // namespace
}  // namespace vornik

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "formats/embedded_resources.h"
#include "formats/options.h"

namespace vornik {
namespace {

AppOptions parseOrg(std::string_view body) {
    return parseOptions(IniFile::parse("[org]\r\n" + std::string(body)));
}

std::string_view shippedOrg() {
    const auto bytes = embeddedResource("ORG");
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(Options, ShippedFileHoldsTheEmbeddedValues) {
    const std::string_view text = shippedOrg();
    ASSERT_FALSE(text.empty());
    for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;

    const IniFile ini = IniFile::parse(text);
    // Every option is spelt out in the file, not left to the defaults.
    for (const char* key : {"Web_Enable", "Web", "Web_X", "Web_Y", "Rev_Manu_ID", "Rev_Pro_ID",
                            "Path", "TR_Enable", "GD_Enable", "DPILED_Status", "Gun6_Num",
                            "Gun7_Num", "Num_Order", "Ap_Mode", "DPI_Count"})
        EXPECT_TRUE(ini.text("org", key).has_value()) << key;

    const AppOptions o = parseOptions(ini);
    EXPECT_TRUE(o.webEnable);
    EXPECT_TRUE(o.web.starts_with("https://")) << o.web;
    EXPECT_EQ(o.webX, 9360);
    EXPECT_EQ(o.webY, 10);
    EXPECT_EQ(o.revManuId, 0);
    EXPECT_EQ(o.revProId, 0);
    EXPECT_EQ(o.path, "");
    EXPECT_FALSE(o.textRolling);
    EXPECT_FALSE(o.gunDisplay);
    EXPECT_TRUE(o.dpiLedSlider);
    EXPECT_EQ(o.gun6Num, 2);
    EXPECT_EQ(o.gun7Num, 3);
    EXPECT_EQ(o.numOrder, 0);
    EXPECT_EQ(o.apMode, 0);
    EXPECT_TRUE(o.eepromMode);
    EXPECT_EQ(o.dpiCount, 11);
    EXPECT_EQ(o.dpiSliderMaximum(), 1000);
    EXPECT_EQ(o.macroLibraryFile(), "Macro.bin");
    EXPECT_TRUE(o.outOfRange.empty());
}

TEST(Options, ClampsPresetCountsAndNumbering) {
    struct Case {
        std::string_view line;
        int gun6, gun7, numOrder;
        bool reported;
    };
    const Case cases[] = {
        {"Gun6_Num=0", 1, 3, 0, true},   {"Gun6_Num=-4", 1, 3, 0, true},
        {"Gun6_Num=1", 1, 3, 0, false},  {"Gun6_Num=3", 2, 3, 0, true},
        {"Gun7_Num=5", 2, 3, 0, true},   {"Gun7_Num=0", 2, 1, 0, true},
        {"Gun7_Num=2", 2, 2, 0, false},  {"Num_Order=-1", 2, 3, 0, true},
        {"Num_Order=1", 2, 3, 1, false}, {"Num_Order=7", 2, 3, 1, true},
        {"Gun6_Num=x", 2, 3, 0, false},  {"Gun7_Num=", 2, 3, 0, false},
    };
    for (const Case& c : cases) {
        const AppOptions o = parseOrg(c.line);
        EXPECT_EQ(o.gun6Num, c.gun6) << c.line;
        EXPECT_EQ(o.gun7Num, c.gun7) << c.line;
        EXPECT_EQ(o.numOrder, c.numOrder) << c.line;
        EXPECT_EQ(o.outOfRange, c.reported ? std::vector<std::string>{std::string(c.line)}
                                           : std::vector<std::string>{})
            << c.line;
    }
}

TEST(Options, DriverModeClearsEepromModeAndGunDisplay) {
    struct Case {
        std::string_view text;
        int apMode;
        bool eepromMode, gunDisplay;
    };
    const Case cases[] = {
        {"Ap_Mode=0\r\nGD_Enable=1", 0, true, true},
        {"Ap_Mode=1\r\nGD_Enable=1", 1, false, false},
        {"Ap_Mode=2\r\nGD_Enable=1", 2, true, true},
        {"Ap_Mode=1\r\nGD_Enable=0", 1, false, false},
        {"Ap_Mode=3\r\nGD_Enable=1", 0, true, true},  // no such mode: the embedded 0
        {"Ap_Mode=-1\r\nGD_Enable=1", 0, true, true},
        {"Ap_Mode=driver\r\nGD_Enable=1", 0, true, true},
    };
    for (const Case& c : cases) {
        const AppOptions o = parseOrg(c.text);
        EXPECT_EQ(o.apMode, c.apMode) << c.text;
        EXPECT_EQ(o.eepromMode, c.eepromMode) << c.text;
        EXPECT_EQ(o.gunDisplay, c.gunDisplay) << c.text;
    }
}

TEST(Options, OnOffKeysAreTrueOnlyForOne) {
    struct Case {
        std::string_view value;
        bool on;
    };
    const Case cases[] = {
        {"1", true},   {" 1 ", true}, {"+1", true},   {"0", false}, {"2", false},
        {"-1", false}, {"11", false}, {"yes", false}, {"", false},
    };
    for (const std::string_view key : {"Web_Enable", "TR_Enable", "GD_Enable", "DPILED_Status"}) {
        for (const Case& c : cases) {
            const AppOptions o = parseOrg(std::string(key) + "=" + std::string(c.value));
            const bool got = key == "Web_Enable"  ? o.webEnable
                             : key == "TR_Enable" ? o.textRolling
                             : key == "GD_Enable" ? o.gunDisplay
                                                  : o.dpiLedSlider;
            EXPECT_EQ(got, c.on) << key << "=" << c.value;
        }
    }
}

TEST(Options, MissingKeysReadAsTheEmbeddedValues) {
    for (const std::string_view text : {"", "[other]\nGun6_Num=1\nAp_Mode=1\n"}) {
        const AppOptions o = parseOptions(IniFile::parse(text));
        EXPECT_TRUE(o.webEnable);
        EXPECT_EQ(o.web, "");
        EXPECT_EQ(o.webX, 9360);
        EXPECT_EQ(o.gun6Num, 2);
        EXPECT_EQ(o.apMode, 0);
        EXPECT_TRUE(o.eepromMode);
        EXPECT_TRUE(o.dpiLedSlider);
        EXPECT_EQ(o.dpiCount, 11);
    }
}

TEST(Options, PathIsAPrefixOfTheMacroLibrary) {
    struct Case {
        std::string_view line, file;
    };
    const Case cases[] = {
        {"Path = D:\\Vornik\\Macros\\", "D:\\Vornik\\Macros\\Macro.bin"},
        {"Path=/home/user/macros/", "/home/user/macros/Macro.bin"},
        {"Path=", "Macro.bin"},
        {"Path=lib_", "lib_Macro.bin"},  // no separator is added
    };
    for (const Case& c : cases) EXPECT_EQ(parseOrg(c.line).macroLibraryFile(), c.file) << c.line;
}

TEST(Options, ReservePairAndDpiCount) {
    const AppOptions reserve = parseOrg("Rev_Manu_ID=18\r\nRev_Pro_ID = 52");
    EXPECT_TRUE(reserve.acceptsReservePair(0x12, 0x34));
    EXPECT_FALSE(reserve.acceptsReservePair(0x34, 0x12));
    EXPECT_FALSE(AppOptions{}.acceptsReservePair(0x12, 0x34));
    EXPECT_TRUE(AppOptions{}.acceptsReservePair(0, 0));

    // A byte outside 0..255 is reported and reads as 0: 274 must not become 18 (274 mod 256).
    struct IdCase {
        std::string_view text;
        int manufacturer, product;
        std::vector<std::string> reported;
    };
    const IdCase ids[] = {
        {"Rev_Manu_ID=274\r\nRev_Pro_ID=52", 0, 52, {"Rev_Manu_ID=274"}},
        {"Rev_Manu_ID=255\r\nRev_Pro_ID=256", 255, 0, {"Rev_Pro_ID=256"}},
        {"Rev_Manu_ID=-1\r\nRev_Pro_ID=-300", 0, 0, {"Rev_Manu_ID=-1", "Rev_Pro_ID=-300"}},
        {"Rev_Manu_ID=x\r\nRev_Pro_ID=0", 0, 0, {}},
    };
    for (const IdCase& c : ids) {
        const AppOptions o = parseOrg(c.text);
        EXPECT_EQ(o.revManuId, c.manufacturer) << c.text;
        EXPECT_EQ(o.revProId, c.product) << c.text;
        EXPECT_EQ(o.outOfRange, c.reported) << c.text;
    }
    EXPECT_FALSE(parseOrg("Rev_Manu_ID=274\r\nRev_Pro_ID=52").acceptsReservePair(18, 52));

    struct Case {
        std::string_view line;
        int count, sliderMaximum;
    };
    const Case cases[] = {{"DPI_Count=12", 12, 1100},
                          {"DPI_Count=1", 1, 0},
                          {"DPI_Count=0", 11, 1000},
                          {"DPI_Count=13", 11, 1000},
                          {"DPI_Count = 7", 7, 600}};
    for (const Case& c : cases) {
        const AppOptions o = parseOrg(c.line);
        EXPECT_EQ(o.dpiCount, c.count) << c.line;
        EXPECT_EQ(o.dpiSliderMaximum(), c.sliderMaximum) << c.line;
    }
}

}  // namespace
}  // namespace vornik

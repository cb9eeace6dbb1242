#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ini_file.h"

namespace vornik {
namespace {

constexpr std::string_view kLayout =
    "; banner comment\r\n"
    "// another comment = not a key\r\n"
    "[Org1]\r\n"
    "M_L_W = 230\r\n"
    "  Size_A=9  \r\n"
    "\r\n"
    "Color_A_R\t=\t-15\r\n"
    "; Hidden = 1\r\n"
    "// Web_X = 5\r\n"
    "Web = http://www.vornik.example/a=b\r\n"
    "Path=\r\n"
    "Word = twelve\r\n"
    "[second]\r\n"
    "M_L_W=1\r\n";

TEST(IniFile, ReadsTextsAcrossCommentsBlanksAndCase) {
    const IniFile ini = IniFile::parse(kLayout);
    struct Case {
        std::string_view section, key;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"org1", "M_L_W", "230"},
        {"ORG1", "m_l_w", "230"},
        {"Org1", "size_a", "9"},
        {"org1", "Color_A_R", "-15"},
        {"org1", "Web", "http://www.vornik.example/a=b"},  // only the first "=" splits
        {"org1", "Path", ""},                              // present but empty
        {"org1", "Hidden", std::nullopt},                  // commented out with ";"
        {"org1", "Web_X", std::nullopt},                   // commented out with "//"
        {"org1", "// another comment", std::nullopt},
        {"second", "M_L_W", "1"},  // same key, other section
        {"org", "M_L_W", std::nullopt},
        {"missing", "M_L_W", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ini.text(c.section, c.key), c.text) << c.key;
}

TEST(IniFile, IntegersFallBackWhenMissingOrNotNumbers) {
    const IniFile ini = IniFile::parse(
        "[s]\nplain=42\nspaced = 230\nnegative=-7\nplus=+3\nzero=-0\nmax=2147483647\n"
        "min=-2147483648\nover=2147483648\nunder=-2147483649\nunit=12px\nhex=0x10\n"
        "inner=1 2\nempty=\nsign=-\nword=abc\nfraction=1.5\n");
    struct Case {
        std::string_view key;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"plain", 42},
        {"spaced", 230},
        {"negative", -7},
        {"plus", 3},
        {"zero", 0},
        {"max", 2147483647},
        {"min", -2147483647 - 1},
        {"over", std::nullopt},
        {"under", std::nullopt},
        {"unit", std::nullopt},
        {"hex", std::nullopt},
        {"inner", std::nullopt},
        {"empty", std::nullopt},
        {"sign", std::nullopt},
        {"word", std::nullopt},
        {"fraction", std::nullopt},
        {"absent", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.number("s", c.key), c.value) << c.key;
        EXPECT_EQ(ini.integer("s", c.key, 99), c.value.value_or(99)) << c.key;
    }
}

TEST(IniFile, KeepsFileOrderAndFirstValues) {
    const IniFile ini = IniFile::parse(
        "orphan=1\n[B]\nzeta=1\nAlpha=2\nmid=3\nALPHA=4\n[a]\nx=5\n[b]\nomega=6\nzeta=7\n");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"B", "a"}));
    // A reopened section continues; a repeated key keeps its first value and place.
    EXPECT_EQ(ini.keys("b"), (std::vector<std::string>{"zeta", "Alpha", "mid", "omega"}));
    EXPECT_EQ(ini.text("b", "alpha"), "2");
    EXPECT_EQ(ini.text("b", "zeta"), "1");
    EXPECT_EQ(ini.text("b", "orphan"), std::nullopt);
    EXPECT_TRUE(ini.keys("nowhere").empty());
}

TEST(IniFile, AcceptsEveryLineEndAndSkipsMalformedLines) {
    const IniFile ini =
        IniFile::parse("[s]\r\na=1\rb=2\nc=3\r\n\r\n[broken\nno equals sign\n=9\n [ t ] \nd=4");
    EXPECT_EQ(ini.keys("s"), (std::vector<std::string>{"a", "b", "c"}));
    // "[broken" opens nothing and "=9" has no key; the blanks inside brackets are trimmed.
    EXPECT_FALSE(ini.hasSection("broken"));
    EXPECT_EQ(ini.keys("t"), (std::vector<std::string>{"d"}));
    EXPECT_EQ(ini.integer("t", "d", 0), 4);
}

}  // namespace
}  // namespace vornik

// The shipped layout files against the keys the program reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "formats/embedded_resources.h"
#include "formats/layout_keys.h"

namespace vornik {
namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string rawText(int n) {
    const auto bytes = embeddedResource("ORG" + std::to_string(n));
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::set<std::string> keySet(const std::vector<std::string>& names) {
    std::set<std::string> out;
    for (const auto& n : names) out.insert(lower(n));
    return out;
}

std::set<std::string> fileKeys(int n) { return keySet(embeddedLayout(n).keys(layoutSection(n))); }

// What ORG3 leaves out: the captions of the three mode-switch options and ComboKey_H.
std::set<std::string> comboCaptionKeys() {
    std::set<std::string> keys{"combokey_h"};
    for (int k = 1; k <= 3; ++k)
        for (const char* part : {"X", "Y", "R", "G", "B", "Size", "Width"})
            keys.insert(lower("ComboKey" + std::to_string(k) + "_Lable_" + part));
    return keys;
}

class ShippedLayout : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLayout, HoldsOneSectionOfKnownKeysWithNumbers) {
    const int n = GetParam();
    const IniFile& file = embeddedLayout(n);
    EXPECT_EQ(file.sections(), std::vector<std::string>{layoutSection(n)});
    const auto read = keySet(layoutKeysRead());
    const auto ignored = keySet(layoutKeysIgnored());
    for (const std::string& key : file.keys(layoutSection(n))) {
        EXPECT_TRUE(read.count(lower(key)) + ignored.count(lower(key)) == 1) << key;
        EXPECT_TRUE(file.number(layoutSection(n), key).has_value()) << key;
    }
}

TEST_P(ShippedLayout, KeepsItsGroupsTogetherInTheUsualOrderEachUnderABanner) {
    const int n = GetParam();
    const std::string text = rawText(n);
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "last line without CR LF";
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    std::size_t order = 0;
    std::optional<LayoutGroup> current;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone line break: " << line;
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) {
            return c >= 0x20 && c < 0x7F;
        })) << line;
        const std::size_t eq = line.find('=');
        if (line.empty() || line[0] == ';' || line[0] == '[' || eq == std::string::npos) continue;
        const auto group = layoutGroupOf(line.substr(0, eq));
        ASSERT_TRUE(group.has_value()) << line;
        if (group == current) continue;
        const auto at = std::find(kLayoutGroupOrder.begin() + static_cast<long>(order),
                                  kLayoutGroupOrder.end(), *group);
        ASSERT_NE(at, kLayoutGroupOrder.end()) << "group out of order or split at " << line;
        order = static_cast<std::size_t>(at - kLayoutGroupOrder.begin()) + 1;
        current = group;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(lines[i - 1].substr(0, 1), ";") << "no banner before " << line;
    }
    EXPECT_EQ(order, kLayoutGroupOrder.size()) << "a group is missing";
}

INSTANTIATE_TEST_SUITE_P(Org, ShippedLayout, ::testing::Values(1, 2, 3));

TEST(LayoutFiles, HoldEveryKeyTheProgramReadsOrg3LackingOnlyTheComboCaptions) {
    const auto read = keySet(layoutKeysRead());
    const auto lacking = comboCaptionKeys();
    for (int n = 1; n <= 3; ++n) {
        const auto keys = fileKeys(n);
        std::set<std::string> absent;
        std::set_difference(read.begin(), read.end(), keys.begin(), keys.end(),
                            std::inserter(absent, absent.end()));
        EXPECT_EQ(absent, n == 3 ? lacking : std::set<std::string>{}) << "ORG" << n;
        for (const std::string& key : layoutKeysIgnored())
            EXPECT_EQ(keys.count(lower(key)), 1u) << "ORG" << n << " " << key;
    }
}

TEST(LayoutFiles, HaveTheKeyCountsOfTheProduct) {
    EXPECT_EQ(embeddedLayout(1).keys("org1").size(), 843u);
    EXPECT_EQ(embeddedLayout(2).keys("org2").size(), 843u);
    EXPECT_EQ(embeddedLayout(3).keys("org3").size(), 821u);
}

TEST(LayoutFiles, Org1AndOrg2DifferOnlyInTheSectionName) {
    std::string org1 = rawText(1);
    const std::size_t header = org1.find("[org1]");
    ASSERT_NE(header, std::string::npos);
    org1.replace(header, 6, "[org2]");
    EXPECT_EQ(org1, rawText(2));
}

struct Fact {
    int layout;
    const char* key;
    int value;
};

class EmbeddedFact : public ::testing::TestWithParam<Fact> {};

TEST_P(EmbeddedFact, Holds) {
    const Fact& f = GetParam();
    EXPECT_EQ(embeddedLayout(f.layout).number(layoutSection(f.layout), f.key), f.value);
}

INSTANTIATE_TEST_SUITE_P(
    Product, EmbeddedFact,
    ::testing::Values(Fact{1, "Btn_A1_X", 9640}, Fact{2, "Btn_A1_X", 9640},
                      Fact{1, "Btn_A8_Enable", 0}, Fact{2, "Btn_A8_Enable", 0},
                      Fact{3, "Btn_A8_Enable", 1}, Fact{1, "Btn_A5_Enable", 0},
                      Fact{2, "Btn_A5_Enable", 0}, Fact{3, "Btn_A5_Enable", 1},
                      Fact{1, "Btn_A6_Enable", 0}, Fact{2, "Btn_A6_Enable", 0},
                      Fact{3, "Btn_A6_Enable", 1}, Fact{1, "Btn_B10_Enable", 0},
                      Fact{2, "Btn_B10_Enable", 0}, Fact{3, "Btn_B10_Enable", 0},
                      Fact{1, "ComboKey1_Enable", 1}, Fact{3, "ComboKey1_Enable", 1}));

TEST(LayoutKeys, GroupOfIgnoresCaseAndKnowsNoStrangers) {
    EXPECT_EQ(layoutGroupOf("btn_a1_x"), LayoutGroup::A);
    EXPECT_EQ(layoutGroupOf("BTN_SPACE_F"), LayoutGroup::B);
    EXPECT_EQ(layoutGroupOf("Gun_Marco_Fire_Y_Lable_Width"), LayoutGroup::Captions);
    EXPECT_EQ(layoutGroupOf("NorLED_X"), LayoutGroup::M);
    EXPECT_FALSE(layoutGroupOf("Btn_A9_X").has_value());
    EXPECT_FALSE(layoutGroupOf("Web_X").has_value());
}

TEST(LayoutKeys, NameEachKeyOnce) {
    std::set<std::string> seen;
    for (const LayoutKey& k : layoutSchema())
        EXPECT_TRUE(seen.insert(lower(k.name)).second) << k.name;
}

}  // namespace
}  // namespace vornik

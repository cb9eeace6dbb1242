#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <vector>

#include "formats/engineer_terms.h"

namespace vornik {
namespace {

TEST(engineerTerms, EveryNumberOnceInTableOrder) {
    const auto terms = engineerTerms();
    ASSERT_EQ(terms.size(), 139u);
    std::vector<int> order;
    for (int n = 0; n <= 34; ++n) order.push_back(n);
    for (int n = 37; n <= 56; ++n) order.push_back(n);
    order.push_back(35);
    order.push_back(36);
    for (int n = 57; n <= 138; ++n) order.push_back(n);

    std::set<int> seen;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        EXPECT_EQ(terms[i].number, order[i]) << "record " << i;
        EXPECT_TRUE(seen.insert(terms[i].number).second) << int{terms[i].number};
        EXPECT_FALSE(terms[i].english.empty()) << int{terms[i].number};
        EXPECT_TRUE(terms[i].spare.empty()) << int{terms[i].number};
        EXPECT_FALSE(terms[i].chinese.empty()) << int{terms[i].number};
    }
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 138);
}

TEST(engineerTerms, LocaleChoosesTheColumn) {
    EXPECT_EQ(termColumnForLocale(2052), TermColumn::Chinese);
    for (const std::uint32_t other :
         {0u, 1033u, 1028u, 1049u, 1058u, 3076u, 4100u, 2052u + 0x10000u})
        EXPECT_EQ(termColumnForLocale(other), TermColumn::English) << other;
}

TEST(engineerTerms, TextsByNumber) {
    struct Case {
        int term;
        std::string_view english, chinese;
    };
    const Case cases[] = {
        {0, "Office Mode", "办公模式"},
        {14, "Engineer", "工程人员界面"},
        {23, "LED Switch(M+CPI)", "LED灯开关切换(M+CPI)"},
        {31, "MCU LED Ligth Mode", "流光灯亮度模式"},
        {35, "Vendor ID:", "厂商编码:"},
        {36, "Product ID:", "产品编码:"},
        {39, "Current Mode:", "当前模式:"},
        {46, "Mode 7", "模式7"},
        {49, "Current Mode:", "当前模式:"},
        {56, "OFF", "关灯"},
        {65, "0°", "0°"},
        {72, "XY Swap XY NoReverse", "XY互换XY不取反"},
        {85, "CPI 7:", "CPI 7值:"},
        {94, "Delect Gun", "删除枪键"},
        {97, "Macro1 R:", "压枪宏1 R:"},
        {126, "Macro10 B:", "压枪宏10 B:"},
        {128, "Macro1 Y Offset:", "压枪宏1 Y偏移量:"},
        {137, "Macro10 Y Offset:", "压枪宏10 Y偏移量:"},
        {138, "Notes: ", "注释: "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(termText(c.term, TermColumn::English), c.english) << c.term;
        EXPECT_EQ(termText(c.term, TermColumn::Chinese), c.chinese) << c.term;
    }
    for (const int missing : {-1, 139, 255, 256 + 5})
        EXPECT_EQ(termText(missing, TermColumn::English), "") << missing;
}

}  // namespace
}  // namespace vornik

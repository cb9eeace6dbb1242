#include "image/usage_names.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace vornik {
namespace {

TEST(usageName, NamesAtRunEndsAndSingleEntries) {
    const std::pair<std::uint8_t, std::string_view> cases[] = {
        {0x04, "A"},
        {0x1D, "Z"},
        {0x1E, "1"},
        {0x26, "9"},
        {0x27, "0"},
        {0x28, "Enter"},
        {0x2C, "Space bar"},
        {0x2D, "OEM_Minus"},
        {0x31, "OEM_5"},
        {0x33, "OEM_1"},
        {0x38, "OEM_2"},
        {0x39, "Caps Lock"},
        {0x3A, "F1"},
        {0x43, "F10"},
        {0x45, "F12"},
        {0x46, "Print Screen"},
        {0x48, "Pause"},
        {0x4F, "Right Arrow"},
        {0x52, "Up Arrow"},
        {0x53, "Num Lock"},
        {0x54, "Divide (numeric pad)"},
        {0x58, "Separator (numeric pad)"},
        {0x59, "1 (numeric pad)"},
        {0x61, "9 (numeric pad)"},
        {0x62, "0 (numeric pad)"},
        {0x63, "Decimal (numeric pad)"},
        {0x65, "Applications"},
        {0x68, "F13"},
        {0x73, "F24"},
        {0x75, "Help"},
        {0x77, "Select"},
        {0x9C, "Clear"},
        {0xC0, "Media_Next_Track"},
        {0xC3, "Media_Play_Pause"},
        {0xC7, "Launch_Mail"},
        {0xCE, "Browser_Favorites"},
        {0xD1, "Launch_Media_Select"},
        {0xE0, "Left Ctrl"},
        {0xE3, "Win"},
        {0xE6, "Right Alt"},
        {0xE7, "Win"},
    };
    for (const auto& [usage, name] : cases) EXPECT_EQ(usageName(usage), name) << int{usage};
}

// Every number outside the listed runs is unnamed, among them the non-US hash key 0x32, 0x64,
// 0x76, 0xCF–0xD0 and everything above the right-hand modifiers.
TEST(usageName, OnlyListedNumbersHaveNames) {
    const std::pair<int, int> named[] = {{0x04, 0x31}, {0x33, 0x63}, {0x65, 0x65}, {0x68, 0x73},
                                         {0x75, 0x75}, {0x77, 0x77}, {0x9C, 0x9C}, {0xC0, 0xCE},
                                         {0xD1, 0xD1}, {0xE0, 0xE7}};
    for (int usage = 0; usage <= 0xFF; ++usage) {
        bool listed = false;
        for (const auto& [first, last] : named) listed |= usage >= first && usage <= last;
        EXPECT_EQ(usageName(static_cast<std::uint8_t>(usage)).empty(), !listed) << usage;
    }
}

}  // namespace
}  // namespace vornik

#include "model/macro_slots.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "image/function_code.h"
#include "test_bytes.h"

namespace vornik {
namespace {

using test::Bytes;
using test::hexBytes;

MacroContent contentOf(const Bytes& bytes) {
    MacroContent c{};
    std::copy(bytes.begin(), bytes.end(), c.begin());
    return c;
}

TEST(MacroSlotsTest, SplitAndJoinKeepEveryByteInItsPlace) {
    std::array<std::uint8_t, 1024> first{};
    std::array<std::uint8_t, 512> second{};
    std::iota(first.begin(), first.end(), std::uint8_t{0});
    std::iota(second.begin(), second.end(), std::uint8_t{0x80});

    const DeviceMacroSlots slots = splitMacroSlots(first, second);
    EXPECT_EQ(slots[1].name[0], first[256]);
    EXPECT_EQ(slots[3].content[223], first[1023]);
    EXPECT_EQ(slots[4].name[0], second[0]);
    EXPECT_EQ(slots[5].content[0], second[256 + 32]);

    std::array<std::uint8_t, 1024> firstBack{};
    std::array<std::uint8_t, 512> secondBack{};
    joinMacroSlots(slots, firstBack, secondBack);
    EXPECT_EQ(firstBack, first);
    EXPECT_EQ(secondBack, second);
}

TEST(MacroSlotsTest, FailingSlotsOneToFourAreEmptiedTheirNamesKept) {
    DeviceMacroSlots slots{};
    const MacroContent good = contentOf(hexBytes("00 05 82 04 02 04 CB"));
    MacroContent bad = good;
    bad[6] = 0xCC;
    slots[0].name = encodeMacroName("Zero");  // all-zero content fails too
    slots[1].content = good;
    slots[2].name = encodeMacroName("Broken");
    slots[2].content = bad;
    slots[4].content = bad;  // slots 5 and 6 are not checked

    const auto emptied = emptyInvalidSlots(slots);
    EXPECT_EQ(emptied, (std::array<bool, 6>{true, false, true, true, false, false}));
    EXPECT_EQ(slots[1].content, good);
    EXPECT_EQ(slots[2].content, MacroContent{});
    EXPECT_EQ(slots[4].content, bad);
    EXPECT_EQ(slotNameList(slots), (std::array<std::string, 6>{"Zero", "", "Broken", "", "", ""}));
}

TEST(MacroNameTest, SixteenBigEndianUnits) {
    const MacroName jump = encodeMacroName("Jump");
    EXPECT_EQ(Bytes(jump.begin(), jump.begin() + 10), hexBytes("00 4A 00 75 00 6D 00 70 00 00"));
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("Прыжок")), "Прыжок");
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
    const MacroName pair = encodeMacroName("\xF0\x9F\x98\x80");
    EXPECT_EQ(Bytes(pair.begin(), pair.begin() + 4), hexBytes("D8 3D DE 00"));

    // Longer names keep their first 16 units; a pair that would not fit whole is dropped.
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("abcdefghijklmnopq")), "abcdefghijklmnop");
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("abcdefghijklmno\xF0\x9F\x98\x80")),
              "abcdefghijklmno");
    // Bytes that are not UTF-8 (a stray continuation, a cut sequence, an overlong form, an
    // encoded surrogate) read as U+FFFD.
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("a\x80z\xE2\x82")),
              "a\xEF\xBF\xBDz\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("\xC0\xAF")), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(macroNameToUtf8(encodeMacroName("\xED\xA0\x80")).substr(0, 3), "\xEF\xBF\xBD");
    EXPECT_EQ(encodeMacroName(""), MacroName{});
}

// The 18 button codes with slots `used` (numbers 1..6) played by the first buttons.
std::vector<std::string> codesUsing(const std::set<int>& used) {
    std::vector<std::string> codes;
    bool stops = false;
    for (const int slot : used) {
        codes.push_back(macroSlotCode(slot, stops));
        stops = !stops;
    }
    codes.resize(18, "010100");
    return codes;
}

TEST(ChooseMacroSlotTest, GapFreeGapRulesAndNameReuse) {
    const MacroName bound = encodeMacroName("Bound");
    const struct {
        std::set<int> used;
        int namedSlot;  // the slot that already holds the macro's name, 0 for none
        SlotRange range;
        std::optional<int> slot;
    } cases[] = {
        {{}, 0, SlotRange::AllSix, 1},
        {{1, 2}, 0, SlotRange::AllSix, 3},
        {{1, 2}, 2, SlotRange::AllSix, 2},  // bound again: the slot is reused
        {{1, 2}, 5, SlotRange::AllSix, 5},  // a name match counts in a slot not in use as well
        {{2}, 0, SlotRange::AllSix, 1},
        {{1, 3}, 0, SlotRange::AllSix, 2},
        {{1, 3}, 3, SlotRange::AllSix, 2},  // with a gap a second copy goes into another slot
        {{1, 5, 6}, 0, SlotRange::AllSix, 3},
        {{4, 5}, 0, SlotRange::AllSix, 2},
        {{3, 4, 5}, 0, SlotRange::AllSix, 1},
        {{1, 2, 3, 5}, 0, SlotRange::AllSix, 4},
        {{1, 2, 3, 4, 6}, 0, SlotRange::AllSix, 5},
        {{1, 2, 3, 4, 5, 6}, 0, SlotRange::AllSix, std::nullopt},
        {{1, 2, 3, 4, 5, 6}, 4, SlotRange::AllSix, 4},
        {{1, 2}, 0, SlotRange::FirstFour, 3},
        {{1, 2}, 5, SlotRange::FirstFour, 3},  // slot 5 is not among the four
        {{1, 2, 3, 4}, 0, SlotRange::FirstFour, std::nullopt},
        {{1, 2, 3, 4, 5}, 0, SlotRange::FirstFour, std::nullopt},
        {{1, 2, 5}, 0, SlotRange::FirstFour, 3},
        {{2, 3}, 0, SlotRange::FirstFour, 1},
        {{1, 3, 4}, 0, SlotRange::FirstFour, 2},
        {{3}, 0, SlotRange::FirstFour, 4},  // the last rule needs no used slot after it
        {{3}, 0, SlotRange::AllSix, 1},
    };
    for (const auto& c : cases) {
        DeviceMacroSlots slots{};
        for (std::size_t i = 0; i < slots.size(); ++i)
            slots[i].name = encodeMacroName("Slot " + std::to_string(i + 1));
        if (c.namedSlot != 0) slots[static_cast<std::size_t>(c.namedSlot - 1)].name = bound;
        EXPECT_EQ(chooseMacroSlot(codesUsing(c.used), bound, slots, c.range), c.slot)
            << "used " << c.used.size() << " named " << c.namedSlot;
    }
}

TEST(ChooseMacroSlotTest, TwoNameMatchesAndLowerCaseCodesCountNot) {
    DeviceMacroSlots slots{};
    const MacroName name = encodeMacroName("Twice");
    slots[0].name = name;
    slots[1].name = name;
    EXPECT_EQ(chooseMacroSlot(codesUsing({1, 2}), name, slots, SlotRange::AllSix), 3);

    std::vector<std::string> codes(18, "010100");
    codes[0] = "0e0121";  // code texts compare exactly
    codes[1] = "0600F0";  // the fire key is no slot
    EXPECT_EQ(chooseMacroSlot(codes, encodeMacroName("Other"), slots, SlotRange::AllSix), 1);
}

TEST(MacroSlotCodeTest, KindFollowsTheReleaseMode) {
    EXPECT_EQ(macroSlotCode(1, true), "0E0121");
    EXPECT_EQ(macroSlotCode(1, false), "060121");
    EXPECT_EQ(macroSlotCode(5, true), "0E0621");
    EXPECT_EQ(macroSlotCode(6, false), "060721");
    EXPECT_EQ(macroSlotCode(0, false), "");
    EXPECT_EQ(macroSlotCode(7, false), "");
}

}  // namespace
}  // namespace vornik

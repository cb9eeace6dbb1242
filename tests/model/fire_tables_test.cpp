#include "model/fire_tables.h"

#include <gtest/gtest.h>

#include <cstring>

#include "image/defaults.h"
#include "test_bytes.h"

namespace vornik {
namespace {

using test::Bytes;
using test::hexBytes;

// The fire sections of the built-in image, with fire macro `macro` a recoil of `y` per shot.
Sections firePage(int macro, std::uint8_t y) {
    Sections s;
    splitImage(builtInImage(), s);
    const Bytes record = hexBytes("00 0C FD 09 A1 FB 00 FA 00 FE 0C 21 FC");
    auto& r = s.fireMacroRecords[static_cast<std::size_t>(macro - 1)];
    std::copy(record.begin(), record.end(), r.begin());
    r[8] = y;
    updateFireChecksum(r);
    return s;
}

// The offsets of the bytes in which two section copies differ.
std::vector<std::size_t> differences(const Sections& a, const Sections& b) {
    Bytes x(sizeof(Sections)), y(sizeof(Sections));
    std::memcpy(x.data(), &a, sizeof a);
    std::memcpy(y.data(), &b, sizeof b);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (x[i] != y[i]) at.push_back(i);
    return at;
}

TEST(FireStopOnReleaseTest, ChangesTheFlagAndTheCodeKindOnly) {
    Sections s = firePage(8, 12);
    s.fireCode[21] = kFireRunsToEnd;
    const Sections before = s;

    setFireStopOnRelease(s, 8, true);
    EXPECT_EQ(s.fireMacroRecords[7][0], 1);
    EXPECT_EQ(s.fireCode[21], kFireStopsOnRelease);
    EXPECT_EQ(differences(before, s).size(), 2u);
    EXPECT_TRUE(fireChecksumValid(s.fireMacroRecords[7]));  // the flag is not covered

    setFireStopOnRelease(s, 8, false);
    EXPECT_TRUE(differences(before, s).empty());

    setFireStopOnRelease(s, 11, true);  // no such macro
    EXPECT_TRUE(differences(before, s).empty());
}

TEST(FireStopOnReleaseTest, ShowingAMacroMatchesItsCodeKind) {
    Sections s = firePage(3, 12);
    s.fireMacroRecords[2][0] = 1;
    s.fireCode[6] = kFireRunsToEnd;
    matchFireCodeKind(s, 3);
    EXPECT_EQ(s.fireCode[6], kFireStopsOnRelease);
    s.fireMacroRecords[2][0] = 7;  // neither: left as it is
    matchFireCodeKind(s, 3);
    EXPECT_EQ(s.fireCode[6], kFireStopsOnRelease);
}

TEST(FireYOffsetTest, KeepsYPlusOffsetInRange) {
    EXPECT_EQ(limitYOffset(100, 50), 27);
    EXPECT_EQ(limitYOffset(0, -128), -128);
    EXPECT_EQ(limitYOffset(0, 200), 127);
    EXPECT_EQ(limitYOffset(-10, -128), -118);
    EXPECT_EQ(limitYOffset(12, -5), -5);

    Sections s = firePage(4, 100);
    EXPECT_EQ(setFireYOffset(s, 4, 50), 27);
    EXPECT_EQ(s.fireOffset[6], 27);
    EXPECT_EQ(s.fireOffset[7], 0xE4);
    EXPECT_EQ(fireYOffset(s, 4), 27);
    EXPECT_EQ(setFireYOffset(s, 2, -128), -128);  // macro 2 has Y 0
    EXPECT_EQ(s.fireOffset[2], 0x80);
    EXPECT_EQ(s.fireOffset[3], 0x7F);
}

TEST(FireParameterTest, ANewYResetsTheOffset) {
    Sections s = firePage(4, 100);
    setFireYOffset(s, 4, 20);
    ASSERT_TRUE(setFireParameter(s, 4, FireParameter::Y, 60));
    EXPECT_EQ(s.fireMacroRecords[3][8], 60);
    EXPECT_EQ(fireYOffset(s, 4), 0);
    EXPECT_EQ(s.fireOffset[7], 0xFF);

    setFireYOffset(s, 4, 20);
    ASSERT_TRUE(setFireParameter(s, 4, FireParameter::Count, 5));
    EXPECT_EQ(fireYOffset(s, 4), 20);
}

TEST(FireColourTest, StoredRedGreenBlue) {
    Sections s;
    setFireColour(s, 3, {0x12, 0x34, 0x56});
    EXPECT_EQ(Bytes(s.fireColor.begin() + 6, s.fireColor.begin() + 9), hexBytes("12 34 56"));
    EXPECT_EQ(fireColour(s, 3), (FireColour{0x12, 0x34, 0x56}));
    EXPECT_EQ(fireColour(s, 0), FireColour{});
}

TEST(FireCopiesTest, CommitCopiesTheTenRecordsOnly) {
    Sections s = firePage(2, 30);
    s.fireMacroRegion.fill(0xAB);
    commitFireWorkCopy(s);
    EXPECT_TRUE(std::equal(s.fireMacroRecords[1].begin(), s.fireMacroRecords[1].end(),
                           s.fireMacroRegion.begin() + 24));
    EXPECT_TRUE(std::equal(s.fireMacroRecords[9].begin(), s.fireMacroRecords[9].end(),
                           s.fireMacroRegion.begin() + 216));
    EXPECT_EQ(Bytes(s.fireMacroRegion.begin() + 240, s.fireMacroRegion.end()), Bytes(16, 0xAB));

    s.fireMacroRecords[1].fill(0);
    refreshFireWorkCopy(s);
    EXPECT_EQ(s.fireMacroRecords[1][8], 30);
}

TEST(FirePresetTest, CodesAndRows) {
    const struct {
        int preset, gun6, gun7;
        const char* code;
    } cases[] = {
        {1, 1, 1, "0C0101"}, {5, 2, 3, "0C0505"}, {6, 1, 3, "0C0606"}, {6, 2, 1, "0C0607"},
        {6, 9, 1, "0C0607"}, {7, 2, 1, "0C0808"}, {7, 1, 2, "0C0809"}, {7, 1, 3, "0C080A"},
        {0, 1, 1, ""},       {8, 1, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firePresetCode(c.preset, c.gun6, c.gun7), c.code) << c.preset;
    EXPECT_EQ(firePresetRows(6).firstMacro, 6);
    EXPECT_EQ(firePresetRows(6).rowCount, 2);
    EXPECT_EQ(firePresetRows(7).rowCount, 3);
    EXPECT_EQ(firePresetRows(3).rowCount, 1);
}

TEST(FireKeyTest, CountAndIntervalBytes) {
    std::array<std::uint8_t, 11> key{};
    const Bytes shipped = hexBytes("0A FD 02 A1 FE 03 21 FE 06 FC 96");
    std::copy(shipped.begin(), shipped.end(), key.begin());
    EXPECT_TRUE(sectionCodeValid(key));
    EXPECT_EQ(readFireKey(key), (FireKeySettings{false, 3, 6}));

    buildFireKey(key, {false, 1, 100});
    EXPECT_EQ(key[2], 0x00);
    EXPECT_EQ(key[8], 100);
    buildFireKey(key, {true, 1, 6});
    EXPECT_EQ(key[2], 0xFF);
    EXPECT_EQ(readFireKey(key), (FireKeySettings{true, 0, 6}));
    buildFireKey(key, {false, 3, 6});
    EXPECT_EQ(Bytes(key.begin(), key.end()), shipped);
}

}  // namespace
}  // namespace vornik

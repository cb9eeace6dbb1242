#include "model/script_lines.h"

#include <gtest/gtest.h>

#include "model/virtual_keys.h"

namespace vornik {
namespace {

TEST(RowTextTest, ShowsEachLineKindAsTheEventListDoes) {
    const struct {
        const char* line;
        const char* row;
    } cases[] = {
        {"0 0", "0 ms"},
        {"0 50", "50 ms"},
        {"1 A CODE:8204", "A"},
        {"2 Left Windows CODE:0108", "Left Windows"},
        {"1 Backward CODE:00B0", "Backward"},
        {"3 FB00", "X-Axis  0"},
        {"3 FB7F", "X-Axis  127"},
        {"4 FBFB", "X-Axis  -5"},
        {"4 FB80", "X-Axis  -128"},
        {"5 FA0C", "Y-Axis  12"},
        {"6 FAFB", "Y-Axis  -5"},
        {"7 FD00", "Rep-Start  1"},
        {"7 FDFE", "Rep-Start  255"},
        {"8 00FC", "Rep-Stop"},
        {"10", ""},      // a header has no row
        {"9 00FC", ""},  // no such kind
    };
    for (const auto& c : cases) EXPECT_EQ(rowText(c.line), c.row) << c.line;
}

TEST(VirtualKeyTest, NamesAndUsages) {
    const struct {
        std::uint8_t vk;
        const char* name;
        std::uint8_t usage;
    } cases[] = {
        {0x41, "A", 0x04},
        {0x5A, "Z", 0x1D},
        {0x30, "0", 0x27},
        {0x31, "1", 0x1E},
        {0x39, "9", 0x26},
        {0x60, "0 (numeric pad)", 0x62},
        {0x61, "1 (numeric pad)", 0x59},
        {0x69, "9 (numeric pad)", 0x61},
        {0x70, "F1", 0x3A},
        {0x7B, "F12", 0x45},
        {0x7C, "F13", 0x68},
        {0x87, "F24", 0x73},
        {0x11, "Ctrl", 0xE0},
        {0x5C, "Right Windows", 0xE7},
        {0xA5, "Right Alt", 0xE6},
        {0xB5, "Launch_Media_Select", 0xD1},
        {0xB6, "Launch_App1", 0x00},
        {0xDF, "OEM_8", 0x00},
        {0xFF, "255", 0x00},
        {0x07, "None", 0x00},  // not in the table
        {0x88, "None", 0x00},
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtualKeyInfo(c.vk), (KeyInfo{c.name, c.usage})) << int(c.vk);
}

TEST(KeyLineTest, RecordedKeysUseModifierCodesTypedKeysTheirUsage) {
    EXPECT_EQ(recordedKeyLine(0x41, true), "1 A CODE:8204");
    EXPECT_EQ(recordedKeyLine(0x41, false), "2 A CODE:0204");
    EXPECT_EQ(recordedKeyLine(0x11, true), "1 Ctrl CODE:8101");
    EXPECT_EQ(recordedKeyLine(0x10, false), "2 Shift CODE:0102");
    EXPECT_EQ(recordedKeyLine(0x12, true), "1 Alt CODE:8104");
    EXPECT_EQ(recordedKeyLine(0x5B, true), "1 Left Windows CODE:8108");
    EXPECT_EQ(recordedKeyLine(0x5C, false), "2 Right Windows CODE:0180");
    // The sided variants are plain keys.
    EXPECT_EQ(recordedKeyLine(0xA0, true), "1 Left Shift CODE:82E1");
    EXPECT_EQ(recordedKeyLine(0x07, true), "1 None CODE:8200");
    EXPECT_EQ(recordedKeyLine(kIgnoredVirtualKey, true), std::nullopt);

    EXPECT_EQ(typedKeyLine(0x11, true), "1 Ctrl CODE:82E0");
    EXPECT_EQ(typedKeyLine(0x41, false), "2 A CODE:0204");
}

TEST(LineBuilderTest, FormsOfTheOtherKinds) {
    EXPECT_EQ(mouseButtonLine(MouseButton::Left, true), "1 LeftKey CODE:00A1");
    EXPECT_EQ(mouseButtonLine(MouseButton::Middle, false), "2 MiddleKey CODE:0024");
    EXPECT_EQ(mouseButtonLine(MouseButton::Forward, true), "1 Forward CODE:00A8");
    EXPECT_EQ(mouseButtonLine(MouseButton::Backward, false), "2 Backward CODE:0030");
    EXPECT_EQ(xMoveLine(0), "3 FB00");
    EXPECT_EQ(xMoveLine(-1), "4 FBFF");
    EXPECT_EQ(xMoveLine(-300), "4 FB80");
    EXPECT_EQ(yMoveLine(127), "5 FA7F");
    EXPECT_EQ(yMoveLine(-5), "6 FAFB");
    EXPECT_EQ(repeatStartLine(10), "7 FD09");
    EXPECT_EQ(repeatStartLine(0), "7 FD00");
    EXPECT_EQ(repeatStartLine(256), "7 FDFF");
    EXPECT_EQ(repeatStopLine(), "8 00FC");
    EXPECT_EQ(delayLine(2040), "0 2040");
    EXPECT_EQ(headerLine({DelayOption::Recorded, 0}), "10");
    EXPECT_EQ(headerLine({DelayOption::Fixed, 50}), "0150");
    EXPECT_EQ(headerLine({DelayOption::None, 0}), "00");
}

TEST(LineFieldsTest, DelayAndCode) {
    EXPECT_EQ(delayMilliseconds("0 10200"), 10200);
    EXPECT_EQ(delayMilliseconds("0 abc"), 0);
    EXPECT_EQ(delayMilliseconds("0 -5"), 0);
    EXPECT_EQ(delayMilliseconds("0 99999999999999999999"), 1'000'000'000);
    EXPECT_EQ(lineCode("1 A CODE:8204"), 0x8204);
    EXPECT_EQ(lineCode("8 00FC"), 0x00FC);
    EXPECT_EQ(lineCode("1 A CODE:82G4"), std::nullopt);
    EXPECT_EQ(lineCode("FC"), std::nullopt);
}

TEST(PairingTest, PressesLookForwardReleasesBack) {
    const MacroScript script{
        "10",
        "1 A CODE:8204",  // 1
        "0 100",          // 2
        "1 A CODE:8204",  // 3
        "2 A CODE:0204",  // 4
        "2 B CODE:0205",  // 5
        "1 C CODE:8206",  // 6
    };
    EXPECT_EQ(findPairedLine(script, 1), 3u);  // the first later line of that name
    EXPECT_EQ(findPairedLine(script, 4), 3u);  // the nearer of two presses
    EXPECT_EQ(findPairedLine(script, 5), std::nullopt);
    EXPECT_EQ(findPairedLine(script, 6), std::nullopt);
    EXPECT_EQ(findPairedLine(script, 2), std::nullopt);  // a delay has no name
    EXPECT_EQ(keyName("1 LeftKey CODE:00A1"), "LeftKey");
    EXPECT_EQ(keyName("3 FB00"), std::nullopt);
}

}  // namespace
}  // namespace vornik

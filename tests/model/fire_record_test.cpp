#include "model/fire_record.h"

#include <gtest/gtest.h>

#include "test_bytes.h"

namespace vornik {
namespace {

using test::Bytes;
using test::hexBytes;

FireMacroRecord recordOf(std::string_view hex) {
    const Bytes bytes = hexBytes(hex);
    FireMacroRecord r{};
    std::copy(bytes.begin(), bytes.end(), r.begin());
    return r;
}

// Ten shots, X 0, Y 12, 96 ms apart.
const FireMacroRecord kShots = recordOf("00 0C FD 09 A1 FB 00 FA 0C FE 0C 21 FC 81");

TEST(FireChecksumTest, OverTheLengthByteAndTheBody) {
    FireMacroRecord r = kShots;
    r[13] = 0;
    EXPECT_FALSE(fireChecksumValid(r));
    EXPECT_TRUE(updateFireChecksum(r));
    EXPECT_EQ(r, kShots);
    EXPECT_TRUE(fireChecksumValid(r));

    FireMacroRecord empty{};
    EXPECT_TRUE(updateFireChecksum(empty));
    EXPECT_EQ(empty[1], 0x5A);

    // L = 23 would put the check byte on byte 24.
    FireMacroRecord unreadable{};
    unreadable.fill(0x11);
    unreadable[1] = 23;
    const FireMacroRecord before = unreadable;
    EXPECT_FALSE(updateFireChecksum(unreadable));
    EXPECT_EQ(unreadable, before);
    EXPECT_FALSE(fireChecksumValid(unreadable));
}

TEST(DecodeFireMacroTest, FindsTheValuesAndWhereTheyStand) {
    const FireMacroValues v = decodeFireMacro(kShots);
    EXPECT_EQ(v.stopsOnRelease, false);
    EXPECT_EQ(v.count, (FireOperand{10, 3}));
    EXPECT_EQ(v.x, (FireOperand{0, 6}));
    EXPECT_EQ(v.y, (FireOperand{12, 8}));
    EXPECT_EQ(v.timeMs, (FireOperand{96, 10}));
    EXPECT_TRUE(v.readable);
    EXPECT_TRUE(v.complete);
}

TEST(DecodeFireMacroTest, WalkRules) {
    struct Case {
        const char* record;
        std::optional<FireOperand> count, x, y, time;
        bool complete;
    };
    const Case cases[] = {
        // A wait before any Y move is no shot time.
        {"00 07 FE 05 FA 03 FE 07", {}, {}, FireOperand{3, 5}, FireOperand{56, 7}, true},
        // Only the first wait after a Y move is.
        {"00 07 FA 01 FE 02 FE 03", {}, {}, FireOperand{1, 3}, FireOperand{16, 5}, true},
        // The last operand wins; negative moves are signed.
        {"00 05 FB 01 FB FB", {}, FireOperand{-5, 5}, {}, {}, true},
        // A byte that is no fire opcode stops the walk.
        {"00 06 FD 01 55 FB 05", FireOperand{2, 3}, {}, {}, {}, false},
        // So does an operand past L.
        {"00 02 FD 01", {}, {}, {}, {}, false},
        {"00 00", {}, {}, {}, {}, true},
        // An unreadable length is not walked.
        {"00 FF FD 01", {}, {}, {}, {}, false},
    };
    for (const Case& c : cases) {
        const FireMacroValues v = decodeFireMacro(recordOf(c.record));
        EXPECT_EQ(v.count, c.count) << c.record;
        EXPECT_EQ(v.x, c.x) << c.record;
        EXPECT_EQ(v.y, c.y) << c.record;
        EXPECT_EQ(v.timeMs, c.time) << c.record;
        EXPECT_EQ(v.complete, c.complete) << c.record;
    }
    EXPECT_EQ(decodeFireMacro(recordOf("01 00")).stopsOnRelease, true);
    EXPECT_EQ(decodeFireMacro(recordOf("02 00")).stopsOnRelease, std::nullopt);
}

TEST(WriteFireParameterTest, StoresTheOperandAndTheCheckByte) {
    const struct {
        FireParameter parameter;
        int value;
        std::size_t position;
        std::uint8_t stored;
    } cases[] = {
        {FireParameter::Count, 300, 3, 0xFF}, {FireParameter::Count, 0, 3, 0x00},
        {FireParameter::Count, 1, 3, 0x00},   {FireParameter::X, -129, 6, 0x80},
        {FireParameter::X, -1, 6, 0xFF},      {FireParameter::Y, 100, 8, 100},
        {FireParameter::Y, -3, 8, 0},         {FireParameter::Time, 2040, 10, 0xFF},
        {FireParameter::Time, 7, 10, 0x00},   {FireParameter::Time, 100, 10, 12},
    };
    for (const auto& c : cases) {
        FireMacroRecord r = kShots;
        ASSERT_TRUE(writeFireParameter(r, c.parameter, c.value));
        FireMacroRecord expected = kShots;
        expected[c.position] = c.stored;
        updateFireChecksum(expected);
        EXPECT_EQ(r, expected) << c.value;
    }
    FireMacroRecord r = kShots;
    writeFireParameter(r, FireParameter::Time, 7);
    EXPECT_EQ(decodeFireMacro(r).timeMs->value, 0);
}

TEST(WriteFireParameterTest, AMacroWithoutTheOperandIsNotWritten) {
    FireMacroRecord r = recordOf("00 03 A1 21");
    updateFireChecksum(r);
    const FireMacroRecord before = r;
    for (const FireParameter p :
         {FireParameter::Count, FireParameter::X, FireParameter::Y, FireParameter::Time})
        EXPECT_FALSE(writeFireParameter(r, p, 5));
    EXPECT_EQ(r, before);
}

TEST(CompileFireScriptTest, DelaysSplitAsForMacros) {
    const struct {
        const char* line;
        const char* record;
    } cases[] = {
        {"0 5000", "00 07 FE FF FE FF FE 73"},
        {"0 0", "00 03 FE 00"},
        {"0 4080", "00 05 FE FF FE FF"},
        {"7 FD09", "00 03 FD 09"},
    };
    for (const auto& c : cases) {
        FireMacroRecord r{};
        ASSERT_TRUE(compileFireScript({"00", c.line}, false, r).ok());
        FireMacroRecord expected = recordOf(c.record);
        updateFireChecksum(expected);
        EXPECT_EQ(r, expected) << c.line;
    }
}

TEST(CompileFireScriptTest, RenderAndCompileAreInverse) {
    const MacroScript script = renderFireScript(kShots);
    EXPECT_EQ(script, (MacroScript{"00", "7 FD09", "1 LeftKey CODE:00A1", "3 FB00", "5 FA0C",
                                   "0 96", "2 LeftKey CODE:0021", "8 00FC"}));
    EXPECT_EQ(fireHexDump(kShots), "000CFD09A1FB00FA0CFE0C21FC81");

    FireMacroRecord r;
    r.fill(0x77);  // the bytes after the check byte are cleared as well
    ASSERT_TRUE(compileFireScript(script, false, r).ok());
    EXPECT_EQ(r, kShots);
    ASSERT_TRUE(compileFireScript(script, true, r).ok());
    EXPECT_EQ(r[0], 1);

    EXPECT_EQ(renderFireScript(recordOf("00 05 FB FB FA 80")),
              (MacroScript{"00", "4 FBFB", "6 FA80"}));
    EXPECT_TRUE(renderFireScript(FireMacroRecord{}).empty());
    EXPECT_TRUE(renderFireScript(recordOf("00 FF")).empty());
    EXPECT_EQ(fireHexDump(recordOf("00 FF")).size(), 48u);  // never past the record
}

TEST(CompileFireScriptTest, EmptyScriptEmptiesTheRecord) {
    FireMacroRecord r = kShots;
    ASSERT_TRUE(compileFireScript({"10"}, true, r).ok());
    EXPECT_EQ(r, FireMacroRecord{});
}

TEST(CompileFireScriptTest, TooLongOrMalformedLeavesTheRecordAsItWas) {
    MacroScript longest{"00"};
    for (int i = 0; i < 10; ++i) longest.push_back("5 FA0C");
    longest.push_back("1 LeftKey CODE:00A1");  // 21 body bytes: the check byte is byte 23
    FireMacroRecord r{};
    ASSERT_TRUE(compileFireScript(longest, false, r).ok());
    EXPECT_EQ(r[1], 22);
    EXPECT_TRUE(fireChecksumValid(r));

    longest.push_back("2 LeftKey CODE:0021");
    r = kShots;
    const FireCompileResult over = compileFireScript(longest, false, r);
    EXPECT_EQ(over.status, EncodeStatus::TooLong);
    EXPECT_EQ(over.bodyBytes, 22u);
    EXPECT_EQ(r, kShots);

    const FireCompileResult bad = compileFireScript({"00", "0 50", "1 LeftKey"}, false, r);
    EXPECT_EQ(bad.status, EncodeStatus::BadLine);
    EXPECT_EQ(bad.badLine, 2u);
    EXPECT_EQ(r, kShots);
}

}  // namespace
}  // namespace vornik

#include "model/macro_content.h"

#include <gtest/gtest.h>

#include "test_bytes.h"

namespace vornik {
namespace {

using test::Bytes;
using test::hexBytes;
using test::padded;

// The event bytes of a one-line script.
Bytes eventsOf(const std::string& line) {
    const EncodedMacro e = encodeScript({"10", line}, false, MacroForm::Device);
    EXPECT_TRUE(e.ok()) << line;
    if (!e.ok()) return {};
    return Bytes(e.content.begin() + 2, e.content.begin() + 2 + e.eventBytes);
}

MacroScript keyStrokes(std::size_t count) {
    MacroScript script{"00"};
    for (std::size_t i = 0; i < count; ++i) script.push_back("1 A CODE:8204");
    return script;
}

TEST(EncodeScriptTest, PressAndReleaseOfA) {
    const EncodedMacro e =
        encodeScript({"00", "1 A CODE:8204", "2 A CODE:0204"}, false, MacroForm::Device);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.eventBytes, 4u);
    EXPECT_EQ(e.content, padded(hexBytes("00 05 82 04 02 04 CB"), kMacroContentSize));
}

TEST(EncodeScriptTest, DriverFormHasTwoLengthBytes) {
    const EncodedMacro e =
        encodeScript({"00", "1 A CODE:8204", "2 A CODE:0204"}, true, MacroForm::Driver);
    ASSERT_TRUE(e.ok());
    // The check byte covers both length bytes and the events but the last.
    EXPECT_EQ(e.content, padded(hexBytes("01 00 05 82 04 02 04 D7"), kDriverMacroContentSize));
}

TEST(EncodeScriptTest, ScriptWithoutEventsIsTheEmptyMacro) {
    for (const MacroScript& script : {MacroScript{}, MacroScript{"0150"}}) {
        const EncodedMacro e = encodeScript(script, true, MacroForm::Device);
        ASSERT_TRUE(e.ok());
        EXPECT_EQ(e.content, Bytes(kMacroContentSize, 0));
    }
}

TEST(EncodeScriptTest, DelaysSplitIntoFullWaitsAndARest) {
    const struct {
        const char* line;
        const char* events;
    } cases[] = {
        {"0 50", "FE 06"},
        {"0 7", "FE 00"},
        {"0 0", "FE 00"},
        {"0 2040", "FE FF"},
        {"0 4080", "FE FF FE FF"},
        {"0 5000", "FE FF FE FF FE 73"},
        {"0 10200", "FE FF FE FF FE FF FE FF FE FF"},
        {"0 x", "FE 00"},  // not a number: 0 ms
    };
    for (const auto& c : cases) EXPECT_EQ(eventsOf(c.line), hexBytes(c.events)) << c.line;
}

TEST(EncodeScriptTest, CodesOfOneOrTwoBytes) {
    EXPECT_EQ(eventsOf("1 LeftKey CODE:00A1"), hexBytes("A1"));
    EXPECT_EQ(eventsOf("8 00FC"), hexBytes("FC"));
    EXPECT_EQ(eventsOf("4 FBFB"), hexBytes("FB FB"));
    EXPECT_EQ(eventsOf("1 Ctrl CODE:8101"), hexBytes("81 01"));
}

TEST(EncodeScriptTest, ScriptThatDoesNotFitIsRefusedWhole) {
    // 110 key strokes and a button make 221 event bytes: the check byte lands on byte 223.
    MacroScript fits = keyStrokes(110);
    fits.push_back("1 LeftKey CODE:00A1");
    const EncodedMacro full = encodeScript(fits, false, MacroForm::Device);
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full.content.size(), kMacroContentSize);
    EXPECT_EQ(full.content[1], 222);
    EXPECT_TRUE(deviceMacroValid(
        std::span<const std::uint8_t, kMacroContentSize>(full.content.data(), kMacroContentSize)));

    const EncodedMacro over = encodeScript(keyStrokes(111), false, MacroForm::Device);
    EXPECT_EQ(over.status, EncodeStatus::TooLong);
    EXPECT_EQ(over.eventBytes, 222u);
    EXPECT_TRUE(over.content.empty());

    EXPECT_TRUE(encodeScript(keyStrokes(1006), false, MacroForm::Driver).ok());
    const EncodedMacro driverOver = encodeScript(keyStrokes(1007), false, MacroForm::Driver);
    EXPECT_EQ(driverOver.status, EncodeStatus::TooLong);
    EXPECT_EQ(driverOver.eventBytes, 2014u);
}

TEST(EncodeScriptTest, LineOfAnotherFormIsRefused) {
    for (const char* bad : {"1 A CODE:82G4", "", "FC"}) {
        const EncodedMacro e = encodeScript({"10", "0 50", bad}, false, MacroForm::Device);
        EXPECT_EQ(e.status, EncodeStatus::BadLine) << bad;
        EXPECT_EQ(e.badLine, 2u);
        EXPECT_TRUE(e.content.empty());
    }
}

TEST(DecodeContentTest, EachEventByteGivesItsLine) {
    const struct {
        const char* events;
        const char* line;
    } cases[] = {
        {"81 01", "1 Ctrl CODE:8101"},
        {"01 02", "2 Shift CODE:0102"},
        {"81 08", "1 Left Windows CODE:8108"},
        {"01 80", "2 Right Windows CODE:0180"},
        {"81 03", "1 None CODE:8103"},  // not a modifier bit: shown, code kept
        {"82 04", "1 A CODE:8204"},
        {"82 E0", "1 Left Ctrl CODE:82E0"},  // named by usage, not by the recorded key
        {"02 32", "2  CODE:0232"},           // a usage without a name
        {"A1", "1 LeftKey CODE:00A1"},
        {"22", "2 RightKey CODE:0022"},
        {"A4", "1 MiddleKey CODE:00A4"},
        {"28", "2 Forward CODE:0028"},
        {"B0", "1 Backward CODE:00B0"},
        {"FB 00", "3 FB00"},
        {"FB FB", "4 FBFB"},
        {"FA 7F", "5 FA7F"},
        {"FA 80", "6 FA80"},
        {"FD FE", "7 FDFE"},
        {"FC", "8 00FC"},
        {"FE 06", "0 48"},
    };
    for (const auto& c : cases) {
        const Bytes events = hexBytes(c.events);
        Bytes content{0x00, static_cast<std::uint8_t>(events.size() + 1)};
        content.insert(content.end(), events.begin(), events.end());
        const DecodedMacro d = decodeContent(padded(content, kMacroContentSize), MacroForm::Device);
        EXPECT_EQ(d.script, (MacroScript{d.script.at(0), c.line})) << c.events;
    }
}

TEST(DecodeContentTest, WaitsMergeUpToFive) {
    Bytes five{0x00, 11};
    for (int i = 0; i < 5; ++i) five.insert(five.end(), {0xFE, 0xFF});
    EXPECT_EQ(decodeContent(padded(five, kMacroContentSize), MacroForm::Device).script,
              (MacroScript{"10", "0 10200"}));

    Bytes six{0x00, 13};
    for (int i = 0; i < 6; ++i) six.insert(six.end(), {0xFE, 0xFF});
    EXPECT_EQ(decodeContent(padded(six, kMacroContentSize), MacroForm::Device).script,
              (MacroScript{"10", "0 10200", "0 2040"}));

    // After whole waits a rest under 8 ms is stored as an empty wait, which merges away.
    const EncodedMacro rest = encodeScript({"10", "0 4085"}, false, MacroForm::Device);
    EXPECT_EQ(Bytes(rest.content.begin() + 2, rest.content.begin() + 8),
              hexBytes("FE FF FE FF FE 00"));
    EXPECT_EQ(decodeContent(rest.content, MacroForm::Device).script, (MacroScript{"10", "0 4080"}));

    // The encoder's split of 10200 ms comes back as the one line it was.
    const EncodedMacro e = encodeScript({"10", "0 10200"}, false, MacroForm::Device);
    EXPECT_EQ(decodeContent(e.content, MacroForm::Device).script, (MacroScript{"10", "0 10200"}));
}

TEST(DecodeContentTest, HeaderFromTheFirstFourDelays) {
    // Delays are kept apart by events so that none merge; 50 ms is stored as 48 ms.
    const std::string a = "1 A CODE:8204";
    const struct {
        MacroScript script;
        ScriptHeader header;
    } cases[] = {
        {{"10", "0 50", a, "0 50", a, "0 50", a, "0 50"}, {DelayOption::Fixed, 48}},
        {{"10", "0 50", a, "0 50", a, "0 50"}, {DelayOption::Recorded, 0}},
        {{"10", a, a}, {DelayOption::None, 0}},
        {{"10", "0 0", a, "0 0", a, "0 0", a, "0 0"}, {DelayOption::None, 0}},
        {{"10", "0 56", a, "0 56", a, "0 56", a, "0 64"}, {DelayOption::Recorded, 0}},
        {{"10", "0 56", a, "0 56", a, "0 56", a, "0 56", a, "0 64"}, {DelayOption::Fixed, 56}},
    };
    for (const auto& c : cases) {
        const EncodedMacro e = encodeScript(c.script, false, MacroForm::Device);
        ASSERT_TRUE(e.ok());
        const DecodedMacro d = decodeContent(e.content, MacroForm::Device);
        EXPECT_EQ(d.header, c.header) << c.script.size();
        EXPECT_EQ(d.script.front(), headerLine(c.header));
    }
    EXPECT_EQ(headerLine({DelayOption::Fixed, 48}), "0148");
}

TEST(DecodeContentTest, ReleaseModeAndEmptyContents) {
    Bytes content = padded(hexBytes("01 02 A1 00"), kMacroContentSize);
    EXPECT_EQ(decodeContent(content, MacroForm::Device).releaseStops, true);
    content[0] = 0x00;
    EXPECT_EQ(decodeContent(content, MacroForm::Device).releaseStops, false);
    content[0] = 0x07;
    EXPECT_EQ(decodeContent(content, MacroForm::Device).releaseStops, std::nullopt);

    for (std::uint8_t length : {0x00, 0xFF}) {
        content[1] = length;
        const DecodedMacro d = decodeContent(content, MacroForm::Device);
        EXPECT_TRUE(d.empty);
        EXPECT_TRUE(d.script.empty());
        EXPECT_EQ(d.releaseStops, std::nullopt);
    }
    Bytes driver = padded(hexBytes("01 FF FF A1"), kDriverMacroContentSize);
    EXPECT_TRUE(decodeContent(driver, MacroForm::Driver).empty);
    driver[1] = 0x00;
    driver[2] = 0x02;
    EXPECT_EQ(decodeContent(driver, MacroForm::Driver).script,
              (MacroScript{"00", "1 LeftKey CODE:00A1"}));
}

TEST(DecodeContentTest, WalkEndsAtAnUnknownByteAndAtTheLength) {
    // 0x55 starts no event.
    EXPECT_EQ(decodeContent(padded(hexBytes("00 06 82 04 55 02 04"), kMacroContentSize),
                            MacroForm::Device)
                  .script,
              (MacroScript{"00", "1 A CODE:8204"}));
    // L = 3: the FC after the check byte is not an event.
    EXPECT_EQ(
        decodeContent(padded(hexBytes("00 03 82 04 00 FC"), kMacroContentSize), MacroForm::Device)
            .script,
        (MacroScript{"00", "1 A CODE:8204"}));
    // An operand past L ends the walk.
    EXPECT_EQ(
        decodeContent(padded(hexBytes("00 02 FB 00"), kMacroContentSize), MacroForm::Device).script,
        (MacroScript{"00"}));
    // A length past the content stops at its end: 222 event bytes fit after the two bytes.
    Bytes stops(kMacroContentSize, 0xFC);
    stops[1] = 0xFE;
    EXPECT_EQ(decodeContent(stops, MacroForm::Device).script.size(), 1u + 222u);
    // A span shorter than the form never reads past itself.
    EXPECT_EQ(decodeContent(hexBytes("00 C8 A1 21"), MacroForm::Device).script.size(), 3u);
}

TEST(DeviceMacroValidTest, CheckByteInsideTheContent) {
    using Content = std::span<const std::uint8_t, kMacroContentSize>;
    const Bytes zero(kMacroContentSize, 0);
    EXPECT_FALSE(deviceMacroValid(Content(zero.data(), kMacroContentSize)));

    Bytes a = padded(hexBytes("00 05 82 04 02 04 CB"), kMacroContentSize);
    EXPECT_TRUE(deviceMacroValid(Content(a.data(), kMacroContentSize)));
    a[6] = 0xCC;
    EXPECT_FALSE(deviceMacroValid(Content(a.data(), kMacroContentSize)));

    Bytes outside(kMacroContentSize, 0);
    outside[1] = 223;  // the check byte would be byte 224
    EXPECT_FALSE(deviceMacroValid(Content(outside.data(), kMacroContentSize)));
}

TEST(EventBudgetTest, CountsWhatEncodingProduces) {
    const struct {
        long long ms;
        std::size_t bytes;
    } delays[] = {{0, 2}, {7, 2}, {2040, 2}, {2041, 4}, {4080, 4}, {5000, 6}, {10200, 10}};
    for (const auto& d : delays) EXPECT_EQ(delayEventByteCount(d.ms), d.bytes) << d.ms;

    const MacroScript script{"10",     "1 A CODE:8204", "0 0", "1 LeftKey CODE:00A1",
                             "0 2041", "8 00FC"};
    EXPECT_EQ(scriptEventByteCount(script), 10u);
    EXPECT_EQ(encodeScript(script, false, MacroForm::Device).eventBytes, 10u);
    EXPECT_EQ(eventCapacity(MacroForm::Device), 221u);
    EXPECT_EQ(eventCapacity(MacroForm::Driver), 2012u);
    EXPECT_EQ(
        storedLength(encodeScript(script, false, MacroForm::Driver).content, MacroForm::Driver),
        11u);
}

}  // namespace
}  // namespace vornik

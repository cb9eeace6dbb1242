// Every script the editor and the recorder can produce comes back from its bytes unchanged, and
// no script, however long, gives bytes past the content.
#include <gtest/gtest.h>

#include <random>

#include "model/macro_content.h"
#include "model/virtual_keys.h"

namespace vornik {
namespace {

// Scripts of event lines in the editor's ranges. Delay lines are never adjacent: adjacent waits
// merge when decoded, which has cases of its own.
class ScriptGenerator {
  public:
    explicit ScriptGenerator(unsigned seed) : m_random(seed) {}

    MacroScript script(std::size_t lines) {
        static const ScriptHeader kHeaders[] = {
            {DelayOption::Recorded, 0}, {DelayOption::Fixed, 50}, {DelayOption::None, 0}};
        MacroScript s{headerLine(kHeaders[pick(0, 2)])};
        bool lastWasDelay = false;
        while (s.size() <= lines) {
            std::string line = event(!lastWasDelay);
            lastWasDelay = lineKind(line) == MacroLineKind::Delay;
            s.push_back(std::move(line));
        }
        return s;
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string event(bool delayAllowed) {
        switch (pick(delayAllowed ? 0 : 1, 8)) {
            case 0: {
                // The editor inserts 0..2040 ms, the recorder's key delays reach 10200 ms. After
                // whole waits a rest under 8 ms is an empty wait that merges away when decoded
                // (a case of its own).
                int ms = pick(0, 1) ? pick(0, 2040) : pick(0, 10200);
                if (ms > 2040 && ms % 2040 < 8) ms -= ms % 2040;
                return delayLine(ms);
            }
            case 1:
            case 2: {
                const auto vk = static_cast<std::uint8_t>(pick(0, 0xFE));
                return pick(0, 1) ? *recordedKeyLine(vk, pick(0, 1) == 1)
                                  : typedKeyLine(vk, pick(0, 1) == 1);
            }
            case 3:
                return mouseButtonLine(static_cast<MouseButton>(pick(0, 4)), pick(0, 1) == 1);
            case 4:
                return xMoveLine(pick(-128, 127));
            case 5:
                return yMoveLine(pick(-128, 127));
            case 6:
                return repeatStartLine(pick(1, 255));
            default:
                return repeatStopLine();
        }
    }

    std::mt19937 m_random;
};

void expectRoundTrip(const MacroScript& script, bool releaseStops, MacroForm form,
                     std::size_t& encoded) {
    const EncodedMacro first = encodeScript(script, releaseStops, form);
    if (!first.ok()) {
        EXPECT_EQ(first.status, EncodeStatus::TooLong);
        EXPECT_TRUE(first.content.empty());
        return;
    }
    ++encoded;
    ASSERT_EQ(first.content.size(), contentSize(form));
    const DecodedMacro decoded = decodeContent(first.content, form);
    const EncodedMacro second =
        encodeScript(decoded.script, decoded.releaseStops.value_or(false), form);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.content, first.content) << "script of " << script.size() << " lines";
}

TEST(MacroRoundTripTest, EditorScriptsSurviveEncodeDecodeEncode) {
    ScriptGenerator generator(20240601);
    std::size_t encoded = 0;
    for (int run = 0; run < 2000; ++run) {
        const bool releaseStops = run % 2 == 0;
        expectRoundTrip(generator.script(static_cast<std::size_t>(run % 120)), releaseStops,
                        MacroForm::Device, encoded);
        if (run % 10 == 0)
            expectRoundTrip(generator.script(static_cast<std::size_t>(run % 1100)), releaseStops,
                            MacroForm::Driver, encoded);
    }
    // Most generated scripts must fit, or the property says little.
    EXPECT_GT(encoded, 1000u);
}

TEST(MacroRoundTripTest, NoScriptGivesBytesPastTheContent) {
    const MacroScript huge[] = {
        {"10", "0 999999999999999999"},
        {"10", "0 " + std::string(100000, '9')},
        MacroScript(200000, "1 A CODE:8204"),
        MacroScript(5000, "0 10200"),
    };
    for (const MacroScript& script : huge) {
        for (const MacroForm form : {MacroForm::Device, MacroForm::Driver}) {
            const EncodedMacro e = encodeScript(script, true, form);
            EXPECT_EQ(e.status, EncodeStatus::TooLong);
            EXPECT_GT(e.eventBytes, eventCapacity(form));
            EXPECT_TRUE(e.content.empty());
        }
    }
    // A long line is not a long macro.
    const EncodedMacro longName = encodeScript(
        {"10", "1 " + std::string(100000, 'A') + " CODE:8204"}, false, MacroForm::Device);
    ASSERT_TRUE(longName.ok());
    EXPECT_EQ(longName.content.size(), kMacroContentSize);
    EXPECT_EQ(longName.eventBytes, 2u);

    // Exactly full: the content is its size, not a byte more.
    for (const MacroForm form : {MacroForm::Device, MacroForm::Driver}) {
        MacroScript full{"00"};
        for (std::size_t n = 0; n < eventCapacity(form); ++n) full.push_back("8 00FC");
        const EncodedMacro e = encodeScript(full, false, form);
        ASSERT_TRUE(e.ok());
        EXPECT_EQ(e.content.size(), contentSize(form));
        EXPECT_NE(e.content.back(), 0);  // the check byte is the last byte
    }
}

}  // namespace
}  // namespace vornik

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/embedded_resources.h"
#include "formats/language.h"

namespace vornik {
namespace {

// UTF-16LE bytes of `text`, behind the FF FE mark unless `mark` is false.
std::vector<std::uint8_t> utf16(std::u16string_view text, bool mark = true) {
    std::vector<std::uint8_t> bytes;
    if (mark) bytes = {0xFF, 0xFE};
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

TEST(LanguageTokens, QuotesDoubledQuotesAndBlanks) {
    struct Case {
        std::string_view text;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"[lang3]\r\n\"Str004=Office Mode\"\r\n", {"[lang3]", "Str004=Office Mode"}},
        {"\"Str700=Press \"\"Middle\"\" Key\"", {"Str700=Press \"Middle\" Key"}},
        {"\"\"\"\"", {"\""}},
        {"\"\"", {""}},
        {"Str004=Office Mode", {"Str004=Office", "Mode"}},
        {"  a\t\tb\r\n\r\n\r\nc  ", {"a", "b", "c"}},
        {"\"a\"b \"c d\"\"e\"", {"a", "b", "c d\"e"}},
        {"x\"y z\"", {"x\"y", "z\""}},  // a quote inside a bare token is just a character
        {"", {}},
        {" \r\n ", {}},
    };
    for (const Case& c : cases) {
        const LanguageTokens got = tokenizeLanguageText(c.text);
        EXPECT_EQ(got.tokens, c.tokens) << c.text;
        EXPECT_FALSE(got.unterminated) << c.text;
    }
    for (const std::string_view open : {"\"abc", "\"a \"\"", "ok \""})
        EXPECT_TRUE(tokenizeLanguageText(open).unterminated) << open;
}

TEST(LanguageDecode, MarkSurrogatesAndMalformedBytes) {
    EXPECT_EQ(decodeLanguageBytes(utf16(u"Aé€")).utf8, "A\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(decodeLanguageBytes(utf16(u"\U0001F600x")).utf8, "\xF0\x9F\x98\x80x");
    // Without the mark the first character stands where the mark would be.
    EXPECT_EQ(decodeLanguageBytes(utf16(u"Xabc", false)).utf8, "abc");

    struct Case {
        std::vector<std::uint8_t> bytes;
        LanguageStatus status;
    };
    const Case cases[] = {
        {{}, LanguageStatus::Empty},
        {{0xFF}, LanguageStatus::OddLength},
        {{0xFF, 0xFE, 0x41}, LanguageStatus::OddLength},
        {utf16(u"a\xD83D"), LanguageStatus::LoneSurrogate},  // high surrogate at the end
        {utf16(u"\xD83Dz"), LanguageStatus::LoneSurrogate},  // high without low
        {utf16(u"\xDE00z"), LanguageStatus::LoneSurrogate},  // low without high
        {utf16(u"\xD83D\xD83D\xDE00"), LanguageStatus::LoneSurrogate},
        {std::vector<std::uint8_t>(LanguageTable::kMaxFileBytes + 2, 0x20),
         LanguageStatus::TooLarge},
    };
    for (const Case& c : cases) {
        const DecodedText got = decodeLanguageBytes(c.bytes);
        EXPECT_EQ(got.status, c.status) << c.bytes.size();
        EXPECT_TRUE(got.utf8.empty());
    }
    const std::vector<std::uint8_t> markOnly{0xFF, 0xFE};
    EXPECT_EQ(decodeLanguageBytes(markOnly).status, LanguageStatus::Ok);
}

TEST(LanguageTable, LoadsOneSectionThroughTheTokenizer) {
    const auto bytes = utf16(
        u"[lang2]\r\n\"FontName=Calibri\"\r\n\r\n\"Str210=Ліва кнопка\"  \"str700=a \"\"b\"\"\"\r\n"
        u"\"Str210=second\"\r\n\"Str250 = Відтворення\"");
    const LanguageTable table = LanguageTable::load(bytes, "LANG2");
    ASSERT_EQ(table.status(), LanguageStatus::Ok);
    const TextLookup& texts = table;
    EXPECT_EQ(texts.text("Str210"), "Ліва кнопка");  // first of two wins
    EXPECT_EQ(texts.text("STR700"), "a \"b\"");
    EXPECT_EQ(texts.text("Str250"), "Відтворення");
    EXPECT_EQ(texts.text("Str999"), "");
    EXPECT_TRUE(table.contains("fontname"));
    EXPECT_FALSE(table.contains("Title"));
    EXPECT_EQ(table.fontName(), "Calibri");
    EXPECT_EQ(table.keys(), (std::vector<std::string>{"FontName", "Str210", "str700", "Str250"}));
}

TEST(LanguageTable, FaultsLeaveNoTexts) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string_view section;
        LanguageStatus status;
    };
    const Case cases[] = {
        {utf16(u"[lang1]\r\n\"Str001=Apply\""), "lang2", LanguageStatus::MissingSection},
        // Without the mark the "[" is lost, and with it the section header.
        {utf16(u"[lang1]\r\n\"Str001=Apply\"", false), "lang1", LanguageStatus::MissingSection},
        {utf16(u"[lang1]\r\n\"Str001=Apply"), "lang1", LanguageStatus::UnterminatedQuote},
        {utf16(u"[lang1]\r\n\"Str001=\xDC00\""), "lang1", LanguageStatus::LoneSurrogate},
        {{0xFF, 0xFE, '[', 0, 'l'}, "lang1", LanguageStatus::OddLength},
        {{}, "lang1", LanguageStatus::Empty},
    };
    for (const Case& c : cases) {
        const LanguageTable table = LanguageTable::load(c.bytes, c.section);
        EXPECT_EQ(table.status(), c.status) << "expected " << languageStatusText(c.status)
                                            << ", got " << languageStatusText(table.status());
        EXPECT_FALSE(table.ok());
        EXPECT_EQ(table.text("Str001"), "");
        EXPECT_TRUE(table.keys().empty());
    }
    // A file without the mark still loads when its first character is expendable.
    const LanguageTable shifted =
        LanguageTable::load(utf16(u" [lang1]\r\n\"Str001=Apply\"", false), "lang1");
    EXPECT_EQ(shifted.text("Str001"), "Apply");
    EXPECT_EQ(LanguageTable{}.status(), LanguageStatus::Empty);
}

// The text keys of LANG1 and LANG2, as ranges of numbers; LANG3 lacks Str311.
constexpr std::pair<int, int> kKeyRanges[] = {
    {0, 5},     {7, 17},    {20, 20},   {100, 104}, {106, 109}, {200, 208}, {210, 214},
    {220, 226}, {230, 233}, {240, 243}, {250, 256}, {260, 266}, {300, 311}, {400, 402},
    {404, 418}, {420, 422}, {430, 430}, {432, 433}, {435, 437}, {440, 448}, {500, 502},
    {510, 512}, {520, 523}, {600, 606}, {610, 614}, {620, 621}, {700, 702}, {800, 855},
};

std::string strKey(int n) {
    std::string digits = std::to_string(n);
    return "Str" + std::string(3 - digits.size(), '0') + digits;
}

std::set<std::string> expectedKeys(int language) {
    std::set<std::string> keys{"FontName", "Title"};
    for (const auto& [first, last] : kKeyRanges)
        for (int n = first; n <= last; ++n) keys.insert(strKey(n));
    if (language == 3) keys.erase("Str311");
    return keys;
}

std::u32string codePoints(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(c);
        i += length;
    }
    return out;
}

bool hasCyrillic(std::string_view utf8) {
    const std::u32string cps = codePoints(utf8);
    return std::any_of(cps.begin(), cps.end(), [](char32_t c) { return c >= 0x400 && c <= 0x4FF; });
}

bool hasHan(std::string_view utf8) {
    const std::u32string cps = codePoints(utf8);
    return std::any_of(cps.begin(), cps.end(),
                       [](char32_t c) { return c >= 0x4E00 && c <= 0x9FFF; });
}

TEST(ShippedLanguages, FileFormatKeysFontAndTitle) {
    struct Case {
        int language;
        std::string_view fontName, title;
    };
    const Case cases[] = {{1, "Calibri", "Kavo GAMING"},
                          {2, "Calibri", "Kavo GAMING"},
                          {3, "Arial Narrow", "Orvane Gaming Mouse"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        const auto bytes = embeddedResource("LANG" + std::to_string(c.language));
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xFE);
        const DecodedText decoded = decodeLanguageBytes(bytes);
        ASSERT_EQ(decoded.status, LanguageStatus::Ok);
        const std::string& text = decoded.utf8;
        for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;

        const LanguageTable table = LanguageTable::embedded(c.language);
        ASSERT_TRUE(table.ok()) << languageStatusText(table.status());
        const std::vector<std::string> keys = table.keys();
        EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()), expectedKeys(c.language));
        EXPECT_EQ(keys.size(), expectedKeys(c.language).size());
        EXPECT_EQ(table.fontName(), c.fontName);
        EXPECT_EQ(table.title(), c.title);
        for (const std::string& key : keys) EXPECT_FALSE(table.text(key).empty()) << key;
    }
    EXPECT_FALSE(LanguageTable::embedded(4).ok());
}

TEST(ShippedLanguages, EnglishTexts) {
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"Str004", "Office Mode"},
        {"Str020", "Finding the specified device"},
        {"Str100", "No Device Found"},
        {"Str101", "Please check your device is attached to USB port"},
        {"Str102", "VornikData.bin file type error"},
        {"Str103", "Macro bin length out of range"},
        {"Str104", "EEPROM space shortage"},
        {"Str106", "This macro already exists"},
        {"Str107", "The mouse manufacturer or product id error"},
        {"Str108", "Please keep a Left Key"},
        {"Str109", "Fail"},
        {"Str200", "*"},
        {"Str201", "Standard Mouse Key"},
        {"Str202", "Special Key"},
        {"Str203", "Media Fn"},
        {"Str204", "WWW Fn"},
        {"Str205", "User-defined"},
        {"Str206", "Base Macro"},
        {"Str207", "PC Fn"},
        {"Str208", "Fire Macro"},
        {"Str210", "Left Key"},
        {"Str211", "Right Key"},
        {"Str212", "Middle Key"},
        {"Str213", "Back"},
        {"Str214", "Forward"},
        {"Str220", "Fire Key"},
        {"Str221", "LED Switch"},
        {"Str222", "AIM Key"},
        {"Str223", "Gun Key Fn"},
        {"Str224", "Key Off"},
        {"Str225", "KB Switch Key"},
        {"Str226", "LED Switch Key"},
        {"Str230", "DPI Key"},
        {"Str231", "DPI Loop"},
        {"Str232", "DPI +"},
        {"Str233", "DPI -"},
        {"Str240", "My Computer"},
        {"Str241", "Calculator"},
        {"Str242", "E-Mail"},
        {"Str243", "Desktop"},
        {"Str250", "Play/Pause"},
        {"Str251", "Stop"},
        {"Str252", "Previous Track"},
        {"Str253", "Next Track"},
        {"Str254", "Volume +"},
        {"Str255", "Volume -"},
        {"Str256", "Mute"},
        {"Str260", "Home"},
        {"Str261", "Search"},
        {"Str262", "www Back"},
        {"Str263", "www Forward"},
        {"Str264", "Stop"},
        {"Str265", "Refresh"},
        {"Str266", "Favorites"},
        {"Str300", "500"},
        {"Str301", "800"},
        {"Str302", "1000"},
        {"Str303", "1200"},
        {"Str304", "1600"},
        {"Str305", "2000"},
        {"Str306", "2400"},
        {"Str307", "3200"},
        {"Str308", "4000"},
        {"Str309", "4800"},
        {"Str310", "6400"},
        {"Str400", "Record"},
        {"Str401", "Stop"},
        {"Str402", "Rename"},
        {"Str404", "Export One"},
        {"Str405", "Export All"},
        {"Str406", "Import One"},
        {"Str407", "Import All"},
        {"Str408", "Delete"},
        {"Str409", "Insert"},
        {"Str410", "Insert Delay Front"},
        {"Str411", "Insert Delay Back"},
        {"Str412", "Insert Key Front"},
        {"Str413", "Insert Key Back"},
        {"Str414", "Record Delay"},
        {"Str415", "Default Delay"},
        {"Str416", "No Delay"},
        {"Str417", "Delay Time"},
        {"Str418", "ms"},
        {"Str420", "OK"},
        {"Str421", "OK"},
        {"Str422", "Cancel"},
        {"Str430", "OK for clear macro?"},
        {"Str432", "New Macro"},
        {"Str433", "Delect Macro"},
        {"Str435", "Edit"},
        {"Str436", "Release Key for Stop"},
        {"Str437", "Release Key for Continue"},
        {"Str440", "Insert X axis Front"},
        {"Str441", "Insert X axis Back"},
        {"Str442", "Insert Y axis Front"},
        {"Str443", "Insert Y axis Back"},
        {"Str444", "X axis value"},
        {"Str445", "Y axis value"},
        {"Str446", "Insert Start Repeat"},
        {"Str447", "Insert Stop Repeat"},
        {"Str448", "Repeat Number"},
        {"Str500", "Assembly Key"},
        {"Str501", "Confirm"},
        {"Str502", "Clear"},
        {"Str510", "Macro Name"},
        {"Str511", "OK"},
        {"Str512", "Cancel"},
        {"Str520", "Input One Key"},
        {"Str521", "Input Delay Time"},
        {"Str522", "Please Select One Color"},
        {"Str523", "Input Value"},
        {"Str600", "AKM Fire"},
        {"Str601", "M16 Fire"},
        {"Str602", "M4 Fire"},
        {"Str603", "UMP9 Fire"},
        {"Str604", "SCAR-L Fire"},
        {"Str605", "5.56mm Fire"},
        {"Str606", "7.62mm Fire"},
        {"Str700", "Press 'Middle Key' 3s Switch Office/Gaming Mode"},
        {"Str701", "Press 'CPI' 3s Switch Office/Gaming Mode"},
        {"Str702", "Press Gun Key Switch Office/Gaming Mode"},
    };
    const LanguageTable english = LanguageTable::embedded(3);
    ASSERT_TRUE(english.ok());
    for (const auto& [key, text] : expected) EXPECT_EQ(english.text(key), text) << key;
}

TEST(ShippedLanguages, ScriptsOfEachFile) {
    const LanguageTable russian = LanguageTable::embedded(1);
    const LanguageTable ukrainian = LanguageTable::embedded(2);
    const LanguageTable english = LanguageTable::embedded(3);
    ASSERT_TRUE(russian.ok() && ukrainian.ok() && english.ok());

    for (int n = 800; n <= 855; ++n) {
        const std::string key = strKey(n);
        EXPECT_TRUE(hasHan(english.text(key))) << key << " " << english.text(key);
        EXPECT_FALSE(hasHan(russian.text(key))) << key;
        EXPECT_FALSE(hasHan(ukrainian.text(key))) << key;
    }
    // Translated texts, not copies of the English or of each other.
    for (const char* key : {"Str004", "Str020", "Str100", "Str107", "Str210", "Str402", "Str500",
                            "Str800", "Str812", "Str835"}) {
        EXPECT_TRUE(hasCyrillic(russian.text(key))) << key;
        EXPECT_TRUE(hasCyrillic(ukrainian.text(key))) << key;
        EXPECT_NE(russian.text(key), ukrainian.text(key)) << key;
    }
    // The DPI value names stay numbers; LANG1 and LANG2 name their own data file.
    for (int n = 300; n <= 311; ++n) {
        EXPECT_EQ(russian.text(strKey(n)), ukrainian.text(strKey(n)));
        EXPECT_NE(russian.text(strKey(n)).find_first_of("0123456789"), std::string::npos);
    }
    EXPECT_EQ(russian.text("Str311"), "8000");
    EXPECT_EQ(english.text("Str311"), "");
    EXPECT_NE(russian.text("Str102").find("TamrikData.bin"), std::string::npos);
    EXPECT_NE(ukrainian.text("Str102").find("TamrikData.bin"), std::string::npos);
}

TEST(ShippedLanguages, UkrainianApostropheIsTheTypographicOne) {
    const LanguageTable ukrainian = LanguageTable::embedded(2);
    ASSERT_TRUE(ukrainian.ok());
    for (const std::string& key : ukrainian.keys())
        EXPECT_EQ(ukrainian.text(key).find('\''), std::string::npos) << key;
    EXPECT_EQ(ukrainian.text("Str240"), "Мій комп\u2019ютер");
}

}  // namespace
}  // namespace vornik

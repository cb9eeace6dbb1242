#include "image/function_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace vornik {
namespace {

// Answers with the key itself, so a test sees which key a name was looked up under.
class KeyEcho final : public TextLookup {
  public:
    std::string text(std::string_view key) const override { return "<" + std::string(key) + ">"; }
};

const EnglishTexts kEnglish;
const KeyEcho kEcho;

TEST(FunctionCodeText, ReadsAndWritesTheThreeBytes) {
    struct Case {
        std::string_view text;
        FunctionCode code;
        std::string_view canonical;
    };
    const Case cases[] = {
        {"000000", {0x00, 0x00, 0x00}, "000000"}, {"0600F0", {0x06, 0x00, 0xF0}, "0600F0"},
        {"0A0A00", {0x0A, 0x0A, 0x00}, "0A0A00"}, {"FFFFFF", {0xFF, 0xFF, 0xFF}, "FFFFFF"},
        {"0300cd", {0x03, 0x00, 0xCD}, "0300CD"},  // hex either way; always written uppercase
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = FunctionCode::fromText(c.text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, c.code);
        EXPECT_EQ(parsed->text(), c.canonical);
    }
    EXPECT_EQ((FunctionCode{0x0E, 0x07, 0x21}.parameter()), 0x0721);
}

TEST(FunctionCodeText, RejectsTextThatIsNotSixHexDigits) {
    using namespace std::string_view_literals;
    for (std::string_view text :
         {""sv, "0"sv, "01010"sv, "0101000"sv, "01010G"sv, "0G0100"sv, " 10100"sv, "01010 "sv,
          "+10100"sv, "-10100"sv, "0x0101"sv, "01010\0"sv, "01010\xFF"sv}) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_FALSE(FunctionCode::fromText(text));
    }
}

struct MenuCase {
    int tag;
    std::string_view code;
    std::string_view key;
    std::string_view english;
};

// The whole function menu; the AIM key (1002) is given with index 0.
constexpr MenuCase kMenuCases[] = {
    {900, "010100", "Str210", "Left Key"},        {901, "010200", "Str211", "Right Key"},
    {902, "010400", "Str212", "Middle Key"},      {903, "010800", "Str213", "Back"},
    {904, "011000", "Str214", "Forward"},         {1000, "0600F0", "Str220", "Fire Key"},
    {1001, "090000", "Str221", "LED Switch"},     {1002, "0A0000", "Str222", "AIM Key"},
    {1003, "0D0000", "Str223", "Gun Key Fn"},     {1004, "000000", "Str224", "Key Off"},
    {1005, "0F0000", "Str225", "KB Switch Key"},  {1006, "100000", "Str226", "LED Switch Key"},
    {1100, "030194", "Str240", "My Computer"},    {1101, "030192", "Str241", "Calculator"},
    {1102, "03018A", "Str242", "E-Mail"},         {1103, "020807", "Str243", "Desktop"},
    {1300, "0300CD", "Str250", "Play/Pause"},     {1301, "0300B7", "Str251", "Stop"},
    {1302, "0300B6", "Str252", "Previous Track"}, {1303, "0300B5", "Str253", "Next Track"},
    {1304, "0300E9", "Str254", "Volume +"},       {1305, "0300EA", "Str255", "Volume -"},
    {1306, "0300E2", "Str256", "Mute"},           {1400, "030223", "Str260", "Home"},
    {1401, "030221", "Str261", "Search"},         {1402, "030224", "Str262", "www Back"},
    {1403, "030225", "Str263", "www Forward"},    {1404, "030226", "Str264", "Stop"},
    {1405, "030227", "Str265", "Refresh"},        {1406, "03022A", "Str266", "Favorites"},
    {2000, "050000", "Str231", "DPI Loop"},       {2001, "070000", "Str232", "DPI +"},
    {2002, "080000", "Str233", "DPI -"},
};

TEST(MenuTags, EveryEntryRoundTripsToItsName) {
    for (const auto& c : kMenuCases) {
        SCOPED_TRACE(c.tag);
        const std::string code = codeForTag(c.tag, 0);
        EXPECT_EQ(code, c.code);
        // Through the key, so that "Stop" (Str251, Str264) follows each language separately.
        EXPECT_EQ(nameForCode(code, {.texts = kEcho}), "<" + std::string(c.key) + ">");
        EXPECT_EQ(nameForCode(code, {.texts = kEnglish}), c.english);
        EXPECT_EQ(kEnglish.text(c.key), c.english);
    }
}

TEST(MenuTags, OtherTagsGiveNoCode) {
    for (int tag : {-1, 0, 899, 905, 999, 1007, 1099, 1104, 1299, 1307, 1407, 1999, 2003}) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(codeForTag(tag, 5), "");
    }
}

TEST(MenuTags, AimKeyCarriesTheIndexAsTwoUppercaseDigits) {
    const std::pair<std::uint8_t, std::string_view> cases[] = {
        {0, "0A0000"}, {5, "0A0500"}, {10, "0A0A00"}, {11, "0A0B00"}, {0xFF, "0AFF00"}};
    for (const auto& [index, code] : cases) EXPECT_EQ(codeForTag(1002, index), code);
}

// Macros in the mouse, six named slots, no gun list.
class NameForCodeTest : public ::testing::Test {
  protected:
    const std::vector<std::string> m_slots{"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"};
    NameContext m_context{.texts = kEnglish, .eepromMode = true, .slotNames = m_slots};
};

TEST_F(NameForCodeTest, FixedNamesThenTypeRules) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"020807", "Desktop"},  // fixed name wins over Win+D
        {"020800", "Win+"},
        {"020304", "Ctrl+Shift+A"},
        {"020F2C", "Ctrl+Shift+Alt+Win+Space bar"},
        {"020507", "Ctrl+Alt+D"},
        {"0200E3", "Win"},
        {"02F004", "A"},      // the upper modifier bits name nothing
        {"020132", "Ctrl+"},  // an unnamed usage leaves only the modifiers
        {"020000", ""},
        {"0A0500", "AIM Key"},
        {"0A0000", "AIM Key"},
        {"0AFFFF", "AIM Key"},
        {"0a0500", ""},
        {"0600F0", "Fire Key"},
        {"0E00F0", ""},
        {"0C0101", "AKM Fire"},
        {"0C0202", "M16 Fire"},
        {"0C0303", "M4 Fire"},
        {"0C0404", "UMP9 Fire"},
        {"0C0505", "SCAR-L Fire"},
        {"0C0606", "5.56mm Fire"},
        {"0C0607", "5.56mm Fire"},
        {"0C0808", "7.62mm Fire"},
        {"0C0809", "7.62mm Fire"},
        {"0C080A", "7.62mm Fire"},
        {"0C0707", ""},
        {"0C0102", ""},
        {"0C080a", ""},
        {"040000", ""},
        {"0B0000", ""},
        {"110000", ""},
        {"FF0000", ""},
        {"0300CD", "Play/Pause"},
        {"0300cd", ""},
        {"0301CD", ""},
        {"010300", ""},  // a mouse-button mask with no fixed name
        {"01010", ""},
        {"0A05", ""},
        {"0A05000", ""},
        {"", ""},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(nameForCode(code, m_context), name) << code;
}

TEST_F(NameForCodeTest, MacroCodesNameTheSlotAtTheirAddress) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"0E0121", "Alpha"},
        {"060121", "Alpha"},
        {"060221", "Bravo"},
        {"0E0321", "Charlie"},
        {"060421", "Delta"},
        {"060621", "Echo"},
        {"0E0721", "Foxtrot"},
        {"060821", ""},
        {"060000", ""},
        // No slot at 0x0521; 0x0120 is a driver block's address.
        {"060521", ""},
        {"060120", ""},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(nameForCode(code, m_context), name) << code;

    // A slot name list shorter than the slots (not filled yet) names nothing beyond its end.
    const std::vector<std::string> two{"Alpha", "Bravo"};
    m_context.slotNames = two;
    EXPECT_EQ(nameForCode("060221", m_context), "Bravo");
    EXPECT_EQ(nameForCode("060321", m_context), "");
}

TEST_F(NameForCodeTest, DriverModeNamesTheWriteListBlock) {
    const std::vector<std::string> blocks{"d0", "d1", "d2", "d3"};
    m_context.eepromMode = false;
    m_context.slotNames = blocks;
    m_context.driverBlockCount = 3;  // the fourth name is stale and must not be reached
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"060120", "d0"},
        {"0E0920", "d1"},
        {"061120", "d2"},
        {"061920", ""},
        {"0E00F0", ""},
        {"0600F0", "Fire Key"},
        // Mouse slot addresses mean nothing here.
        {"060121", ""},
        {"060921", ""},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(nameForCode(code, m_context), name) << code;

    // The last block a 16-bit address reaches, with the high byte carried.
    std::vector<std::string> named(32);
    named[31] = "d31";
    m_context.slotNames = named;
    m_context.driverBlockCount = named.size();
    EXPECT_EQ(nameForCode("06F920", m_context), "d31");
}

TEST_F(NameForCodeTest, GunListInUseReplacesThePresetNames) {
    const std::array<std::string, 10> gunList{"0C0101", "0C0202", "0C0606", "0C0404", "0C0404",
                                              "0C0505", "0C0707", "0C0808", "0C0909", "0C0A0A"};
    m_context.gunList = gunList;
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"0C0101", "Fire Macro1"},
        {"0C0606", "Fire Macro3"},
        {"0C0404", "Fire Macro4"},  // the first of equal entries
        {"0C0707", "Fire Macro7"},
        {"0C0A0A", "Fire Macro10"},
        {"0C0607", ""},  // a preset code not in the list
        {"0c0101", ""},
        {"0600F0", "Fire Key"},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(nameForCode(code, m_context), name) << code;
}

class ProfileCodesTest : public ::testing::Test {
  protected:
    using Section = std::array<std::uint8_t, ProfileCodes::kSectionSize>;

    static Section counting() {
        Section s{};
        std::iota(s.begin(), s.end(), std::uint8_t{0});
        return s;
    }

    ProfileCodes m_codes;
};

TEST_F(ProfileCodesTest, RebuildReadsEachButtonsThreeBytes) {
    const Section bytes = counting();
    m_codes.rebuild(bytes);
    const struct {
        int profile, button;
        std::string_view code;
    } cases[] = {
        {1, 1, "000102"}, {1, 2, "030405"}, {1, 9, "18191A"},
        {2, 1, "1B1C1D"}, {2, 8, "303132"}, {2, 9, "333435"},  // byte 54, the check byte, unread
    };
    for (const auto& c : cases) EXPECT_EQ(m_codes.code(c.profile, c.button), c.code);

    Section other{};
    other[27] = 0xAB;
    m_codes.rebuild(other);
    EXPECT_EQ(m_codes.code(1, 1), "000000");
    EXPECT_EQ(m_codes.code(2, 1), "AB0000");
}

TEST_F(ProfileCodesTest, StoreWritesOnlyThatButtonsBytes) {
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p) {
        for (int k = 1; k <= ProfileCodes::kButtons; ++k) {
            SCOPED_TRACE(testing::Message() << "profile " << p << " button " << k);
            Section bytes = counting();
            m_codes.rebuild(bytes);
            const ProfileCodes before = m_codes;

            ASSERT_TRUE(m_codes.store(p, k, "0C080A", bytes));
            Section expected = counting();
            const std::size_t at = 27 * (p - 1) + 3 * (k - 1);
            expected[at] = 0x0C;
            expected[at + 1] = 0x08;
            expected[at + 2] = 0x0A;
            EXPECT_EQ(bytes, expected);

            ProfileCodes::Lists lists = before.lists();
            lists[p - 1][k - 1] = "0C080A";
            EXPECT_EQ(m_codes.lists(), lists);
        }
    }
}

TEST_F(ProfileCodesTest, StoreKeepsListsEqualToTheBytes) {
    Section bytes{};
    m_codes.rebuild(bytes);
    ASSERT_TRUE(m_codes.store(2, 4, "0300cd", bytes));
    ASSERT_TRUE(m_codes.store(1, 7, "0E0721", bytes));
    EXPECT_EQ(m_codes.code(2, 4), "0300CD");

    ProfileCodes fromBytes;
    fromBytes.rebuild(bytes);
    EXPECT_EQ(fromBytes.lists(), m_codes.lists());
}

TEST_F(ProfileCodesTest, StoreRejectsBadButtonsAndTexts) {
    const struct {
        int profile, button;
        std::string_view code;
    } cases[] = {
        {1, 1, "01010"},  {1, 1, "0101000"}, {1, 1, "01010G"},
        {1, 1, ""},       {0, 1, "010100"},  {3, 1, "010100"},
        {1, 0, "010100"}, {2, 10, "010100"}, {-1, -1, "010100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.profile << "/" << c.button << " " << c.code);
        Section bytes = counting();
        m_codes.rebuild(bytes);
        const ProfileCodes before = m_codes;
        EXPECT_FALSE(m_codes.store(c.profile, c.button, c.code, bytes));
        EXPECT_EQ(bytes, counting());
        EXPECT_EQ(m_codes.lists(), before.lists());
    }
    for (const auto& [p, k] : {std::pair{0, 1}, std::pair{3, 1}, std::pair{1, 0}, std::pair{1, 10}})
        EXPECT_EQ(m_codes.code(p, k), "") << p << "/" << k;
}

TEST_F(ProfileCodesTest, RepairDefaultGivesTheNamedFunctionsInBothProfiles) {
    const std::string_view names[] = {"Left Key",      "Middle Key", "Right Key",
                                      "Back",          "Forward",    "DPI Loop",
                                      "KB Switch Key", "Desktop",    "LED Switch"};
    Section bytes;
    bytes.fill(0xEE);
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k)
            ASSERT_TRUE(m_codes.store(p, k, kRepairDefaultCodes[k - 1], bytes));

    const std::uint8_t profile[27] = {0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00,
                                      0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x05, 0x00, 0x00,
                                      0x0F, 0x00, 0x00, 0x02, 0x08, 0x07, 0x09, 0x00, 0x00};
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 27, profile));
    EXPECT_TRUE(std::equal(bytes.begin() + 27, bytes.begin() + 54, profile));
    EXPECT_EQ(bytes[54], 0xEE);
    for (int k = 1; k <= ProfileCodes::kButtons; ++k)
        EXPECT_EQ(nameForCode(m_codes.code(2, k), {.texts = kEnglish}), names[k - 1]) << k;
}

}  // namespace
}  // namespace vornik

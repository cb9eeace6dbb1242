#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "formats/embedded_resources.h"
#include "formats/ini_file.h"
#include "formats/language.h"
#include "formats/options.h"

namespace vornik {
namespace {

// Invariants that hold for any input: lookups agree with the key lists and the options stay
// inside their clamps.
void checkIni(const IniFile& ini) {
    for (const std::string& section : ini.sections()) {
        ASSERT_TRUE(ini.hasSection(section));
        for (const std::string& key : ini.keys(section)) ASSERT_TRUE(ini.text(section, key));
    }
    const AppOptions o = parseOptions(ini);
    ASSERT_GE(o.gun6Num, 1);
    ASSERT_LE(o.gun6Num, 2);
    ASSERT_GE(o.gun7Num, 1);
    ASSERT_LE(o.gun7Num, 3);
    ASSERT_GE(o.numOrder, 0);
    ASSERT_LE(o.numOrder, 1);
    ASSERT_GE(o.apMode, 0);
    ASSERT_LE(o.apMode, 2);
    ASSERT_EQ(o.eepromMode, o.apMode != 1);
    ASSERT_TRUE(o.eepromMode || !o.gunDisplay);
    ASSERT_GE(o.dpiSliderMaximum(), 0);
    ASSERT_LE(o.dpiSliderMaximum(), 1100);
}

void checkLanguage(const LanguageTable& table) {
    if (!table.ok()) {
        ASSERT_TRUE(table.keys().empty());
        ASSERT_EQ(table.text("Str000"), "");
        return;
    }
    for (const std::string& key : table.keys()) ASSERT_TRUE(table.contains(key));
}

std::vector<std::uint8_t> resource(std::string_view name) {
    const auto bytes = embeddedResource(name);
    return {bytes.begin(), bytes.end()};
}

// Every prefix of a shipped language file either fails cleanly or holds only complete
// entries with the texts of the whole file: a cut can never produce a shortened text.
TEST(UiParsersFuzz, TruncatedLanguageFiles) {
    for (int n = 1; n <= 3; ++n) {
        const std::vector<std::uint8_t> full = resource("LANG" + std::to_string(n));
        const std::string section = "lang" + std::to_string(n);
        const LanguageTable whole = LanguageTable::load(full, section);
        ASSERT_TRUE(whole.ok());
        std::size_t loaded = 0;
        for (std::size_t size = 0; size < full.size(); ++size) {
            const LanguageTable part = LanguageTable::load(std::span(full.data(), size), section);
            ASSERT_NO_FATAL_FAILURE(checkLanguage(part));
            if (size % 2 != 0) {
                ASSERT_EQ(part.status(), LanguageStatus::OddLength) << size;
            }
            if (!part.ok()) continue;
            ++loaded;
            for (const std::string& key : part.keys())
                ASSERT_EQ(part.text(key), whole.text(key)) << key << " at " << size;
        }
        EXPECT_GT(loaded, 100u);  // cuts between entries do load
    }
}

TEST(UiParsersFuzz, TruncatedOptionFile) {
    const std::vector<std::uint8_t> full = resource("ORG");
    for (std::size_t size = 0; size <= full.size(); ++size)
        ASSERT_NO_FATAL_FAILURE(checkIni(
            IniFile::parse(std::string_view(reinterpret_cast<const char*>(full.data()), size))));
}

TEST(UiParsersFuzz, MutatedAndRandomBytes) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "[]=;/\"\r\n\t -+0123456789orgOGlanStrKey_\xD0\x98";
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::vector<std::uint8_t> shipped[] = {resource("LANG1"), resource("LANG2"),
                                                 resource("LANG3"), resource("ORG")};
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes;
        switch (round % 3) {
            case 0: {  // a shipped file with a few bytes flipped, dropped or cut
                bytes = shipped[pick(4)];
                for (int k = 0, edits = 1 + static_cast<int>(pick(8)); k < edits; ++k) {
                    const std::size_t at = pick(bytes.size());
                    if (pick(2) == 0)
                        bytes[at] = static_cast<std::uint8_t>(pick(256));
                    else
                        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
                }
                break;
            }
            case 1:  // raw noise
                bytes.resize(pick(2048));
                for (auto& b : bytes) b = static_cast<std::uint8_t>(pick(256));
                break;
            default:  // noise from the grammar's own characters, as UTF-16 too
                for (std::size_t k = 0, size = pick(1024); k < size; ++k) {
                    bytes.push_back(static_cast<std::uint8_t>(alphabet[pick(alphabet.size())]));
                    if (round % 2 == 0) bytes.push_back(pick(4) == 0 ? 0xD8 : 0x00);
                }
                break;
        }
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        ASSERT_NO_FATAL_FAILURE(checkIni(IniFile::parse(text))) << round;
        for (const char* section : {"lang1", "lang3", "org"})
            ASSERT_NO_FATAL_FAILURE(checkLanguage(LanguageTable::load(bytes, section))) << round;
    }
}

// Many distinct keys and sections stay fast: lookups are indexed, not scanned.
TEST(UiParsersFuzz, LargeFilesParseInLinearTime) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "[s" + std::to_string(i % 1000) + "]\nk" + std::to_string(i) + " = " +
                std::to_string(-i) + "\n";
    const IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.sections().size(), 1000u);
    EXPECT_EQ(ini.keys("S999").size(), 100u);
    EXPECT_EQ(ini.integer("s999", "K99999", 0), -99999);
}

}  // namespace
}  // namespace vornik

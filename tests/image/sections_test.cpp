#include "image/sections.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/defaults.h"

namespace vornik {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N>
Bytes bytesOf(const std::array<std::uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

Bytes hexBytes(const char* text) {
    Bytes out;
    for (const char* p = text; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
        p += 2;
    }
    return out;
}

TEST(SectionCodeTest, SumModuloXor5A) {
    const std::array<std::uint8_t, 3> bytes{0xFF, 0x02, 0x00};
    EXPECT_EQ(sectionCode(bytes), (0x101 & 0xFF) ^ 0x5A);
    EXPECT_EQ(sectionCode({}), 0x5A);
}

// The image as its table gives it, typed in apart from the resource that is built in: rows of
// an address and 16 hex bytes, zeros wherever no row says otherwise.
ConfigImage imageFromTable(const std::filesystem::path& file, int& rows) {
    ConfigImage image{};
    rows = 0;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        unsigned address = 0;
        row >> std::hex >> address;
        for (unsigned i = 0; i < 16; ++i) {
            unsigned byte = 0;
            row >> byte;
            image.at(address + i) = static_cast<std::uint8_t>(byte);
        }
        if (!row.fail()) ++rows;
    }
    return image;
}

TEST(BuiltInImageTest, HasTheShippedBytesAndValidCodes) {
    const ConfigImage& image = builtInImage();
    int rows = 0;
    const ConfigImage table =
        imageFromTable(std::filesystem::path(VORNIK_TEST_DATA) / "builtin_image.txt", rows);
    ASSERT_EQ(rows, 16);
    for (std::size_t i = 0; i < kImageSize; ++i)
        EXPECT_EQ(image[i], table[i]) << "address 0x" << std::hex << i;
    EXPECT_EQ(image[0x02F], 0x72);
    EXPECT_EQ(image[0x076], 0x06);
    EXPECT_EQ(image[0x0FA], 0x96);

    Sections s;
    const RepairReport report = splitImage(image, s);
    EXPECT_FALSE(report.any());
    EXPECT_EQ(expectedIdPair(image), (std::pair<std::uint8_t, std::uint8_t>{0xFF, 0xFF}));

    // The pair comes from 0x35 and 0x36 of the default image, not from 0x36 and 0x37.
    ConfigImage marked = image;
    marked[0x35] = 0x11;
    marked[0x36] = 0x22;
    marked[0x37] = 0x33;
    EXPECT_EQ(expectedIdPair(marked), (std::pair<std::uint8_t, std::uint8_t>{0x11, 0x22}));
}

TEST(SectionDefaultsTest, MatchTheRepairTables) {
    EXPECT_EQ(bytesOf(parameterADefaults()),
              hexBytes("FF FE 04 00 FF 00 01 02 03 04 05 06 07 01 04 03 00 02 05 06 FF 00 00 00 FF "
                       "00 FF 00 00 00 FF 00 FF FF 00 00 00 FF FF 00 FF 00 FF FF FF FF FF 79"));
    EXPECT_EQ(bytesOf(fireKeyDefaults()), hexBytes("0A FD 02 A1 FE 03 21 FE 64 FC 70"));
    const auto& profile = profileDefaults();
    const Bytes buttons =
        hexBytes("010100 010400 010200 010800 011000 050000 0F0000 020807 090000");
    EXPECT_EQ(Bytes(profile.begin(), profile.begin() + 27), buttons);
    EXPECT_EQ(Bytes(profile.begin() + 27, profile.begin() + 54), buttons);
    EXPECT_EQ(profile[54], 0xFE);
}

TEST(CheckSectionTest, ParameterAAllFFIsReplaced) {
    std::array<std::uint8_t, 48> s;
    s.fill(0xFF);  // 47 x 0xFF gives code 0x8B, not 0xFF
    EXPECT_TRUE(checkParameterA(s));
    EXPECT_EQ(bytesOf(s), bytesOf(parameterADefaults()));
    EXPECT_FALSE(checkParameterA(s));
}

TEST(CheckSectionTest, ParameterBPairs) {
    struct Case {
        const char* in;
        const char* out;
        std::array<bool, 3> repaired;
    } cases[] = {
        {"01 FE 44 BB 00 FF FF FF", "01 FE 44 BB 00 FF FF FF", {false, false, false}},
        {"01 FE 44 BC 00 FF FF FF", "01 FE 01 FE 00 FF FF FF", {false, true, false}},
        {"FF FF FF FF FF FF 12 34", "01 FE 01 FE 00 FF 12 34", {true, true, true}},
        {"00 00 FF 00 7F 80 00 00", "01 FE FF 00 7F 80 00 00", {true, false, false}},
    };
    for (const auto& c : cases) {
        std::array<std::uint8_t, 8> s;
        const Bytes in = hexBytes(c.in);
        std::copy(in.begin(), in.end(), s.begin());
        EXPECT_EQ(checkParameterB(s), c.repaired) << c.in;
        EXPECT_EQ(bytesOf(s), hexBytes(c.out)) << c.in;
    }
}

TEST(CheckSectionTest, FireKeyOfZerosGetsTheDefaults) {
    std::array<std::uint8_t, 11> s{};
    EXPECT_TRUE(checkFireKey(s));
    EXPECT_EQ(bytesOf(s), hexBytes("0A FD 02 A1 FE 03 21 FE 64 FC 70"));
}

TEST(CheckSectionTest, ProfileWithBadCodeGetsTheDefaults) {
    Sections s;
    splitImage(builtInImage(), s);
    s.profile[54] ^= 1;
    EXPECT_TRUE(checkProfile(s.profile));
    EXPECT_EQ(bytesOf(s.profile), bytesOf(profileDefaults()));
}

TEST(SplitJoinTest, AllFFImageRepairsTheCodedSections) {
    ConfigImage image;
    image.fill(0xFF);
    Sections s;
    const RepairReport report = splitImage(image, s);
    EXPECT_TRUE(report.parameterA);
    EXPECT_TRUE(report.profile);
    EXPECT_TRUE(report.fireKey);
    EXPECT_EQ(report.parameterBPairs, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(image[0], 0xFF);  // the image itself is not repaired
}

TEST(SplitJoinTest, JoinKeepsTheGapsAndRecomputesTheCodes) {
    ConfigImage image = builtInImage();
    for (std::size_t a = 0; a < kImageSize; ++a) image[a] ^= static_cast<std::uint8_t>(a * 31 + 7);
    Sections s;
    splitImage(image, s);
    s.parameterA[3] = 0x42;  // an edit
    ConfigImage joined = image;
    joinImage(s, joined);

    const std::pair<int, int> gaps[] = {{0x038, 8},  {0x077, 9}, {0x09E, 18},
                                        {0x0C4, 12}, {0x0EE, 2}, {0x0FB, 5}};
    for (auto [address, size] : gaps)
        for (int i = 0; i < size; ++i)
            EXPECT_EQ(joined[address + i], image[address + i]) << address;
    EXPECT_EQ(joined[3], 0x42);
    EXPECT_TRUE(sectionCodeValid(std::span(joined).subspan(0x000, 48)));
    EXPECT_TRUE(sectionCodeValid(std::span(joined).subspan(0x040, 55)));
    EXPECT_TRUE(sectionCodeValid(std::span(joined).subspan(0x0F0, 11)));
    // Sections without a code travel unchanged.
    EXPECT_TRUE(std::equal(joined.begin() + 0x100, joined.end(), image.begin() + 0x100));
    EXPECT_TRUE(std::equal(joined.begin() + 0x080, joined.begin() + 0x09E, image.begin() + 0x080));
}

TEST(SplitJoinTest, HooksRunInTheirPlaces) {
    std::vector<std::string> calls;
    Sections s;
    SplitHooks split;
    split.decodeMacroSlots = [&](Sections& x) {
        calls.push_back("macros");
        EXPECT_EQ(x.macroSlots5To6[0], builtInImage()[0x600]);
    };
    split.decodeFireMacros = [&](Sections& x) {
        calls.push_back("fire");
        EXPECT_EQ(x.fireMacroRecords[9][0], builtInImage()[0x500 + 9 * 24]);
    };
    splitImage(builtInImage(), s, split);
    JoinHooks join;
    join.storeAimKey = [&](Sections& x) {
        calls.push_back("aim");
        x.profile[0] = 0x0A;
    };
    ConfigImage image = builtInImage();
    joinImage(s, image, join);
    EXPECT_EQ(calls, (std::vector<std::string>{"macros", "fire", "aim"}));
    EXPECT_EQ(image[0x040], 0x0A);
    EXPECT_TRUE(sectionCodeValid(std::span(image).subspan(0x040, 55)));  // code after the hook
}

}  // namespace
}  // namespace vornik

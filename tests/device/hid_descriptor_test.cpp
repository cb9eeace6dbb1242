#include "device/hid_descriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vornik {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kDataDir{VORNIK_HID_DESCRIPTOR_DIR};

Bytes readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes short items with the smallest data size that holds the value, as descriptor tools do.
class DescriptorBuilder {
  public:
    DescriptorBuilder& usagePage(std::uint32_t v) { return item(0x04, v); }
    DescriptorBuilder& usage(std::uint32_t v) { return item(0x08, v); }
    // A Usage with four data bytes: the usage page travels in the high half.
    DescriptorBuilder& extendedUsage(std::uint16_t page, std::uint16_t id) {
        return sized(0x08, std::uint32_t{page} << 16 | id, 4);
    }
    DescriptorBuilder& application() { return item(0xA0, 0x01); }
    DescriptorBuilder& physical() { return item(0xA0, 0x00); }
    DescriptorBuilder& end() { return item(0xC0, 0, 0); }
    DescriptorBuilder& reportId(std::uint32_t v) { return item(0x84, v); }
    DescriptorBuilder& reportSize(std::uint32_t v) { return item(0x74, v); }
    DescriptorBuilder& reportCount(std::uint32_t v) { return item(0x94, v); }
    DescriptorBuilder& input() { return item(0x80, 0x02); }
    DescriptorBuilder& output() { return item(0x90, 0x02); }
    DescriptorBuilder& feature() { return item(0xB0, 0x02); }
    DescriptorBuilder& push() { return item(0xA4, 0, 0); }
    DescriptorBuilder& pop() { return item(0xB4, 0, 0); }
    DescriptorBuilder& raw(std::initializer_list<std::uint8_t> bytes) {
        m_bytes.insert(m_bytes.end(), bytes);
        return *this;
    }
    // `count` fields of `bits` bits each under report id `id` (0: no id item).
    DescriptorBuilder& report(std::uint8_t prefix, std::uint32_t id, std::uint32_t bits,
                              std::uint32_t count) {
        if (id != 0) reportId(id);
        return reportSize(bits).reportCount(count).item(prefix, 0x02);
    }

    Bytes bytes() const { return m_bytes; }

  private:
    DescriptorBuilder& item(std::uint8_t tagAndType, std::uint32_t v) {
        return sized(tagAndType, v, v <= 0xFF ? 1 : v <= 0xFFFF ? 2 : 4);
    }
    DescriptorBuilder& item(std::uint8_t tagAndType, std::uint32_t v, unsigned size) {
        return sized(tagAndType, v, size);
    }
    DescriptorBuilder& sized(std::uint8_t tagAndType, std::uint32_t v, unsigned size) {
        m_bytes.push_back(static_cast<std::uint8_t>(tagAndType | (size == 4 ? 3 : size)));
        for (unsigned i = 0; i < size; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(v >> 8 * i));
        return *this;
    }

    Bytes m_bytes;
};

constexpr std::uint8_t kInput = 0x80;
constexpr std::uint8_t kOutput = 0x90;
constexpr std::uint8_t kFeature = 0xB0;

HidDescriptorParse parse(const Bytes& bytes) { return parseHidDescriptor(bytes); }

// ---- Real descriptors against the lengths Windows reported --------------------------------

struct GoldenCase {
    std::string name;
    HidCollectionInfo expected;
};

std::vector<GoldenCase> loadGoldenCases() {
    std::vector<GoldenCase> cases;
    std::ifstream in(kDataDir / "cases.tsv");
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        GoldenCase c;
        unsigned page = 0, usage = 0, input = 0, output = 0, feature = 0;
        fields >> c.name >> std::hex >> page >> usage >> std::dec >> input >> output >> feature;
        if (!fields) {
            ADD_FAILURE() << "unreadable row: " << line;
            continue;
        }
        c.expected = {static_cast<std::uint16_t>(page), static_cast<std::uint16_t>(usage),
                      static_cast<std::uint16_t>(input), static_cast<std::uint16_t>(output),
                      static_cast<std::uint16_t>(feature)};
        cases.push_back(c);
    }
    return cases;
}

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class GoldenDescriptor : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenDescriptor, CollectionMatchesWindowsLengths) {
    const GoldenCase& c = GetParam();
    const Bytes bytes = readFile(kDataDir / (c.name + ".desc"));
    ASSERT_FALSE(bytes.empty()) << "missing descriptor " << c.name;

    const HidDescriptorParse result = parse(bytes);
    EXPECT_TRUE(result.ok()) << result.error << " at " << result.errorOffset;
    const auto matches = [&](const HidCollectionInfo& info) {
        return info.usagePage == c.expected.usagePage && info.usage == c.expected.usage;
    };
    ASSERT_EQ(std::count_if(result.collections.begin(), result.collections.end(), matches), 1)
        << "collection " << std::hex << c.expected.usagePage << ":" << c.expected.usage;
    const HidCollectionInfo& found =
        *std::find_if(result.collections.begin(), result.collections.end(), matches);
    EXPECT_EQ(found.inputReportByteLength, c.expected.inputReportByteLength);
    EXPECT_EQ(found.outputReportByteLength, c.expected.outputReportByteLength);
    EXPECT_EQ(found.featureReportByteLength, c.expected.featureReportByteLength);
}

INSTANTIATE_TEST_SUITE_P(Real, GoldenDescriptor, testing::ValuesIn(loadGoldenCases()),
                         [](const testing::TestParamInfo<GoldenCase>& caseInfo) {
                             return caseInfo.param.name;
                         });

// Guards the table above against silently shrinking: every descriptor file has its row.
TEST(GoldenDescriptorData, EveryDescriptorFileHasARow) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kDataDir)) {
        if (entry.path().extension() == ".desc") files.insert(entry.path().stem().string());
    }
    std::set<std::string> rows;
    for (const GoldenCase& c : loadGoldenCases()) rows.insert(c.name);
    EXPECT_FALSE(files.empty());
    EXPECT_EQ(files, rows);
}

// A descriptor cut anywhere short of its final End Collection is faulty, and what it still
// yields are exactly the collections of the whole descriptor that closed before the cut.
TEST(GoldenDescriptorData, EveryTruncationKeepsOnlyClosedCollections) {
    for (const GoldenCase& c : loadGoldenCases()) {
        const Bytes bytes = readFile(kDataDir / (c.name + ".desc"));
        const HidDescriptorParse whole = parse(bytes);
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            const HidDescriptorParse part = parseHidDescriptor(std::span(bytes).first(cut));
            SCOPED_TRACE(c.name + " cut at " + std::to_string(cut));
            EXPECT_FALSE(part.ok());
            ASSERT_LE(part.collections.size(), whole.collections.size());
            EXPECT_TRUE(std::equal(part.collections.begin(), part.collections.end(),
                                   whole.collections.begin()));
        }
    }
}

// ---- Descriptors built here: one rule each -------------------------------------------------

struct BuiltCase {
    const char* name;
    Bytes bytes;
    std::vector<HidCollectionInfo> expected;
};

void PrintTo(const BuiltCase& c, std::ostream* os) { *os << c.name; }

class BuiltDescriptor : public testing::TestWithParam<BuiltCase> {};

TEST_P(BuiltDescriptor, Lengths) {
    const HidDescriptorParse result = parse(GetParam().bytes);
    EXPECT_TRUE(result.ok()) << result.error << " at " << result.errorOffset;
    EXPECT_EQ(result.collections, GetParam().expected);
}

DescriptorBuilder vendorCollection() {
    DescriptorBuilder b;
    b.usagePage(0xFF00).usage(0x01).application();
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BuiltDescriptor,
    testing::Values(
        // 8 bytes on the wire: the id byte and 7 data bytes.
        BuiltCase{"EightByteFeatureWithId",
                  vendorCollection().report(kFeature, 4, 8, 7).end().bytes(),
                  {{0xFF00, 0x01, 0, 0, 8}}},
        BuiltCase{"NineByteFeatureWithId",
                  vendorCollection().report(kFeature, 4, 8, 8).end().bytes(),
                  {{0xFF00, 0x01, 0, 0, 9}}},
        // Without report ids Windows still counts a leading zero byte.
        BuiltCase{"NoReportIdStillCountsIdByte",
                  vendorCollection().report(kFeature, 0, 8, 90).end().bytes(),
                  {{0xFF00, 0x01, 0, 0, 91}}},
        BuiltCase{"LargestReportIdWins",
                  vendorCollection()
                      .report(kFeature, 1, 8, 3)
                      .report(kFeature, 2, 8, 20)
                      .report(kFeature, 3, 8, 5)
                      .end()
                      .bytes(),
                  {{0xFF00, 0x01, 0, 0, 21}}},
        // Items of one id add up even when another id's items come between them.
        BuiltCase{"ItemsOfOneIdAddUpAcrossOtherIds",
                  vendorCollection()
                      .report(kInput, 1, 8, 4)
                      .report(kInput, 2, 8, 6)
                      .report(kInput, 1, 8, 4)
                      .end()
                      .bytes(),
                  {{0xFF00, 0x01, 9, 0, 0}}},
        // Fields are bit-packed across items; only the total is rounded up to bytes.
        BuiltCase{"BitsPackAcrossItemsThenRoundUp",
                  vendorCollection()
                      .report(kInput, 0, 3, 1)
                      .report(kInput, 0, 5, 1)
                      .report(kOutput, 0, 1, 9)
                      .end()
                      .bytes(),
                  {{0xFF00, 0x01, 2, 3, 0}}},
        BuiltCase{"KindsAreMeasuredSeparately",
                  vendorCollection()
                      .report(kInput, 1, 8, 2)
                      .report(kOutput, 1, 8, 5)
                      .report(kFeature, 1, 16, 3)
                      .end()
                      .bytes(),
                  {{0xFF00, 0x01, 3, 6, 7}}},
        BuiltCase{"NestedCollectionsBelongToTheirTopLevel",
                  vendorCollection()
                      .usage(0x02)
                      .physical()
                      .report(kFeature, 5, 8, 10)
                      .usage(0x03)
                      .physical()
                      .report(kFeature, 5, 8, 2)
                      .end()
                      .end()
                      .end()
                      .bytes(),
                  {{0xFF00, 0x01, 0, 0, 13}}},
        BuiltCase{"PopRestoresReportSizeAndId",
                  vendorCollection()
                      .reportId(1)
                      .reportSize(8)
                      .push()
                      .report(kFeature, 2, 32, 4)
                      .pop()
                      .reportCount(3)
                      .feature()
                      .end()
                      .bytes(),
                  // Id 2: 16 bytes inside the push; id 1 and 8-bit fields again after it.
                  {{0xFF00, 0x01, 0, 0, 17}}},
        BuiltCase{"FourByteUsageCarriesItsPage",
                  DescriptorBuilder()
                      .usagePage(0x01)
                      .extendedUsage(0xFF60, 0x61)
                      .application()
                      .report(kInput, 0, 8, 64)
                      .end()
                      .bytes(),
                  {{0xFF60, 0x61, 65, 0, 0}}},
        // The page in force at the Collection item counts, not the one at the Usage item.
        BuiltCase{"UsagePageAppliesAtTheMainItem",
                  DescriptorBuilder()
                      .usagePage(0x01)
                      .usage(0x02)
                      .usagePage(0x0C)
                      .application()
                      .report(kInput, 0, 8, 1)
                      .end()
                      .bytes(),
                  {{0x0C, 0x02, 2, 0, 0}}},
        // Several usages before a collection: the collection is the first of them.
        BuiltCase{"CollectionTakesItsFirstUsage",
                  DescriptorBuilder()
                      .usagePage(0x0C)
                      .usage(0x01)
                      .usage(0x80)
                      .application()
                      .report(kInput, 0, 8, 1)
                      .end()
                      .bytes(),
                  {{0x0C, 0x01, 2, 0, 0}}},
        BuiltCase{"LongItemIsSkipped",
                  vendorCollection()
                      .raw({0xFE, 0x03, 0x20, 0x95, 0x40, 0x81})
                      .report(kFeature, 6, 8, 2)
                      .end()
                      .bytes(),
                  {{0xFF00, 0x01, 0, 0, 3}}},
        BuiltCase{"TwoTopLevelCollectionsEachGetTheirOwn",
                  DescriptorBuilder()
                      .usagePage(0x01)
                      .usage(0x02)
                      .application()
                      .report(kInput, 1, 8, 6)
                      .report(kFeature, 1, 8, 2)
                      .end()
                      .usagePage(0xFF00)
                      .usage(0x01)
                      .application()
                      .report(kOutput, 2, 8, 19)
                      .report(kFeature, 3, 8, 63)
                      .end()
                      .bytes(),
                  {{0x01, 0x02, 7, 0, 3}, {0xFF00, 0x01, 0, 20, 64}}},
        // Reports without an id in two collections are two reports, not one long one.
        BuiltCase{"SameIdInTwoCollectionsCountsSeparately",
                  DescriptorBuilder()
                      .usagePage(0x01)
                      .usage(0x02)
                      .application()
                      .report(kInput, 0, 8, 4)
                      .end()
                      .usage(0x06)
                      .application()
                      .report(kInput, 0, 8, 6)
                      .end()
                      .bytes(),
                  {{0x01, 0x02, 5, 0, 0}, {0x01, 0x06, 7, 0, 0}}},
        BuiltCase{"LargestRepresentableReport",
                  vendorCollection().report(kFeature, 0, 8, 0xFFFF - 1).end().bytes(),
                  {{0xFF00, 0x01, 0, 0, 0xFFFF}}}),
    [](const testing::TestParamInfo<BuiltCase>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

// ---- Faulty input: a clear error, the collections closed before it, nothing else ----------

struct MalformedCase {
    const char* name;
    Bytes bytes;
    std::size_t errorOffset;
    std::size_t collectionsKept;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class MalformedDescriptor : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDescriptor, FailsCleanly) {
    const MalformedCase& c = GetParam();
    const HidDescriptorParse result = parse(c.bytes);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.errorOffset, c.errorOffset) << result.error;
    EXPECT_EQ(result.collections.size(), c.collectionsKept);
}

Bytes complete() { return vendorCollection().report(kFeature, 1, 8, 7).end().bytes(); }
Bytes withTail(std::initializer_list<std::uint8_t> tail) {
    Bytes b = complete();
    b.insert(b.end(), tail);
    return b;
}
const std::size_t kCompleteSize = complete().size();
const std::size_t kCollectionHeaderSize = vendorCollection().bytes().size();

Bytes deepPush() {
    DescriptorBuilder b = vendorCollection();
    for (int i = 0; i < 1000; ++i) b.push();
    return b.end().bytes();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MalformedDescriptor,
    testing::Values(
        MalformedCase{"Empty", {}, 0, 0},
        MalformedCase{"OnlyGlobals", DescriptorBuilder().usagePage(1).reportSize(8).bytes(), 4, 0},
        // Report Size announcing two data bytes, one present.
        MalformedCase{"TruncatedItem", withTail({0x76, 0x10}), kCompleteSize, 1},
        MalformedCase{"TruncatedLongItemHeader", withTail({0xFE, 0x10}), kCompleteSize, 1},
        MalformedCase{"LongItemRunsPastEnd", withTail({0xFE, 0x10, 0x01, 0xAA, 0xBB}),
                      kCompleteSize, 1},
        MalformedCase{"EndCollectionWithoutCollection", withTail({0xC0}), kCompleteSize, 1},
        MalformedCase{"CollectionNeverClosed", withTail({0x09, 0x02, 0xA1, 0x01}),
                      kCompleteSize + 4, 1},
        MalformedCase{"MainItemOutsideCollection", withTail({0x81, 0x02}), kCompleteSize, 1},
        MalformedCase{"PopWithoutPush", withTail({0xB4}), kCompleteSize, 1},
        MalformedCase{"ReportIdZero", withTail({0x85, 0x00}), kCompleteSize, 1},
        MalformedCase{"ReportIdAboveByte", withTail({0x86, 0x00, 0x01}), kCompleteSize, 1},
        // 0xFFFFFFFF fields of 0xFFFFFFFF bits: the product alone nearly fills 64 bits.
        MalformedCase{"HugeReportCount",
                      vendorCollection()
                          .raw({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF})
                          .feature()
                          .end()
                          .bytes(),
                      kCollectionHeaderSize + 10, 0},
        // Each item fits, their sum does not: the running total must not wrap.
        MalformedCase{"ReportSumTooLong",
                      vendorCollection()
                          .report(kInput, 0, 8, 40000)
                          .report(kInput, 0, 8, 40000)
                          .end()
                          .bytes(),
                      kCollectionHeaderSize + 12, 0},
        // One byte more than a 16-bit length with its id byte can say.
        MalformedCase{"ReportOneByteTooLong",
                      vendorCollection().report(kFeature, 0, 8, 0xFFFF).end().bytes(),
                      kCollectionHeaderSize + 5, 0},
        // The push stack is bounded instead of growing with the input.
        MalformedCase{"PushNestedTooDeep", deepPush(), kCollectionHeaderSize + 64, 0}),
    [](const testing::TestParamInfo<MalformedCase>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

}  // namespace
}  // namespace vornik

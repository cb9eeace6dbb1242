#include "model/macro_library.h"

#include <gtest/gtest.h>

#include "test_bytes.h"

namespace vornik {
namespace {

using test::Bytes;

MacroContent contentOf(std::uint8_t fill) {
    MacroContent c{};
    c.fill(fill);
    return c;
}

// A library with the given names, entry i's content filled with i + 1.
MacroLibrary libraryOf(std::initializer_list<const char*> names) {
    MacroLibrary library;
    std::size_t at = 0;
    for (const char* name : names) {
        EXPECT_EQ(library.add(encodeMacroName(name), &at), LibraryResult::Ok) << name;
        EXPECT_EQ(library.setContent(at, contentOf(static_cast<std::uint8_t>(at + 1))),
                  LibraryResult::Ok);
    }
    return library;
}

Bytes recordOf(const char* name, std::uint8_t fill) {
    const MacroName n = encodeMacroName(name);
    Bytes record(n.begin(), n.end());
    record.resize(kLibraryRecordSize, fill);
    return record;
}

TEST(MacroLibraryTest, DefaultLibraryIsEmptyAndItsFileAllZero) {
    const MacroLibrary library = MacroLibrary::defaultLibrary();
    EXPECT_EQ(library.count(), 0u);
    EXPECT_TRUE(library.names().empty());
    EXPECT_EQ(library.bytes(), Bytes(kLibraryFileSize, 0));
}

TEST(MacroLibraryTest, FileLayoutRoundTripsRecordByRecord) {
    const MacroLibrary library = libraryOf({"Jump", "Run", "Duck"});
    const Bytes bytes = library.bytes();
    ASSERT_EQ(bytes.size(), kLibraryFileSize);
    // Record 1 at offset 256: big-endian "Run", zero padding, then its content.
    EXPECT_EQ(Bytes(bytes.begin() + 256, bytes.begin() + 262), test::hexBytes("0052 0075 006E"));
    EXPECT_EQ(bytes[256 + 31], 0);
    EXPECT_EQ(bytes[256 + 32], 2);
    EXPECT_EQ(bytes[256 + 255], 2);
    EXPECT_EQ(bytes[3 * 256], 0);
    EXPECT_EQ(MacroLibrary::fromBytes(bytes), library);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"Jump", "Run", "Duck"}));
}

TEST(MacroLibraryTest, FilesOfOtherSizesGiveTheirWholeRecords) {
    Bytes file = recordOf("A", 0x11);
    const Bytes b = recordOf("B", 0x22);
    file.insert(file.end(), b.begin(), b.end());
    const struct {
        std::size_t size;
        std::size_t records;
        std::size_t listed;
    } cases[] = {{0, 0, 0}, {255, 0, 0}, {256, 1, 1}, {300, 1, 1}, {511, 1, 1}, {512, 2, 2}};
    for (const auto& c : cases) {
        std::size_t records = 99;
        const MacroLibrary library =
            MacroLibrary::fromBytes(std::span(file).first(c.size), &records);
        EXPECT_EQ(records, c.records) << c.size;
        EXPECT_EQ(library.count(), c.listed) << c.size;
    }
    // More than 100 records: the first 100.
    Bytes big;
    for (int i = 0; i < 101; ++i) {
        const Bytes r = recordOf(("m" + std::to_string(i)).c_str(), 1);
        big.insert(big.end(), r.begin(), r.end());
    }
    std::size_t records = 0;
    const MacroLibrary library = MacroLibrary::fromBytes(big, &records);
    EXPECT_EQ(records, 100u);
    EXPECT_TRUE(library.full());
    EXPECT_EQ(library.names().back(), "m99");
}

TEST(MacroLibraryTest, FreeEntryBeforeUsedOnesIsClosedUp) {
    Bytes file(kLibraryFileSize, 0);
    const Bytes a = recordOf("A", 0x11);
    const Bytes c = recordOf("C", 0x33);
    std::copy(a.begin(), a.end(), file.begin());
    // Entry 1 is free but not empty; entry 3 holds C.
    std::fill(file.begin() + 256 + 32, file.begin() + 512, 0x77);
    std::copy(c.begin(), c.end(), file.begin() + 3 * 256);
    const MacroLibrary library = MacroLibrary::fromBytes(file);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(library.entry(1).content, contentOf(0x33));
    EXPECT_EQ(library.entry(2), LibraryEntry{});
    EXPECT_EQ(library.entry(3), LibraryEntry{});
}

TEST(MacroLibraryTest, AddRenameAndTheirRefusals) {
    MacroLibrary library = libraryOf({"Jump", "Run"});
    std::size_t at = 0;
    ASSERT_EQ(library.add(encodeMacroName("Duck"), &at), LibraryResult::Ok);
    EXPECT_EQ(at, 2u);
    EXPECT_EQ(library.entry(2).content, MacroContent{});
    EXPECT_EQ(library.add(encodeMacroName("Run")), LibraryResult::Duplicate);
    EXPECT_EQ(library.add(encodeMacroName("run")), LibraryResult::Ok);  // case counts
    EXPECT_EQ(library.add(MacroName{}), LibraryResult::EmptyName);
    // A name cut to 16 units is compared as stored.
    ASSERT_EQ(library.add(encodeMacroName("0123456789abcdef")), LibraryResult::Ok);
    EXPECT_EQ(library.add(encodeMacroName("0123456789abcdefX")), LibraryResult::Duplicate);

    EXPECT_EQ(library.rename(0, encodeMacroName("Jump")), LibraryResult::Duplicate);
    EXPECT_EQ(library.rename(0, encodeMacroName("Run")), LibraryResult::Duplicate);
    EXPECT_EQ(library.rename(0, MacroName{}), LibraryResult::EmptyName);
    EXPECT_EQ(library.rename(library.count(), encodeMacroName("Hop")), LibraryResult::NoEntry);
    ASSERT_EQ(library.rename(0, encodeMacroName("Hop")), LibraryResult::Ok);
    EXPECT_EQ(library.names().front(), "Hop");
    EXPECT_EQ(library.entry(0).content, contentOf(1));
}

TEST(MacroLibraryTest, HundredEntriesFillItAndImportOneStopsAtNinetyNine) {
    MacroLibrary library;
    for (int i = 0; i < 98; ++i)
        ASSERT_EQ(library.add(encodeMacroName("m" + std::to_string(i))), LibraryResult::Ok);
    EXPECT_TRUE(library.canImportOne());
    ASSERT_EQ(library.importOne(recordOf("imported", 5)), LibraryResult::Ok);
    EXPECT_EQ(library.count(), 99u);
    EXPECT_FALSE(library.canImportOne());
    EXPECT_EQ(library.importOne(recordOf("another", 5)), LibraryResult::Full);
    EXPECT_FALSE(library.full());
    ASSERT_EQ(library.add(encodeMacroName("last")), LibraryResult::Ok);
    EXPECT_TRUE(library.full());
    EXPECT_EQ(library.add(encodeMacroName("more")), LibraryResult::Full);
}

TEST(MacroLibraryTest, DeleteMovesLaterEntriesUpAndClearsTheLast) {
    MacroLibrary library = libraryOf({"A", "B", "C"});
    ASSERT_EQ(library.remove(0), LibraryResult::Ok);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(library.entry(0).content, contentOf(2));
    EXPECT_EQ(library.entry(1).content, contentOf(3));
    EXPECT_EQ(library.entry(2), LibraryEntry{});
    EXPECT_EQ(library.remove(2), LibraryResult::NoEntry);

    MacroLibrary full;
    for (int i = 0; i < 100; ++i) {
        std::size_t at = 0;
        ASSERT_EQ(full.add(encodeMacroName("m" + std::to_string(i)), &at), LibraryResult::Ok);
        full.setContent(at, contentOf(0xAB));
    }
    ASSERT_EQ(full.remove(10), LibraryResult::Ok);
    EXPECT_EQ(full.count(), 99u);
    EXPECT_EQ(full.names()[10], "m11");
    EXPECT_EQ(full.entry(98).content, contentOf(0xAB));
    EXPECT_EQ(full.entry(99), LibraryEntry{});
}

TEST(MacroLibraryTest, ReleaseOptionIsByteZeroOnly) {
    MacroLibrary library = libraryOf({"A"});
    ASSERT_EQ(library.setReleaseStops(0, true), LibraryResult::Ok);
    MacroContent expected = contentOf(1);
    expected[0] = 0x01;
    EXPECT_EQ(library.entry(0).content, expected);
    ASSERT_EQ(library.setReleaseStops(0, false), LibraryResult::Ok);
    expected[0] = 0x00;
    EXPECT_EQ(library.entry(0).content, expected);
    EXPECT_EQ(library.setReleaseStops(1, true), LibraryResult::NoEntry);
    EXPECT_EQ(library.setContent(1, expected), LibraryResult::NoEntry);
}

TEST(MacroLibraryTest, ImportOneTakesNameAndContentOrRefuses) {
    MacroLibrary library = libraryOf({"Jump"});
    const LibraryEntry before = library.entry(0);
    EXPECT_EQ(library.importOne(recordOf("Jump", 0x55)), LibraryResult::Duplicate);
    EXPECT_EQ(library.count(), 1u);
    EXPECT_EQ(library.entry(0), before);
    EXPECT_EQ(library.importOne(Bytes(31, 0x41)), LibraryResult::NotAMacro);
    EXPECT_EQ(library.importOne(recordOf("", 0x55)), LibraryResult::NotAMacro);

    std::size_t at = 0;
    Bytes file = recordOf("Run", 0x66);
    file.resize(2048, 0x99);  // a longer file: only its first 256 bytes count
    ASSERT_EQ(library.importOne(file, &at), LibraryResult::Ok);
    EXPECT_EQ(at, 1u);
    EXPECT_EQ(library.entry(1).name, encodeMacroName("Run"));
    EXPECT_EQ(library.entry(1).content, contentOf(0x66));

    // A short file gives the content as far as it goes.
    Bytes shortFile = recordOf("Duck", 0x77);
    shortFile.resize(40);
    ASSERT_EQ(library.importOne(shortFile, &at), LibraryResult::Ok);
    EXPECT_EQ(library.entry(at).content[7], 0x77);
    EXPECT_EQ(library.entry(at).content[8], 0);
}

TEST(MacroLibraryTest, ExportOneIsTheRecordAndImportsBack) {
    MacroLibrary library = libraryOf({"Jump"});
    const auto record = library.exportOne(0);
    ASSERT_TRUE(record);
    EXPECT_EQ(Bytes(record->begin(), record->begin() + 32),
              test::padded(test::hexBytes("004A 0075 006D 0070"), 32));
    EXPECT_EQ(Bytes(record->begin() + 32, record->end()), Bytes(224, 1));
    EXPECT_FALSE(library.exportOne(1));

    MacroLibrary other;
    ASSERT_EQ(other.importOne(*record), LibraryResult::Ok);
    EXPECT_EQ(other.entry(0), library.entry(0));
}

TEST(MacroLibraryTest, ImportAllReplacesTheWholeLibrary) {
    MacroLibrary library = libraryOf({"A", "B", "C"});
    const MacroLibrary exported = libraryOf({"X", "Y"});
    ASSERT_TRUE(library.importAll(exported.bytes()));
    EXPECT_EQ(library, exported);

    // A single exported entry imported as a library leaves nothing of the old one beside it.
    library = libraryOf({"A", "B", "C"});
    ASSERT_TRUE(library.importAll(recordOf("B", 9)));
    EXPECT_EQ(library.names(), (std::vector<std::string>{"B"}));

    const MacroLibrary kept = library;
    EXPECT_FALSE(library.importAll(Bytes(255, 1)));
    EXPECT_EQ(library, kept);
}

}  // namespace
}  // namespace vornik

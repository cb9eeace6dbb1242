#include "model/gun_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temporary_folder.h"
#include "test_bytes.h"

namespace vornik {
namespace {

using test::Bytes;
using test::hexBytes;
using test::padded;

GunList fourEntries() { return GunList::fromFile(hexBytes("0C 01 01 0C 02 03 0C 04 06 0C 07 0A")); }

TEST(GunListTest, NotInUseWithoutAFile) {
    const GunList none;
    EXPECT_FALSE(none.inUse());
    EXPECT_TRUE(none.entries().empty());
    EXPECT_TRUE(fourEntries().inUse());
}

TEST(GunListTest, ListsTheFilledSlotsByName) {
    // A slot of 00 00 00 is not listed, even between filled ones.
    const GunList list = GunList::fromFile(hexBytes("0C 03 05 00 00 00 0C 01 0A"));
    const std::vector<GunList::Entry> expected{{1, "Fire Macro1", "0C0305", 3, 5},
                                               {3, "Fire Macro3", "0C010A", 1, 10}};
    EXPECT_EQ(list.entries(), expected);
    EXPECT_EQ(list.codes()[1], "000000");
    EXPECT_EQ(list.codes()[2], "0C010A");
}

TEST(GunListTest, AddGoesIntoTheNextFreeSlot) {
    GunList list = fourEntries();
    ASSERT_TRUE(list.add(3, 5));
    EXPECT_EQ(Bytes(list.bytes().begin(), list.bytes().end()),
              padded(hexBytes("0C 01 01 0C 02 03 0C 04 06 0C 07 0A 0C 03 05"), 30));
    EXPECT_FALSE(list.add(0, 5));
    EXPECT_FALSE(list.add(3, 11));

    while (list.entries().size() < 10) ASSERT_TRUE(list.add(1, 2));
    const GunList::Bytes full = list.bytes();
    EXPECT_FALSE(list.add(3, 5));
    EXPECT_EQ(list.bytes(), full);
}

TEST(GunListTest, DeleteMovesTheLaterSlotsUp) {
    GunList list = fourEntries();
    ASSERT_TRUE(list.remove(2));
    EXPECT_EQ(Bytes(list.bytes().begin(), list.bytes().end()),
              padded(hexBytes("0C 01 01 0C 04 06 0C 07 0A"), 30));
    EXPECT_EQ(list.entries().back().name, "Fire Macro3");
    EXPECT_FALSE(list.remove(4));  // now empty
    EXPECT_FALSE(list.remove(11));

    GunList full = GunList::fromFile(Bytes(30, 0x0C));
    ASSERT_TRUE(full.remove(10));
    EXPECT_EQ(full.entries().size(), 9u);
}

TEST(GunListTest, FileOfAnotherSize) {
    EXPECT_EQ(GunList::fromFile(hexBytes("0C 02")).codes()[0], "0C0200");
    Bytes longer(40, 0x0C);
    EXPECT_EQ(GunList::fromFile(longer).entries().size(), 10u);
}

Bytes fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Start-up reads the file when it is there; every add and delete writes all 30 bytes back.
TEST(GunListFileTest, LoadedAtStartAndRewrittenWhole) {
    test::TemporaryFolder folder("gun-list");
    const auto file = folder.path() / kGunListFileName;
    std::string error;
    EXPECT_FALSE(loadGunListFile(file, error).inUse());
    EXPECT_TRUE(error.empty());

    GunList list = fourEntries();
    ASSERT_TRUE(saveGunListFile(file, list, error)) << error;
    GunList loaded = loadGunListFile(file, error);
    EXPECT_TRUE(loaded.inUse());
    EXPECT_EQ(loaded.entries(), list.entries());

    ASSERT_TRUE(loaded.remove(2));
    ASSERT_TRUE(saveGunListFile(file, loaded, error));
    EXPECT_EQ(fileBytes(file), padded(hexBytes("0C 01 01 0C 04 06 0C 07 0A"), 30));
    ASSERT_TRUE(loaded.add(3, 5));
    ASSERT_TRUE(saveGunListFile(file, loaded, error));
    EXPECT_EQ(fileBytes(file), padded(hexBytes("0C 01 01 0C 04 06 0C 07 0A 0C 03 05"), 30));

    // A folder where the file should be is no list.
    const auto folderInstead = folder.path() / "taken";
    std::filesystem::create_directory(folderInstead);
    EXPECT_FALSE(loadGunListFile(folderInstead, error).inUse());
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vornik

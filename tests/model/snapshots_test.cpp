#include "model/snapshots.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temporary_folder.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using std::chrono::system_clock;

ConfigImage imageOf(std::uint8_t fill) {
    ConfigImage image;
    image.fill(fill);
    return image;
}

class SnapshotsTest : public ::testing::Test {
  protected:
    SnapshotStore store(std::size_t keep = kSnapshotsKept) {
        return SnapshotStore(
            folder, [this] { return now; }, keep);
    }
    fs::path keep(SnapshotStore& s, const ConfigImage& image) {
        std::string error;
        const auto file = s.keep(image, error);
        EXPECT_TRUE(file) << error;
        return file.value_or(fs::path{});
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    test::TemporaryFolder root{"vornik-snapshots"};
    fs::path folder = root.path() / "state" / "vornik" / "snapshots";
    // 2026-12-10 12:15:30 UTC
    system_clock::time_point now = system_clock::time_point{1796904930s};
};

TEST_F(SnapshotsTest, NamedByTimeUniqueWithinASecondAndSortable) {
    auto s = store();
    EXPECT_EQ(keep(s, imageOf(1)).filename(), "20261210T121530Z-00.bin");
    now += 400ms;
    EXPECT_EQ(keep(s, imageOf(2)).filename(), "20261210T121530Z-01.bin");
    now += 1s;
    EXPECT_EQ(keep(s, imageOf(3)).filename(), "20261210T121531Z-00.bin");
    // A clock set back still sorts after the newest.
    now -= 1h;
    EXPECT_EQ(keep(s, imageOf(4)).filename(), "20261210T121531Z-01.bin");

    std::string error;
    const auto list = s.list(std::nullopt, error);
    ASSERT_EQ(list.size(), 4u) << error;
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].number, int(i) + 1);
    EXPECT_EQ(list[0].file.filename(), "20261210T121531Z-01.bin");
    EXPECT_EQ(list[3].file.filename(), "20261210T121530Z-00.bin");
    EXPECT_EQ(list[3].time, system_clock::time_point{1796904930s});
    EXPECT_EQ(s.load(1, error), imageOf(4));
    EXPECT_EQ(s.load(4, error), imageOf(1));
}

TEST_F(SnapshotsTest, TheNewestTwentyAreKeptAndOtherFilesLeftAlone) {
    auto s = store();
    fs::create_directories(folder);
    std::ofstream(folder / "notes.txt") << "mine";
    std::ofstream(folder / "19990101T000000Z-00.bin.bak") << "mine";
    for (int i = 0; i < 25; ++i) {
        keep(s, imageOf(static_cast<std::uint8_t>(i)));
        now += 61s;
    }
    std::string error;
    const auto list = s.list(std::nullopt, error);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(s.load(1, error), imageOf(24));
    EXPECT_EQ(s.load(20, error), imageOf(5));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
    EXPECT_TRUE(fs::exists(folder / "19990101T000000Z-00.bin.bak"));
    EXPECT_EQ(names().size(), 22u);
}

TEST_F(SnapshotsTest, SameImageAsTheNewestIsNotKeptTwice) {
    auto s = store();
    const fs::path first = keep(s, imageOf(7));
    now += 5s;
    EXPECT_EQ(keep(s, imageOf(7)), first);
    now += 5s;
    keep(s, imageOf(8));
    now += 5s;
    keep(s, imageOf(7));
    EXPECT_EQ(names().size(), 3u);
}

TEST_F(SnapshotsTest, ListedWithWhatDiffersFromTheGivenImage) {
    auto s = store();
    ConfigImage old = imageOf(0);
    keep(s, old);
    ConfigImage current = old;
    current[0x041] = 1;  // profile
    current[0x044] = 1;
    current[0x100] = 1;                                          // macro slot 1
    current[0x039] = 1;                                          // between the sections
    for (std::size_t a = 0x500; a < 0x510; ++a) current[a] = 2;  // fireMacroRegion
    std::string error;
    const auto list = s.list(current, error);
    ASSERT_EQ(list.size(), 1u);
    ASSERT_TRUE(list[0].difference);
    const ImageDifference& d = *list[0].difference;
    EXPECT_EQ(d.count, 20u);
    ASSERT_EQ(d.regions.size(), 4u);
    EXPECT_EQ(d.regions[0].region, "unused bytes");
    EXPECT_EQ(d.regions[1].region, "ProfileSection");
    EXPECT_EQ(d.regions[1].firstAddresses, (std::vector<std::uint16_t>{0x041, 0x044}));
    EXPECT_EQ(d.regions[2].region, "macro slot 1");
    EXPECT_EQ(d.regions[3].region, "FireMacroRegion");
    EXPECT_EQ(d.regions[3].count, 16u);
    EXPECT_EQ(d.regions[3].firstAddresses.size(), 4u);
    EXPECT_EQ(differenceText(d),
              "20 bytes differ: unused bytes 1 (0x039), ProfileSection 2 (0x041, 0x044), macro "
              "slot 1 1 (0x100), FireMacroRegion 16 (0x500, 0x501, 0x502, 0x503, …)");
    EXPECT_EQ(differenceText(imageDifference(old, old)), "no difference");
    EXPECT_EQ(differenceText(imageDifference(imageOf(0),
                                             [] {
                                                 ConfigImage i = imageOf(0);
                                                 i[0x7FF] = 1;
                                                 return i;
                                             }())),
              "1 byte differs: macro slot 6 1 (0x7FF)");
}

TEST_F(SnapshotsTest, UnusableSnapshotsAndNumbersSaySo) {
    auto s = store();
    std::string error;
    EXPECT_TRUE(s.list(imageOf(0), error).empty());  // no folder yet
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_FALSE(s.load(1, error));
    EXPECT_NE(error.find("no snapshot 1"), std::string::npos) << error;

    keep(s, imageOf(1));
    fs::resize_file(folder / "20261210T121530Z-00.bin", 100);
    error.clear();
    const auto list = s.list(imageOf(0), error);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_FALSE(list[0].difference);
    EXPECT_NE(list[0].problem.find("2048"), std::string::npos) << list[0].problem;
    EXPECT_FALSE(s.load(1, error));
    EXPECT_FALSE(s.load(0, error));
    EXPECT_FALSE(s.load(2, error));
}

TEST_F(SnapshotsTest, SnapshotThatCannotBeWrittenIsAnError) {
    fs::create_directories(folder.parent_path());
    std::ofstream(folder) << "a file where the folder should be";
    auto s = store();
    std::string error;
    EXPECT_FALSE(s.keep(imageOf(1), error));
    EXPECT_NE(error.find("snapshots"), std::string::npos) << error;
}

}  // namespace
}  // namespace vornik

// Every vornikctl write keeps the mouse's image first, and a write without that way back does
// not happen.
#include <sys/stat.h>

#include "model/snapshots.h"
#include "vornikctl_fixture.h"

namespace vornik {
namespace {

class VornikctlSnapshotsTest : public VornikctlTest {
  protected:
    std::vector<fs::path> snapshotFiles() const {
        std::vector<fs::path> files;
        if (!fs::exists(*snapshotFolder)) return files;
        for (const auto& entry : fs::directory_iterator(*snapshotFolder))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }
    std::string newestSnapshot() const {
        const auto files = snapshotFiles();
        return files.empty() ? std::string() : read(files.back());
    }
};

TEST_F(VornikctlSnapshotsTest, EveryWriteKeepsThePreviousImageAndRestoreBringsItBack) {
    const std::string original = imageText(builtInImage());
    writeFile(state, original);
    const fs::path profile = dir / "p.bin";
    writeFile(profile, noise(2048, 21));

    // restore of a whole file: nothing was read before, so the snapshot's read comes first.
    ASSERT_EQ(run({"--simulate", state, "restore", profile.string()}), kExitOk) << err.str();
    ASSERT_EQ(snapshotFiles().size(), 1u);
    EXPECT_EQ(newestSnapshot(), original);
    const std::string afterRestore = read(state);
    ASSERT_EQ(afterRestore, noise(2048, 21));

    // default, set and macro put: each keeps what the mouse held before it.
    ASSERT_EQ(run({"--simulate", state, "default", "2"}), kExitOk) << err.str();
    ASSERT_EQ(snapshotFiles().size(), 2u);
    EXPECT_EQ(newestSnapshot(), afterRestore);
    const std::string afterDefault = read(state);
    ASSERT_EQ(run({"--simulate", state, "set", "dpi.level1=6400"}), kExitOk) << err.str();
    ASSERT_EQ(snapshotFiles().size(), 3u);
    EXPECT_EQ(newestSnapshot(), afterDefault);
    const std::string afterSet = read(state);
    writeFile(dir / "a.txt", "00\n1 A CODE:8204\n2 A CODE:0204\n");
    ASSERT_EQ(run({"--simulate", state, "macro", "put", "1", (dir / "a.txt").string()}), kExitOk)
        << err.str();
    ASSERT_EQ(snapshotFiles().size(), 4u);
    EXPECT_EQ(newestSnapshot(), afterSet);

    // Listed newest first, each with what differs from the mouse now.
    ASSERT_EQ(run({"--simulate", state, "snapshots"}), kExitOk) << err.str();
    const std::string listing = out.str();
    const auto first = listing.find("\n  1  ");
    const auto second = listing.find("\n  2  ");
    const auto third = listing.find("\n  3  ");
    const auto fourth = listing.find("\n  4  ");
    ASSERT_NE(first, std::string::npos) << listing;
    ASSERT_NE(second, std::string::npos) << listing;
    ASSERT_NE(third, std::string::npos) << listing;
    ASSERT_NE(fourth, std::string::npos) << listing;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_LT(third, fourth);
    EXPECT_NE(listing.find(" UTC  "), std::string::npos) << listing;
    // Snapshot 1 differs from the mouse by the macro slot only, snapshot 2 by the DPI edit too.
    const std::string line1 = listing.substr(first, second - first);
    const std::string line2 = listing.substr(second, third - second);
    EXPECT_NE(line1.find("differ"), std::string::npos) << line1;
    EXPECT_EQ(line1.find("0x006"), std::string::npos) << line1;
    EXPECT_NE(line2.find("0x006"), std::string::npos) << line2;

    // Snapshot 4 is the original image: back byte for byte, itself kept first.
    ASSERT_EQ(run({"--simulate", state, "restore", "4"}), kExitOk) << err.str();
    EXPECT_EQ(read(state), original);
    EXPECT_EQ(snapshotFiles().size(), 5u);

    // A snapshot that is not there writes nothing.
    const std::string before = read(state);
    EXPECT_EQ(run({"--simulate", state, "restore", "99"}), kExitFailure);
    EXPECT_TRUE(has(err, "there is no snapshot 99")) << err.str();
    EXPECT_EQ(read(state), before);
}

TEST_F(VornikctlSnapshotsTest, AWriteWithoutItsWayBackDoesNotHappen) {
    const std::string memory = noise(2048, 22);
    const fs::path profile = dir / "p.bin";
    writeFile(profile, imageText(builtInImage()));
    const fs::path blocked = dir / "blocked";
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::string> faults;
        const char* says;
    } cases[] = {
        {"the snapshot folder cannot be written",
         [&] {
             fs::create_directories(blocked);
             ::chmod(blocked.c_str(), 0500);
             snapshotFolder = blocked / "snapshots";
         },
         {},
         "could not be kept as a snapshot"},
        {"the snapshot folder is a file",
         [&] {
             writeFile(dir / "plain", "x");
             snapshotFolder = dir / "plain";
         },
         {},
         "could not be kept as a snapshot"},
        {"no state folder is known", [&] { snapshotFolder.reset(); }, {}, "state folder"},
        {"the mouse cannot be read whole first",
         [] {},
         {"--fault", "drop-chunk=10"},
         "could not be read completely"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        snapshotFolder = dir / "snapshots";
        c.arrange();
        writeFile(state, memory);
        std::vector<std::string> args{"--simulate", state};
        args.insert(args.end(), c.faults.begin(), c.faults.end());
        args.insert(args.end(), {"restore", profile.string()});
        // Running as root, the folder's mode would not stop the snapshot.
        if (std::string(c.name).find("cannot be written") != std::string::npos && ::geteuid() == 0)
            continue;
        EXPECT_EQ(run(args), kExitFailure);
        EXPECT_TRUE(has(err, c.says)) << err.str();
        EXPECT_TRUE(has(err, "not written")) << err.str();
        EXPECT_FALSE(has(out, "written and verified")) << out.str();
        EXPECT_EQ(read(state), memory);
    }
    ::chmod(blocked.c_str(), 0700);
}

}  // namespace
}  // namespace vornik

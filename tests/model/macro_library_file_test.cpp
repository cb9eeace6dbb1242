#include "model/macro_library_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <random>

#include "image/profile_file.h"
#include "temporary_folder.h"
#include "test_bytes.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

EnvironmentLookup environmentOf(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

TEST(UserFoldersTest, DataAndStateFoldersFollowTheEnvironment) {
    const struct {
        std::map<std::string, std::string> env;
        FolderConvention convention;
        std::optional<std::string> data;
        std::optional<std::string> state;
    } cases[] = {
        {{{"HOME", "/home/ann"}},
         FolderConvention::Xdg,
         "/home/ann/.local/share/vornik/",
         "/home/ann/.local/state/vornik/"},
        {{{"HOME", "/home/ann/"}, {"XDG_DATA_HOME", "/data"}, {"XDG_STATE_HOME", "/st/"}},
         FolderConvention::Xdg,
         "/data/vornik/",
         "/st/vornik/"},
        // Relative and empty XDG values are ignored.
        {{{"HOME", "/h"}, {"XDG_DATA_HOME", "rel"}, {"XDG_STATE_HOME", ""}},
         FolderConvention::Xdg,
         "/h/.local/share/vornik/",
         "/h/.local/state/vornik/"},
        {{}, FolderConvention::Xdg, std::nullopt, std::nullopt},
        {{{"APPDATA", "C:\\Users\\ann\\AppData\\Roaming"},
          {"LOCALAPPDATA", "C:\\Users\\ann\\AppData\\Local\\"},
          {"HOME", "/ignored"}},
         FolderConvention::Windows,
         "C:\\Users\\ann\\AppData\\Roaming\\Vornik\\",
         "C:\\Users\\ann\\AppData\\Local\\Vornik\\"},
        {{{"HOME", "/ignored"}}, FolderConvention::Windows, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(userDataFolder(environmentOf(c.env), c.convention), c.data);
        EXPECT_EQ(userStateFolder(environmentOf(c.env), c.convention), c.state);
    }
}

TEST(MacroLibraryPathTest, PathOptionProgramFolderOrTheUserDataFolder) {
    const auto env = environmentOf({{"HOME", "/home/ann"}, {"APPDATA", "C:\\Roaming"}});
    std::vector<fs::path> asked;
    auto writableExcept = [&](std::string notWritable) {
        return [&asked, notWritable](const fs::path& folder) {
            asked.push_back(folder);
            return folder.string() != notWritable;
        };
    };
    const struct {
        std::string pathOption;
        std::string programDir;
        FolderConvention convention;
        std::string notWritable;
        std::string folderAsked;
        std::string file;
    } cases[] = {
        {"", "/opt/vornik/", FolderConvention::Xdg, "", "/opt/vornik/", "/opt/vornik/Macro.bin"},
        {"", "/usr/lib/vornik/", FolderConvention::Xdg, "/usr/lib/vornik/", "/usr/lib/vornik/",
         "/home/ann/.local/share/vornik/Macro.bin"},
        {"/srv/macros/", "/opt/", FolderConvention::Xdg, "", "/srv/macros/",
         "/srv/macros/Macro.bin"},
        // Path is a prefix: "my" belongs to the file name.
        {"/srv/my", "/opt/", FolderConvention::Xdg, "", "/srv/", "/srv/myMacro.bin"},
        {"/srv/macros/", "/opt/", FolderConvention::Xdg, "/srv/macros/", "/srv/macros/",
         "/home/ann/.local/share/vornik/Macro.bin"},
        {"", "C:\\Program Files\\Vornik\\", FolderConvention::Windows,
         "C:\\Program Files\\Vornik\\", "C:\\Program Files\\Vornik\\",
         "C:\\Roaming\\Vornik\\Macro.bin"},
        {"D:\\Macros\\", "C:\\Program Files\\Vornik\\", FolderConvention::Windows, "",
         "D:\\Macros\\", "D:\\Macros\\Macro.bin"},
        {"relative", "/opt/", FolderConvention::Xdg, "", ".", "relativeMacro.bin"},
    };
    for (const auto& c : cases) {
        asked.clear();
        const fs::path file = macroLibraryPath({c.pathOption, c.programDir, env, c.convention},
                                               writableExcept(c.notWritable));
        EXPECT_EQ(file.string(), c.file) << c.pathOption << c.programDir;
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked.front().string(), c.folderAsked);
    }
    // Nowhere else to go: the first choice stands.
    EXPECT_EQ(macroLibraryPath({"", "/usr/lib/vornik/", environmentOf({}), FolderConvention::Xdg},
                               [](const fs::path&) { return false; })
                  .string(),
              "/usr/lib/vornik/Macro.bin");
}

class MacroLibraryFileTest : public ::testing::Test {
  protected:
    static void put(const fs::path& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes get(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
    }
    static Bytes libraryBytes(std::initializer_list<const char*> names) {
        MacroLibrary library;
        for (const char* n : names) library.add(encodeMacroName(n));
        return library.bytes();
    }

    test::TemporaryFolder folder{"vornik-library"};
    fs::path dir = folder.path();
    fs::path file = dir / "Macro.bin";
    std::string error;
};

TEST_F(MacroLibraryFileTest, FirstStartCreatesAFileOfZerosInAFolderItMayCreate) {
    MacroLibraryFile library(dir / "new" / "vornik" / "Macro.bin");
    EXPECT_EQ(library.open(error), LibraryFileState::Created) << error;
    EXPECT_EQ(library.library().count(), 0u);
    EXPECT_EQ(get(library.path()), Bytes(kLibraryFileSize, 0));
}

TEST_F(MacroLibraryFileTest, EveryChangeIsSavedAtOnce) {
    put(file, libraryBytes({"A", "B", "C"}));
    MacroLibraryFile library(file);
    ASSERT_EQ(library.open(error), LibraryFileState::Loaded);
    EXPECT_EQ(library.library().names(), (std::vector<std::string>{"A", "B", "C"}));
    ASSERT_EQ(library.library().remove(0), LibraryResult::Ok);
    ASSERT_TRUE(library.save(error)) << error;
    EXPECT_EQ(get(file), libraryBytes({"B", "C"}));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(MacroLibraryFileTest, FileOfAnotherSizeIsKeptUntilTheLibraryChanges) {
    Bytes odd = libraryBytes({"A", "B"});
    odd.resize(600, 0x5A);  // two records and a partial third
    put(file, odd);
    MacroLibraryFile library(file);
    ASSERT_EQ(library.open(error), LibraryFileState::LoadedOtherSize);
    EXPECT_EQ(library.library().names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(library.keepsFileAsFound());
    ASSERT_TRUE(library.save(error));
    EXPECT_EQ(get(file), odd);

    ASSERT_EQ(library.library().add(encodeMacroName("C")), LibraryResult::Ok);
    ASSERT_TRUE(library.save(error)) << error;
    EXPECT_FALSE(library.keepsFileAsFound());
    EXPECT_EQ(get(file), libraryBytes({"A", "B", "C"}));
}

TEST_F(MacroLibraryFileTest, FileWithAGapIsKeptUntilTheLibraryChanges) {
    Bytes gap = libraryBytes({"A", "B"});
    std::fill(gap.begin(), gap.begin() + 32, 0);  // entry 0 free, entry 1 used
    put(file, gap);
    MacroLibraryFile library(file);
    ASSERT_EQ(library.open(error), LibraryFileState::Loaded);
    EXPECT_EQ(library.library().names(), (std::vector<std::string>{"B"}));
    EXPECT_TRUE(library.keepsFileAsFound());
    ASSERT_TRUE(library.save(error));
    EXPECT_EQ(get(file), gap);
}

TEST_F(MacroLibraryFileTest, UnreadableFileIsNeverReplaced) {
    fs::create_directory(file);  // something that is not a file stands there
    MacroLibraryFile library(file);
    EXPECT_EQ(library.open(error), LibraryFileState::Unreadable);
    EXPECT_NE(error.find("Macro.bin"), std::string::npos) << error;
    ASSERT_EQ(library.library().add(encodeMacroName("A")), LibraryResult::Ok);
    error.clear();
    EXPECT_FALSE(library.save(error));
    EXPECT_NE(error.find("could not be read"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(MacroLibraryFileTest, FolderThatCannotBeMadeReportsAndTheNextSaveRetries) {
    put(dir / "plain", {});  // a file where the library's folder should be
    MacroLibraryFile library(dir / "plain" / "Macro.bin");
    EXPECT_EQ(library.open(error), LibraryFileState::NotCreated);
    EXPECT_NE(error.find("plain"), std::string::npos) << error;
    fs::remove(dir / "plain");
    EXPECT_TRUE(library.save(error)) << error;
    EXPECT_EQ(get(library.path()), Bytes(kLibraryFileSize, 0));
}

TEST_F(MacroLibraryFileTest, ExportJumpAsJumpAndChooseTheExistingNameAgain) {
    MacroLibrary library;
    ASSERT_EQ(library.add(encodeMacroName("Jump")), LibraryResult::Ok);
    const fs::path first = savePathForChosenName(dir, "jump");
    ASSERT_TRUE(exportOneFile(library, 0, first, error)) << error;
    EXPECT_EQ(first, dir / "jump.bin");
    EXPECT_EQ(get(first), test::padded(test::hexBytes("004A 0075 006D 0070"), 256));
    // Choosing the existing file in the dialog names it with its extension: replaced, not
    // written beside it as "jump.bin.bin".
    EXPECT_EQ(savePathForChosenName(dir, "jump.bin"), first);
    EXPECT_FALSE(exportOneFile(library, 1, dir / "none.bin", error));
    EXPECT_FALSE(fs::exists(dir / "none.bin"));

    ASSERT_TRUE(exportAllFile(library, dir / "all.bin", error));
    EXPECT_EQ(get(dir / "all.bin"), library.bytes());
}

TEST_F(MacroLibraryFileTest, ImportOfAnExistingNameLeavesLibraryAndFileUnchanged) {
    put(file, libraryBytes({"Jump"}));
    MacroLibraryFile library(file);
    ASSERT_EQ(library.open(error), LibraryFileState::Loaded);
    ASSERT_TRUE(exportOneFile(library.library(), 0, dir / "jump.bin", error));
    const Bytes before = get(file);
    EXPECT_EQ(importOneFile(library.library(), dir / "jump.bin", error), LibraryResult::Duplicate);
    ASSERT_TRUE(library.save(error));
    EXPECT_EQ(library.library().count(), 1u);
    EXPECT_EQ(get(file), before);

    EXPECT_EQ(importOneFile(library.library(), dir / "missing.bin", error),
              LibraryResult::FileError);
    EXPECT_NE(error.find("missing.bin"), std::string::npos) << error;
}

TEST_F(MacroLibraryFileTest, ImportAllFromAFile) {
    put(dir / "lib.bin", libraryBytes({"X", "Y"}));
    put(dir / "tiny.bin", Bytes(100, 1));
    MacroLibrary library;
    library.add(encodeMacroName("A"));
    ASSERT_EQ(importAllFile(library, dir / "lib.bin", error), LibraryResult::Ok);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(importAllFile(library, dir / "tiny.bin", error), LibraryResult::NotAMacro);
    EXPECT_NE(error.find("tiny.bin"), std::string::npos) << error;
    EXPECT_EQ(importAllFile(library, dir / "gone.bin", error), LibraryResult::FileError);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"X", "Y"}));
}

// A save killed at any moment leaves the old library or the new one, whole.
TEST_F(MacroLibraryFileTest, KilledSaveLeavesTheOldOrTheNewFile) {
    const Bytes older = libraryBytes({"older"});
    const Bytes newer = libraryBytes({"newer", "second"});
    put(file, older);
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> delayUs(0, 3000);
    int sawOlder = 0;
    int sawNewer = 0;
    for (int round = 0; round < 150; ++round) {
        // The child reports its first finished save, so that on a loaded machine the kill
        // still lands among the saves and not before them.
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            MacroLibraryFile library(file);
            std::string childError;
            library.open(childError);
            for (bool flip = true, first = true;; flip = !flip, first = false) {
                library.library() = MacroLibrary::fromBytes(flip ? newer : older);
                if (!library.save(childError)) ::_exit(2);
                if (first && ::write(ready[1], "s", 1) != 1) ::_exit(3);
            }
        }
        ::close(ready[1]);
        char started = 0;
        ASSERT_EQ(::read(ready[0], &started, 1), 1) << "the saving child never saved";
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";
        const Bytes now = get(file);
        ASSERT_EQ(now.size(), kLibraryFileSize) << "round " << round;
        ASSERT_TRUE(now == older || now == newer) << "round " << round;
        (now == older ? sawOlder : sawNewer)++;
        // Temporary files of killed saves are left behind; they never take the file's name.
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path() != file) fs::remove(e.path());
    }
    // Both outcomes occurred, so the kills did land in the middle of the saving.
    EXPECT_GT(sawOlder, 0);
    EXPECT_GT(sawNewer, 0);
}

}  // namespace
}  // namespace vornik

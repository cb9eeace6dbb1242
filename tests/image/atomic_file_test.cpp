#include "image/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace vornik {
namespace {

namespace fs = std::filesystem;

// Files as another local user could leave them in a shared folder. Device nodes cannot be made
// here; a FIFO, a socket and a link to /dev/null stand in for them.
class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string base = (fs::temp_directory_path() / "vornik-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(base.data()), nullptr);
        dir = base;
        victim = dir / "victim";
        put(victim, "precious");
    }
    void TearDown() override { fs::remove_all(dir); }

    static void put(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string get(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static unsigned modeOf(const fs::path& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }
    bool write(const fs::path& path, const std::string& text) {
        error.clear();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        return writeFileAtomically(path, std::span(bytes, text.size()), error);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
    }
    void makeSocket(const fs::path& path) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }

    fs::path dir;
    fs::path victim;
    std::string error;
};

TEST_F(AtomicFileTest, ALinkIsWrittenThroughAndStaysALink) {
    fs::create_directory(dir / "real");
    put(dir / "real" / "profile.bin", "old");
    fs::create_symlink("real/profile.bin", dir / "link.bin");        // relative to its folder
    fs::create_symlink(dir / "link.bin", dir / "link-to-link.bin");  // a chain
    fs::create_symlink("real/new.bin", dir / "dangling.bin");        // names a file to create
    ASSERT_TRUE(write(dir / "link-to-link.bin", "new")) << error;
    ASSERT_TRUE(write(dir / "dangling.bin", "fresh")) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
    EXPECT_TRUE(fs::is_symlink(dir / "link-to-link.bin"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.bin"));
    EXPECT_EQ(get(dir / "real" / "profile.bin"), "new");
    EXPECT_EQ(get(dir / "real" / "new.bin"), "fresh");
    // The temporary file was made beside the real file and is gone.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator{}), 2);
}

TEST_F(AtomicFileTest, TargetsThatAreNotRegularFilesAreRefusedAndLeftAsTheyAre) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    makeSocket(dir / "socket");
    fs::create_symlink("/dev/null", dir / "null-link");
    fs::create_symlink("fifo", dir / "fifo-link");
    struct Case {
        const char* name;
        const char* says;
        fs::file_type stays;
    } cases[] = {
        {"fifo", "is a FIFO", fs::file_type::fifo},
        {"folder", "is a directory", fs::file_type::directory},
        {"socket", "is a socket", fs::file_type::socket},
        {"null-link", "is a character device", fs::file_type::symlink},
        {"fifo-link", "is a FIFO", fs::file_type::symlink},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(write(dir / c.name, "data")) << c.name;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_NE(error.find((dir / c.name).string()), std::string::npos) << error;
        EXPECT_EQ(fs::symlink_status(dir / c.name).type(), c.stays) << c.name;
    }
    EXPECT_EQ(fs::status(dir / "null-link").type(), fs::file_type::character);
    EXPECT_EQ(entries(), 6u);  // no temporary file left behind
}

TEST_F(AtomicFileTest, AnExistingFileKeepsItsModeANewOneTakesTheUmask) {
    struct Case {
        const char* name;
        unsigned before;  // 0: the file is new
        mode_t umask;
        unsigned after;
    } cases[] = {
        {"private", 0600, 022, 0600}, {"read-only", 0444, 022, 0444}, {"shared", 0664, 077, 0664},
        {"new-022", 0, 022, 0644},    {"new-077", 0, 077, 0600},
    };
    for (const auto& c : cases) {
        const fs::path file = dir / c.name;
        if (c.before) {
            put(file, "old");
            fs::permissions(file, static_cast<fs::perms>(c.before));
        }
        const mode_t saved = ::umask(c.umask);
        EXPECT_TRUE(write(file, "new")) << c.name << ": " << error;
        ::umask(saved);
        EXPECT_EQ(modeOf(file), c.after) << c.name;
        EXPECT_EQ(get(file), "new") << c.name;
    }
}

TEST_F(AtomicFileTest, LinksPlantedAtTemporaryNamesAreNeverFollowed) {
    // Names of the form an earlier writer used (<name>.tmp<number>) and of the mkstemp form.
    for (int n = 0; n < 1000; ++n)
        fs::create_symlink(victim, dir / ("out.bin.tmp" + std::to_string(n)));
    for (const char* name : {"out.bin.tmpAAAAAA", "out.bin.tmpXXXXXX", "out.bin.tmp000000"})
        fs::create_symlink(victim, dir / name);
    const std::size_t before = entries();
    const unsigned victimMode = modeOf(victim);
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(write(dir / "out.bin", "mine")) << error;
    EXPECT_EQ(get(victim), "precious");
    EXPECT_EQ(modeOf(victim), victimMode);
    EXPECT_EQ(get(dir / "out.bin"), "mine");
    EXPECT_FALSE(fs::is_symlink(dir / "out.bin"));
    EXPECT_EQ(entries(), before + 1);
}

TEST_F(AtomicFileTest, AFailedWriteLeavesNothingBehind) {
    put(dir / "file", "x");
    EXPECT_FALSE(write(dir / "file" / "below.bin", "data"));  // a file is no folder
    EXPECT_NE(error.find("below.bin"), std::string::npos) << error;
    EXPECT_FALSE(write(dir / "missing" / "p.bin", "data"));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFileTest, InputsAreRegularFilesReadNoFurtherThanAsked) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero-link");
    fs::create_directory(dir / "folder");
    makeSocket(dir / "socket");
    for (const char* name : {"fifo", "zero-link", "folder", "socket", "missing"}) {
        const auto start = std::chrono::steady_clock::now();
        error.clear();
        EXPECT_FALSE(readFilePrefix(dir / name, 2048, error).has_value()) << name;
        EXPECT_NE(error.find((dir / name).string()), std::string::npos) << error;
        // A FIFO without a writer would block a plain open for ever.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << name;
    }

    // A large file is read only as far as asked; its size is still told.
    {
        std::ofstream big(dir / "big", std::ios::binary);
        big.seekp(10 * 1024 * 1024 - 1);
        big.put('\1');
    }
    std::uintmax_t size = 0;
    const auto bytes = readFilePrefix(dir / "big", 2048, error, &size);
    ASSERT_TRUE(bytes.has_value()) << error;
    EXPECT_EQ(bytes->size(), 2048u);
    EXPECT_EQ(size, 10u * 1024 * 1024);
    fs::create_symlink("big", dir / "big-link");  // a link to a regular file is fine
    EXPECT_TRUE(readFilePrefix(dir / "big-link", 16, error).has_value()) << error;
}

TEST_F(AtomicFileTest, TheLockExcludesOthersAndFollowsTheFileAcrossReplacement) {
    const fs::path file = dir / "memory.bin";
    put(file, "v1");
    ExclusiveFileLock mine;
    ExclusiveFileLock theirs;
    ASSERT_EQ(mine.tryLock(file, error), ExclusiveFileLock::Result::Taken) << error;
    EXPECT_EQ(theirs.tryLock(file, error), ExclusiveFileLock::Result::HeldElsewhere);
    EXPECT_FALSE(theirs.held());
    // The holder saves: the name now stands for a new file, and the next one to come takes it.
    ASSERT_TRUE(write(file, "v2")) << error;
    mine.unlock();
    ASSERT_EQ(theirs.tryLock(file, error), ExclusiveFileLock::Result::Taken) << error;
    EXPECT_EQ(mine.tryLock(file, error), ExclusiveFileLock::Result::HeldElsewhere);
    EXPECT_EQ(mine.tryLock(dir / "absent", error), ExclusiveFileLock::Result::Failed);
    EXPECT_NE(error.find("absent"), std::string::npos);
}

}  // namespace
}  // namespace vornik

// vornikctl says "verified" only when it is, keeps its files from being turned against the
// user, and keeps other programs off the mouse while it works.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <utility>

#include "image/atomic_file.h"
#include "vornikctl_fixture.h"

namespace vornik {
namespace {

class VornikctlSafetyTest : public VornikctlTest {
  protected:
    void SetUp() override {
        VornikctlTest::SetUp();
        profile = (dir / "p.bin").string();
    }
    // Replaces S, P and F in the arguments by the state file, the profile and an output file.
    std::vector<std::string> expand(std::vector<std::string> args) const {
        for (auto& a : args) {
            if (a == "S") a = state;
            if (a == "P") a = profile;
            if (a == "F") a = (dir / "out.bin").string();
        }
        return args;
    }
    // The commands the mouse received, from a trace file, without the chunk exchanges.
    static std::vector<int> tracedCommands(const std::string& trace) {
        std::vector<int> commands;
        std::istringstream lines(trace);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string ms, kind, id, code;
            fields >> ms >> kind >> id >> code;
            const int c = std::stoi(code, nullptr, 16);
            if (kind == "SET" && c != 5 && c != 7) commands.push_back(c);
        }
        return commands;
    }

    std::string profile;
};

TEST_F(VornikctlSafetyTest, OutcomesSayWhatHappened) {
    // Most of these faults would already stop the read that keeps the snapshot (see
    // vornikctl_snapshots_test); here the write itself is under test.
    snapshots = false;
    std::string stuckProfile = imageText(builtInImage());
    stuckProfile[0x100] = 0x12;
    struct Case {
        const char* name;
        std::string memory;
        std::string file;  // the profile P
        std::vector<std::string> args;
        int code;
        const char* says;  // on stderr, or on stdout for a success
    } cases[] = {
        {"a chunk never returned over a byte that never stores",
         noise(2048, 1),
         "",
         {"--fault", "drop-chunk=342,stuck=2047", "default", "1"},
         kExitFailure,
         "write failed: 2 bytes could not be read back"},
        {"a chunk never returned holds up the rest of the read back",
         noise(2048, 1),
         "",
         {"--fault", "drop-chunk=10,stuck=55", "default", "1"},
         kExitFailure,
         "write failed: the read back was not completed: the mouse did not acknowledge 16 "
         "chunks in a row"},
        {"nothing written, nothing read",
         imageText(builtInImage()),
         std::string(2048, '\xFF'),
         {"--fault", "refuse=5,refuse=7", "restore", "P"},
         kExitFailure,
         "write failed: the write was not completed: the mouse did not acknowledge 16 chunks "
         "in a row (up to chunk 16 of 342)"},
        {"every write chunk refused",
         imageText(builtInImage()),
         noise(2048, 2),
         {"--fault", "refuse=7", "restore", "P"},
         kExitFailure,
         "the write was not completed: the mouse did not acknowledge 16 chunks in a row"},
        {"every read chunk refused after the write",
         imageText(builtInImage()),
         noise(2048, 3),
         {"--fault", "refuse=5", "restore", "P"},
         kExitFailure,
         "the read back was not completed: the mouse did not acknowledge 16 chunks in a row"},
        {"every read chunk refused",
         imageText(builtInImage()),
         "",
         {"--fault", "refuse=5", "read", "--out", "F"},
         kExitFailure,
         "the read was not completed: the mouse did not acknowledge 16 chunks in a row"},
        {"differing and unknown bytes are told apart",
         imageText(builtInImage()),
         stuckProfile,
         {"--fault", "stuck=0x100,drop-chunk=342", "restore", "P"},
         kExitFailure,
         "write failed: 1 byte still differs after three repair passes; 2 bytes could not be "
         "read back"},
        {"a refused reload is a warning",
         imageText(builtInImage()),
         noise(2048, 4),
         {"--fault", "refuse=8", "restore", "P"},
         kExitOk,
         "warning: the mouse did not acknowledge command 8 (reload)"},
        {"a refused leave is a warning",
         imageText(builtInImage()),
         noise(2048, 5),
         {"--fault", "refuse=2", "restore", "P"},
         kExitOk,
         "warning: the mouse did not acknowledge command 2 (leave configuration mode)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(state, c.memory);
        if (!c.file.empty()) writeFile(profile, c.file);
        auto args = expand(c.args);
        args.insert(args.begin(), {"--simulate", state});
        const std::uint64_t start = clock.nowMs();
        EXPECT_EQ(run(args), c.code) << err.str();
        EXPECT_TRUE(has(err, c.says)) << err.str();
        EXPECT_EQ(has(out, "written and verified"), c.code == kExitOk) << out.str();
        // A mouse that answers nothing costs seconds, not minutes.
        EXPECT_LT(clock.nowMs() - start, 60'000u);
    }
}

TEST_F(VornikctlSafetyTest, ADefaultFileThatCannotBeReadIsAnErrorNotTheBuiltInImage) {
    const fs::path file = dir / "TamselData_Cfg1.bin";
    struct Case {
        const char* name;
        std::function<void()> make;
        const char* says;
    } cases[] = {
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); }, "is a FIFO"},
        {"a folder", [&] { fs::create_directory(file); }, "is a directory"},
        {"empty", [&] { writeFile(file, ""); }, "is empty"},
        {"a dangling link", [&] { fs::create_symlink("gone.bin", file); }, "No such file"},
    };
    const std::string memory = noise(2048, 6);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(file);
        c.make();
        writeFile(state, memory);
        EXPECT_EQ(run({"--simulate", state, "default", "1"}), kExitFailure);
        EXPECT_TRUE(has(err, "vornikctl: ")) << err.str();
        EXPECT_TRUE(has(err, c.says)) << err.str();
        EXPECT_TRUE(has(err, file.string())) << err.str();
        EXPECT_FALSE(has(out, "default image")) << out.str();
        EXPECT_EQ(read(state), memory);
    }
}

TEST_F(VornikctlSafetyTest, AShortProfileIsLaidOverTheMousesOwnImage) {
    const std::string memory = noise(2048, 7);
    const std::string part = noise(100, 8);
    writeFile(state, memory);
    writeFile(profile, part);
    ASSERT_EQ(run({"--simulate", state, "restore", profile}), kExitOk) << err.str();
    EXPECT_TRUE(has(err, "has 100 bytes; bytes 100 to 2047 are kept from the mouse")) << err.str();
    EXPECT_TRUE(has(out, "written and verified"));
    EXPECT_EQ(read(state), part + memory.substr(100));

    // Without the whole image there is nothing to lay it over.
    writeFile(state, memory);
    EXPECT_EQ(run({"--simulate", state, "--fault", "drop-chunk=342", "restore", profile}),
              kExitFailure);
    EXPECT_TRUE(has(err, "1 of 342 chunks were not returned")) << err.str();
    EXPECT_TRUE(has(err, "not written")) << err.str();
    EXPECT_EQ(read(state), memory);
}

TEST_F(VornikctlSafetyTest, EmptyProfilesAndStateFilesAreRefused) {
    const std::string memory = noise(2048, 9);
    writeFile(state, memory);
    writeFile(profile, "");
    EXPECT_EQ(run({"--simulate", state, "restore", profile}), kExitFailure);
    EXPECT_TRUE(has(err, "is empty")) << err.str();
    EXPECT_EQ(read(state), memory);
    EXPECT_EQ(run({"dump", profile}), kExitFailure);

    writeFile(state, "");
    EXPECT_EQ(run({"--simulate", state, "status"}), kExitFailure);
    EXPECT_TRUE(has(err, "(0 bytes, expected 2048)")) << err.str();
    EXPECT_EQ(fs::file_size(state), 0u);
}

TEST_F(VornikctlSafetyTest, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((dir / "p.fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.bin");
    writeFile(state, imageText(builtInImage()));
    for (const char* name : {"p.fifo", "zero.bin"}) {
        const std::string path = (dir / name).string();
        EXPECT_EQ(run({"--simulate", state, "restore", path}), kExitFailure) << name;
        EXPECT_TRUE(has(err, "not a regular file")) << err.str();
        EXPECT_EQ(run({"dump", path}), kExitFailure) << name;
        EXPECT_EQ(run({"--simulate", path, "status"}), kExitFailure) << name;
        EXPECT_TRUE(has(err, "not a regular file")) << err.str();
    }
    EXPECT_EQ(fs::symlink_status(dir / "p.fifo").type(), fs::file_type::fifo);
}

TEST_F(VornikctlSafetyTest, OutputsAreWrittenThroughLinksAndNeverOverSpecialFiles) {
    writeFile(state, imageText(builtInImage()));
    ASSERT_EQ(::mkfifo((dir / "out.fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir / "null.bin");
    for (const char* name : {"out.fifo", "null.bin"}) {
        EXPECT_EQ(run({"--simulate", state, "read", "--out", (dir / name).string()}), kExitFailure);
        EXPECT_TRUE(has(err, "not a regular file")) << err.str();
    }
    EXPECT_EQ(fs::symlink_status(dir / "out.fifo").type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(dir / "null.bin"));

    writeFile(dir / "real.bin", "old");
    fs::permissions(dir / "real.bin", fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(state, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.bin", dir / "link.bin");
    ASSERT_EQ(run({"--simulate", state, "read", "--out", (dir / "link.bin").string()}), kExitOk)
        << err.str();
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
    EXPECT_EQ(read(dir / "real.bin"), imageText(builtInImage()));
    for (const fs::path& file : {dir / "real.bin", fs::path(state)})
        EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write)
            << file;
}

TEST_F(VornikctlSafetyTest, ATraceOverAFileTheRunUsesIsRefusedBeforeAnythingIsWritten) {
    const std::string memory = noise(2048, 10);
    writeFile(state, memory);
    writeFile(profile, noise(2048, 11));
    const std::string profileBytes = read(profile);
    fs::create_directory(dir / "sub");
    fs::create_symlink("p.bin", dir / "p-link.bin");
    const std::string defaultFile = (dir / "TamselData_Cfg1.bin").string();
    writeFile(defaultFile, noise(2048, 12));
    const std::string outFile = (dir / "out.bin").string();
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--trace", "P", "restore", "P"}, "--trace names"},
        {{"--trace", (dir / "sub" / ".." / "p.bin").string(), "restore", "P"}, "--trace names"},
        {{"--trace", (dir / "p-link.bin").string(), "restore", "P"}, "--trace names"},
        {{"--trace", "P", "dump", "P"}, "the file dump reads"},
        {{"--trace", "S", "status"}, "the simulated memory file"},
        {{"--trace", outFile, "read", "--out", outFile}, "the file read writes"},
        {{"--trace", defaultFile, "default", "1"}, "the default image file"},
        {{"--out", "S", "read"}, "--out names"},
    };
    for (const auto& c : cases) {
        auto args = expand(c.args);
        args.insert(args.begin(), {"--simulate", state});
        EXPECT_EQ(run(args), kExitUsage) << c.says;
        EXPECT_TRUE(has(err, c.says)) << err.str();
        EXPECT_EQ(read(profile), profileBytes);
        EXPECT_EQ(read(state), memory);
        EXPECT_FALSE(fs::exists(outFile));
    }
}

// A fake Ctrl-C, pressed when the transfers have asked about it `after` times (once a chunk).
struct CtrlCAfter : Cancellation {
    explicit CtrlCAfter(int n) : after(n) {}
    int after;
    mutable int asked = 0;
    bool requested() const override { return ++asked > after; }
};

TEST_F(VornikctlSafetyTest, AnInterruptedTransferLeavesConfigurationModeAndSaysWhereItStopped) {
    const std::string memory = imageText(builtInImage());
    const std::string image = noise(2048, 13);
    writeFile(profile, image);
    const std::string trace = (dir / "trace.txt").string();
    struct Case {
        std::vector<std::string> args;
        int after;
        const char* says;
        std::size_t written;  // bytes of the image the memory holds afterwards
    } cases[] = {
        {{"restore", "P"},
         342 + 100,  // the snapshot's read of the mouse comes first
         "interrupted during the write after chunk 100 of 342: bytes 0 to 599 may hold the new "
         "image, the rest the old one",
         600},
        {{"restore", "P"},
         342 + 342 + 20,
         "interrupted while reading back: the whole image was written",
         2048},
        {{"read", "--out", "F"}, 50, "interrupted while reading (chunk 50 of 342)", 0},
        {{"dump", "--device"}, 1, "the mouse's memory is unchanged", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        writeFile(state, memory);
        CtrlCAfter ctrlC(c.after);
        cancellation = &ctrlC;
        auto args = expand(c.args);
        args.insert(args.begin(), {"--simulate", state, "--trace", trace});
        EXPECT_EQ(run(args), kExitInterrupted);
        EXPECT_TRUE(has(err, c.says)) << err.str();
        EXPECT_FALSE(has(out, "written and verified"));
        EXPECT_FALSE(fs::exists(dir / "out.bin"));
        // The chunk in flight finished; then the mouse took over its memory and left.
        const auto commands = tracedCommands(read(trace));
        ASSERT_GE(commands.size(), 2u);
        EXPECT_EQ(std::vector<int>(commands.end() - 2, commands.end()), (std::vector<int>{8, 2}));
        EXPECT_EQ(read(state), image.substr(0, c.written) + memory.substr(c.written));
    }
    cancellation = nullptr;
}

TEST_F(VornikctlSafetyTest, ProgressIsDrawnOnlyForATerminal) {
    writeFile(state, imageText(builtInImage()));
    writeFile(profile, noise(2048, 14));
    ASSERT_EQ(run({"--simulate", state, "restore", profile}), kExitOk);
    EXPECT_EQ(err.str(), "");

    progress = true;
    writeFile(profile, noise(2048, 19));  // a byte at 0x100 the mouse will not take
    ASSERT_EQ(run({"--simulate", state, "--fault", "stuck=0x100", "restore", profile}),
              kExitFailure);
    const std::string text = err.str();
    for (const char* expected : {"\rwrite     [..............................] 0 of 342 chunks",
                                 "\rwrite     [##############################] 342 of 342 chunks\n",
                                 "\rread back [##############################] 342 of 342 chunks\n",
                                 "\rrepair    [##############################] 1 of 1 chunks\n",
                                 "chunks\nvornikctl: message \"Fail\" (Str109)\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    progress = false;
}

TEST_F(VornikctlSafetyTest, AMouseHeldByAnotherProgramIsLeftAlone) {
    const std::string memory = noise(2048, 15);
    writeFile(state, memory);
    writeFile(profile, noise(2048, 16));
    ExclusiveFileLock other;
    std::string error;
    ASSERT_EQ(other.tryLock(state, error), ExclusiveFileLock::Result::Taken) << error;
    for (std::vector<std::string> args : {std::vector<std::string>{"status"},
                                          {"restore", "P"},
                                          {"read", "--out", "F"},
                                          {"default", "2"}}) {
        args = expand(args);
        args.insert(args.begin(), {"--simulate", state});
        EXPECT_EQ(run(args), kExitFailure) << args[2];
        EXPECT_EQ(err.str(), "vornikctl: the mouse is in use by another program\n");
        EXPECT_EQ(read(state), memory);
    }
    EXPECT_EQ(run({"--simulate", state, "list"}), kExitOk);  // looks, does not touch
    other.unlock();
    EXPECT_EQ(run({"--simulate", state, "restore", profile}), kExitOk) << err.str();
}

// Two processes on one simulated memory file: the second is turned away while the first holds
// the mouse, and the first's write is what the memory ends with.
TEST_F(VornikctlSafetyTest, TwoProcessesOnOneMouseExcludeEachOther) {
    const std::string image = noise(2048, 17);
    writeFile(state, noise(2048, 18));
    writeFile(profile, image);
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Holds the mouse, says so at its first wait, and goes on when told.
        bool told = false;
        clock.setOnTick([&] {
            if (std::exchange(told, true)) return;
            char go = 0;
            if (::write(toParent[1], "held", 4) != 4 || ::read(toChild[0], &go, 1) != 1)
                ::_exit(99);
        });
        ::_exit(run({"--simulate", state, "restore", profile}));
    }
    char held[4];
    ASSERT_EQ(::read(toParent[0], held, 4), 4);
    EXPECT_EQ(run({"--simulate", state, "read", "--out", (dir / "out.bin").string()}),
              kExitFailure);
    EXPECT_EQ(err.str(), "vornikctl: the mouse is in use by another program\n");
    ASSERT_EQ(::write(toChild[1], "g", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitOk);
    EXPECT_EQ(read(state), image);
    EXPECT_FALSE(fs::exists(dir / "out.bin"));
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) ::close(fd);
}

}  // namespace
}  // namespace vornik

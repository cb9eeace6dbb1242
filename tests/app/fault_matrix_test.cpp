// Every simulated fault, alone and in the pairs that once fooled the verification, against every
// command that talks to the mouse, on two memories: every run must end in a defined outcome
// that tells the truth about the mouse.
#include "vornikctl_fixture.h"

namespace vornik {
namespace {

// The commands the mouse was sent, from a trace; a request counts whether or not it arrived.
struct TracedRequest {
    int command;
    bool acknowledged;
};

std::vector<TracedRequest> requestsOf(const std::string& trace) {
    std::vector<TracedRequest> requests;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string ms, kind;
        fields >> ms >> kind;
        std::vector<int> bytes;
        for (std::string b; bytes.size() < 8 && fields >> b;)
            bytes.push_back(std::stoi(b, nullptr, 16));
        const bool ok = line.find("FAILED") == std::string::npos;
        if (kind == "SET")
            requests.push_back({bytes[1], false});
        else if (ok && !requests.empty() && bytes[7] == 0xCC)
            requests.back().acknowledged = true;
    }
    return requests;
}

// Empty when every acknowledged command 1 is followed by command 8 and then command 2 before
// configuration mode is entered again or the run ends; otherwise what went wrong.
std::string leavesConfigurationMode(const std::vector<TracedRequest>& requests) {
    bool inside = false;
    bool reloaded = false;
    for (const auto& r : requests) {
        if (r.command == 1) {
            if (inside) return "command 1 again before 8 and 2";
            inside = r.acknowledged;
            reloaded = false;
        } else if (inside && r.command == 8) {
            reloaded = true;
        } else if (inside && r.command == 2) {
            if (!reloaded) return "command 2 without command 8 before it";
            inside = false;
        }
    }
    return inside ? "the run ended in configuration mode" : "";
}

class FaultMatrixTest : public VornikctlTest {};

TEST_F(FaultMatrixTest, EveryRunEndsHonestly) {
    const std::vector<std::string> faults = {
        "",
        "noack",
        "ack=0x55",
        "drop-chunk=1",
        "drop-chunk=10",
        "drop-chunk=342",
        "stuck=55",
        "stuck=0x7FF",
        "refuse=1",
        "refuse=2",
        "refuse=3",
        "refuse=4",
        "refuse=5",
        "refuse=6",
        "refuse=7",
        "refuse=8",
        "vanish=3",
        "vanish=500",
        "vanish=1500",
        "slow=3",
        "slow=5",
        "notready",
        "chip=0x90",
        "chip=0x99",
        "status=0x55",
        "drop-chunk=10,stuck=55",
        "refuse=5,refuse=7",
    };
    const std::string profile = (dir / "p.bin").string();
    const std::string saved = (dir / "saved.bin").string();
    const std::string trace = (dir / "trace.txt").string();
    // The memories the mouse starts with, each with the profile restored onto it: all 0xFF is
    // what a read of chunks that never came would look like.
    const std::vector<std::pair<std::string, std::string>> memories = {
        {imageText(builtInImage()), std::string(2048, '\xFF')},
        {noise(2048, 2), noise(2048, 1)},
    };
    struct Command {
        std::vector<std::string> args;
        bool writesProfile;
        bool writesDefault;
        const char* succeeded;  // on stdout when it worked
    };
    const std::vector<Command> commands = {
        {{"status"}, false, false, "button state: 0x"},
        {{"read", "--out", saved}, false, false, "read 2048 bytes into"},
        {{"restore", profile}, true, false, "written and verified"},
        {{"default", "1"}, false, true, "written and verified"},
        {{"dump", "--device"}, false, false, "macro slots:"},
    };
    int runs = 0;
    for (const auto& [memory, asked] : memories) {
        writeFile(profile, asked);
        for (const auto& fault : faults) {
            for (const auto& command : commands) {
                std::vector<std::string> args = {"--simulate", state, "--trace", trace};
                if (!fault.empty()) args.insert(args.end(), {"--fault", fault});
                args.insert(args.end(), command.args.begin(), command.args.end());
                SCOPED_TRACE(
                    "fault \"" + fault + "\", " + command.args[0] +
                    (memory == memories[0].first ? ", built-in memory" : ", random memory"));
                writeFile(state, memory);
                fs::remove(saved);
                ++runs;

                const int code = run(args);
                const std::string after = read(state);
                ASSERT_TRUE(code == kExitOk || code == kExitFailure) << code << err.str();
                if (code == kExitOk) {
                    EXPECT_TRUE(has(out, command.succeeded)) << out.str();
                } else {
                    // The reason is said, on a line of its own that is not a mere warning.
                    const std::string text = err.str();
                    EXPECT_NE(text.find("vornikctl: "), std::string::npos);
                    EXPECT_FALSE(has(out, command.succeeded)) << out.str();
                }
                // "Verified" only over the memory asked for; nothing written, nothing changed.
                const bool verified = has(out, "written and verified");
                const bool writes = command.writesProfile || command.writesDefault;
                const bool unchanged = has(err, "not written") || !writes;
                EXPECT_TRUE(!verified ||
                            after == (command.writesProfile ? asked : imageText(builtInImage())));
                EXPECT_TRUE(!unchanged || after == memory);
                // A read that failed saves nothing; one that worked saves the memory.
                if (command.args[0] == "read") {
                    EXPECT_EQ(fs::exists(saved), code == kExitOk);
                    EXPECT_TRUE(code != kExitOk || read(saved) == memory);
                }
                EXPECT_EQ(leavesConfigurationMode(requestsOf(read(trace))), "");
            }
        }
    }
    EXPECT_EQ(runs, 270);
}

// The checker itself, on traces it must reject.
TEST(FaultMatrixTraceTest, TheLeaveCheckCatchesAMouseLeftInConfigurationMode) {
    auto requests = [](std::vector<std::pair<int, bool>> list) {
        std::vector<TracedRequest> out;
        for (auto [c, a] : list) out.push_back({c, a});
        return out;
    };
    EXPECT_EQ(leavesConfigurationMode(requests({{1, true}, {3, true}, {8, false}, {2, false}})),
              "");
    EXPECT_EQ(leavesConfigurationMode(requests({{1, false}, {1, true}, {8, true}, {2, true}})), "");
    EXPECT_NE(leavesConfigurationMode(requests({{1, true}, {3, true}, {2, true}})), "");
    EXPECT_NE(leavesConfigurationMode(requests({{1, true}, {3, true}})), "");
    EXPECT_NE(leavesConfigurationMode(requests({{1, true}, {1, true}, {8, true}, {2, true}})), "");
    const auto parsed = requestsOf(
        "0 SET 04 01 00 00 00 00 00 00\n10 GET 04 01 00 00 00 00 00 CC\n"
        "20 SET 04 08 00 00 00 00 00 00\n30 GET 04 08 00 00 00 00 00 00\n"
        "40 SET 04 02 00 00 00 00 00 00 FAILED\n");
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_TRUE(parsed[0].acknowledged);
    EXPECT_FALSE(parsed[1].acknowledged);
    EXPECT_EQ(parsed[2].command, 2);
}

}  // namespace
}  // namespace vornik

#include <nlohmann/json.hpp>

#include "version/version.h"
#include "vornikctl_fixture.h"

namespace vornik {
namespace {

TEST_F(VornikctlTest, ListMarksTheMouse) {
    ASSERT_EQ(run({"--simulate", state, "list"}), kExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("* 2C4E 0B17 0104        8  "), std::string::npos) << text;
    EXPECT_NE(text.find("(cannot be opened)"), std::string::npos) << text;
    EXPECT_NE(text.find("* the mouse"), std::string::npos) << text;
}

TEST_F(VornikctlTest, ListWithoutMouseSaysSo) {
    ASSERT_EQ(run({"list"}), kExitOk);
    EXPECT_EQ(out.str().find("* "), std::string::npos);
    EXPECT_NE(out.str().find("no mouse"), std::string::npos);
}

TEST_F(VornikctlTest, StatusOfAHealthyMouse) {
    ASSERT_EQ(run({"status", "--simulate", state}), kExitOk) << err.str();
    EXPECT_EQ(out.str(),
              "mouse: 2C4E:0B17 version 0104\n"
              "reply byte 1: 0xAA (ready)\n"
              "EepromReady: yes\n"
              "ChipType: 0x98\n"
              "button state: 0x0000\n");
}

TEST_F(VornikctlTest, StatusShowsFaults) {
    ASSERT_EQ(run({"--simulate", state, "--fault", "notready", "--fault", "chip=0x42", "status"}),
              kExitOk);
    EXPECT_NE(out.str().find("EepromReady: no"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("ChipType: unknown (code 0x42)"), std::string::npos) << out.str();
}

TEST_F(VornikctlTest, FailuresGiveOneLineAndNonZero) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* reason;
    } cases[] = {
        {{"status"}, kExitFailure, "no mouse found"},
        {{"--simulate", "S", "--fault", "noack", "status"}, kExitFailure, "command 1"},
        {{"--simulate", "S", "--fault", "refuse=3", "status"}, kExitFailure, "command 3"},
        {{}, kExitUsage, "no command given"},
        {{"frobnicate"}, kExitUsage, "unknown command frobnicate"},
        {{"--bogus", "list"}, kExitUsage, "unknown option --bogus"},
        {{"--fault", "noack", "list"}, kExitUsage, "--fault needs --simulate"},
        {{"--simulate", "S", "--fault", "nack", "list"}, kExitUsage, "unknown fault"},
        {{"--simulate"}, kExitUsage, "--simulate needs a file name"},
        {{"list", "extra"}, kExitUsage, "unexpected argument extra"},
        {{"read"}, kExitUsage, "read needs --out FILE"},
        {{"restore"}, kExitUsage, "restore needs an argument"},
        {{"dump"}, kExitUsage, "dump needs either a FILE or --device"},
        {{"dump", "F", "--device"}, kExitUsage, "dump needs either a FILE or --device"},
        {{"status", "--json"}, kExitUsage, "--json does not go with status"},
        {{"--simulate", "S", "default", "4"}, kExitUsage, "default takes 1, 2 or 3"},
        {{"--simulate", "S", "restore", "/no/such/file.bin"}, kExitFailure, "/no/such/file.bin"},
        {{"--simulate", "S", "--fault", "notready", "read", "--out", "F"},
         kExitFailure,
         "memory is not ready"},
        {{"--simulate", "S", "--fault", "status=0x55", "read", "--out", "F"},
         kExitFailure,
         "not ready (status byte 1 is 0x55)"},
        {{"--simulate", "S", "--fault", "refuse=4", "read", "--out", "F"},
         kExitFailure,
         "the read was not completed: the mouse did not acknowledge command 4"},
        {{"--simulate", "S", "--fault", "drop-chunk=342", "read", "--out", "F"},
         kExitFailure,
         "1 of 342 chunks were not returned"},
    };
    for (auto& c : cases) {
        for (auto& a : c.args) {
            if (a == "S") a = state;
            if (a == "F") a = (dir / "out.bin").string();
        }
        EXPECT_EQ(run(c.args), c.code) << c.reason;
        const std::string text = err.str();
        EXPECT_EQ(text.rfind("vornikctl: ", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}

TEST_F(VornikctlTest, HelpPrintsUsage) {
    ASSERT_EQ(run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("usage: vornikctl"), std::string::npos);
    EXPECT_NE(out.str().find("drop-chunk=N"), std::string::npos);
}

TEST_F(VornikctlTest, VersionIsAnsweredWithoutTouchingTheMouse) {
    ASSERT_EQ(run({"--simulate", state, "--version", "status"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), std::string("vornikctl ") + kVersion + "\n");
    EXPECT_FALSE(fs::exists(state));
}

TEST_F(VornikctlTest, StateFileIsCreatedWithTheBuiltInImage) {
    ASSERT_EQ(run({"--simulate", state, "status"}), kExitOk);
    EXPECT_TRUE(read(state) == imageText(builtInImage()));
}

TEST_F(VornikctlTest, AStateFileOfTheWrongSizeIsLeftAlone) {
    {
        std::ofstream f(state, std::ios::binary);
        f << "not a mouse";
    }
    EXPECT_EQ(run({"--simulate", state, "status"}), kExitFailure);
    EXPECT_NE(err.str().find("not a mouse memory file (11 bytes"), std::string::npos) << err.str();
    EXPECT_EQ(read(state), "not a mouse");
}

TEST_F(VornikctlTest, TraceRecordsEveryExchange) {
    const auto trace = (dir / "trace.txt").string();
    ASSERT_EQ(run({"--simulate", state, "--trace", trace, "status"}), kExitOk);
    std::istringstream lines(read(trace));
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    // Commands 1, 3, 8 and 2, each one set and one poll.
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[0], "0 SET 04 01 00 00 00 00 00 00");
    EXPECT_EQ(all[1], "10 GET 04 01 00 00 00 00 00 CC");
    EXPECT_EQ(all[3], "20 GET 04 AA 04 FD 00 00 00 CC");
    EXPECT_EQ(all[4], "20 SET 04 08 00 00 00 00 00 00");
    EXPECT_EQ(all[6], "30 SET 04 02 00 00 00 00 00 00");
}

TEST_F(VornikctlTest, TraceFileThatCannotBeCreated) {
    EXPECT_EQ(run({"--simulate", state, "--trace", (dir / "no" / "such" / "t").string(), "list"}),
              kExitFailure);
    EXPECT_NE(err.str().find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace vornik

namespace vornik {
namespace {

class VornikctlImageTest : public VornikctlTest {};

TEST_F(VornikctlImageTest, ReadSavesTheMouseMemory) {
    std::string memory = imageText(builtInImage());
    memory[0x700] = 'M';  // something only this mouse has
    writeFile(state, memory);
    const auto backup = (dir / "backup.bin").string();
    ASSERT_EQ(run({"--simulate", state, "read", "--out", backup}), kExitOk) << err.str();
    EXPECT_EQ(read(backup), memory);
    EXPECT_NE(out.str().find("read 2048 bytes"), std::string::npos);
}

TEST_F(VornikctlImageTest, FailedReadWritesNoFile) {
    const auto backup = (dir / "backup.bin").string();
    EXPECT_EQ(run({"--simulate", state, "--fault", "vanish=200", "read", "--out", backup}),
              kExitFailure);
    EXPECT_FALSE(fs::exists(backup));
}

TEST_F(VornikctlImageTest, RestoreWritesAndVerifies) {
    std::string profile = imageText(builtInImage());
    profile[0x600] = 'P';
    profile[0x02F] ^= 1;  // a bad parameterA code: repaired on screen, written as is
    const auto file = (dir / "p.bin").string();
    writeFile(file, profile);
    ASSERT_EQ(run({"--simulate", state, "restore", file}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("ParameterASection"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("written and verified"), std::string::npos) << out.str();
    EXPECT_EQ(read(state), profile);
}

TEST_F(VornikctlImageTest, RestoreRefusedByTheChipTypeChangesNothing) {
    run({"--simulate", state, "status"});
    const std::string before = read(state);
    const auto file = (dir / "p.bin").string();
    writeFile(file, std::string(2048, '\x11'));
    EXPECT_EQ(run({"--simulate", state, "--fault", "chip=0x99", "restore", file}), kExitFailure);
    EXPECT_NE(err.str().find("not written: the mouse's chip type is not 0x98 (it reports 0x99)"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(read(state), before);
}

TEST_F(VornikctlImageTest, RestoreThatNeverVerifiesFails) {
    const auto file = (dir / "p.bin").string();
    std::string profile = imageText(builtInImage());
    profile[0x7FF] = 0x12;
    writeFile(file, profile);
    EXPECT_EQ(run({"--simulate", state, "--fault", "stuck=0x7FF", "restore", file}), kExitFailure);
    EXPECT_NE(err.str().find("\"Fail\" (Str109)"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("1 byte still differs"), std::string::npos) << err.str();
}

TEST_F(VornikctlImageTest, DefaultUsesTheFileBesideTheProgram) {
    writeFile(state, std::string(2048, '\0'));
    ASSERT_EQ(run({"--simulate", state, "default", "3"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("default image: built-in"), std::string::npos);
    EXPECT_EQ(read(state), imageText(builtInImage()));

    writeFile(dir / "TamselData_Cfg2.bin", std::string(100, '\x33'));
    ASSERT_EQ(run({"--simulate", state, "default", "2"}), kExitOk) << err.str();
    const std::string memory = read(state);
    EXPECT_TRUE(memory.substr(0, 100) == std::string(100, '\x33'));
    EXPECT_TRUE(memory.substr(100) == imageText(builtInImage()).substr(100));
}

TEST_F(VornikctlImageTest, DumpOfTheBuiltInImage) {
    const auto file = (dir / "p.bin").string();
    writeFile(file, imageText(builtInImage()));
    ASSERT_EQ(run({"dump", file}), kExitOk) << err.str();
    const std::string text = out.str();
    for (const char* expected : {"integrity: all sections valid", "DPI levels: 6, current level 2",
                                 "  1  010100  Left Key", "  9  0600F0  Fire Key",
                                 "key mode: 1 (Office Mode)", "LED type: MCULED"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    ASSERT_EQ(run({"dump", file, "--json"}), kExitOk);
    const auto json = nlohmann::json::parse(out.str());
    EXPECT_TRUE(json["failedSections"].empty()) << out.str();
    EXPECT_EQ(json["profiles"][0][6],
              nlohmann::json::parse(R"({"code": "070000", "name": "DPI +"})"));
    EXPECT_EQ(json["dpiLevels"].size(), 6u);
    EXPECT_EQ(json["fireKey"]["continuous"], false);
}

TEST_F(VornikctlImageTest, DumpNamesTheFailedSectionsOfGarbage) {
    const auto file = (dir / "garbage.bin").string();
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37 + 11);
    writeFile(file, garbage);
    ASSERT_EQ(run({"dump", file}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("repaired from defaults: ParameterASection"), std::string::npos)
        << out.str();
    EXPECT_NE(err.str().find("only the first 2048 are used"), std::string::npos);
}

TEST_F(VornikctlImageTest, DumpOfTheDevice) {
    ASSERT_EQ(run({"--simulate", state, "dump", "--device", "--json"}), kExitOk) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["ledType"], "MCULED");
}

}  // namespace
}  // namespace vornik

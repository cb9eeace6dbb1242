// vornikctl get and set over the named settings.
#include <nlohmann/json.hpp>

#include "image/memory_map.h"
#include "model/config_keys.h"
#include "vornikctl_fixture.h"

namespace vornik {
namespace {

class VornikctlKeysTest : public VornikctlTest {
  protected:
    // The simulated mouse with the built-in image, as a first run leaves it.
    void SetUp() override {
        VornikctlTest::SetUp();
        ASSERT_EQ(run({"--simulate", state, "status"}), kExitOk) << err.str();
    }
    std::string get(const std::string& key) {
        EXPECT_EQ(run({"--simulate", state, "get", key}), kExitOk) << err.str();
        return out.str();
    }
};

constexpr std::uint16_t kMode2Button4 = section::kProfile.address + 27 + 9;
constexpr std::uint16_t kProfileCode = section::kProfile.address + section::kProfile.size - 1;

TEST_F(VornikctlKeysTest, DryRunShowsTheBytesAndWritesNothing) {
    const std::string before = read(state);
    ASSERT_EQ(run({"--simulate", state, "set", "mode2.button4=Forward", "--dry-run"}), kExitOk)
        << err.str();
    const std::string text = out.str();
    EXPECT_TRUE(has(out, "mode2.button4: Back -> Forward")) << text;
    EXPECT_TRUE(has(out, "would change 2 bytes:")) << text;
    // The button's three bytes (type and mask unchanged, the mask's byte changed) and the code.
    EXPECT_TRUE(has(out, "  0x064  ProfileSection byte 36 01 -> 01  (unchanged)\n")) << text;
    EXPECT_TRUE(has(out, "  0x065  ProfileSection byte 37 08 -> 10\n")) << text;
    EXPECT_TRUE(has(out, "  0x066  ProfileSection byte 38 00 -> 00  (unchanged)\n")) << text;
    EXPECT_TRUE(has(out, "  0x076  ProfileSection byte 54 06 -> 3E\n")) << text;
    EXPECT_TRUE(has(out, "dry run: nothing written")) << text;
    EXPECT_EQ(read(state), before);
}

TEST_F(VornikctlKeysTest, SetWritesVerifiedAndGetReadsItBack) {
    ASSERT_EQ(run({"--simulate", state, "set", "mode2.button4=Forward", "keymode=2"}), kExitOk)
        << err.str();
    EXPECT_TRUE(has(out, "written and verified")) << out.str();
    const std::string memory = read(state);
    EXPECT_EQ(static_cast<std::uint8_t>(memory[kMode2Button4 + 1]), 0x10);
    const auto* profile =
        reinterpret_cast<const std::uint8_t*>(memory.data()) + section::kProfile.address;
    EXPECT_TRUE(sectionCodeValid(std::span(profile, section::kProfile.size)));
    EXPECT_EQ(static_cast<std::uint8_t>(memory[0x34]), 0x80);
    EXPECT_EQ(static_cast<std::uint8_t>(memory[0x35]), 0x7F);
    EXPECT_EQ(get("mode2.button4"), "Forward\n");
    EXPECT_EQ(get("keymode"), "2\n");
    // The same values again: nothing to write.
    ASSERT_EQ(run({"--simulate", state, "set", "mode2.button4=011000"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out, "nothing written")) << out.str();
}

TEST_F(VornikctlKeysTest, ValuesTakenAndHowTheyReadBack) {
    struct Case {
        const char* key;
        const char* value;
        const char* readBack;
    } cases[] = {
        {"keymode", "2", "2"},
        {"mode1.button4", "011000", "Forward"},
        {"mode1.button2", "0300cd", "Play/Pause"},          // lower-case digits
        {"mode1.button3", "Ctrl+Shift+A", "Ctrl+Shift+A"},  // a keyboard combination by name
        {"mode1.button5", "0300B7", "0300B7"},  // "Stop" names two codes: kept as a code
        {"mode1.button6", "0A0300", "0A0300"},  // an AIM key with another DPI index
        {"mode2.button9", "Gun Key Fn", "Gun Key Fn"},
        {"mode2.button8", "0C0607", "0C0607"},  // "5.56mm Fire" is 0C0606 too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_EQ(run({"--simulate", state, "set", std::string(c.key) + "=" + c.value}), kExitOk)
            << err.str();
        EXPECT_EQ(get(c.key), std::string(c.readBack) + "\n");
    }
}

// Each assignment keeps a left button in its key mode, so a move of the left button names the
// new one first.
TEST_F(VornikctlKeysTest, TheLeftButtonMovesWhenTheNewOneComesFirst) {
    ASSERT_EQ(run({"--simulate", state, "set", "mode1.button2=Left Key", "mode1.button1=Mute"}),
              kExitOk)
        << err.str();
    EXPECT_EQ(get("mode1.button1"), "Mute\n");
    EXPECT_EQ(get("mode1.button2"), "Left Key\n");
}

TEST_F(VornikctlKeysTest, RefusedValuesWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"keymode=3"}, "key mode \"3\" is not 1 or 2"},
        {{"keymode=-1"}, "is not 1 or 2"},
        {{"keymode="}, "is not 1 or 2"},
        {{"mode1.button1=Mute"}, "mode1.button1: Please keep a Left Key; nothing written"},
        {{"mode1.button1=Mute", "mode1.button2=Left Key"}, "Please keep a Left Key"},
        {{"mode1.button1=Frobnicate"}, "neither six hexadecimal digits nor a function name"},
        {{"mode1.button1=Stop"}, "names 2 functions; give the code: 0300B7, 030226"},
        {{"mode1.button1=040000"}, "04 is not a function type"},
        {{"mode1.button1=060521"}, "0521 is not the address of a macro slot"},
        {{"mode1.button1=0A0C00"}, "DPI index of 00 to 0B"},
        {{"mode1.button1=012000"}, "mask of 01 to 1F"},
        {{"mode1.button1=050100"}, "takes no parameters"},
        {{"mode1.button1=0C0302"}, "first and last fire macro"},
        {{"mode2.button4=Forward", "mode1.button1=0G0000"}, "neither six hexadecimal digits"},
        {{"mode3.button1=Forward"}, "unknown key \"mode3.button1\""},
        {{"mode1.button10=Forward"}, "unknown key \"mode1.button10\""},
        {{"keymode"}, "\"keymode\" is not KEY=VALUE"},
        {{}, "set needs an argument"},
    };
    const std::string before = read(state);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        std::vector<std::string> args{"--simulate", state, "set"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(run(args), kExitUsage);
        EXPECT_TRUE(has(err, c.reason)) << err.str();
        EXPECT_EQ(read(state), before);
    }
}

TEST_F(VornikctlKeysTest, GetPrintsOneValueOrKeyValueLines) {
    EXPECT_EQ(get("mode1.button1"), "Left Key\n");
    ASSERT_EQ(run({"--simulate", state, "get", "keymode", "mode1.button9"}), kExitOk);
    EXPECT_EQ(out.str(), "keymode=1\nmode1.button9=Fire Key\n");
    ASSERT_EQ(run({"--simulate", state, "get"}), kExitOk);
    EXPECT_TRUE(has(out, "mode2.button8=DPI -\n")) << out.str();
    const std::string all = out.str();
    EXPECT_EQ(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')),
              allConfigKeys().keys().size());
    EXPECT_EQ(run({"--simulate", state, "get", "mode1.button1", "dpi.level8"}), kExitUsage);
    EXPECT_TRUE(has(err, "unknown key \"dpi.level8\"")) << err.str();
}

TEST_F(VornikctlKeysTest, GetAsJsonAndFromAFile) {
    ASSERT_EQ(run({"--simulate", state, "get", "--json"}), kExitOk) << err.str();
    const auto values = nlohmann::json::parse(out.str());
    EXPECT_EQ(values.size(), allConfigKeys().keys().size());
    EXPECT_EQ(values["keymode"], 1);
    EXPECT_EQ(values["mode1.button4"], "Back");

    // A profile file in Game Mode; no mouse needed.
    ConfigImage image = builtInImage();
    image[0x34] = 0x80;
    image[0x35] = 0x7F;
    const auto file = (dir / "game.bin").string();
    writeFile(file, imageText(image));
    ASSERT_EQ(run({"get", "keymode", "--from", file, "--json"}), kExitOk) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str()), nlohmann::json::parse(R"({"keymode": 2})"));
    EXPECT_EQ(run({"--simulate", state, "set", "keymode=2", "--from", file}), kExitUsage);
    EXPECT_EQ(run({"--simulate", state, "get", "keymode", "--dry-run"}), kExitUsage);
}

TEST_F(VornikctlKeysTest, AMouseThatCannotBeReadIsNotWritten) {
    const std::string before = read(state);
    EXPECT_EQ(run({"--simulate", state, "--fault", "drop-chunk=5", "set", "keymode=2"}),
              kExitFailure);
    EXPECT_TRUE(has(err, "the read was")) << err.str();
    EXPECT_EQ(read(state), before);
}

}  // namespace
}  // namespace vornik

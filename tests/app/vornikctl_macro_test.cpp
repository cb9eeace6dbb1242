// vornikctl macro get, put and clear over the mouse's six macro slots.
#include "image/memory_map.h"
#include "vornikctl_fixture.h"

namespace vornik {
namespace {

constexpr std::size_t kSlot1 = 0x100;  // name (32 bytes), then the 224-byte content
constexpr std::size_t kContent = 32;
constexpr std::size_t kSlot5 = 0x600;
constexpr std::size_t kMode1Button4 = section::kProfile.address + 9;
constexpr std::size_t kMode2Button5 = section::kProfile.address + 27 + 12;

class VornikctlMacroTest : public VornikctlTest {
  protected:
    void SetUp() override {
        VornikctlTest::SetUp();
        ASSERT_EQ(run({"--simulate", state, "status"}), kExitOk) << err.str();
    }
    // Each script in a file of its own.
    std::string script(const std::string& text) {
        const fs::path path = dir / ("script" + std::to_string(++m_scripts) + ".txt");
        writeFile(path, text);
        return path.string();
    }
    std::vector<std::uint8_t> memory(std::size_t address, std::size_t count) {
        const std::string bytes = read(state);
        return {bytes.begin() + static_cast<std::ptrdiff_t>(address),
                bytes.begin() + static_cast<std::ptrdiff_t>(address + count)};
    }

  private:
    int m_scripts = 0;
};

const char* const kPressA = "00\n1 A CODE:8204\n2 A CODE:0204\n";

TEST_F(VornikctlMacroTest, PutStoresTheNameAndTheEncodedScript) {
    ASSERT_EQ(run({"--simulate", state, "macro", "put", "1", script(kPressA), "--name", "Jump"}),
              kExitOk)
        << err.str();
    EXPECT_TRUE(has(out, "slot 1: \"Jump\", 4 of 221 event bytes")) << out.str();
    EXPECT_TRUE(has(out, "written and verified")) << out.str();

    const std::vector<std::uint8_t> name{0x00, 0x4A, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x70, 0x00};
    EXPECT_EQ(memory(kSlot1, name.size()), name);
    std::vector<std::uint8_t> content(224, 0);
    const std::uint8_t events[] = {0x00, 0x05, 0x82, 0x04, 0x02, 0x04, 0xCB};
    std::copy(std::begin(events), std::end(events), content.begin());
    EXPECT_EQ(memory(kSlot1 + kContent, content.size()), content);

    ASSERT_EQ(run({"--simulate", state, "dump", "--device"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out, "  1  \"Jump\"  4 of 221 bytes\n")) << out.str();
}

// What get prints, put takes back: the same bytes in another slot, with the name and release
// mode of its comment lines.
TEST_F(VornikctlMacroTest, GetPrintsAScriptThatPutTakesBack) {
    const std::string text =
        "0150\n1 LeftKey CODE:00A1\n0 48\n2 LeftKey CODE:0021\n"
        "7 FD09\n3 FB05\n8 00FC\n";
    ASSERT_EQ(run({"--simulate", state, "macro", "put", "1", script(text), "--name", "Burst",
                   "--release", "stop"}),
              kExitOk)
        << err.str();
    ASSERT_EQ(run({"--simulate", state, "macro", "get", "1"}), kExitOk) << err.str();
    const std::string printed = out.str();
    EXPECT_TRUE(printed.starts_with("# name: Burst\n# release: stop\n")) << printed;
    EXPECT_TRUE(has(out, "7 FD09\n3 FB05\n8 00FC\n")) << printed;

    ASSERT_EQ(run({"--simulate", state, "macro", "put", "5", script(printed)}), kExitOk)
        << err.str();
    EXPECT_EQ(memory(kSlot5, 256), memory(kSlot1, 256));
}

// A script the slot cannot take is refused whole, and the mouse keeps what it held.
TEST_F(VornikctlMacroTest, RefusedScriptsWriteNothing) {
    std::string tooLong = "00\n";
    for (int i = 0; i < 56; ++i) tooLong += "1 A CODE:8204\n2 A CODE:0204\n";  // 224 bytes
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"put", "1", script(tooLong)}, "Macro bin length out of range"},
        {{"put", "1", script("1 A CODE:8204\n")}, "starts with its header"},
        {{"put", "1", script("00\n1 A CODE:8204\nhello\n")}, "line 3: \"hello\""},
        {{"put", "1", script("")}, "holds no script"},
        {{"put", "7", script(kPressA)}, "1 to 6"},
        {{"put", "1", script(kPressA), "--release", "sometimes"}, "stop or continue"},
        {{"get", "1", "--name", "x"}, "go with macro put"},
        {{"erase", "1"}, "get SLOT, put SLOT FILE or clear SLOT"},
    };
    const std::string before = read(state);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> args{"--simulate", state, "macro"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(run(args), kExitUsage);
        EXPECT_TRUE(has(err, c.message)) << err.str();
        EXPECT_TRUE(read(state) == before);
    }
}

// A button that plays the slot names the macro's release mode in its type byte (06 or 0E).
TEST_F(VornikctlMacroTest, ButtonsThatPlayTheSlotFollowItsReleaseMode) {
    ASSERT_EQ(run({"--simulate", state, "macro", "put", "2", script(kPressA), "--name", "Burst"}),
              kExitOk)
        << err.str();
    // By name: the code of the slot's release mode.
    ASSERT_EQ(run({"--simulate", state, "set", "mode1.button4=Burst"}), kExitOk) << err.str();
    EXPECT_EQ(memory(kMode1Button4, 3), (std::vector<std::uint8_t>{0x06, 0x02, 0x21}));

    ASSERT_EQ(run({"--simulate", state, "macro", "put", "2", script(kPressA), "--release", "stop"}),
              kExitOk)
        << err.str();
    EXPECT_TRUE(has(out, "played by key mode 1 button 4")) << out.str();
    EXPECT_EQ(memory(0x200 + kContent, 1), std::vector<std::uint8_t>{0x01});
    EXPECT_EQ(memory(kMode1Button4, 3), (std::vector<std::uint8_t>{0x0E, 0x02, 0x21}));
    // The slot kept its name; by name it is now the stopping code.
    ASSERT_EQ(run({"--simulate", state, "set", "mode2.button5=Burst"}), kExitOk) << err.str();
    EXPECT_EQ(memory(kMode2Button5, 3), (std::vector<std::uint8_t>{0x0E, 0x02, 0x21}));

    // Cleared, the slot is empty and the button is left, with a note.
    ASSERT_EQ(run({"--simulate", state, "macro", "clear", "2"}), kExitOk) << err.str();
    EXPECT_TRUE(has(err, "key mode 1 button 4 plays slot 2, which is now empty")) << err.str();
    EXPECT_EQ(memory(0x200, 256), std::vector<std::uint8_t>(256, 0));
}

TEST_F(VornikctlMacroTest, DryRunSaysWhatWouldChangeAndWritesNothing) {
    const std::string before = read(state);
    ASSERT_EQ(run({"--simulate", state, "macro", "put", "3", script(kPressA), "--dry-run"}),
              kExitOk)
        << err.str();
    EXPECT_TRUE(has(out, "macro slot 3")) << out.str();
    EXPECT_TRUE(has(out, "dry run: nothing written")) << out.str();
    EXPECT_TRUE(read(state) == before);
}

}  // namespace
}  // namespace vornik

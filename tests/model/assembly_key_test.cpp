// The assembly-key dialog's rules: what a key press, a modifier box and Clear do to the text
// and the code.
#include "model/assembly_key.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace vornik {
namespace {

// A step of a dialog sequence: a key (virtual-key code, with or without a held modifier), a
// modifier box ticked or unticked, or Clear.
struct Key {
    std::uint8_t virtualKey;
    bool held = false;
};
struct Box {
    AssemblyKey::Modifier modifier;
    bool on;
};
struct Clear {};
using Step = std::variant<Key, Box, Clear>;

constexpr std::uint8_t kA = 0x41, kB = 0x42, kShiftKey = 0x10, kLeftWindows = 0x5B;

TEST(AssemblyKey, SequencesGiveTheTextAndTheCode) {
    struct Case {
        const char* what;
        std::vector<Step> steps;
        const char* text;
        const char* code;
    } cases[] = {
        {"nothing", {}, "", "020000"},
        {"Ctrl then A", {Box{AssemblyKey::kCtrl, true}, Key{kA}}, "Ctrl+A", "020104"},
        {"A then Ctrl", {Key{kA}, Box{AssemblyKey::kCtrl, true}}, "Ctrl+A", "020104"},
        {"Shift alone", {Key{kShiftKey, true}}, "", "020000"},
        {"Shift after A drops A", {Key{kA}, Key{kShiftKey, true}}, "", "020000"},
        {"with a box, Shift after A",
         {Box{AssemblyKey::kAlt, true}, Key{kA}, Key{kShiftKey, true}},
         "Alt",
         "020400"},
        {"B after A", {Key{kA}, Key{kB}}, "B", "020005"},
        {"a key with a modifier held", {Key{kB, true}}, "", "020000"},
        {"the Windows key", {Key{kA}, Key{kLeftWindows}}, "", "020000"},
        {"boxes in their order",
         {Box{AssemblyKey::kWin, true}, Box{AssemblyKey::kShift, true}, Key{0x70},
          Box{AssemblyKey::kCtrl, true}},
         "Ctrl+Shift+Win+F1",
         "020B3A"},
        {"unticking the first",
         {Box{AssemblyKey::kCtrl, true}, Key{kA}, Box{AssemblyKey::kCtrl, false}},
         "A",
         "020004"},
        {"unticking the whole text",
         {Box{AssemblyKey::kShift, true}, Box{AssemblyKey::kShift, false}},
         "",
         "020000"},
        {"unticking a later one",
         {Box{AssemblyKey::kCtrl, true}, Box{AssemblyKey::kAlt, true}, Key{kA},
          Box{AssemblyKey::kAlt, false}},
         "Ctrl+A",
         "020104"},
        {"Clear", {Box{AssemblyKey::kCtrl, true}, Key{kA}, Clear{}}, "", "020000"},
        {"a key the table lacks", {Key{0x07}}, "None", "020000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AssemblyKey key;
        for (const Step& step : c.steps) {
            if (const Key* k = std::get_if<Key>(&step))
                key.keyDown(k->virtualKey, k->held);
            else if (const Box* b = std::get_if<Box>(&step))
                key.setModifier(b->modifier, b->on);
            else
                key.clear();
        }
        EXPECT_EQ(key.text(), c.text);
        EXPECT_EQ(key.code(), c.code);
    }
}

}  // namespace
}  // namespace vornik

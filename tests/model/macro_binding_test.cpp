// Binding a library macro to a button: the slot it goes into, the code the button gets, and
// the refusals that change nothing.
#include "model/macro_binding.h"

#include <gtest/gtest.h>

#include "image/defaults.h"

namespace vornik {
namespace {

LibraryEntry entry(const char* name, bool releaseStops = false) {
    LibraryEntry e;
    e.name = encodeMacroName(name);
    const std::uint8_t bytes[] = {0x00, 0x05, 0x82, 0x04, 0x02, 0x04, 0xCB};
    std::copy(std::begin(bytes), std::end(bytes), e.content.begin());
    if (releaseStops) {
        e.content[0] = kReleaseStops;
    }
    return e;
}

class MacroBindingTest : public ::testing::Test {
  protected:
    void SetUp() override { model.loadFromImage(builtInImage()); }
    ConfigModel model;
};

TEST_F(MacroBindingTest, TheSlotTakesTheMacroAndTheButtonPlaysIt) {
    int slot = 0;
    ASSERT_TRUE(bindLibraryMacro(model, 1, 4, entry("Jump"), SlotRange::AllSix, &slot).ok());
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(model.buttonFunction(1, 4), "060121");
    EXPECT_EQ(model.macroSlots()[0], (DeviceMacroSlot{entry("Jump").name, entry("Jump").content}));
    EXPECT_EQ(model.macroSlotNames()[0], "Jump");

    // The next button takes the next slot; a macro that stops on release is played by 0E.
    ASSERT_TRUE(bindLibraryMacro(model, 2, 6, entry("Run", true), SlotRange::AllSix, &slot).ok());
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(model.buttonFunction(2, 6), "0E0221");

    // Bound again, a button gives up its own slot first: its new macro goes there.
    ASSERT_TRUE(bindLibraryMacro(model, 1, 4, entry("Crouch"), SlotRange::AllSix, &slot).ok());
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(model.macroSlotNames()[0], "Crouch");
    EXPECT_EQ(model.buttonFunction(2, 6), "0E0221");
}

// With every slot of the range played by another button, the binding is refused and nothing
// changes; the engineer page's buttons have slots 1-4 only.
TEST_F(MacroBindingTest, NoFreeSlotChangesNothing) {
    for (const auto& [range, slots] :
         {std::pair{SlotRange::AllSix, 6}, {SlotRange::FirstFour, 4}}) {
        SCOPED_TRACE(slots);
        model.loadFromImage(builtInImage());
        const char* names[] = {"a", "b", "c", "d", "e", "f"};
        for (int k = 0; k < slots; ++k)
            ASSERT_TRUE(bindLibraryMacro(model, 2, 2 + k, entry(names[k]), range).ok()) << k;
        const ConfigImage before = (model.storeToImage(), model.image().bytes);
        const std::string code = model.buttonFunction(1, 5);

        const EditResult result = bindLibraryMacro(model, 1, 5, entry("g"), range);
        EXPECT_EQ(result.error, kNoFreeMacroSlotMessage);
        EXPECT_EQ(model.buttonFunction(1, 5), code);
        model.storeToImage();
        EXPECT_EQ(model.image().bytes, before);
    }
}

TEST_F(MacroBindingTest, TheLastLeftKeyIsKept) {
    ASSERT_EQ(model.buttonFunction(1, 1), "010100");
    const auto slotsBefore = model.macroSlots();
    const EditResult result = bindLibraryMacro(model, 1, 1, entry("Jump"), SlotRange::AllSix);
    EXPECT_EQ(result.error, kKeepLeftKeyMessage);
    EXPECT_EQ(model.buttonFunction(1, 1), "010100");
    EXPECT_EQ(model.macroSlots(), slotsBefore);
}

}  // namespace
}  // namespace vornik

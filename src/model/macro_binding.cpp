#include "model/macro_binding.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vornik {

EditResult bindLibraryMacro(ConfigModel& model, int mode, int button, const LibraryEntry& entry,
                            SlotRange range, int* slot) {
    if (mode < 1 || mode > ProfileCodes::kProfiles || button < 1 || button > ProfileCodes::kButtons)
        return EditResult::refused("no such button");
    const bool empty = std::all_of(entry.content.begin(), entry.content.end(),
                                   [](std::uint8_t b) { return b == 0; });
    if (!empty && !deviceMacroValid(entry.content))
        return EditResult::refused("the macro fails its check");

    // The button being bound gives up its own slot while the slot is chosen.
    std::vector<std::string> codes;
    for (int m = 1; m <= ProfileCodes::kProfiles; ++m)
        for (int b = 1; b <= ProfileCodes::kButtons; ++b)
            codes.push_back(m == mode && b == button ? std::string("000000")
                                                     : model.buttonFunction(m, b));
    const auto chosen = chooseMacroSlot(codes, entry.name, model.macroSlots(), range);
    if (!chosen) return EditResult::refused(std::string(kNoFreeMacroSlotMessage));

    // The slot first, so that whoever shows the button's new code finds the macro's name.
    const DeviceMacroSlot before = model.macroSlots()[static_cast<std::size_t>(*chosen - 1)];
    const EditResult stored =
        model.setMacroSlot(*chosen, DeviceMacroSlot{entry.name, entry.content});
    if (!stored.ok()) return stored;
    const bool stops = !empty && entry.content[0] == kReleaseStops;
    const EditResult assigned =
        model.assignButtonFunction(mode, button, macroSlotCode(*chosen, stops));
    if (!assigned.ok()) {
        model.setMacroSlot(*chosen, before);
        return assigned;
    }
    if (slot) *slot = *chosen;
    return {assigned.changed || stored.changed, {}};
}

}  // namespace vornik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/memory_map.h"
#include "model/macro_content.h"
#include "model/slot_names.h"

namespace vornik {

// A macro's name: 16 UTF-16 code units, big-endian, zero-padded; unnamed when the first unit
// is zero.
using MacroName = std::array<std::uint8_t, kMacroNameSize>;

// One of the mouse's six macro slots: slots 1–4 lie at 0x100, slots 5–6 at 0x600 (0x500 holds
// the fire macros). Functions below number slots 1..6 as the user sees them; element 0 of
// DeviceMacroSlots is slot 1.
struct DeviceMacroSlot {
    MacroName name{};
    MacroContent content{};

    bool operator==(const DeviceMacroSlot&) const = default;
};
using DeviceMacroSlots = std::array<DeviceMacroSlot, kMacroSlotCount>;

// The two macro area copies split into the six slots, and joined back.
DeviceMacroSlots splitMacroSlots(
    std::span<const std::uint8_t, section::kMacroSlots1To4.size> slots1To4,
    std::span<const std::uint8_t, section::kMacroSlots5To6.size> slots5To6);
void joinMacroSlots(const DeviceMacroSlots& slots,
                    std::span<std::uint8_t, section::kMacroSlots1To4.size> slots1To4,
                    std::span<std::uint8_t, section::kMacroSlots5To6.size> slots5To6);

// After a read: the content of every slot 1–4 that fails its check becomes all zero, its name
// stays. Slots 5 and 6 are not checked. Says which slots were emptied.
std::array<bool, kMacroSlotCount> emptyInvalidSlots(DeviceMacroSlots& slots);

// The six slot names as UTF-8, slot 1 first; empty for an unnamed slot.
std::array<std::string, kMacroSlotCount> slotNameList(const DeviceMacroSlots& slots);

// A UTF-8 name as a stored name. A name longer than 16 UTF-16 units keeps its first 16 (a
// character that needs two units and would not fit whole is dropped); a byte that is not valid
// UTF-8 becomes U+FFFD.
MacroName encodeMacroName(std::string_view utf8);

// Which slots a macro may be put into when it is bound to a button.
enum class SlotRange : std::uint8_t {
    AllSix,     // the main page's buttons
    FirstFour,  // the engineer page's buttons
};

// The slot a library macro goes into when bound to a button: a slot is in use when one of the
// 18 button codes plays it (06 or 0E and the slot's address). With the slots in use gap-free
// from slot 1, the next slot, or the one slot whose name equals `name` byte for byte; with a
// gap, the slot in the gap that the gap rules pick (or the lowest free slot). nullopt when
// no slot is free. The button being bound should carry "000000" meanwhile, so that its own
// slot counts as free.
std::optional<int> chooseMacroSlot(std::span<const std::string> buttonCodes, const MacroName& name,
                                   const DeviceMacroSlots& slots, SlotRange range);

// The code of a button that plays slot 1..6: "06" (or "0E" when playback stops on release)
// and the slot's address, e.g. "0E0121". Empty for a slot out of range.
std::string macroSlotCode(int slot, bool releaseStops);

}  // namespace vornik

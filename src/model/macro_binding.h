#pragma once

#include "model/config_model.h"
#include "model/edit_result.h"
#include "model/macro_library.h"
#include "model/macro_slots.h"

namespace vornik {

// Refused binding: every slot the button may use plays a macro already. The window shows it
// as "EEPROM space shortage" (Str104).
inline constexpr std::string_view kNoFreeMacroSlotMessage = "EEPROM space shortage";

// Binds a library macro to button 1..9 of key mode 1..2: the slot the slot rules choose (the
// button's own old slot counts as free) takes the entry's name and content, and the button
// plays it (06 or 0E by the content's release mode). Refused, with nothing changed, when no
// slot of `range` is free (kNoFreeMacroSlotMessage), when the key mode would lose its last
// Left Key (kKeepLeftKeyMessage) or when the content fails the slot's check. `slot` receives
// the slot used.
EditResult bindLibraryMacro(ConfigModel& model, int mode, int button, const LibraryEntry& entry,
                            SlotRange range, int* slot = nullptr);

}  // namespace vornik

#pragma once

#include <cstdint>
#include <optional>

namespace vornik {

// The Windows virtual-key code of an X keysym, so that keys read on X11 or Wayland are named
// and played as on Windows: letters of either case, digits, F1–F24, the keypad, navigation
// and editing keys, the punctuation of a US layout (shifted or not), the browser, volume,
// media and launch keys. Shift, Ctrl and Alt of either side give the generic codes 0x10, 0x11
// and 0x12 (as Windows key messages report them, so a recording plays them as modifiers); the
// Windows keys 0x5B and 0x5C. nullopt for a keysym without a code: such a key is ignored.
std::optional<std::uint8_t> virtualKeyFromKeysym(std::uint32_t keysym);

}  // namespace vornik

#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace vornik {

// The Windows virtual-key code of a Qt key (Qt::Key), for platforms whose key events carry no
// native key: letters, digits, F1–F24, navigation and editing keys, modifiers, US punctuation,
// media keys; `keypad` turns digits and operators into the keypad's keys. nullopt for others.
std::optional<std::uint8_t> virtualKeyFromQtKey(int key, bool keypad);

// The virtual-key code of a key event: the native virtual key on Windows, the keysym on X11
// and Wayland (model/keysym_keys.h), else the Qt key. nullopt for a key without a code.
std::optional<std::uint8_t> virtualKeyFromKeyEvent(const QKeyEvent& event);

}  // namespace vornik

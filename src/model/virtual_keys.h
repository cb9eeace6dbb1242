#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vornik {

// A key as the recorder and the key dialog see it: its name and the usage number a macro
// plays for it.
struct KeyInfo {
    std::string name;
    std::uint8_t usage = 0;

    bool operator==(const KeyInfo&) const = default;
};

// The recorder drops this key; its name is "255".
inline constexpr std::uint8_t kIgnoredVirtualKey = 0xFF;

// The name and usage of a Windows virtual-key code. A code the table does not list is named
// "None" with usage 0.
KeyInfo virtualKeyInfo(std::uint8_t virtualKey);

// The keyboard modifier bit a macro plays for the five modifier keys (Shift 0x10, Ctrl 0x11,
// Alt 0x12, left Windows 0x5B, right Windows 0x5C); nullopt for every other key. The
// left/right variants (0xA0–0xA5) are plain keys with their own usages.
std::optional<std::uint8_t> modifierBit(std::uint8_t virtualKey);

// The virtual-key code whose name a modifier event of this bit is shown with; nullopt for a
// byte that is not one of the five modifier bits.
std::optional<std::uint8_t> modifierVirtualKey(std::uint8_t bit);

}  // namespace vornik

#include "model/virtual_keys.h"

#include <string_view>

namespace vornik {

namespace {

struct NamedKey {
    std::uint8_t virtualKey;
    std::string_view name;
    std::uint8_t usage;
};

// The keys that do not follow from a numbered run (digits, letters, keypad digits, F keys).
constexpr NamedKey kNamedKeys[] = {
    {0x08, "Backspace", 0x2A},
    {0x09, "Tab", 0x2B},
    {0x0C, "Clear", 0x9C},
    {0x0D, "Enter", 0x28},
    {0x10, "Shift", 0xE1},
    {0x11, "Ctrl", 0xE0},
    {0x12, "Alt", 0xE2},
    {0x13, "Pause", 0x48},
    {0x14, "Caps Lock", 0x39},
    {0x1B, "Esc", 0x29},
    {0x20, "Space bar", 0x2C},
    {0x21, "Page Up", 0x4B},
    {0x22, "Page Down", 0x4E},
    {0x23, "End", 0x4D},
    {0x24, "Home", 0x4A},
    {0x25, "Left Arrow", 0x50},
    {0x26, "Up Arrow", 0x52},
    {0x27, "Right Arrow", 0x4F},
    {0x28, "Down Arrow", 0x51},
    {0x29, "Select", 0x77},
    {0x2C, "Print Screen", 0x46},
    {0x2D, "Insert", 0x49},
    {0x2E, "Delete", 0x4C},
    {0x2F, "Help", 0x75},
    {0x5B, "Left Windows", 0xE3},
    {0x5C, "Right Windows", 0xE7},
    {0x5D, "Applications", 0x65},
    {0x6A, "Multiply (numeric pad)", 0x55},
    {0x6B, "Add (numeric pad)", 0x57},
    {0x6C, "Separator (numeric pad)", 0x58},
    {0x6D, "Subtract (numeric pad)", 0x56},
    {0x6E, "Decimal (numeric pad)", 0x63},
    {0x6F, "Divide (numeric pad)", 0x54},
    {0x90, "Num Lock", 0x53},
    {0x91, "Scroll Lock", 0x47},
    {0xA0, "Left Shift", 0xE1},
    {0xA1, "Right Shift", 0xE5},
    {0xA2, "Left Ctrl", 0xE0},
    {0xA3, "Right Ctrl", 0xE4},
    {0xA4, "Left Alt", 0xE2},
    {0xA5, "Right Alt", 0xE6},
    {0xA6, "Browser_Back", 0xCA},
    {0xA7, "Browser_Forward", 0xCB},
    {0xA8, "Browser_Refresh", 0xCD},
    {0xA9, "Browser_Stop", 0xCC},
    {0xAA, "Browser_Search", 0xC8},
    {0xAB, "Browser_Favorites", 0xCE},
    {0xAC, "Browser_Home", 0xC9},
    {0xAD, "Volume_Mute", 0xC4},
    {0xAE, "Volume_Down", 0xC6},
    {0xAF, "Volume_Up", 0xC5},
    {0xB0, "Media_Next_Track", 0xC0},
    {0xB1, "Media_Prev_Track", 0xC1},
    {0xB2, "Media_Stop", 0xC2},
    {0xB3, "Media_Play_Pause", 0xC3},
    {0xB4, "Launch_Mail", 0xC7},
    {0xB5, "Launch_Media_Select", 0xD1},
    {0xB6, "Launch_App1", 0x00},
    {0xB7, "Launch_App2", 0x00},
    {0xBA, "OEM_1", 0x33},
    {0xBB, "OEM_Plus", 0x2E},
    {0xBC, "OEM_Comma", 0x36},
    {0xBD, "OEM_Minus", 0x2D},
    {0xBE, "OEM_Period", 0x37},
    {0xBF, "OEM_2", 0x38},
    {0xC0, "OEM_3", 0x35},
    {0xDB, "OEM_4", 0x2F},
    {0xDC, "OEM_5", 0x31},
    {0xDD, "OEM_6", 0x30},
    {0xDE, "OEM_7", 0x34},
    {0xDF, "OEM_8", 0x00},
    {kIgnoredVirtualKey, "255", 0x00},
};

struct Modifier {
    std::uint8_t virtualKey;
    std::uint8_t bit;
};

constexpr Modifier kModifiers[] = {
    {0x11, 0x01}, {0x10, 0x02}, {0x12, 0x04}, {0x5B, 0x08}, {0x5C, 0x80},
};

}  // namespace

KeyInfo virtualKeyInfo(std::uint8_t vk) {
    // Digit "0" plays usage 0x27, after "1" to "9" at 0x1E–0x26; the keypad likewise.
    if (vk == 0x30) return {"0", 0x27};
    if (vk >= 0x31 && vk <= 0x39)
        return {std::string(1, static_cast<char>(vk)), static_cast<std::uint8_t>(0x1E + vk - 0x31)};
    if (vk >= 0x41 && vk <= 0x5A)
        return {std::string(1, static_cast<char>(vk)), static_cast<std::uint8_t>(0x04 + vk - 0x41)};
    if (vk == 0x60) return {"0 (numeric pad)", 0x62};
    if (vk >= 0x61 && vk <= 0x69)
        return {std::to_string(vk - 0x60) + " (numeric pad)",
                static_cast<std::uint8_t>(0x59 + vk - 0x61)};
    if (vk >= 0x70 && vk <= 0x7B)
        return {"F" + std::to_string(vk - 0x70 + 1), static_cast<std::uint8_t>(0x3A + vk - 0x70)};
    if (vk >= 0x7C && vk <= 0x87)
        return {"F" + std::to_string(vk - 0x7C + 13), static_cast<std::uint8_t>(0x68 + vk - 0x7C)};
    for (const NamedKey& key : kNamedKeys)
        if (key.virtualKey == vk) return {std::string(key.name), key.usage};
    return {"None", 0x00};
}

std::optional<std::uint8_t> modifierBit(std::uint8_t vk) {
    for (const Modifier& m : kModifiers)
        if (m.virtualKey == vk) return m.bit;
    return std::nullopt;
}

std::optional<std::uint8_t> modifierVirtualKey(std::uint8_t bit) {
    for (const Modifier& m : kModifiers)
        if (m.bit == bit) return m.virtualKey;
    return std::nullopt;
}

}  // namespace vornik

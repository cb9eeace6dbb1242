#include "image/usage_names.h"

#include <string_view>
#include <utility>

namespace vornik {

namespace {

// The names that do not follow from a numbered run (letters, digits, F keys, keypad digits).
constexpr std::pair<std::uint8_t, std::string_view> kNamed[] = {
    {0x27, "0"},
    {0x28, "Enter"},
    {0x29, "Esc"},
    {0x2A, "Backspace"},
    {0x2B, "Tab"},
    {0x2C, "Space bar"},
    {0x2D, "OEM_Minus"},
    {0x2E, "OEM_Plus"},
    {0x2F, "OEM_4"},
    {0x30, "OEM_6"},
    {0x31, "OEM_5"},
    {0x33, "OEM_1"},
    {0x34, "OEM_7"},
    {0x35, "OEM_3"},
    {0x36, "OEM_Comma"},
    {0x37, "OEM_Period"},
    {0x38, "OEM_2"},
    {0x39, "Caps Lock"},
    {0x46, "Print Screen"},
    {0x47, "Scroll Lock"},
    {0x48, "Pause"},
    {0x49, "Insert"},
    {0x4A, "Home"},
    {0x4B, "Page Up"},
    {0x4C, "Delete"},
    {0x4D, "End"},
    {0x4E, "Page Down"},
    {0x4F, "Right Arrow"},
    {0x50, "Left Arrow"},
    {0x51, "Down Arrow"},
    {0x52, "Up Arrow"},
    {0x53, "Num Lock"},
    {0x54, "Divide (numeric pad)"},
    {0x55, "Multiply (numeric pad)"},
    {0x56, "Subtract (numeric pad)"},
    {0x57, "Add (numeric pad)"},
    {0x58, "Separator (numeric pad)"},
    {0x62, "0 (numeric pad)"},
    {0x63, "Decimal (numeric pad)"},
    {0x65, "Applications"},
    {0x75, "Help"},
    {0x77, "Select"},
    {0x9C, "Clear"},
    {0xC0, "Media_Next_Track"},
    {0xC1, "Media_Prev_Track"},
    {0xC2, "Media_Stop"},
    {0xC3, "Media_Play_Pause"},
    {0xC4, "Volume_Mute"},
    {0xC5, "Volume_Up"},
    {0xC6, "Volume_Down"},
    {0xC7, "Launch_Mail"},
    {0xC8, "Browser_Search"},
    {0xC9, "Browser_Home"},
    {0xCA, "Browser_Back"},
    {0xCB, "Browser_Forward"},
    {0xCC, "Browser_Stop"},
    {0xCD, "Browser_Refresh"},
    {0xCE, "Browser_Favorites"},
    {0xD1, "Launch_Media_Select"},
    {0xE0, "Left Ctrl"},
    {0xE1, "Left Shift"},
    {0xE2, "Left Alt"},
    {0xE3, "Win"},
    {0xE4, "Right Ctrl"},
    {0xE5, "Right Shift"},
    {0xE6, "Right Alt"},
    {0xE7, "Win"},
};

}  // namespace

std::string usageName(std::uint8_t usage) {
    if (usage >= 0x04 && usage <= 0x1D)
        return std::string(1, static_cast<char>('A' + usage - 0x04));
    if (usage >= 0x1E && usage <= 0x26)
        return std::string(1, static_cast<char>('1' + usage - 0x1E));
    if (usage >= 0x3A && usage <= 0x45) return "F" + std::to_string(usage - 0x3A + 1);
    if (usage >= 0x59 && usage <= 0x61) return std::to_string(usage - 0x59 + 1) + " (numeric pad)";
    if (usage >= 0x68 && usage <= 0x73) return "F" + std::to_string(usage - 0x68 + 13);
    for (const auto& [number, name] : kNamed)
        if (number == usage) return std::string(name);
    return {};
}

}  // namespace vornik

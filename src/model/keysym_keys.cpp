#include "model/keysym_keys.h"

namespace vornik {

namespace {

struct KeysymKey {
    std::uint32_t keysym;
    std::uint8_t virtualKey;
};

// Keysyms that do not follow from a numbered run (letters, digits, keypad digits, F keys).
constexpr KeysymKey kKeysymKeys[] = {
    // Editing and navigation.
    {0xff08, 0x08},  // BackSpace
    {0xff09, 0x09},  // Tab
    {0xfe20, 0x09},  // ISO_Left_Tab (Shift+Tab)
    {0xff0b, 0x0C},  // Clear
    {0xff0d, 0x0D},  // Return
    {0xff13, 0x13},  // Pause
    {0xff14, 0x91},  // Scroll_Lock
    {0xff15, 0x2C},  // Sys_Req (Alt+Print)
    {0xff1b, 0x1B},  // Escape
    {0xffff, 0x2E},  // Delete
    {0xff50, 0x24},  // Home
    {0xff51, 0x25},  // Left
    {0xff52, 0x26},  // Up
    {0xff53, 0x27},  // Right
    {0xff54, 0x28},  // Down
    {0xff55, 0x21},  // Prior
    {0xff56, 0x22},  // Next
    {0xff57, 0x23},  // End
    {0xff60, 0x29},  // Select
    {0xff61, 0x2C},  // Print
    {0xff63, 0x2D},  // Insert
    {0xff67, 0x5D},  // Menu
    {0xff6a, 0x2F},  // Help
    {0xff7f, 0x90},  // Num_Lock
    {0xffe5, 0x14},  // Caps_Lock
    {0x0020, 0x20},  // space
    // Modifiers.
    {0xffe1, 0x10},  // Shift_L
    {0xffe2, 0x10},  // Shift_R
    {0xffe3, 0x11},  // Control_L
    {0xffe4, 0x11},  // Control_R
    {0xffe9, 0x12},  // Alt_L
    {0xffea, 0x12},  // Alt_R
    {0xfe03, 0x12},  // ISO_Level3_Shift (AltGr)
    {0xffeb, 0x5B},  // Super_L
    {0xffec, 0x5C},  // Super_R
    // Keypad.
    {0xff80, 0x20},  // KP_Space
    {0xff89, 0x09},  // KP_Tab
    {0xff8d, 0x0D},  // KP_Enter
    {0xff95, 0x24},  // KP_Home
    {0xff96, 0x25},  // KP_Left
    {0xff97, 0x26},  // KP_Up
    {0xff98, 0x27},  // KP_Right
    {0xff99, 0x28},  // KP_Down
    {0xff9a, 0x21},  // KP_Prior
    {0xff9b, 0x22},  // KP_Next
    {0xff9c, 0x23},  // KP_End
    {0xff9d, 0x0C},  // KP_Begin
    {0xff9e, 0x2D},  // KP_Insert
    {0xff9f, 0x2E},  // KP_Delete
    {0xffaa, 0x6A},  // KP_Multiply
    {0xffab, 0x6B},  // KP_Add
    {0xffac, 0x6C},  // KP_Separator
    {0xffad, 0x6D},  // KP_Subtract
    {0xffae, 0x6E},  // KP_Decimal
    {0xffaf, 0x6F},  // KP_Divide
    // Punctuation of a US layout, unshifted and shifted.
    {0x003b, 0xBA},  // semicolon
    {0x003a, 0xBA},  // colon
    {0x003d, 0xBB},  // equal
    {0x002b, 0xBB},  // plus
    {0x002c, 0xBC},  // comma
    {0x003c, 0xBC},  // less
    {0x002d, 0xBD},  // minus
    {0x005f, 0xBD},  // underscore
    {0x002e, 0xBE},  // period
    {0x003e, 0xBE},  // greater
    {0x002f, 0xBF},  // slash
    {0x003f, 0xBF},  // question
    {0x0060, 0xC0},  // grave
    {0x007e, 0xC0},  // asciitilde
    {0x005b, 0xDB},  // bracketleft
    {0x007b, 0xDB},  // braceleft
    {0x005c, 0xDC},  // backslash
    {0x007c, 0xDC},  // bar
    {0x005d, 0xDD},  // bracketright
    {0x007d, 0xDD},  // braceright
    {0x0027, 0xDE},  // apostrophe
    {0x0022, 0xDE},  // quotedbl
    // Shifted digits.
    {0x0021, 0x31},  // exclam
    {0x0040, 0x32},  // at
    {0x0023, 0x33},  // numbersign
    {0x0024, 0x34},  // dollar
    {0x0025, 0x35},  // percent
    {0x005e, 0x36},  // asciicircum
    {0x0026, 0x37},  // ampersand
    {0x002a, 0x38},  // asterisk
    {0x0028, 0x39},  // parenleft
    {0x0029, 0x30},  // parenright
    // Browser, volume, media and launch keys.
    {0x1008ff26, 0xA6},  // XF86Back
    {0x1008ff27, 0xA7},  // XF86Forward
    {0x1008ff29, 0xA8},  // XF86Refresh
    {0x1008ff28, 0xA9},  // XF86Stop
    {0x1008ff1b, 0xAA},  // XF86Search
    {0x1008ff30, 0xAB},  // XF86Favorites
    {0x1008ff18, 0xAC},  // XF86HomePage
    {0x1008ff12, 0xAD},  // XF86AudioMute
    {0x1008ff11, 0xAE},  // XF86AudioLowerVolume
    {0x1008ff13, 0xAF},  // XF86AudioRaiseVolume
    {0x1008ff17, 0xB0},  // XF86AudioNext
    {0x1008ff16, 0xB1},  // XF86AudioPrev
    {0x1008ff15, 0xB2},  // XF86AudioStop
    {0x1008ff14, 0xB3},  // XF86AudioPlay
    {0x1008ff31, 0xB3},  // XF86AudioPause
    {0x1008ff19, 0xB4},  // XF86Mail
    {0x1008ff32, 0xB5},  // XF86AudioMedia
    {0x1008ff81, 0xB5},  // XF86Tools (the media-select key of most keyboards)
    {0x1008ff33, 0xB6},  // XF86MyComputer
    {0x1008ff1d, 0xB7},  // XF86Calculator
};

}  // namespace

std::optional<std::uint8_t> virtualKeyFromKeysym(std::uint32_t keysym) {
    if (keysym >= 'a' && keysym <= 'z') return static_cast<std::uint8_t>(keysym - 'a' + 0x41);
    if (keysym >= 'A' && keysym <= 'Z') return static_cast<std::uint8_t>(keysym);
    if (keysym >= '0' && keysym <= '9') return static_cast<std::uint8_t>(keysym);
    // KP_0..KP_9, F1..F24.
    if (keysym >= 0xffb0 && keysym <= 0xffb9)
        return static_cast<std::uint8_t>(keysym - 0xffb0 + 0x60);
    if (keysym >= 0xffbe && keysym <= 0xffd5)
        return static_cast<std::uint8_t>(keysym - 0xffbe + 0x70);
    for (const KeysymKey& k : kKeysymKeys)
        if (k.keysym == keysym) return k.virtualKey;
    return std::nullopt;
}

}  // namespace vornik

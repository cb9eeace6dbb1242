#include "model/keysym_keys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "model/virtual_keys.h"

namespace vornik {
namespace {

// The table keeps plain numbers so that the model needs no X headers; here every entry is
// checked against the keysyms by name, through the key names the macros show.
TEST(KeysymKeysTest, NamesTheKeysAsWindowsDoes) {
    const struct {
        unsigned long keysym;
        const char* name;
    } cases[] = {
        {XK_a, "A"},
        {XK_Z, "Z"},
        {XK_0, "0"},
        {XK_9, "9"},
        {XK_exclam, "1"},
        {XK_parenright, "0"},
        {XK_F1, "F1"},
        {XK_F12, "F12"},
        {XK_F13, "F13"},
        {XK_F24, "F24"},
        {XK_BackSpace, "Backspace"},
        {XK_Tab, "Tab"},
        {XK_ISO_Left_Tab, "Tab"},
        {XK_Clear, "Clear"},
        {XK_Return, "Enter"},
        {XK_Pause, "Pause"},
        {XK_Scroll_Lock, "Scroll Lock"},
        {XK_Sys_Req, "Print Screen"},
        {XK_Print, "Print Screen"},
        {XK_Escape, "Esc"},
        {XK_space, "Space bar"},
        {XK_Delete, "Delete"},
        {XK_Insert, "Insert"},
        {XK_Home, "Home"},
        {XK_End, "End"},
        {XK_Prior, "Page Up"},
        {XK_Next, "Page Down"},
        {XK_Left, "Left Arrow"},
        {XK_Up, "Up Arrow"},
        {XK_Right, "Right Arrow"},
        {XK_Down, "Down Arrow"},
        {XK_Select, "Select"},
        {XK_Help, "Help"},
        {XK_Menu, "Applications"},
        {XK_Num_Lock, "Num Lock"},
        {XK_Caps_Lock, "Caps Lock"},
        {XK_Shift_L, "Shift"},
        {XK_Shift_R, "Shift"},
        {XK_Control_L, "Ctrl"},
        {XK_Control_R, "Ctrl"},
        {XK_Alt_L, "Alt"},
        {XK_Alt_R, "Alt"},
        {XK_ISO_Level3_Shift, "Alt"},
        {XK_Super_L, "Left Windows"},
        {XK_Super_R, "Right Windows"},
        {XK_KP_0, "0 (numeric pad)"},
        {XK_KP_9, "9 (numeric pad)"},
        {XK_KP_Multiply, "Multiply (numeric pad)"},
        {XK_KP_Add, "Add (numeric pad)"},
        {XK_KP_Separator, "Separator (numeric pad)"},
        {XK_KP_Subtract, "Subtract (numeric pad)"},
        {XK_KP_Decimal, "Decimal (numeric pad)"},
        {XK_KP_Divide, "Divide (numeric pad)"},
        {XK_KP_Enter, "Enter"},
        {XK_KP_Space, "Space bar"},
        {XK_KP_Tab, "Tab"},
        {XK_KP_Home, "Home"},
        {XK_KP_End, "End"},
        {XK_KP_Prior, "Page Up"},
        {XK_KP_Next, "Page Down"},
        {XK_KP_Left, "Left Arrow"},
        {XK_KP_Up, "Up Arrow"},
        {XK_KP_Right, "Right Arrow"},
        {XK_KP_Down, "Down Arrow"},
        {XK_KP_Begin, "Clear"},
        {XK_KP_Insert, "Insert"},
        {XK_KP_Delete, "Delete"},
        {XK_semicolon, "OEM_1"},
        {XK_colon, "OEM_1"},
        {XK_equal, "OEM_Plus"},
        {XK_plus, "OEM_Plus"},
        {XK_comma, "OEM_Comma"},
        {XK_less, "OEM_Comma"},
        {XK_minus, "OEM_Minus"},
        {XK_underscore, "OEM_Minus"},
        {XK_period, "OEM_Period"},
        {XK_greater, "OEM_Period"},
        {XK_slash, "OEM_2"},
        {XK_question, "OEM_2"},
        {XK_grave, "OEM_3"},
        {XK_asciitilde, "OEM_3"},
        {XK_bracketleft, "OEM_4"},
        {XK_braceleft, "OEM_4"},
        {XK_backslash, "OEM_5"},
        {XK_bar, "OEM_5"},
        {XK_bracketright, "OEM_6"},
        {XK_braceright, "OEM_6"},
        {XK_apostrophe, "OEM_7"},
        {XK_quotedbl, "OEM_7"},
        {XK_at, "2"},
        {XK_numbersign, "3"},
        {XK_dollar, "4"},
        {XK_percent, "5"},
        {XK_asciicircum, "6"},
        {XK_ampersand, "7"},
        {XK_asterisk, "8"},
        {XK_parenleft, "9"},
        {XF86XK_Back, "Browser_Back"},
        {XF86XK_Forward, "Browser_Forward"},
        {XF86XK_Refresh, "Browser_Refresh"},
        {XF86XK_Stop, "Browser_Stop"},
        {XF86XK_Search, "Browser_Search"},
        {XF86XK_Favorites, "Browser_Favorites"},
        {XF86XK_HomePage, "Browser_Home"},
        {XF86XK_AudioMute, "Volume_Mute"},
        {XF86XK_AudioLowerVolume, "Volume_Down"},
        {XF86XK_AudioRaiseVolume, "Volume_Up"},
        {XF86XK_AudioNext, "Media_Next_Track"},
        {XF86XK_AudioPrev, "Media_Prev_Track"},
        {XF86XK_AudioStop, "Media_Stop"},
        {XF86XK_AudioPlay, "Media_Play_Pause"},
        {XF86XK_AudioPause, "Media_Play_Pause"},
        {XF86XK_Mail, "Launch_Mail"},
        {XF86XK_AudioMedia, "Launch_Media_Select"},
        {XF86XK_Tools, "Launch_Media_Select"},
        {XF86XK_MyComputer, "Launch_App1"},
        {XF86XK_Calculator, "Launch_App2"},
    };
    for (const auto& c : cases) {
        const auto vk = virtualKeyFromKeysym(static_cast<std::uint32_t>(c.keysym));
        ASSERT_TRUE(vk) << c.name << " keysym 0x" << std::hex << c.keysym;
        EXPECT_EQ(virtualKeyInfo(*vk).name, c.name) << "keysym 0x" << std::hex << c.keysym;
    }
}

TEST(KeysymKeysTest, KeysWithoutACodeAreLeftOut) {
    const unsigned long unnamed[] = {XK_VoidSymbol, XK_Mode_switch, XK_Multi_key,
                                     XK_eacute,     XK_KP_Equal,    XK_F25,
                                     XK_Hyper_L,    0x1000416 /* a Unicode keysym, Cyrillic Zhe */};
    for (const unsigned long keysym : unnamed)
        EXPECT_EQ(virtualKeyFromKeysym(static_cast<std::uint32_t>(keysym)), std::nullopt)
            << std::hex << keysym;
}

}  // namespace
}  // namespace vornik

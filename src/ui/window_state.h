#pragma once

#include <cstddef>

namespace vornik {

// The navigation choices, in the order of the page buttons: Office and Game Mode both show
// page 1 with the key mode's buttons.
enum class NavigationChoice { Office, Game, Advanced, Light, Macro, Engineer };
inline constexpr std::size_t kNavigationChoices = 6;

// What the window itself keeps between events: which page the user chose, which language
// and key mode it shows, and the two hidden unlocks. The window owns it; the navigation
// radios only show it.
struct WindowState {
    // The page chosen last; it survives language switches, the fire page has no choice.
    NavigationChoice choice = NavigationChoice::Office;
    // The no-device state: pages show the built-in image and page 1 only.
    bool noDeviceShown = false;
    // The current language and layout, 1 to 3.
    int language = 1;
    // The key mode whose buttons page 1 shows, 1 (Office) or 2 (Game).
    int keyModeShown = 1;
    // Set by the double-clicks on the engineer logo and on the fire page; never cleared.
    bool engineerUnlocked = false;
    bool fireRecorderUnlocked = false;
};

}  // namespace vornik

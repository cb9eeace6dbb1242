#pragma once

#include <QString>
#include <array>
#include <map>

#include "ui/widgets/skin_widgets.h"

class QWidget;

namespace vornik {

// A skinned button: its image and the transparent label over it.
struct SkinButton {
    SkinImage* image = nullptr;
    ButtonLabel* label = nullptr;
};

// How a button reacts to hovering (the hover families).
enum class HoverFamily {
    WindowButton,  // Read, Apply, Confirm, Confirm1..3: BtnS
    PageButton,    // page buttons, Save, Load: SetS, the current page stays marked
    KeyLabel,      // Key1..Key9: KeyS
    Language,      // SetS, the current language stays marked
    Exit,
    Minimize,
    Web,
};

// The controls each of pages 1 to 4 carries once, suffixed _1 to _4.
struct CommonPage {
    int page = 0;
    QWidget* container = nullptr;           // gbPage<n>
    SkinImage* base = nullptr;              // Img_Base_<n>
    SkinImage* panel = nullptr;             // Img_P<n>
    std::map<QString, SkinButton> buttons;  // by role: "Main", "Read", "Lang1", "Exit", …
    InputBlocker* disableAll = nullptr;     // Disable_All_<n>
};

// The roles of the buttons every page carries, with their hover family and normal image.
struct ButtonRole {
    const char* role;
    HoverFamily family;
    const char* normalSkin;
};
extern const std::array<ButtonRole, 20> kCommonButtonRoles;

// The navigation roles in page order: Office, Game, Advanced, Light, Macro, Engineer.
extern const std::array<const char*, 6> kPageRoles;

// Builds the skinned controls of page `n` (1 to 4) in `container`: background, panel, buttons,
// the input-blocking overlay above them, and the exit and minimise buttons above that.
// `content` is called after the panel so that page-specific images lie beneath the overlay.
template <typename Content>
CommonPage buildCommonPage(int n, QWidget* container, Content&& content);

CommonPage beginCommonPage(int n, QWidget* container);
void finishCommonPage(CommonPage& page);

template <typename Content>
CommonPage buildCommonPage(int n, QWidget* container, Content&& content) {
    CommonPage page = beginCommonPage(n, container);
    content(page);
    finishCommonPage(page);
    return page;
}

}  // namespace vornik

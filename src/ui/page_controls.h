#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstddef>

#include "ui/widgets/skin_widgets.h"

class QWidget;

namespace vornik {

// A skinned button: its image and the transparent label over it.
struct SkinButton {
    SkinImage* image = nullptr;
    ButtonLabel* label = nullptr;
};

// A skinned button whose image shows `skin` + "_02" while the pointer is over it (when it is
// enabled) and `skin` + "_01" otherwise.
SkinButton hoverSkinButton(const QString& image, const QString& label, const QString& skin,
                           QWidget* parent);
// Moves the button's image to `at`, its label with it.
void moveSkinButton(const SkinButton& b, QPoint at);
// Enables or shows the image and its label together.
void setSkinButtonEnabled(const SkinButton& b, bool on);
void setSkinButtonShown(const SkinButton& b, bool on);

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

// The buttons each of pages 1 to 4 carries; the six page buttons come first, in navigation
// order (Office, Game, Advanced, Light, Macro, Engineer).
enum class ButtonRole {
    Main,
    Second,
    Adv,
    Breath,
    Macro,
    Engineer,
    Save,
    Load,
    Read,
    Apply,
    Confirm,
    Confirm1,
    Confirm2,
    Confirm3,
    Lang1,
    Lang2,
    Lang3,
    Web,
    Mini,
    Exit,
};
inline constexpr std::size_t kButtonRoleCount = 20;
inline constexpr std::size_t kPageRoleCount = 6;

// What each role is called in its controls' names (Img_<name>_<n>, Btn_<name>_<n>), how it
// hovers and the image it shows normally.
struct ButtonRoleInfo {
    ButtonRole role;
    const char* name;
    HoverFamily family;
    const char* normalSkin;
};
// Indexed by the role.
inline constexpr std::array<ButtonRoleInfo, kButtonRoleCount> kButtonRoles{{
    {ButtonRole::Main, "Main", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Second, "Second", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Adv, "Adv", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Breath, "Breath", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Macro, "Macro", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Engineer, "Engineer", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Save, "Save", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Load, "Load", HoverFamily::PageButton, "SetS_01"},
    {ButtonRole::Read, "Read", HoverFamily::WindowButton, "BtnS_01"},
    {ButtonRole::Apply, "Apply", HoverFamily::WindowButton, "BtnS_01"},
    {ButtonRole::Confirm, "Confirm", HoverFamily::WindowButton, "BtnS_01"},
    {ButtonRole::Confirm1, "Confirm1", HoverFamily::WindowButton, "BtnS_01"},
    {ButtonRole::Confirm2, "Confirm2", HoverFamily::WindowButton, "BtnS_01"},
    {ButtonRole::Confirm3, "Confirm3", HoverFamily::WindowButton, "BtnS_01"},
    {ButtonRole::Lang1, "Lang1", HoverFamily::Language, "SetS_01"},
    {ButtonRole::Lang2, "Lang2", HoverFamily::Language, "SetS_01"},
    {ButtonRole::Lang3, "Lang3", HoverFamily::Language, "SetS_01"},
    {ButtonRole::Web, "Web", HoverFamily::Web, "WebS_01"},
    {ButtonRole::Mini, "Mini", HoverFamily::Minimize, "MiniS_01"},
    {ButtonRole::Exit, "Exit", HoverFamily::Exit, "ExitS_01"},
}};

// A row out of place would give a button another's name.
constexpr bool rolesInOrder() {
    for (std::size_t i = 0; i < kButtonRoleCount; ++i)
        if (static_cast<std::size_t>(kButtonRoles[i].role) != i) return false;
    return true;
}
static_assert(rolesInOrder());

inline const ButtonRoleInfo& roleInfo(ButtonRole role) {
    return kButtonRoles[static_cast<std::size_t>(role)];
}
// The page button of navigation index 0..5.
inline ButtonRole pageRole(std::size_t index) { return static_cast<ButtonRole>(index); }
inline ButtonRole languageRole(int language) {
    return static_cast<ButtonRole>(static_cast<int>(ButtonRole::Lang1) + language - 1);
}
inline ButtonRole defaultRestoreRole(int n) {
    return static_cast<ButtonRole>(static_cast<int>(ButtonRole::Confirm1) + n - 1);
}

// The controls each of pages 1 to 4 carries once, suffixed _1 to _4.
struct CommonPage {
    int page = 0;
    QWidget* container = nullptr;  // gbPage<n>
    SkinImage* base = nullptr;     // Img_Base_<n>
    SkinImage* panel = nullptr;    // Img_P<n>
    std::array<SkinButton, kButtonRoleCount> buttons{};
    InputBlocker* disableAll = nullptr;  // Disable_All_<n>

    SkinButton& button(ButtonRole role) { return buttons[static_cast<std::size_t>(role)]; }
    const SkinButton& button(ButtonRole role) const {
        return buttons[static_cast<std::size_t>(role)];
    }
};

// Page `n` (1 to 4) is built in two steps around the page's own controls, so that those lie
// beneath the input-blocking overlay: first the background and the panel, then the buttons,
// the overlay above them, and the exit and minimise buttons above that.
CommonPage beginCommonPage(int n, QWidget* container);
void finishCommonPage(CommonPage& page);

}  // namespace vornik

#pragma once

#include <QColor>
#include <QPoint>
#include <array>
#include <string>
#include <vector>

#include "formats/ini_file.h"
#include "formats/layout_keys.h"
#include "formats/options.h"

class QWidget;

namespace vornik {

class Page;

// What the pass needs besides the file: the options (Web_X/Web_Y, DPI_Count, GD_Enable,
// Num_Order) and whether Game Mode is selected (the third mode-switch option shows only then,
// and only with GD_Enable).
struct LayoutContext {
    AppOptions options;
    bool gameMode = false;
};

// Values the pass reads for handlers that run later; it applies none of them itself.
struct LayoutKept {
    QColor menuBorder;        // Color_G_Border
    QColor menuHoverText;     // Color_G_SF: entry under the pointer
    QColor menuHoverBack;     // Color_G_SP
    QColor macroSelection;    // Color_MACRO: selected entry of the macro name list
    QColor macroListBack;     // Color_F_LBack
    QColor popupText;         // Color_F: popup buttons when not hovered
    QColor popupBack;         // Color_F_Back
    QColor dpiSelected;       // Color_D_Selected: a DPI level in use
    QColor dpiNotSelected;    // Color_D_notSelected
    int macroNameHeight = 0;  // MacroNameHeight: item height of the macro lists
    bool dpiCountVisible = false;
};

struct LayoutReport {
    std::vector<std::string> missingKeys;  // read but not in the file
    std::vector<std::string> badKeys;      // present, but not a number or out of range
    std::vector<std::string> keysRead;     // every key read, once each, in reading order
    LayoutKept kept;

    bool ok() const { return missingKeys.empty() && badKeys.empty(); }
};

// Lays out the main window from section "org<layoutNo>" of `file`: loads the page backgrounds
// "L<n>_BackGround" into Img_Base_1..5 and the panels "L<n>_Back<k>" into Img_P<k>, puts the web
// buttons where the options say, then applies every key group in the order the file first
// names it (a group the file lacks is applied afterwards, in the usual order), and last gives
// each DPI name label the colour of its state. Controls are found by objectName anywhere under
// `window`; a control that does not exist is skipped, but its keys are still read and checked.
// Coordinates are window coordinates, whatever the control's parent. The language is not
// applied; the caller does that after the pass. The window keeps its size.
//
// A missing or malformed key (not a decimal integer, a colour outside 0..255, a font size
// below 1, a negative width, height or margin) is named in the report, and the pass goes on
// with the key's previous value: what the control it drives shows now (its position, width,
// height, font size or text colour), so that the control stays as it was. A key with no such
// property (Enable keys, margins, offsets, steps, background and border colours) or whose
// control does not exist yet reads as its value in the built-in layout 1. A disabled button's
// position keys are not read, as the layout algorithm wants.
//
// The groups of the pages' own controls (C, D, E, F, J) are applied by the page in `pages`
// that owns them; a group no page owns is skipped, its keys unread.
LayoutReport applyLayout(const IniFile& file, int layoutNo, QWidget& window,
                         const LayoutContext& ctx, const std::vector<Page*>& pages = {});

enum class DialogGroup { AssemblyKey, Input };  // groups K and L

// A dialog's layout: positions are inside the dialog.
struct DialogLayout {
    int textSize = 0;  // Size_J for the assembly-key dialog, Size_L for the input dialogs
    QColor text;       // Color_K / Color_L
    QColor accent;     // Color_K_AK / Color_L_MN: the edit
    QPoint title;      // AKT / MNT
    QPoint edit;       // AKC / MNC
    int editWidth = 0;
    QPoint confirm, clear, close;
    std::array<QPoint, 4> modifiers{};  // Ctrl, Shift, Alt, Win: assembly-key dialog only
};

// Reads a dialog's group of section "org<layoutNo>" for the dialog that opens; missing or
// malformed keys are added to `report` when given and read as in the built-in layout 1.
DialogLayout readDialogGroup(const IniFile& file, int layoutNo, DialogGroup group,
                             LayoutReport* report = nullptr);

}  // namespace vornik

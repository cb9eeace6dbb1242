#pragma once

#include <QPoint>

namespace vornik::layout {

// Where the skin puts the controls, until a layout file says otherwise.
inline constexpr int kWindowWidth = 1030;
inline constexpr int kWindowHeight = 662;

inline constexpr QPoint kPageButtons{30, 22};  // Office, Game, Advanced, Light, Macro, Engineer
inline constexpr QPoint kLanguageButtons{630, 22};
inline constexpr int kHeaderStep = 114;
inline constexpr QPoint kMinimize{976, 14};
inline constexpr QPoint kExit{1000, 14};

inline constexpr QPoint kPanel1{380, 118};  // the mouse picture of page 1
inline constexpr QPoint kPanel{115, 118};   // the panels of pages 2 to 4
inline constexpr QPoint kPanel5{155, 6};    // the fire page

inline constexpr int kBottomRow = 600;
inline constexpr QPoint kDefaults{30, kBottomRow};           // Confirm1..3
inline constexpr QPoint kSaveLoad{420, kBottomRow};          // Save, Load, 115 px apart
inline constexpr QPoint kReadApplyConfirm{660, kBottomRow};  // Read, Apply, Confirm
inline constexpr int kButtonStep = 122;

inline constexpr QPoint kWeb{9360, 10};
inline constexpr QPoint kKeys{110, 130};  // Key1..Key9 down the left of the mouse
inline constexpr int kKeyStep = 40;

}  // namespace vornik::layout

#pragma once

#include <QObject>
#include <array>

#include "ui/page_controls.h"

class QWidget;

namespace vornik {

// The skinned controls of the fire page: the seven gun presets, the row markers of presets 6
// and 7, and its Confirm and Cancel, which both lead back to page 1.
struct FirePageControls {
    std::array<SkinButton, 7> presets;     // Img_Fire<n> / Btn_Fire<n>
    std::array<SkinImage*, 5> gunModes{};  // Img_GunMode<n>
    SkinButton confirm;                    // Img_FireConfirm / Btn_FireConfirm
    SkinButton cancel;                     // Img_FireCancel / Btn_FireCancel
};

FirePageControls buildFirePage(QWidget* container);

}  // namespace vornik

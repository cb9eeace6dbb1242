#pragma once

#include <QObject>
#include <array>

#include "model/pointer_settings.h"

class QLabel;
class QWidget;

namespace vornik {

class ButtonLabel;
class SkinImage;
class SkinSlider;

// The desktop's pointer settings on the Advanced page: the speed, double-click and wheel
// sliders with their eleven tick labels, and the precision and one-screen check images with
// their click labels. Read from the desktop at start and after every full read of the mouse;
// every release and click applies at once, and the window applies again with every write to
// the mouse. Only settings whose control the user changed since the last read are written.
// A control the desktop has no setting for is disabled, its hint saying why.
class PointerSettingsView : public QObject {
    Q_OBJECT

  public:
    // `store` may be null: the system offers no pointer settings, and every control is
    // disabled.
    PointerSettingsView(QWidget* container, PointerSettingsStore* store);

    // Reads the desktop's settings into the model and shows them.
    void readFromSystem();
    // Writes what the user changed; false with `error` when the desktop refused some of it.
    bool apply(std::string* error = nullptr);
    // The sliders take the mouse even while the page's overlay is shown.
    void raiseWindowedControls();

    const PointerSettings& settings() const { return m_settings; }

    // The user's actions, as the controls report them (x in pixels from the slider's left).
    void releaseSpeedSlider(int x);
    void releaseDoubleClickSlider(int x);
    void releaseWheelSlider(int x);
    void clickPrecision();
    void clickOneScreen();

    SkinSlider* slider_Spd = nullptr;
    SkinSlider* slider_DbSpd = nullptr;
    SkinSlider* slider_SrcSpd = nullptr;
    std::array<QLabel*, kPointerPositions> lbl_Spd{};     // lbl_Spd1..11
    std::array<QLabel*, kPointerPositions> lbl_DbSpd{};   // lbl_DbSpd1..11
    std::array<QLabel*, kPointerPositions> lbl_ScrSpd{};  // lbl_ScrSpd1..11
    SkinImage* Img_IsControl = nullptr;
    ButtonLabel* lbl_IsControl = nullptr;
    SkinImage* Img_IsScreen = nullptr;
    ButtonLabel* lbl_IsScreen = nullptr;

  private:
    void show();
    // The thumb follows a drag along the ruler; the value is taken on release.
    void followDrag(SkinSlider* slider, int x);
    // Enables the controls the desktop has a setting for and gives the others their hint.
    void showAvailability();

    PointerSettingsStore* m_store;
    PointerSettings m_settings;
    PointerControlStates m_controls;
};

}  // namespace vornik

#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <span>

#include "formats/engineer_terms.h"
#include "model/edit_result.h"
#include "model/light_editor.h"
#include "model/settings_values.h"

class QLabel;
class QWidget;

namespace vornik {

class ButtonLabel;
class LanguageTable;
class Page;
class PageEditor;
class SkinImage;
struct PageSource;

// The lighting editor of the Light page: the five two-sided choices (LED status, Left + DPI,
// Back + DPI, brightness, saving the key mode), the mode buttons of the flowing and the RB
// light, and the LED number and step bars. Which controls show follows the light type. It
// shows what the model holds and writes every click into the model through the window's
// editor; the rules are the model's (model/light_editor.h).
class LightEditorView : public QObject {
    Q_OBJECT

  public:
    struct Services {
        const Page& page;
        PageEditor& editor;
        bool sliderBars = true;  // DPILED_Status: only the chosen bar position lit
        // The language files have no brightness captions; the engineer terms' column gives
        // them, as on the engineer page.
        TermColumn terms = TermColumn::English;
    };

    // One side of a two-sided choice: its radio image and its caption, which both take clicks.
    struct Side {
        SkinImage* image = nullptr;
        ButtonLabel* label = nullptr;
    };
    enum class Choice { LightOn, LeftDpi, BackDpi, FullBrightness, SaveKeyMode };
    static constexpr int kChoices = 5;

    LightEditorView(QWidget* container, const Services& services);

    void fillFromModel(const PageSource& model);
    // The mode captions in `language`. The table outlives the editor.
    void setLanguage(const LanguageTable& language);

    // The user's actions, as the controls report them.
    void choose(Choice choice, bool yes);
    void clickFlowingMode(int mode, ModeClick click);
    void clickRbMode(int mode);
    void clickLedNumberBar(int position);
    void clickStepBar(int position);

    // The "yes" and "no" sides of each choice, indexed by Choice: Img_/lbl_LEDOn and LEDOff,
    // LCPIOn/Off, B4CPIOn/Off, MCULED3Control/MCULED6Control, SaveKeyMode/NoSaveKeyMode.
    std::array<Side, kChoices> yesSide{};
    std::array<Side, kChoices> noSide{};
    std::array<SkinImage*, kLightModes> Img_MCULEDMode{};
    std::array<ButtonLabel*, kLightModes> lbl_MCULEDMode{};
    std::array<SkinImage*, kLightModes> Img_RBLEDMode{};
    std::array<ButtonLabel*, kLightModes> lbl_RBLEDMode{};
    std::array<SkinImage*, kLedNumberBarPositions> Img_MCULEDNum{};
    std::array<ButtonLabel*, kLedNumberBarPositions> lbl_MCULEDNum{};
    std::array<SkinImage*, kStepBarPositions> Img_MCULEDStep{};
    std::array<ButtonLabel*, kStepBarPositions> lbl_MCULEDStep{};
    // The headings over the choices and the mode rows.
    QLabel* lbl_LED_Status = nullptr;
    QLabel* lbl_LLED_Status = nullptr;
    QLabel* lbl_MCPI_Status = nullptr;
    QLabel* lbl_Led_Light = nullptr;
    QLabel* lbl_Led_Mode = nullptr;

  private:
    void show(const SettingsValues& values);
    void showBar(std::span<SkinImage* const> bar, int chosen);
    void editValues(const std::function<EditResult(SettingsValues&)>& change);

    Services m_services;
    SettingsValues m_shown;
    bool m_filling = false;
};

}  // namespace vornik

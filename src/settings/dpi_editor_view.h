#pragma once

#include <QColor>
#include <QObject>
#include <array>
#include <functional>
#include <string>

#include "model/edit_result.h"
#include "model/parameters.h"
#include "model/settings_values.h"

class QComboBox;
class QLabel;
class QWidget;

namespace vornik {

class ButtonLabel;
class ColourSwatch;
class ConfigModel;
class Dialogs;
class LanguageTable;
class MessageSink;
class Page;
class PageEditor;
class SkinImage;
class SkinSlider;
struct PageSource;

// The DPI editor of the Advanced page: per level its name label (a click adds or removes a
// level), its marker (a click makes it current), its colour swatch in a frame with a click
// label over both, its slider and value label; the AIM slider with its labels and the level
// count combo. It shows what the model holds and writes every user action into the model
// through the window's editor; the rules are the model's (model/dpi_editor.h).
class DpiEditorView : public QObject {
    Q_OBJECT

  public:
    // What the editor writes through and shows its messages and dialogs with. `dpiCount` is
    // the option file's DPI_Count, which sets the sliders' ruler.
    struct Services {
        const Page& page;
        PageEditor& editor;
        Dialogs& dialogs;
        MessageSink& messages;
        int dpiCount = 11;
    };

    // The controls go into `container`, in the order they lie on one another.
    DpiEditorView(QWidget* container, const Services& services);

    // Shows the model; no control writes back while it is filled.
    void fillFromModel(const PageSource& model);
    // The value labels name their DPI values in `language`. The table outlives the editor.
    void setLanguage(const LanguageTable& language);
    // The name colours of levels in use and not, as the layout gives them.
    void setNameColours(const QColor& inUse, const QColor& notInUse);
    // The sliders and the count combo take the mouse even while the page's overlay is shown.
    void raiseWindowedControls();

    // The user's actions, as the controls report them.
    void chooseLevelCount(int count);
    void clickLevelName(int level);
    void clickMarker(int level);
    void dragLevelSlider(int level, int x);
    void releaseLevelSlider(int level, int x);
    void clickLevelColour(int level);
    void dragAimSlider(int x);
    void releaseAimSlider(int x);

    std::array<ButtonLabel*, kMaxDpiLevels> lbl_DPI{};     // lbl_DPI1..7
    std::array<SkinImage*, kMaxDpiLevels> Img_DPI{};       // markers Img_DPI1..7
    std::array<SkinImage*, kMaxDpiLevels> Img_DPICol{};    // swatch frames Img_DPI1Col..7Col
    std::array<ColourSwatch*, kMaxDpiLevels> cs_DPICol{};  // cs_DPI1Col..7Col
    std::array<ButtonLabel*, kMaxDpiLevels> lbl_DPICol{};  // lbl_DPI1Col..7Col
    std::array<SkinSlider*, kMaxDpiLevels> slider_DPI{};   // slider_DPI1..7
    std::array<QLabel*, kMaxDpiLevels> lbl_DPIValue{};     // lbl_DPI1Value..7Value
    SkinSlider* slider_DPI8 = nullptr;
    QLabel* lbl_AIMKey = nullptr;
    QLabel* lbl_AIMKeyValue = nullptr;
    QComboBox* cbb_DPICount = nullptr;

  private:
    // Shows `values` and AIM value `aimIndex`, with the writes back suppressed.
    void show(const SettingsValues& values, int aimIndex);
    void showValueText(QLabel* label, std::string key, std::size_t slot);
    // Runs `change` on the model's values through the editor and shows what the model then
    // holds: a level edit changes more than the control that made it (markers, count).
    EditResult editValues(const std::function<EditResult(SettingsValues&)>& change);
    // An AIM edit through the editor; its refusal is shown in a message box.
    void editAim(const std::function<EditResult(ConfigModel&)>& change);

    Services m_services;
    const LanguageTable* m_language = nullptr;
    QColor m_inUse;
    QColor m_notInUse;
    SettingsValues m_shown;
    // The key each value label shows, levels 1-7 and the AIM value last, for a language change.
    std::array<std::string, kMaxDpiLevels + 1> m_valueKeys;
    bool m_filling = false;
};

}  // namespace vornik

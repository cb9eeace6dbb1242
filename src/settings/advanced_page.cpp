// Group D, the Advanced page.
//
// Which control each key drives, where the name is not the key's own:
//   D  FKCnt Edt_Repeat1, FKDelay Edt_DelayTime1, IsFireContinue Img_FireContinue with
//      lbl_FireContinue; Spd/DbSpd/ScrSpd slider_Spd/slider_DbSpd/slider_SrcSpd with the ticks
//      lbl_Spd<k>/lbl_DbSpd<k>/lbl_ScrSpd<k>; IsControl/IsScreen Img_IsControl/lbl_IsControl,
//      Img_IsScreen/lbl_IsScreen; DPI<k>_Color Img_DPI<k>Col (cs_DPI<k>Col and lbl_DPI<k>Col over
//      it), _Check Img_DPI<k>, DPI<k> lbl_DPI<k>, _Value lbl_DPI<k>Value, _Steps slider_DPI<k>;
//      AIMKey lbl_AIMKey, lbl_AIMKeyValue, slider_DPI8; DPI_Count cbb_DPICount.

#include "settings/advanced_page.h"

#include <QAbstractSlider>
#include <QWidget>
#include <vector>

#include "formats/language_keys.h"
#include "settings/dpi_editor_view.h"
#include "settings/fire_key_editor.h"
#include "settings/pointer_settings_view.h"
#include "ui/language_pass.h"
#include "ui/layout_groups.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

using namespace layout_detail;

AdvancedPage::AdvancedPage(QWidget* container, PageEditor& editor, Dialogs& dialogs,
                           MessageSink& messages, const AppOptions& options,
                           PointerSettingsStore* pointerStore)
    : QObject(container),
      m_container(container),
      m_dpi(new DpiEditorView(container, {*this, editor, dialogs, messages, options.dpiCount})),
      m_fireKey(new FireKeyEditor(container, *this, editor)),
      m_pointer(new PointerSettingsView(container, pointerStore)) {}

void AdvancedPage::fillFromModel(const PageSource& model) {
    m_dpi->fillFromModel(model);
    m_fireKey->fillFromModel(model.values);
}

void AdvancedPage::raiseWindowedControls() {
    m_dpi->raiseWindowedControls();
    m_pointer->raiseWindowedControls();
}

void AdvancedPage::applyLayoutGroup(LayoutGroup, LayoutPass& pass) {
    placeControls(pass);
    m_fireKey->showAgain();
    m_dpi->setNameColours(pass.report.kept.dpiSelected, pass.report.kept.dpiNotSelected);
}

void AdvancedPage::applyLanguage(const LanguageTable& language) {
    static constexpr Caption kCaptions[] = {
        {"lbl_FireKey", textkey::kFireKeyTitle},
        {"lbl_Fire_Count", textkey::kFireCount},
        {"lbl_Fire_Time", textkey::kFireInterval},
        {"lbl_Fire_Continue", textkey::kContinuousFire},
        {"lbl_Mouse_Speed", textkey::kPointerSpeed},
        {"lbl_Is_Control", textkey::kPointerPrecision},
        {"lbl_Double_Click", textkey::kDoubleClickSpeed},
        {"lbl_Roller_Speed", textkey::kWheelLines},
        {"lbl_Roll_All_Screen", textkey::kWheelScreen},
        {"lbl_DPI_Setting", textkey::kDpiSettings},
        {"lbl_DPI_Value", textkey::kDpiValue},
        {"lbl_DPI_Note", textkey::kDpiLevelNote},
        {"lbl_DPI1", textkey::kDpiLevel1},
        {"lbl_DPI2", textkey::kDpiLevel2},
        {"lbl_DPI3", textkey::kDpiLevel3},
        {"lbl_DPI4", textkey::kDpiLevel4},
        {"lbl_DPI5", textkey::kDpiLevel5},
        {"lbl_DPI6", textkey::kDpiLevel6},
        {"lbl_DPI7", textkey::kDpiLevel7},
        {"lbl_AIMKey", textkey::kAimKey},
    };
    setCaptions(*m_container, kCaptions, language);
    m_dpi->setLanguage(language);
}

namespace {

// Eleven tick labels under a pointer slider.
void placeSpeedScale(LayoutPass& p, const char* prefix, const char* slider, const char* tick) {
    QWidget* s = p.find(slider);
    const QPoint at = p.position(prefix, s);
    const int step = p.number(std::string(prefix) + "_D");
    p.moveTo(s, at);
    for (int k = 1; k <= 11; ++k)
        p.moveTo(p.find(numbered(tick, k)), at + QPoint((k - 1) * step + 4, 26));
}

}  // namespace

void AdvancedPage::placeControls(LayoutPass& p) {
    std::vector<QWidget*> values{p.find("Edt_Repeat1"), p.find("Edt_DelayTime1"),
                                 p.find("lbl_AIMKeyValue")};
    for (int k = 1; k <= 7; ++k) values.push_back(p.find(numbered("lbl_DPI", k, "Value")));
    setFontSizes(values, p.fontSize("Size_D", firstIn(values)));

    LayoutKept& kept = p.report.kept;
    kept.dpiSelected = p.colour("Color_D_Selected");
    kept.dpiNotSelected = p.colour("Color_D_notSelected");
    const QColor back = p.colour("Color_D_Back");
    const QColor border = p.colour("Color_D_Border");
    for (const char* edit : {"Edt_Repeat1", "Edt_DelayTime1"}) {
        QWidget* w = p.find(edit);
        if (w) setFieldLook(w, w->palette().color(QPalette::Text), back, border);
    }

    placeNamed(p, "P2", "Img_P2");
    placeNamed(p, "FKCnt", "Edt_Repeat1");
    placeNamed(p, "FKDelay", "Edt_DelayTime1");
    // Continuous fire: the label starts 8 pixels left of its image; the image shows "off".
    QWidget* fireImage = p.find("Img_FireContinue");
    const QPoint fire = p.position("IsFireContinue", fireImage);
    p.moveTo(fireImage, fire);
    p.moveTo(p.find("lbl_FireContinue"), fire - QPoint(8, 0));
    if (auto* image = qobject_cast<SkinImage*>(fireImage)) image->setSkin("CbS_D");

    placeSpeedScale(p, "Spd", "slider_Spd", "lbl_Spd");
    placeSpeedScale(p, "DbSpd", "slider_DbSpd", "lbl_DbSpd");
    placeSpeedScale(p, "ScrSpd", "slider_SrcSpd", "lbl_ScrSpd");
    placeOption(p, "IsControl", "Img_IsControl", "lbl_IsControl");
    placeOption(p, "IsScreen", "Img_IsScreen", "lbl_IsScreen");

    const int maximum = p.ctx.options.dpiSliderMaximum();
    for (int k = 1; k <= 7; ++k) {
        placeWithTwins(
            p, numberedKey("DPI", k, "_Color"), p.find(numbered("Img_DPI", k, "Col")),
            {p.find(numbered("cs_DPI", k, "Col")), p.find(numbered("lbl_DPI", k, "Col"))});
        placeNamed(p, numberedKey("DPI", k, "_Check"), numbered("Img_DPI", k));
        placeNamed(p, numberedKey("DPI", k), numbered("lbl_DPI", k));
        placeNamed(p, numberedKey("DPI", k, "_Value"), numbered("lbl_DPI", k, "Value"));
        placeNamed(p, numberedKey("DPI", k, "_Steps"), numbered("slider_DPI", k));
        p.number(numberedKey("DPI", k, "_Steps_D"));  // the ruler is fixed; the step is not used
        if (auto* slider = qobject_cast<QAbstractSlider*>(p.find(numbered("slider_DPI", k))))
            slider->setMaximum(maximum);
    }
    placeNamed(p, "AIMKey", "lbl_AIMKey");
    placeNamed(p, "AIMKey_Value", "lbl_AIMKeyValue");
    placeNamed(p, "AIMKey_Steps", "slider_DPI8");
    p.number("AIMKey_Steps_D");
    if (auto* slider = qobject_cast<QAbstractSlider*>(p.find("slider_DPI8")))
        slider->setMaximum(maximum);

    const QColor sliderBack = p.colour("Color_BG_Slider");
    for (int k = 1; k <= 8; ++k) setBackground(p.find(numbered("slider_DPI", k)), sliderBack);
    for (const char* s : {"slider_Spd", "slider_DbSpd", "slider_SrcSpd"})
        setBackground(p.find(s), sliderBack);

    kept.dpiCountVisible = p.number("DPI_Count_Visible") == 1;
    QWidget* count = p.find("cbb_DPICount");
    placeNamed(p, "DPI_Count", "cbb_DPICount");
    if (count) count->setVisible(kept.dpiCountVisible);
}

}  // namespace vornik

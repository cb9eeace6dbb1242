// Group E, the Light page.
//
// Which control each key drives, where the name is not the key's own:
//   E  LEDOn/Off Img_LEDOn/Off; B4CPIOn/Off, LEDSwitchOn/Off (Img_/lbl_LCPIOn/Off),
//      SaveKeyMode, NoSaveKeyMode, LED3Control/LED6Control (Img_/lbl_MCULED3/6Control),
//      MCULEDMode<k>, RBLEDMode<k>: Img_ with lbl_; the bars Img_/lbl_MCULEDNum_<k>, _Step_<k>.

#include "settings/light_page.h"

#include <QLabel>
#include <QWidget>
#include <vector>

#include "formats/language_keys.h"
#include "settings/light_editor_view.h"
#include "ui/language_pass.h"
#include "ui/layout_groups.h"

namespace vornik {

using namespace layout_detail;

LightPage::LightPage(QWidget* container, PageEditor& editor, const AppOptions& options,
                     TermColumn terms)
    : QObject(container),
      m_container(container),
      m_light(new LightEditorView(container, {*this, editor, options.dpiLedSlider, terms})) {}

void LightPage::fillFromModel(const PageSource& model) { m_light->fillFromModel(model); }

void LightPage::applyLayoutGroup(LayoutGroup, LayoutPass& pass) { placeControls(pass); }

void LightPage::applyLanguage(const LanguageTable& language) {
    static constexpr Caption kCaptions[] = {
        {"lbl_LED_Status", textkey::kLedState},
        {"lbl_LEDOn", textkey::kOn},
        {"lbl_LCPIOn", textkey::kOn},
        {"lbl_B4CPIOn", textkey::kOn},
        {"lbl_LEDOff", textkey::kOff},
        {"lbl_LCPIOff", textkey::kOff},
        {"lbl_B4CPIOff", textkey::kOff},
        {"lbl_LLED_Status", textkey::kLedModeCombination},
        {"lbl_MCPI_Status", textkey::kLedOnOffCombination},
        {"lbl_Led_Light", textkey::kLedBrightness},
        {"lbl_SaveKeyMode", textkey::kSaveKeyMode},
        {"lbl_NoSaveKeyMode", textkey::kNoSaveKeyMode},
        {"lbl_Led_Mode", textkey::kLedMode},
    };
    setCaptions(*m_container, kCaptions, language);
    m_light->setLanguage(language);
}

namespace {

// A light bar: `count` segments `step` apart after their own width, numbered from `first`,
// in ascending or (Num_Order 1) descending order from the left.
void placeLightBar(LayoutPass& p, const char* prefix, const char* stem, int count, int first) {
    const bool descending = p.ctx.options.numOrder == 1;
    auto image = [&](int k) { return p.find(QString("Img_%1_%2").arg(stem).arg(k)); };
    const QPoint at = p.position(prefix, image(descending ? count : 1));
    const int step = p.number(std::string(prefix) + "_D");
    for (int k = 1; k <= count; ++k) {
        QWidget* segment = image(k);
        auto* label = qobject_cast<QLabel*>(p.find(QString("lbl_%1_%2").arg(stem).arg(k)));
        const int width = segment ? segment->width() : 26;
        const int slot = descending ? count - k : k - 1;
        const QPoint cell = at + QPoint(slot * (width + step), 0);
        p.moveTo(segment, cell);
        if (label == nullptr) continue;
        p.moveTo(label, cell + QPoint(0, 24));
        label->resize(width, label->height());
        label->setText(QString::number(first + k - 1));
    }
}

}  // namespace

void LightPage::placeControls(LayoutPass& p) {
    std::vector<QWidget*> numbers;
    for (int k = 1; k <= 10; ++k) numbers.push_back(p.find(QString("lbl_MCULEDNum_%1").arg(k)));
    for (int k = 1; k <= 8; ++k) numbers.push_back(p.find(QString("lbl_MCULEDStep_%1").arg(k)));
    const QWidget* current = firstIn(numbers);
    const int size = p.fontSize("Size_E", current);
    const QColor colour = p.textColour("Color_E", current);
    for (QWidget* w : numbers) {
        setFontSize(w, size);
        setTextColour(w, colour);
    }
    placeNamed(p, "P3", "Img_P3");

    struct Option {
        const char* key;
        const char* control;  // Img_<control>, lbl_<control>
        bool withLabel;
    };
    // LEDOn and LEDOff place only their images; their captions are the LED_On/_Off family.
    const Option options[] = {
        {"LEDOn", "LEDOn", false},
        {"LEDOff", "LEDOff", false},
        {"B4CPIOn", "B4CPIOn", true},
        {"B4CPIOff", "B4CPIOff", true},
        {"LEDSwitchOn", "LCPIOn", true},
        {"LEDSwitchOff", "LCPIOff", true},
        {"SaveKeyMode", "SaveKeyMode", true},
        {"NoSaveKeyMode", "NoSaveKeyMode", true},
        {"LED3Control", "MCULED3Control", true},
        {"LED6Control", "MCULED6Control", true},
    };
    auto place = [&](const std::string& prefix, const QString& control, bool withLabel) {
        QWidget* image = p.find("Img_" + control);
        const QPoint at = p.position(prefix, image);
        p.moveTo(image, at);
        if (withLabel) p.moveTo(p.find("lbl_" + control), at - QPoint(4, 2));
    };
    for (const Option& o : options) place(o.key, o.control, o.withLabel);
    // The caption of a pair's first side ends before the second side's image; the second's
    // has the room up to the mode column.
    for (std::size_t i = 2; i + 1 < std::size(options); i += 2) {
        QWidget* first = p.find(QString("lbl_") + options[i].control);
        const QWidget* secondImage = p.find(QString("Img_") + options[i + 1].control);
        QWidget* second = p.find(QString("lbl_") + options[i + 1].control);
        if (first && secondImage && secondImage->x() > first->x())
            first->resize(secondImage->x() - first->x() - 4, first->height());
        if (second) second->resize(160, second->height());
    }
    for (const char* row : {"MCULEDMode", "RBLEDMode"})
        for (int k = 1; k <= 7; ++k) place(numberedKey(row, k), numbered(row, k), true);

    placeLightBar(p, "MCULEDNum", "MCULEDNum", 10, 4);
    placeLightBar(p, "MCULEDStep", "MCULEDStep", 8, 0);
}

}  // namespace vornik

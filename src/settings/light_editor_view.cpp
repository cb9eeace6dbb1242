#include "settings/light_editor_view.h"

#include <QLabel>
#include <QWidget>
#include <utility>

#include "formats/language.h"
#include "model/config_model.h"
#include "ui/layout_groups.h"
#include "ui/page.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

using layout_detail::numbered;

namespace {

std::size_t slotOf(int k) { return static_cast<std::size_t>(k - 1); }

constexpr int kFullBrightnessTerm = 32;  // "All Ligth"
constexpr int kHalfBrightnessTerm = 33;  // "Half Ligth"

QString qtString(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<int>(name.size()));
}

// A caption beside a radio image: it starts a little before the image, so its text is
// indented past it, and a click on either chooses that side. A long caption wraps onto a
// second line rather than running under the next control.
ButtonLabel* sideCaption(const QString& name, QWidget* container, int width = 90) {
    auto* label = new ButtonLabel(name, container);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A margin, not an indent: a wrapping label would indent its top edge too.
    label->setContentsMargins(24, 2, 0, 0);
    label->setWordWrap(true);
    label->resize(width, 34);
    return label;
}

QLabel* heading(const QString& name, QWidget* container) {
    auto* label = new QLabel(container);
    label->setObjectName(name);
    label->resize(200, 20);
    return label;
}

}  // namespace

LightEditorView::LightEditorView(QWidget* container, const Services& services)
    : QObject(container), m_services(services) {
    lbl_LED_Status = heading("lbl_LED_Status", container);
    lbl_LLED_Status = heading("lbl_LLED_Status", container);
    lbl_MCPI_Status = heading("lbl_MCPI_Status", container);
    lbl_Led_Light = heading("lbl_Led_Light", container);
    lbl_Led_Mode = heading("lbl_Led_Mode", container);

    struct Names {
        Choice choice;
        const char* yes;
        const char* no;
    };
    static constexpr Names kSides[] = {
        {Choice::LightOn, "LEDOn", "LEDOff"},
        {Choice::LeftDpi, "LCPIOn", "LCPIOff"},
        {Choice::BackDpi, "B4CPIOn", "B4CPIOff"},
        {Choice::FullBrightness, "MCULED3Control", "MCULED6Control"},
        {Choice::SaveKeyMode, "SaveKeyMode", "NoSaveKeyMode"},
    };
    for (const Names& names : kSides) {
        const auto index = static_cast<std::size_t>(names.choice);
        for (const bool yes : {true, false}) {
            const QString stem = QString::fromLatin1(yes ? names.yes : names.no);
            Side side;
            side.image = new SkinImage("Img_" + stem, container);
            side.image->setSkin(qtString(radioImage(false)));
            // The LED status captions lie apart from their images, where their family puts them.
            side.label = names.choice == Choice::LightOn ? new ButtonLabel("lbl_" + stem, container)
                                                         : sideCaption("lbl_" + stem, container);
            if (names.choice == Choice::LightOn) side.label->resize(60, 19);
            const Choice choice = names.choice;
            connect(side.image, &SkinImage::pressed, this,
                    [=, this] { this->choose(choice, yes); });
            connect(side.label, &ButtonLabel::clicked, this,
                    [=, this] { this->choose(choice, yes); });
            (yes ? yesSide : noSide)[index] = side;
        }
    }

    const auto brightness = static_cast<std::size_t>(Choice::FullBrightness);
    yesSide[brightness].label->setText(qtString(termText(kFullBrightnessTerm, services.terms)));
    noSide[brightness].label->setText(qtString(termText(kHalfBrightnessTerm, services.terms)));

    for (int k = 1; k <= kLightModes; ++k) {
        const std::size_t i = slotOf(k);
        Img_MCULEDMode[i] = new SkinImage(numbered("Img_MCULEDMode", k), container);
        lbl_MCULEDMode[i] = sideCaption(numbered("lbl_MCULEDMode", k), container, 120);
        Img_RBLEDMode[i] = new SkinImage(numbered("Img_RBLEDMode", k), container);
        lbl_RBLEDMode[i] = sideCaption(numbered("lbl_RBLEDMode", k), container, 160);
        for (SkinImage* image : {Img_MCULEDMode[i], Img_RBLEDMode[i]})
            image->setSkin(qtString(radioImage(false)));
        connect(Img_MCULEDMode[i], &SkinImage::pressed, this,
                [this, k] { clickFlowingMode(k, ModeClick::Image); });
        connect(lbl_MCULEDMode[i], &ButtonLabel::clicked, this,
                [this, k] { clickFlowingMode(k, ModeClick::Label); });
        connect(Img_RBLEDMode[i], &SkinImage::pressed, this, [this, k] { clickRbMode(k); });
        connect(lbl_RBLEDMode[i], &ButtonLabel::clicked, this, [this, k] { clickRbMode(k); });
    }

    // The bars: a segment and the number under it; the layout orders them on screen.
    auto bar = [&](auto& images, auto& labels, const char* stem,
                   void (LightEditorView::*click)(int)) {
        for (int k = 1; k <= static_cast<int>(images.size()); ++k) {
            auto* image = new SkinImage(QString("Img_%1_%2").arg(stem).arg(k), container);
            image->setSkin(qtString(barImage(false)));
            auto* label = new ButtonLabel(QString("lbl_%1_%2").arg(stem).arg(k), container);
            label->resize(image->width(), 16);
            images[slotOf(k)] = image;
            labels[slotOf(k)] = label;
            connect(image, &SkinImage::pressed, this, [this, click, k] { (this->*click)(k); });
            connect(label, &ButtonLabel::clicked, this, [this, click, k] { (this->*click)(k); });
        }
    };
    bar(Img_MCULEDNum, lbl_MCULEDNum, "MCULEDNum", &LightEditorView::clickLedNumberBar);
    bar(Img_MCULEDStep, lbl_MCULEDStep, "MCULEDStep", &LightEditorView::clickStepBar);
}

void LightEditorView::fillFromModel(const PageSource& model) { show(model.values); }

void LightEditorView::setLanguage(const LanguageTable& language) {
    for (int k = 1; k <= kLightModes; ++k) {
        lbl_MCULEDMode[slotOf(k)]->setText(
            QString::fromStdString(language.text(flowingModeCaptionKey(k))));
        lbl_RBLEDMode[slotOf(k)]->setText(
            QString::fromStdString(language.text(rbModeCaptionKey(k))));
    }
}

void LightEditorView::show(const SettingsValues& values) {
    const bool outer = std::exchange(m_filling, true);
    m_shown = values;

    const std::array<bool, kChoices> yes{lightOn(values), values.rb_LCPIOn, values.rb_B4CPIOn,
                                         values.rb_MCULED3Control, !values.rb_NoSave};
    for (std::size_t c = 0; c < yes.size(); ++c) {
        yesSide[c].image->setSkin(qtString(radioImage(yes[c])));
        noSide[c].image->setSkin(qtString(radioImage(!yes[c])));
    }

    const LightPageSetup setup = lightPageSetup(values.gbLEDType);
    auto showSides = [&](Choice choice, bool shown) {
        const auto c = static_cast<std::size_t>(choice);
        for (const Side& side : {yesSide[c], noSide[c]}) {
            side.image->setVisible(shown);
            side.label->setVisible(shown);
        }
    };
    showSides(Choice::LeftDpi, setup.leftDpiSwitch);
    lbl_LLED_Status->setVisible(setup.leftDpiSwitch);
    showSides(Choice::FullBrightness, setup.flowingGroups);
    lbl_Led_Light->setVisible(setup.flowingGroups);
    lbl_Led_Mode->setVisible(setup.flowingModeRow || setup.rbModeRow);

    const auto flowingShown = flowingModeButtonsShown(values);
    const auto flowingChosen = modeButtonsChosen(flowingMode(values));
    const auto rbChosen = modeButtonsChosen(rbMode(values));
    for (std::size_t i = 0; i < static_cast<std::size_t>(kLightModes); ++i) {
        Img_MCULEDMode[i]->setSkin(qtString(radioImage(flowingChosen[i])));
        Img_MCULEDMode[i]->setVisible(flowingShown[i]);
        lbl_MCULEDMode[i]->setVisible(flowingShown[i]);
        Img_RBLEDMode[i]->setSkin(qtString(radioImage(rbChosen[i])));
        Img_RBLEDMode[i]->setVisible(setup.rbModeRow);
        lbl_RBLEDMode[i]->setVisible(setup.rbModeRow);
    }

    showBar(Img_MCULEDNum, ledNumberBarPosition(values));
    showBar(Img_MCULEDStep, stepBarPosition(values));
    for (auto* w : Img_MCULEDNum) w->setVisible(setup.bars);
    for (auto* w : lbl_MCULEDNum) w->setVisible(setup.bars);
    for (auto* w : Img_MCULEDStep) w->setVisible(setup.bars);
    for (auto* w : lbl_MCULEDStep) w->setVisible(setup.bars);
    m_filling = outer;
}

void LightEditorView::showBar(std::span<SkinImage* const> bar, int chosen) {
    const std::vector<bool> lit =
        barLit(static_cast<int>(bar.size()), chosen, m_services.sliderBars);
    for (std::size_t i = 0; i < bar.size(); ++i) bar[i]->setSkin(qtString(barImage(lit[i])));
}

void LightEditorView::editValues(const std::function<EditResult(SettingsValues&)>& change) {
    if (m_filling) return;
    SettingsValues shown;
    m_services.editor.edit(m_services.page, [&](ConfigModel& model) {
        SettingsValues values = model.values();
        EditResult r = change(values);
        if (r.changed) r = model.setValues(values);
        shown = model.values();
        return r;
    });
    show(shown);
}

void LightEditorView::choose(Choice choice, bool yes) {
    editValues([=](SettingsValues& v) {
        switch (choice) {
            case Choice::LightOn:
                return setLightOn(v, yes);
            case Choice::LeftDpi:
                return setLeftDpiSwitching(v, yes);
            case Choice::BackDpi:
                return setBackDpiSwitching(v, yes);
            case Choice::FullBrightness:
                return setFullBrightness(v, yes);
            case Choice::SaveKeyMode:
                break;
        }
        return setSaveKeyMode(v, yes);
    });
}

void LightEditorView::clickFlowingMode(int mode, ModeClick click) {
    editValues([=](SettingsValues& v) { return chooseFlowingMode(v, mode, click); });
}

void LightEditorView::clickRbMode(int mode) {
    editValues([=](SettingsValues& v) { return chooseRbMode(v, mode); });
}

void LightEditorView::clickLedNumberBar(int position) {
    editValues([=](SettingsValues& v) { return vornik::clickLedNumberBar(v, position); });
}

void LightEditorView::clickStepBar(int position) {
    editValues([=](SettingsValues& v) { return vornik::clickStepBar(v, position); });
}

}  // namespace vornik

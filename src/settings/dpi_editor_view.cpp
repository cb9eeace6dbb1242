#include "settings/dpi_editor_view.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <utility>

#include "formats/language.h"
#include "image/write_verify.h"
#include "model/config_model.h"
#include "model/dpi_editor.h"
#include "model/light_editor.h"
#include "ui/dialogs.h"
#include "ui/layout_groups.h"
#include "ui/page.h"
#include "ui/widgets/skin_slider.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

using layout_detail::numbered;

namespace {

constexpr std::size_t kAimSlot = kMaxDpiLevels;

std::size_t slotOf(int level) { return static_cast<std::size_t>(level - 1); }

QLabel* valueLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->resize(60, 20);
    return label;
}

}  // namespace

DpiEditorView::DpiEditorView(QWidget* container, const Services& services)
    : QObject(container), m_services(services) {
    for (int k = 1; k <= kMaxDpiLevels; ++k) {
        const std::size_t i = slotOf(k);
        auto* frame = new SkinImage(numbered("Img_DPI", k, "Col"), container);
        frame->setSkin("Col_F");
        auto* swatch = new ColourSwatch(numbered("cs_DPI", k, "Col"), container);
        swatch->setGeometry(frame->geometry());
        auto* colourLabel = new ButtonLabel(numbered("lbl_DPI", k, "Col"), container);
        colourLabel->placeOver(frame);
        auto* marker = new SkinImage(numbered("Img_DPI", k), container);
        marker->setSkin("CbS_D");
        auto* name = new ButtonLabel(numbered("lbl_DPI", k), container);
        name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        name->resize(60, 20);
        auto* slider = new SkinSlider(numbered("slider_DPI", k), container);
        slider->setMaximum(sliderMaximum(m_services.dpiCount));
        Img_DPICol[i] = frame;
        cs_DPICol[i] = swatch;
        lbl_DPICol[i] = colourLabel;
        Img_DPI[i] = marker;
        lbl_DPI[i] = name;
        slider_DPI[i] = slider;
        lbl_DPIValue[i] = valueLabel(numbered("lbl_DPI", k, "Value"), container);

        connect(name, &ButtonLabel::clicked, this, [this, k] { clickLevelName(k); });
        connect(marker, &SkinImage::pressed, this, [this, k] { clickMarker(k); });
        connect(colourLabel, &ButtonLabel::clicked, this, [this, k] { clickLevelColour(k); });
        connect(slider, &SkinSlider::draggedTo, this, [this, k](int x) { dragLevelSlider(k, x); });
        connect(slider, &SkinSlider::releasedAt, this,
                [this, k](int x) { releaseLevelSlider(k, x); });
    }

    // The captions of the DPI area; the layout's caption families place them.
    for (const char* caption : {"lbl_DPI_Setting", "lbl_DPI_Value", "lbl_DPI_Note"}) {
        auto* label = new QLabel(container);
        label->setObjectName(caption);
        label->resize(140, 20);
    }
    // The AIM key's name can be longer than the room before its slider: it wraps.
    lbl_AIMKey = new QLabel(container);
    lbl_AIMKey->setObjectName("lbl_AIMKey");
    lbl_AIMKey->setWordWrap(true);
    lbl_AIMKey->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl_AIMKey->setContentsMargins(0, 3, 0, 0);  // one line stands level with the value labels
    lbl_AIMKey->resize(116, 34);
    lbl_AIMKeyValue = valueLabel("lbl_AIMKeyValue", container);
    slider_DPI8 = new SkinSlider("slider_DPI8", container);
    slider_DPI8->setMaximum(sliderMaximum(m_services.dpiCount));
    connect(slider_DPI8, &SkinSlider::draggedTo, this, &DpiEditorView::dragAimSlider);
    connect(slider_DPI8, &SkinSlider::releasedAt, this, &DpiEditorView::releaseAimSlider);

    cbb_DPICount = new QComboBox(container);
    cbb_DPICount->setObjectName("cbb_DPICount");
    for (int n = kMinDpiLevels; n <= kMaxDpiLevels; ++n) cbb_DPICount->addItem(QString::number(n));
    connect(cbb_DPICount, &QComboBox::currentIndexChanged, this,
            [this](int index) { chooseLevelCount(index + kMinDpiLevels); });
}

void DpiEditorView::fillFromModel(const PageSource& model) { show(model.values, model.aimIndex); }

void DpiEditorView::setLanguage(const LanguageTable& language) {
    m_language = &language;
    for (int k = 1; k <= kMaxDpiLevels; ++k)
        showValueText(lbl_DPIValue[slotOf(k)], m_valueKeys[slotOf(k)], slotOf(k));
    showValueText(lbl_AIMKeyValue, m_valueKeys[kAimSlot], kAimSlot);
}

void DpiEditorView::setNameColours(const QColor& inUse, const QColor& notInUse) {
    m_inUse = inUse;
    m_notInUse = notInUse;
    for (int k = 1; k <= kMaxDpiLevels; ++k)
        layout_detail::setTextColour(lbl_DPI[slotOf(k)],
                                     levelInUse(m_shown, k) ? m_inUse : m_notInUse);
}

void DpiEditorView::raiseWindowedControls() {
    for (SkinSlider* slider : slider_DPI) slider->raise();
    slider_DPI8->raise();
    cbb_DPICount->raise();
}

void DpiEditorView::show(const SettingsValues& values, int aimIndex) {
    const bool outer = std::exchange(m_filling, true);
    m_shown = values;
    cbb_DPICount->setCurrentIndex(levelCount(values) - kMinDpiLevels);
    for (int k = 1; k <= kMaxDpiLevels; ++k) {
        const std::size_t i = slotOf(k);
        const DpiLevelView view = dpiLevelView(values, k);
        if (m_inUse.isValid())
            layout_detail::setTextColour(lbl_DPI[i], view.inUse ? m_inUse : m_notInUse);
        Img_DPI[i]->setSkin(QString::fromUtf8(markerImage(view.current).data(),
                                              static_cast<int>(markerImage(view.current).size())));
        Img_DPI[i]->setEnabled(view.inUse);
        lbl_DPICol[i]->setEnabled(view.inUse);
        slider_DPI[i]->setEnabled(view.inUse);
        if (view.sliderValue) slider_DPI[i]->setValue(*view.sliderValue);
        showValueText(lbl_DPIValue[i], view.valueKey, i);
        if (view.swatch)
            cs_DPICol[i]->setColour(
                QColor((*view.swatch)[0], (*view.swatch)[1], (*view.swatch)[2]));
        else
            cs_DPICol[i]->setColour(std::nullopt);
    }
    // Only the flowing light has a colour per level; the breathing light leaves the row as the
    // previous type left it.
    if (const ColourRow row = lightPageSetup(values.gbLEDType).dpiColourRow;
        row != ColourRow::Untouched) {
        const bool visible = row == ColourRow::Shown;
        for (std::size_t i = 0; i < static_cast<std::size_t>(kMaxDpiLevels); ++i) {
            Img_DPICol[i]->setVisible(visible);
            cs_DPICol[i]->setVisible(visible);
            lbl_DPICol[i]->setVisible(visible);
        }
    }
    slider_DPI8->setValue(aimSliderValue(aimIndex));
    showValueText(lbl_AIMKeyValue, dpiValueKey(aimIndex), kAimSlot);
    m_filling = outer;
}

void DpiEditorView::showValueText(QLabel* label, std::string key, std::size_t slot) {
    label->setText(m_language != nullptr && !key.empty()
                       ? QString::fromStdString(m_language->text(key))
                       : QString());
    m_valueKeys[slot] = std::move(key);
}

EditResult DpiEditorView::editValues(const std::function<EditResult(SettingsValues&)>& change) {
    SettingsValues shown;
    int aimIndex = 0;
    const EditResult result = m_services.editor.edit(m_services.page, [&](ConfigModel& model) {
        SettingsValues values = model.values();
        EditResult r = change(values);
        if (r.changed) r = model.setValues(values);
        shown = model.values();
        aimIndex = model.aimIndex();
        return r;
    });
    show(shown, aimIndex);
    return result;
}

void DpiEditorView::editAim(const std::function<EditResult(ConfigModel&)>& change) {
    SettingsValues shown;
    int aimIndex = 0;
    const EditResult result = m_services.editor.edit(m_services.page, [&](ConfigModel& model) {
        const EditResult r = change(model);
        shown = model.values();
        aimIndex = model.aimIndex();
        return r;
    });
    show(shown, aimIndex);
    if (!result.ok()) m_services.messages.errorMessage(result.error);
}

void DpiEditorView::chooseLevelCount(int count) {
    if (m_filling) return;
    editValues([count](SettingsValues& v) { return setLevelCount(v, count); });
}

void DpiEditorView::clickLevelName(int level) {
    if (m_filling) return;
    editValues([level](SettingsValues& v) { return clickLevelLabel(v, level); });
}

void DpiEditorView::clickMarker(int level) {
    if (m_filling || !levelInUse(m_shown, level)) return;
    editValues([level](SettingsValues& v) { return setCurrentLevel(v, level); });
}

void DpiEditorView::dragLevelSlider(int level, int x) {
    SkinSlider* slider = slider_DPI[slotOf(level)];
    slider->setValue(sliderIndexAt(x, m_services.dpiCount) * 100);
    showValueText(lbl_DPIValue[slotOf(level)], sliderValueKey(slider->value()), slotOf(level));
}

void DpiEditorView::releaseLevelSlider(int level, int x) {
    if (m_filling) return;
    const int dpiCount = m_services.dpiCount;
    editValues(
        [=](SettingsValues& v) { return vornik::releaseLevelSlider(v, level, x, dpiCount); });
}

void DpiEditorView::clickLevelColour(int level) {
    if (m_filling || !colourLabelActive(m_shown) || !levelInUse(m_shown, level)) return;
    const Rgb now = levelColour(m_shown, level);
    const auto chosen =
        m_services.dialogs.colourDialog(lbl_DPICol[slotOf(level)], QColor(now[0], now[1], now[2]));
    if (!chosen) return;
    const Rgb colour{static_cast<std::uint8_t>(chosen->red()),
                     static_cast<std::uint8_t>(chosen->green()),
                     static_cast<std::uint8_t>(chosen->blue())};
    editValues([=](SettingsValues& v) { return pickLevelColour(v, level, colour); });
}

void DpiEditorView::dragAimSlider(int x) {
    slider_DPI8->setValue(sliderIndexAt(x, m_services.dpiCount) * 100);
    showValueText(lbl_AIMKeyValue, sliderValueKey(slider_DPI8->value()), kAimSlot);
}

void DpiEditorView::releaseAimSlider(int x) {
    if (m_filling) return;
    const int dpiCount = m_services.dpiCount;
    editAim([=](ConfigModel& model) { return model.releaseAimSlider(x, dpiCount); });
}

}  // namespace vornik

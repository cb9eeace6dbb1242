#include "settings/pointer_settings_view.h"

#include <QLabel>
#include <QWidget>

#include "ui/layout_groups.h"
#include "ui/skin/skin.h"
#include "ui/widgets/skin_slider.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

using layout_detail::numbered;

namespace {

constexpr const char* kNoStoreHint = "This system offers no pointer settings to change here.";

std::array<QLabel*, kPointerPositions> tickLabels(const char* prefix, QWidget* container) {
    std::array<QLabel*, kPointerPositions> labels{};
    for (int k = 1; k <= kPointerPositions; ++k) {
        auto* label = new QLabel(QString::number(k), container);
        label->setObjectName(numbered(prefix, k));
        label->resize(20, 16);
        labels[static_cast<std::size_t>(k - 1)] = label;
    }
    return labels;
}

SkinSlider* pointerSlider(const char* name, QWidget* container) {
    auto* slider = new SkinSlider(name, container);
    slider->setMaximum(pointerSliderValue(kPointerPositions));
    // The thumb of each position stands over its tick label, where the ruler reads a release.
    slider->resize((kPointerPositions - 1) * kPointerRulerStep + skinPixmap("Slider_Thumb").width(),
                   slider->height());
    return slider;
}

void setAvailable(QWidget* w, const PointerControlState& state) {
    w->setEnabled(state.available);
    w->setToolTip(state.available ? QString() : QString::fromStdString(state.hint));
}

std::size_t index(PointerControl control) { return static_cast<std::size_t>(control); }

}  // namespace

PointerSettingsView::PointerSettingsView(QWidget* container, PointerSettingsStore* store)
    : QObject(container), m_store(store) {
    // The captions; the layout's caption families place them.
    for (const char* caption : {"lbl_Mouse_Speed", "lbl_Is_Control", "lbl_Double_Click",
                                "lbl_Roller_Speed", "lbl_Roll_All_Screen"}) {
        auto* label = new QLabel(container);
        label->setObjectName(caption);
        label->resize(140, 20);
    }
    slider_Spd = pointerSlider("slider_Spd", container);
    slider_DbSpd = pointerSlider("slider_DbSpd", container);
    slider_SrcSpd = pointerSlider("slider_SrcSpd", container);
    lbl_Spd = tickLabels("lbl_Spd", container);
    lbl_DbSpd = tickLabels("lbl_DbSpd", container);
    lbl_ScrSpd = tickLabels("lbl_ScrSpd", container);
    Img_IsControl = new SkinImage("Img_IsControl", container);
    Img_IsControl->setSkin("CbS_E");
    lbl_IsControl = new ButtonLabel("lbl_IsControl", container);
    lbl_IsControl->placeOver(Img_IsControl);
    Img_IsScreen = new SkinImage("Img_IsScreen", container);
    Img_IsScreen->setSkin("CbS_D");
    lbl_IsScreen = new ButtonLabel("lbl_IsScreen", container);
    lbl_IsScreen->placeOver(Img_IsScreen);

    connect(slider_Spd, &SkinSlider::draggedTo, this, [this](int x) { followDrag(slider_Spd, x); });
    connect(slider_DbSpd, &SkinSlider::draggedTo, this,
            [this](int x) { followDrag(slider_DbSpd, x); });
    connect(slider_SrcSpd, &SkinSlider::draggedTo, this,
            [this](int x) { followDrag(slider_SrcSpd, x); });
    connect(slider_Spd, &SkinSlider::releasedAt, this, &PointerSettingsView::releaseSpeedSlider);
    connect(slider_DbSpd, &SkinSlider::releasedAt, this,
            &PointerSettingsView::releaseDoubleClickSlider);
    connect(slider_SrcSpd, &SkinSlider::releasedAt, this, &PointerSettingsView::releaseWheelSlider);
    connect(lbl_IsControl, &ButtonLabel::clicked, this, &PointerSettingsView::clickPrecision);
    connect(lbl_IsScreen, &ButtonLabel::clicked, this, &PointerSettingsView::clickOneScreen);

    if (m_store)
        m_controls = m_store->controls();
    else
        m_controls.fill({false, kNoStoreHint});
    show();
}

void PointerSettingsView::readFromSystem() {
    if (m_store) m_settings.read(m_store->read());
    show();
}

bool PointerSettingsView::apply(std::string* error) {
    const PointerWrite changes = m_settings.changes();
    if (!m_store || changes.empty()) return true;
    std::string problem;
    const bool ok = m_store->write(changes, problem);
    if (error) *error = problem;
    return ok;
}

void PointerSettingsView::raiseWindowedControls() {
    for (SkinSlider* s : {slider_Spd, slider_DbSpd, slider_SrcSpd}) s->raise();
}

void PointerSettingsView::followDrag(SkinSlider* slider, int x) {
    slider->setValue(pointerSliderValue(pointerRulerPosition(x)));
}

void PointerSettingsView::releaseSpeedSlider(int x) {
    if (!m_controls[index(PointerControl::Speed)].available) return;
    m_settings.setSpeedPosition(pointerRulerPosition(x));
    show();
    apply();
}

void PointerSettingsView::releaseDoubleClickSlider(int x) {
    if (!m_controls[index(PointerControl::DoubleClick)].available) return;
    m_settings.setDoubleClickPosition(pointerRulerPosition(x));
    show();
    apply();
}

void PointerSettingsView::releaseWheelSlider(int x) {
    if (!m_controls[index(PointerControl::Wheel)].available || m_settings.oneScreen()) return;
    m_settings.setWheelPosition(pointerRulerPosition(x));
    show();
    apply();
}

void PointerSettingsView::clickPrecision() {
    if (!m_controls[index(PointerControl::Precision)].available) return;
    m_settings.togglePrecision();
    show();
    apply();
}

void PointerSettingsView::clickOneScreen() {
    if (!m_controls[index(PointerControl::Wheel)].available) return;
    m_settings.toggleOneScreen();
    show();
    apply();
}

void PointerSettingsView::show() {
    slider_Spd->setValue(pointerSliderValue(m_settings.speedPosition()));
    slider_DbSpd->setValue(pointerSliderValue(m_settings.doubleClickPosition()));
    slider_SrcSpd->setValue(pointerSliderValue(m_settings.wheelPosition()));
    Img_IsControl->setSkin(m_settings.precision() ? "CbS_E" : "CbS_D");
    Img_IsScreen->setSkin(m_settings.oneScreen() ? "CbS_E" : "CbS_D");
    showAvailability();
}

void PointerSettingsView::showAvailability() {
    const auto& speed = m_controls[index(PointerControl::Speed)];
    const auto& precision = m_controls[index(PointerControl::Precision)];
    const auto& doubleClick = m_controls[index(PointerControl::DoubleClick)];
    const auto& wheel = m_controls[index(PointerControl::Wheel)];
    setAvailable(slider_Spd, speed);
    for (QLabel* l : lbl_Spd) setAvailable(l, speed);
    setAvailable(Img_IsControl, precision);
    setAvailable(lbl_IsControl, precision);
    setAvailable(slider_DbSpd, doubleClick);
    for (QLabel* l : lbl_DbSpd) setAvailable(l, doubleClick);
    setAvailable(Img_IsScreen, wheel);
    setAvailable(lbl_IsScreen, wheel);
    // One screen at a time leaves the line count alone.
    PointerControlState lines = wheel;
    if (lines.available && m_settings.oneScreen()) lines = {false, {}};
    setAvailable(slider_SrcSpd, lines);
    for (QLabel* l : lbl_ScrSpd) setAvailable(l, lines);
}

}  // namespace vornik

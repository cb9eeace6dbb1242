#include "ui/widgets/skin_slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/skin/skin.h"

namespace vornik {

namespace {

constexpr int kSliderHeight = 20;
// The frame picture's border, which the swatch leaves visible.
constexpr int kSwatchInset = 3;

}  // namespace

SkinSlider::SkinSlider(const QString& objectName, QWidget* parent) : QAbstractSlider(parent) {
    setObjectName(objectName);
    setOrientation(Qt::Horizontal);
    setSingleStep(100);
    setPageStep(100);
    resize(kTrackWidth, kSliderHeight);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

int SkinSlider::thumbLeft(int value) const {
    const QPixmap thumb = skinPixmap("Slider_Thumb");
    const int travel = std::max(0, width() - thumb.width());
    const int span = maximum() - minimum();
    if (span <= 0) return 0;
    return (std::clamp(value, minimum(), maximum()) - minimum()) * travel / span;
}

void SkinSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (autoFillBackground()) painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!isEnabled()) painter.setOpacity(0.4);
    const QPixmap ruler = skinPixmap("Slider_Ruler");
    if (!ruler.isNull())
        painter.drawTiledPixmap(QRect(0, (height() - ruler.height()) / 2, width(), ruler.height()),
                                ruler);
    const QPixmap thumb = skinPixmap("Slider_Thumb");
    painter.drawPixmap(thumbLeft(sliderPosition()), (height() - thumb.height()) / 2, thumb);
}

void SkinSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractSlider::mousePressEvent(event);
    m_dragging = true;
    setSliderDown(true);
    emit draggedTo(event->position().toPoint().x());
    event->accept();
}

void SkinSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return QAbstractSlider::mouseMoveEvent(event);
    emit draggedTo(event->position().toPoint().x());
    event->accept();
}

void SkinSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton)
        return QAbstractSlider::mouseReleaseEvent(event);
    m_dragging = false;
    setSliderDown(false);
    emit releasedAt(event->position().toPoint().x());
    event->accept();
}

ColourSwatch::ColourSwatch(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ColourSwatch::setColour(std::optional<QColor> colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    if (!m_colour) return;
    QPainter painter(this);
    painter.setPen(*m_colour);
    painter.setBrush(*m_colour);
    painter.drawRect(
        rect().adjusted(kSwatchInset, kSwatchInset, -kSwatchInset - 1, -kSwatchInset - 1));
}

}  // namespace vornik

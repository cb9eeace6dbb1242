#include "ui/widgets/skin_widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/skin/skin.h"

namespace vornik {

SkinImage::SkinImage(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
}

void SkinImage::setSkin(const QString& name) {
    m_skin = name;
    const QPixmap pixmap = skinPixmap(name);
    setPixmap(pixmap);
    if (!pixmap.isNull()) resize(pixmap.size());
}

void SkinImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed();
    QLabel::mousePressEvent(event);
}

void SkinImage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

ButtonLabel::ButtonLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(226, 230, 236));
    setPalette(p);
}

void ButtonLabel::placeOver(const QWidget* image) {
    setGeometry(image->geometry());
    raise();
}

void ButtonLabel::enterEvent(QEnterEvent* event) {
    emit entered();
    QLabel::enterEvent(event);
}

void ButtonLabel::leaveEvent(QEvent* event) {
    emit left();
    QLabel::leaveEvent(event);
}

void ButtonLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressed = false;
    event->accept();
    if (click) emit clicked();
}

void ButtonLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    event->accept();
}

InputBlocker::InputBlocker(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TranslucentBackground);
}

void InputBlocker::mousePressEvent(QMouseEvent* event) { event->accept(); }
void InputBlocker::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void InputBlocker::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

FramedPanel::FramedPanel(const QString& objectName, QWidget* parent, const QColor& back,
                         const QColor& border)
    : QWidget(parent), m_border(border) {
    setObjectName(objectName);
    QPalette p = palette();
    p.setColor(QPalette::Window, back);
    setPalette(p);
    setAutoFillBackground(true);
}

void FramedPanel::setBorder(const QColor& colour) {
    m_border = colour;
    update();
}

void FramedPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_border);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vornik

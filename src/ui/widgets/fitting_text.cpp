#include "ui/widgets/fitting_text.h"

#include <QHelpEvent>
#include <QLabel>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolTip>
#include <algorithm>

namespace vornik {

namespace {

constexpr const char* kBasePointSize = "fitBasePointSize";

}  // namespace

FittingComboBox::FittingComboBox(QWidget* parent) : QComboBox(parent) {}

bool FittingComboBox::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && shownText() != currentText()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), currentText(), this);
        return true;
    }
    return QComboBox::event(event);
}

int FittingComboBox::textRoom() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
        .width();
}

QString FittingComboBox::commonLeadingWords() const {
    if (count() < 2) return {};
    QString common = itemText(0);
    for (int i = 1; i < count(); ++i) {
        const QString item = itemText(i);
        int n = 0;
        while (n < common.size() && n < item.size() && common[n] == item[n]) ++n;
        common.truncate(n);
    }
    // Whole words only, with the space after them.
    const int lastSpace = common.lastIndexOf(' ');
    return lastSpace < 0 ? QString() : common.left(lastSpace + 1);
}

QString FittingComboBox::shownText() const {
    const QString text = currentText();
    const QFontMetrics metrics = fontMetrics();
    const int room = textRoom();
    if (metrics.horizontalAdvance(text) <= room) return text;
    const QString leading = commonLeadingWords();
    const QString rest =
        !leading.isEmpty() && text.startsWith(leading) ? text.mid(leading.size()) : text;
    return metrics.elidedText(rest, Qt::ElideRight, room);
}

void FittingComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void fitCaption(QLabel& label, int width, qreal smallestPointSize) {
    QFont font = label.font();
    if (!label.property(kBasePointSize).isValid())
        label.setProperty(kBasePointSize, font.pointSizeF());
    const qreal base = label.property(kBasePointSize).toReal();
    font.setPointSizeF(base);
    while (QFontMetrics(font).horizontalAdvance(label.text()) > width &&
           font.pointSizeF() - 1 >= smallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 1);
    label.setFont(font);
    label.setWordWrap(QFontMetrics(font).horizontalAdvance(label.text()) > width);
}

}  // namespace vornik

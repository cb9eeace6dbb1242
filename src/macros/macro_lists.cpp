#include "macros/macro_lists.h"

#include <QPainter>

#include "model/script_lines.h"
#include "ui/skin/skin.h"

namespace vornik {

namespace {

void fillRow(QPainter* painter, const QStyleOptionViewItem& option, const MacroListLook& look) {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(option.rect, selected ? look.selection : look.background);
    painter->setPen(selected ? QColor(10, 12, 14) : look.text);
    painter->setFont(option.font);
}

QSize rowSize(const QStyleOptionViewItem& option, const MacroListLook& look) {
    return {option.rect.width(), std::max(look.rowHeight, option.fontMetrics.height())};
}

}  // namespace

void MacroNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    fillRow(painter, option, m_look);
    painter->drawText(option.rect.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize MacroNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return rowSize(option, m_look);
}

QString macroRowText(const QModelIndex& index) {
    return QString::fromStdString(rowText(index.data(kScriptLineRole).toString().toStdString()));
}

void MacroRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    painter->save();
    fillRow(painter, option, m_look);
    const std::string line = index.data(kScriptLineRole).toString().toStdString();
    if (const auto kind = lineKind(line)) {
        const int side = option.rect.height();
        const QPixmap icon = skinPixmap(QString("MacroRow%1").arg(static_cast<int>(*kind)));
        painter->drawPixmap(QRect(option.rect.topLeft(), QSize(side, side)), icon);
    }
    painter->drawText(option.rect.adjusted(45, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      QString::fromStdString(rowText(line)));
    painter->restore();
}

QSize MacroRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return rowSize(option, m_look);
}

}  // namespace vornik

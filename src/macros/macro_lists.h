#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace vornik {

// The colours the two macro lists are drawn in (the layout's macro selection and list
// background) and the height of their rows.
struct MacroListLook {
    QColor selection{24, 186, 235};
    QColor background{18, 20, 24};
    QColor text{226, 230, 236};
    int rowHeight = 18;
};

// Rows of the event list hold their script line under this role and no text of their own.
inline constexpr int kScriptLineRole = Qt::UserRole + 1;

// LB_PCMacroName: each entry's name 4 pixels from the left, the selected entry on the
// selection colour, the others on the list background.
class MacroNameDelegate : public QStyledItemDelegate {
  public:
    MacroNameDelegate(const MacroListLook& look, QObject* parent)
        : QStyledItemDelegate(parent), m_look(look) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    const MacroListLook& m_look;
};

// LB_macro: each row's icon by its line kind, one row high, and the text derived from its
// script line 45 pixels from the left.
class MacroRowDelegate : public QStyledItemDelegate {
  public:
    MacroRowDelegate(const MacroListLook& look, QObject* parent)
        : QStyledItemDelegate(parent), m_look(look) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    const MacroListLook& m_look;
};

// The text an event list row shows for its line.
QString macroRowText(const QModelIndex& index);

}  // namespace vornik

#include "ui/dialogs.h"

#include <QColorDialog>
#include <QMessageBox>

namespace vornik {

std::unique_ptr<QMessageBox> QtDialogs::makeMessageDialog(QWidget* parent, const QString& text,
                                                          const QString& fontName) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok,
                                             parent);
    if (!fontName.isEmpty()) {
        QFont font = box->font();
        font.setFamily(fontName);
        box->setFont(font);
    }
    return box;
}

void QtDialogs::messageDialog(QWidget* parent, const QString& text, const QString& fontName) {
    makeMessageDialog(parent, text, fontName)->exec();
}

void QtDialogs::messageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QColor> QtDialogs::colourDialog(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

}  // namespace vornik

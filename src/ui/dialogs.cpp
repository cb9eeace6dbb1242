#include "ui/dialogs.h"

#include <QMessageBox>

namespace vornik {

void QtDialogs::messageDialog(QWidget* parent, const QString& text, const QString& fontName) {
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    if (!fontName.isEmpty()) {
        QFont font = box.font();
        font.setFamily(fontName);
        box.setFont(font);
    }
    box.exec();
}

void QtDialogs::messageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace vornik

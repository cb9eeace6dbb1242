#include "ui/dialogs.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace vornik {

std::filesystem::path localPath(const QString& file) {
#ifdef _WIN32
    return std::filesystem::path(file.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(file).toStdString());
#endif
}

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

std::optional<QString> Dialogs::saveFileDialog(QWidget*, const QString&) { return std::nullopt; }

std::optional<QString> Dialogs::openFileDialog(QWidget*, const QString&) { return std::nullopt; }

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const QString& filter, bool save) {
    QFileDialog dialog(parent);
    dialog.setNameFilter(filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The overwrite question then names the file that is written for a name typed without
    // an extension.
    if (save) dialog.setDefaultSuffix("bin");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> QtDialogs::saveFileDialog(QWidget* parent, const QString& filter) {
    return runFileDialog(parent, filter, true);
}

std::optional<QString> QtDialogs::openFileDialog(QWidget* parent, const QString& filter) {
    return runFileDialog(parent, filter, false);
}

}  // namespace vornik

#pragma once

#include <QColor>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace vornik {

// The modal dialogs the window shows. Tests answer them; the product shows Qt dialogs.
// A file name the file dialogs chose, as the file system spells it.
std::filesystem::path localPath(const QString& file);

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The message dialog: modal, one OK button, no icon, in the language's font.
    virtual void messageDialog(QWidget* parent, const QString& text, const QString& fontName) = 0;
    // A plain message box: empty caption, OK button.
    virtual void messageBox(QWidget* parent, const QString& text) = 0;
    // The colour dialog, opened on `initial`: the colour chosen, nullopt when cancelled.
    virtual std::optional<QColor> colourDialog(QWidget* parent, const QColor& initial) = 0;
    // The file dialogs with one filter ("SaveFile (*.bin)"), opened on no particular file or
    // folder: the file chosen, nullopt when cancelled. The save dialog asks before an existing
    // file is replaced. A dialog a test double does not answer is cancelled.
    virtual std::optional<QString> saveFileDialog(QWidget* parent, const QString& filter);
    virtual std::optional<QString> openFileDialog(QWidget* parent, const QString& filter);
};

class QtDialogs : public Dialogs {
  public:
    void messageDialog(QWidget* parent, const QString& text, const QString& fontName) override;
    void messageBox(QWidget* parent, const QString& text) override;
    std::optional<QColor> colourDialog(QWidget* parent, const QColor& initial) override;
    std::optional<QString> saveFileDialog(QWidget* parent, const QString& filter) override;
    std::optional<QString> openFileDialog(QWidget* parent, const QString& filter) override;

    // The message dialog messageDialog shows, not yet shown.
    static std::unique_ptr<QMessageBox> makeMessageDialog(QWidget* parent, const QString& text,
                                                          const QString& fontName);
};

}  // namespace vornik

#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/skinned_dialog.h"

class QLabel;
class QLineEdit;

namespace vornik {

class LanguageTable;

// The four small input dialogs of the macro editors: a macro name (TForm3), one key (TForm5),
// a delay (TForm6) and a value (TForm7).
enum class InputDialogKind : std::uint8_t { Name, Key, Delay, Value };

// One input dialog: Clear empties the edit; Confirm hands the edit's text over and closes;
// closing it any other way reports `dismissed`, so that its owner drops the command it was
// opened for.
class InputDialog : public SkinnedDialog {
    Q_OBJECT

  public:
    InputDialog(InputDialogKind kind, QWidget* mainWindow);

    InputDialogKind kind() const { return m_kind; }

    // Opens with an empty edit, centred over the main window, laid out from `layout` and
    // captioned in `language`. A dialog already open is only brought forward, keeping what it
    // holds; false then.
    bool openOver(const DialogLayout& layout, const LanguageTable& language);

    // The limits the delay and value edits keep while the user types (the text is replaced by
    // what `clamp` gives); none by default.
    void setClamp(std::function<std::string(std::string_view)> clamp) {
        m_clamp = std::move(clamp);
    }

    // The key dialog's key: the virtual-key code of the last key pressed in its edit.
    std::optional<std::uint8_t> key() const { return m_key; }

    void confirm() override;
    void clear() override;

    QLabel* title;
    QLineEdit* edit;  // Edt_MacroName, Edt_EditKey or Edt_EditTime

  signals:
    // Confirm: the edit's text (the key dialog's key is key()). The dialog is closed after.
    void confirmed(const QString& text);
    // Closed without Confirm.
    void dismissed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void limitText(const QString& text);

    InputDialogKind m_kind;
    std::function<std::string(std::string_view)> m_clamp;
    std::optional<std::uint8_t> m_key;
    bool m_confirming = false;
};

}  // namespace vornik

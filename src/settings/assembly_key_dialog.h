#pragma once

#include <QWidget>
#include <array>

#include "model/assembly_key.h"
#include "ui/skinned_dialog.h"

class QCheckBox;
class QLineEdit;
class QLabel;

namespace vornik {

class LanguageTable;

// TForm2, the assembly-key dialog: a keyboard shortcut composed from a pressed key and the
// four modifier boxes.
class AssemblyKeyDialog : public SkinnedDialog {
    Q_OBJECT

  public:
    explicit AssemblyKeyDialog(QWidget* mainWindow);

    // Opens empty, centred over the main window and 40 pixels below its centre, laid out from
    // `layout` and captioned in `language`.
    void openOver(const DialogLayout& layout, const LanguageTable& language);

    const AssemblyKey& state() const { return m_key; }

    // Hands the text and the code over and closes.
    void confirm() override;
    // Empties the edit and unticks the boxes.
    void clear() override;

    QLabel* lbl_Assembly;
    QLineEdit* edit;                            // Edt_Assembly
    std::array<QCheckBox*, 4> modifierBoxes{};  // CB_Ctrl, CB_Shift, CB_Alt, CB_Win

  signals:
    // Confirm: the key text and the function code ("02", modifiers, usage).
    void confirmed(const QString& text, const QString& code);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void applyLayout(const DialogLayout& layout);
    void tickModifier(AssemblyKey::Modifier modifier, bool on);
    void showState();

    AssemblyKey m_key;
};

}  // namespace vornik

#pragma once

#include <QString>
#include <QWidget>

#include "ui/layout_pass.h"
#include "ui/page_controls.h"

class QLabel;
class QLineEdit;

namespace vornik {

class LanguageTable;

// What the program's small dialogs share: a borderless window on top of the others and not
// modal, in the shape of the "MSG" picture, with a title, one edit, Confirm, Clear and a close
// button. The dialog itself says what Confirm and Clear do.
class SkinnedDialog : public QWidget {
    Q_OBJECT

  public:
    void IB_ConfirmClick() { confirm(); }
    void IB_CancelClick() { clear(); }
    void IB_CloseClick() { close(); }
    virtual void confirm() = 0;
    virtual void clear() = 0;

    SkinButton IB_Confirm;
    SkinButton IB_Cancel;
    SkinButton IB_Close;

  protected:
    // `background` names the picture control the window takes its shape from.
    SkinnedDialog(const QString& objectName, const QString& background, QWidget* mainWindow);

    // The language's font, at the layout's text size.
    void setLanguageFont(const DialogLayout& layout, const LanguageTable& language);
    // The title, the edit and the buttons where `layout` puts them, in its colours.
    void placeParts(QLabel* title, QLineEdit* edit, const DialogLayout& layout);
    // Centred over the main window, `drop` pixels below its centre, shown in front with the
    // edit focused.
    void showOverMainWindow(QLineEdit* edit, int drop);
};

}  // namespace vornik

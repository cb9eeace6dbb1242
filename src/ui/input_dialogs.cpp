#include "ui/input_dialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "model/virtual_keys.h"
#include "platform/qt_keys.h"

namespace vornik {

namespace {

struct KindInfo {
    const char* form;
    const char* edit;
    std::string_view title;
};

KindInfo infoOf(InputDialogKind kind) {
    switch (kind) {
        case InputDialogKind::Name:
            return {"Form3", "Edt_MacroName", textkey::kMacroNameTitle};
        case InputDialogKind::Key:
            return {"Form5", "Edt_EditKey", textkey::kInputKeyTitle};
        case InputDialogKind::Delay:
            return {"Form6", "Edt_EditTime", textkey::kInputDelayTitle};
        case InputDialogKind::Value:
            break;
    }
    return {"Form7", "Edt_EditTime", textkey::kInputValueTitle};
}

QString qtText(const LanguageTable& language, std::string_view key) {
    return QString::fromStdString(language.text(key));
}

}  // namespace

InputDialog::InputDialog(InputDialogKind kind, QWidget* mainWindow)
    : SkinnedDialog(infoOf(kind).form, "Img_MsgBack", mainWindow), m_kind(kind) {
    const KindInfo info = infoOf(kind);
    title = new QLabel(this);
    title->setObjectName("lbl_Title");
    edit = new QLineEdit(this);
    edit->setObjectName(info.edit);
    edit->setAlignment(Qt::AlignCenter);
    switch (kind) {
        case InputDialogKind::Name:
            edit->setMaxLength(16);
            break;
        case InputDialogKind::Key:
            edit->setReadOnly(true);
            edit->installEventFilter(this);
            break;
        case InputDialogKind::Delay:
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d*"), edit));
            break;
        case InputDialogKind::Value:
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("-?\\d*"), edit));
            break;
    }
    connect(edit, &QLineEdit::textEdited, this, &InputDialog::limitText);
}

bool InputDialog::openOver(const DialogLayout& layout, const LanguageTable& language) {
    if (isVisible()) {
        raise();
        activateWindow();
        return false;
    }
    setLanguageFont(layout, language);
    title->setText(qtText(language, infoOf(m_kind).title));
    IB_Confirm.label->setText(qtText(language, textkey::kInputConfirm));
    IB_Cancel.label->setText(qtText(language, textkey::kInputClear));
    placeParts(title, edit, layout);
    clear();
    showOverMainWindow(edit, 0);
    return true;
}

void InputDialog::limitText(const QString& text) {
    if (!m_clamp) return;
    const QString limited = QString::fromStdString(m_clamp(text.toStdString()));
    if (limited != text) edit->setText(limited);
}

void InputDialog::confirm() {
    const QString text = edit->text();
    m_confirming = true;
    close();
    m_confirming = false;
    emit confirmed(text);
}

void InputDialog::clear() {
    edit->clear();
    m_key.reset();
    edit->setFocus();
}

void InputDialog::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!m_confirming) emit dismissed();
}

bool InputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // A key without a virtual-key code leaves the edit as it is.
    if (const auto virtualKey = virtualKeyFromKeyEvent(*static_cast<QKeyEvent*>(event))) {
        m_key = *virtualKey;
        edit->setText(QString::fromStdString(virtualKeyInfo(*virtualKey).name));
    }
    return true;
}

}  // namespace vornik

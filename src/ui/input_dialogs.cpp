#include "ui/input_dialogs.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "model/virtual_keys.h"
#include "platform/qt_keys.h"
#include "ui/skin/skin.h"

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
    : QWidget(mainWindow, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_kind(kind) {
    const KindInfo info = infoOf(kind);
    setObjectName(info.form);
    auto* background = new SkinImage("Img_MsgBack", this);
    background->setSkin("MSG");
    setFixedSize(background->size());
    const QImage shape = background->pixmap().toImage();
    if (!shape.isNull())
        setMask(QBitmap::fromImage(shape.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));

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

    IB_Confirm = hoverSkinButton("Img_Confirm", "IB_Confirm", "BtnS", this);
    IB_Cancel = hoverSkinButton("Img_Cancel", "IB_Cancel", "BtnS", this);
    IB_Close = hoverSkinButton("Img_Close", "IB_Close", "ExitS", this);
    connect(IB_Confirm.label, &ButtonLabel::clicked, this, &InputDialog::IB_ConfirmClick);
    connect(IB_Cancel.label, &ButtonLabel::clicked, this, &InputDialog::IB_CancelClick);
    connect(IB_Close.label, &ButtonLabel::clicked, this, &InputDialog::IB_CloseClick);
}

void InputDialog::applyLayout(const DialogLayout& layout) {
    QPalette text = palette();
    text.setColor(QPalette::WindowText, layout.text);
    for (QWidget* w :
         std::initializer_list<QWidget*>{title, IB_Confirm.label, IB_Cancel.label, IB_Close.label})
        w->setPalette(text);
    QPalette accent = edit->palette();
    accent.setColor(QPalette::Text, layout.accent);
    edit->setPalette(accent);

    title->move(layout.title);
    title->adjustSize();
    edit->move(layout.edit);
    edit->resize(layout.editWidth, edit->sizeHint().height());
    moveSkinButton(IB_Confirm, layout.confirm);
    moveSkinButton(IB_Cancel, layout.clear);
    moveSkinButton(IB_Close, layout.close);
}

bool InputDialog::openOver(const DialogLayout& layout, const LanguageTable& language) {
    if (isVisible()) {
        raise();
        activateWindow();
        return false;
    }
    QFont font(QString::fromStdString(language.fontName()));
    if (layout.textSize > 0) font.setPointSize(layout.textSize);
    setFont(font);
    title->setText(qtText(language, infoOf(m_kind).title));
    IB_Confirm.label->setText(qtText(language, textkey::kInputConfirm));
    IB_Cancel.label->setText(qtText(language, textkey::kInputClear));
    applyLayout(layout);
    clear();

    if (QWidget* main = parentWidget()) {
        const QRect over = main->geometry();
        move(over.x() + (over.width() - width()) / 2, over.y() + (over.height() - height()) / 2);
    }
    show();
    raise();
    activateWindow();
    edit->setFocus();
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

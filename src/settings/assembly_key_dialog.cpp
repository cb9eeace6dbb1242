#include "settings/assembly_key_dialog.h"

#include <QBitmap>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "platform/qt_keys.h"
#include "ui/skin/skin.h"

namespace vornik {

namespace {

constexpr const char* kModifierBoxes[] = {"CB_Ctrl", "CB_Shift", "CB_Alt", "CB_Win"};
constexpr const char* kModifierCaptions[] = {"Ctrl", "Shift", "Alt", "Win"};

// Windows reports the modifier keys themselves with their own state held.
bool isModifierKey(std::uint8_t virtualKey) {
    return (virtualKey >= 0x10 && virtualKey <= 0x12) || (virtualKey >= 0xA0 && virtualKey <= 0xA5);
}

}  // namespace

AssemblyKeyDialog::AssemblyKeyDialog(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("Form2");
    auto* background = new SkinImage("Img_AssemblyBack", this);
    background->setSkin("MSG");
    setFixedSize(background->size());
    const QImage shape = background->pixmap().toImage();
    if (!shape.isNull())
        setMask(QBitmap::fromImage(shape.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));

    lbl_Assembly = new QLabel(this);
    lbl_Assembly->setObjectName("lbl_Assembly");
    edit = new QLineEdit(this);
    edit->setObjectName("Edt_Assembly");
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->installEventFilter(this);
    for (std::size_t i = 0; i < modifierBoxes.size(); ++i) {
        auto* box = new QCheckBox(kModifierCaptions[i], this);
        box->setObjectName(kModifierBoxes[i]);
        box->setFocusPolicy(Qt::NoFocus);
        // The skin's check images, as every two-state choice shows them.
        box->setStyleSheet(
            "QCheckBox::indicator { width: 16px; height: 16px; }"
            "QCheckBox::indicator:unchecked { image: url(:/skin/cbs_d.png); }"
            "QCheckBox::indicator:checked { image: url(:/skin/cbs_e.png); }");
        const auto modifier = static_cast<AssemblyKey::Modifier>(i);
        connect(box, &QCheckBox::toggled, this,
                [this, modifier](bool on) { tickModifier(modifier, on); });
        modifierBoxes[i] = box;
    }
    IB_Confirm = hoverSkinButton("Img_Confirm", "IB_Confirm", "BtnS", this);
    IB_Cancel = hoverSkinButton("Img_Cancel", "IB_Cancel", "BtnS", this);
    IB_Close = hoverSkinButton("Img_Close", "IB_Close", "ExitS", this);
    connect(IB_Confirm.label, &ButtonLabel::clicked, this, &AssemblyKeyDialog::IB_ConfirmClick);
    connect(IB_Cancel.label, &ButtonLabel::clicked, this, &AssemblyKeyDialog::IB_CancelClick);
    connect(IB_Close.label, &ButtonLabel::clicked, this, &AssemblyKeyDialog::IB_CloseClick);
}

void AssemblyKeyDialog::applyLayout(const DialogLayout& layout) {
    QPalette text = palette();
    text.setColor(QPalette::WindowText, layout.text);
    for (QWidget* w : std::initializer_list<QWidget*>{lbl_Assembly, IB_Confirm.label,
                                                      IB_Cancel.label, IB_Close.label})
        w->setPalette(text);
    for (QCheckBox* box : modifierBoxes) box->setPalette(text);
    QPalette accent = edit->palette();
    accent.setColor(QPalette::Text, layout.accent);
    edit->setPalette(accent);

    lbl_Assembly->move(layout.title);
    lbl_Assembly->adjustSize();
    edit->move(layout.edit);
    edit->resize(layout.editWidth, edit->sizeHint().height());
    for (std::size_t i = 0; i < modifierBoxes.size(); ++i) {
        modifierBoxes[i]->move(layout.modifiers[i]);
        modifierBoxes[i]->adjustSize();
    }
    moveSkinButton(IB_Confirm, layout.confirm);
    moveSkinButton(IB_Cancel, layout.clear);
    moveSkinButton(IB_Close, layout.close);
}

void AssemblyKeyDialog::openOver(const DialogLayout& layout, const LanguageTable& language) {
    QFont font(QString::fromStdString(language.fontName()));
    if (layout.textSize > 0) font.setPointSize(layout.textSize);
    setFont(font);
    // Styled boxes do not take the dialog's font by themselves.
    for (QCheckBox* box : modifierBoxes) box->setFont(font);
    lbl_Assembly->setText(QString::fromStdString(language.text(textkey::kAssemblyKeyTitle)));
    IB_Confirm.label->setText(QString::fromStdString(language.text(textkey::kAssemblyConfirm)));
    IB_Cancel.label->setText(QString::fromStdString(language.text(textkey::kAssemblyClear)));
    applyLayout(layout);
    clear();

    if (QWidget* main = parentWidget()) {
        const QRect over = main->geometry();
        move(over.x() + (over.width() - width()) / 2,
             over.y() + (over.height() - height()) / 2 + 40);
    }
    show();
    raise();
    activateWindow();
    edit->setFocus();
}

void AssemblyKeyDialog::showState() { edit->setText(QString::fromStdString(m_key.text())); }

void AssemblyKeyDialog::tickModifier(AssemblyKey::Modifier modifier, bool on) {
    m_key.setModifier(modifier, on);
    showState();
    edit->setFocus();
}

void AssemblyKeyDialog::confirm() {
    const QString text = QString::fromStdString(m_key.text());
    const QString code = QString::fromStdString(m_key.code());
    close();
    emit confirmed(text, code);
}

void AssemblyKeyDialog::clear() {
    for (QCheckBox* box : modifierBoxes) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    m_key.clear();
    showState();
    edit->setFocus();
}

bool AssemblyKeyDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    // A key without a virtual-key code is ignored.
    if (const auto virtualKey = virtualKeyFromKeyEvent(key)) {
        const bool held = key.modifiers().testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier |
                                                       Qt::AltModifier) ||
                          isModifierKey(*virtualKey);
        m_key.keyDown(*virtualKey, held);
        showState();
    }
    return true;
}

}  // namespace vornik

#include "settings/assembly_key_dialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "platform/qt_keys.h"

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
    : SkinnedDialog("Form2", "Img_AssemblyBack", mainWindow) {
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
}

void AssemblyKeyDialog::applyLayout(const DialogLayout& layout) {
    placeParts(lbl_Assembly, edit, layout);
    for (std::size_t i = 0; i < modifierBoxes.size(); ++i) {
        QCheckBox* box = modifierBoxes[i];
        box->setPalette(lbl_Assembly->palette());
        box->move(layout.modifiers[i]);
        box->adjustSize();
    }
}

void AssemblyKeyDialog::openOver(const DialogLayout& layout, const LanguageTable& language) {
    setLanguageFont(layout, language);
    // Styled boxes do not take the dialog's font by themselves.
    for (QCheckBox* box : modifierBoxes) box->setFont(font());
    lbl_Assembly->setText(QString::fromStdString(language.text(textkey::kAssemblyKeyTitle)));
    IB_Confirm.label->setText(QString::fromStdString(language.text(textkey::kAssemblyConfirm)));
    IB_Cancel.label->setText(QString::fromStdString(language.text(textkey::kAssemblyClear)));
    applyLayout(layout);
    clear();
    showOverMainWindow(edit, 40);
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

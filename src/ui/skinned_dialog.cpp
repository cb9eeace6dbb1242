#include "ui/skinned_dialog.h"

#include <QBitmap>
#include <QLabel>
#include <QLineEdit>

#include "formats/language.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

SkinnedDialog::SkinnedDialog(const QString& objectName, const QString& background,
                             QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(objectName);
    auto* image = new SkinImage(background, this);
    image->setSkin("MSG");
    setFixedSize(image->size());
    // The picture's maroon is see-through: the window takes the picture's shape.
    const QImage shape = image->pixmap().toImage();
    if (!shape.isNull())
        setMask(QBitmap::fromImage(shape.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));

    IB_Confirm = hoverSkinButton("Img_Confirm", "IB_Confirm", "BtnS", this);
    IB_Cancel = hoverSkinButton("Img_Cancel", "IB_Cancel", "BtnS", this);
    IB_Close = hoverSkinButton("Img_Close", "IB_Close", "ExitS", this);
    connect(IB_Confirm.label, &ButtonLabel::clicked, this, &SkinnedDialog::IB_ConfirmClick);
    connect(IB_Cancel.label, &ButtonLabel::clicked, this, &SkinnedDialog::IB_CancelClick);
    connect(IB_Close.label, &ButtonLabel::clicked, this, &SkinnedDialog::IB_CloseClick);
}

void SkinnedDialog::setLanguageFont(const DialogLayout& layout, const LanguageTable& language) {
    QFont font(QString::fromStdString(language.fontName()));
    if (layout.textSize > 0) font.setPointSize(layout.textSize);
    setFont(font);
}

void SkinnedDialog::placeParts(QLabel* title, QLineEdit* edit, const DialogLayout& layout) {
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
    for (const SkinButton* b : {&IB_Confirm, &IB_Cancel, &IB_Close}) {
        b->image->raise();
        b->label->raise();
    }
}

void SkinnedDialog::showOverMainWindow(QLineEdit* edit, int drop) {
    if (QWidget* main = parentWidget()) {
        const QRect over = main->geometry();
        move(over.x() + (over.width() - width()) / 2,
             over.y() + (over.height() - height()) / 2 + drop);
    }
    show();
    raise();
    activateWindow();
    edit->setFocus();
}

}  // namespace vornik

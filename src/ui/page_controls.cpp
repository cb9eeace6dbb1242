#include "ui/page_controls.h"

#include <QWidget>

#include "ui/default_layout.h"

namespace vornik {

namespace {

QPoint defaultPosition(ButtonRole role) {
    using namespace layout;
    const int index = static_cast<int>(role);
    switch (role) {
        case ButtonRole::Main:
        case ButtonRole::Second:
        case ButtonRole::Adv:
        case ButtonRole::Breath:
        case ButtonRole::Macro:
        case ButtonRole::Engineer:
            return kPageButtons + QPoint(index * kHeaderStep, 0);
        case ButtonRole::Lang1:
        case ButtonRole::Lang2:
        case ButtonRole::Lang3:
            return kLanguageButtons +
                   QPoint((index - static_cast<int>(ButtonRole::Lang1)) * kHeaderStep, 0);
        case ButtonRole::Confirm1:
        case ButtonRole::Confirm2:
        case ButtonRole::Confirm3:
            return kDefaults +
                   QPoint((index - static_cast<int>(ButtonRole::Confirm1)) * kButtonStep, 0);
        case ButtonRole::Save:
            return kSaveLoad;
        case ButtonRole::Load:
            return kSaveLoad + QPoint(115, 0);
        case ButtonRole::Read:
            return kReadApplyConfirm;
        case ButtonRole::Apply:
            return kReadApplyConfirm + QPoint(kButtonStep, 0);
        case ButtonRole::Confirm:
            return kReadApplyConfirm + QPoint(2 * kButtonStep, 0);
        case ButtonRole::Web:
            return kWeb;
        case ButtonRole::Mini:
            return kMinimize;
        case ButtonRole::Exit:
            return kExit;
    }
    return kExit;
}

SkinButton makeButton(const ButtonRoleInfo& info, int n, QWidget* container) {
    SkinButton b;
    const QString suffix = QString("%1_%2").arg(info.name).arg(n);
    b.image = new SkinImage("Img_" + suffix, container);
    b.image->setSkin(info.normalSkin);
    b.image->move(defaultPosition(info.role));
    b.label = new ButtonLabel("Btn_" + suffix, container);
    b.label->placeOver(b.image);
    return b;
}

}  // namespace

SkinButton hoverSkinButton(const QString& image, const QString& label, const QString& skin,
                           QWidget* parent) {
    SkinButton b;
    b.image = new SkinImage(image, parent);
    b.image->setSkin(skin + "_01");
    b.label = new ButtonLabel(label, parent);
    b.label->placeOver(b.image);
    SkinImage* picture = b.image;
    QObject::connect(b.label, &ButtonLabel::entered, picture, [picture, skin] {
        if (picture->isEnabled()) picture->setSkin(skin + "_02");
    });
    QObject::connect(b.label, &ButtonLabel::left, picture,
                     [picture, skin] { picture->setSkin(skin + "_01"); });
    return b;
}

void moveSkinButton(const SkinButton& b, QPoint at) {
    b.image->move(at);
    b.label->placeOver(b.image);
}

void setSkinButtonEnabled(const SkinButton& b, bool on) {
    b.image->setEnabled(on);
    b.label->setEnabled(on);
}

void setSkinButtonShown(const SkinButton& b, bool on) {
    b.image->setVisible(on);
    b.label->setVisible(on);
}

CommonPage beginCommonPage(int n, QWidget* container) {
    CommonPage page;
    page.page = n;
    page.container = container;
    page.base = new SkinImage(QString("Img_Base_%1").arg(n), container);
    page.base->setSkin("L1_BackGround");
    page.base->move(0, 0);
    page.panel = new SkinImage(QString("Img_P%1").arg(n), container);
    page.panel->setSkin(QString("L1_Back%1").arg(n));
    page.panel->move(n == 1 ? layout::kPanel1 : layout::kPanel);
    return page;
}

void finishCommonPage(CommonPage& page) {
    for (const ButtonRoleInfo& info : kButtonRoles) {
        if (info.role == ButtonRole::Mini || info.role == ButtonRole::Exit) continue;
        page.button(info.role) = makeButton(info, page.page, page.container);
    }
    // The engineer page is reached only where something opens it directly.
    page.button(ButtonRole::Engineer).image->hide();
    page.button(ButtonRole::Engineer).label->hide();

    page.disableAll = new InputBlocker(QString("Disable_All_%1").arg(page.page), page.container);
    page.disableAll->setGeometry(0, 0, page.base->width(), page.base->height());
    page.disableAll->raise();
    // Exit and minimise stay usable above the overlay.
    for (ButtonRole role : {ButtonRole::Mini, ButtonRole::Exit})
        page.button(role) = makeButton(roleInfo(role), page.page, page.container);
}

}  // namespace vornik

#include "fire/fire_page.h"

#include <QWidget>

namespace vornik {

namespace {

SkinButton button(const QString& role, const QString& skin, QPoint at, QWidget* container) {
    SkinButton b;
    b.image = new SkinImage("Img_" + role, container);
    b.image->setSkin(skin);
    b.image->move(at);
    b.label = new ButtonLabel("Btn_" + role, container);
    b.label->placeOver(b.image);
    return b;
}

}  // namespace

FirePageControls buildFirePage(QWidget* container) {
    FirePageControls c;
    for (int n = 1; n <= 7; ++n) {
        // The first preset starts selected.
        const QString skin = QString("Gun%1_%2").arg(n).arg(n == 1 ? "02" : "01");
        c.presets[static_cast<std::size_t>(n - 1)] =
            button(QString("Fire%1").arg(n), skin, QPoint(180, 30 + (n - 1) * 64), container);
    }
    // Markers 1 and 2 beside preset 6, 3 to 5 beside preset 7.
    const std::array<QPoint, 5> at{{{320, 350}, {372, 345}, {320, 414}, {372, 409}, {434, 404}}};
    for (int n = 1; n <= 5; ++n) {
        auto* image = new SkinImage(QString("Img_GunMode%1").arg(n), container);
        image->setSkin(QString("GunMode%1").arg(n));
        image->move(at[static_cast<std::size_t>(n - 1)]);
        c.gunModes[static_cast<std::size_t>(n - 1)] = image;
    }
    c.confirm = button("FireConfirm", "BtnS_01", QPoint(760, 600), container);
    c.cancel = button("FireCancel", "BtnS_01", QPoint(890, 600), container);
    return c;
}

}  // namespace vornik

#include "ui/page_controls.h"

#include <QWidget>

#include "ui/default_layout.h"

namespace vornik {

const std::array<ButtonRole, 20> kCommonButtonRoles{{
    {"Main", HoverFamily::PageButton, "SetS_01"},
    {"Second", HoverFamily::PageButton, "SetS_01"},
    {"Adv", HoverFamily::PageButton, "SetS_01"},
    {"Breath", HoverFamily::PageButton, "SetS_01"},
    {"Macro", HoverFamily::PageButton, "SetS_01"},
    {"Engineer", HoverFamily::PageButton, "SetS_01"},
    {"Save", HoverFamily::PageButton, "SetS_01"},
    {"Load", HoverFamily::PageButton, "SetS_01"},
    {"Read", HoverFamily::WindowButton, "BtnS_01"},
    {"Apply", HoverFamily::WindowButton, "BtnS_01"},
    {"Confirm", HoverFamily::WindowButton, "BtnS_01"},
    {"Confirm1", HoverFamily::WindowButton, "BtnS_01"},
    {"Confirm2", HoverFamily::WindowButton, "BtnS_01"},
    {"Confirm3", HoverFamily::WindowButton, "BtnS_01"},
    {"Lang1", HoverFamily::Language, "SetS_01"},
    {"Lang2", HoverFamily::Language, "SetS_01"},
    {"Lang3", HoverFamily::Language, "SetS_01"},
    {"Web", HoverFamily::Web, "WebS_01"},
    {"Mini", HoverFamily::Minimize, "MiniS_01"},
    {"Exit", HoverFamily::Exit, "ExitS_01"},
}};

const std::array<const char*, 6> kPageRoles{"Main", "Second", "Adv", "Breath", "Macro", "Engineer"};

namespace {

QPoint defaultPosition(const QString& role) {
    using namespace layout;
    for (int i = 0; i < 6; ++i)
        if (role == kPageRoles[static_cast<std::size_t>(i)])
            return kPageButtons + QPoint(i * kHeaderStep, 0);
    for (int i = 0; i < 3; ++i)
        if (role == QString("Lang%1").arg(i + 1))
            return kLanguageButtons + QPoint(i * kHeaderStep, 0);
    for (int i = 0; i < 3; ++i)
        if (role == QString("Confirm%1").arg(i + 1)) return kDefaults + QPoint(i * kButtonStep, 0);
    if (role == "Save") return kSaveLoad;
    if (role == "Load") return kSaveLoad + QPoint(115, 0);
    if (role == "Read") return kReadApplyConfirm;
    if (role == "Apply") return kReadApplyConfirm + QPoint(kButtonStep, 0);
    if (role == "Confirm") return kReadApplyConfirm + QPoint(2 * kButtonStep, 0);
    if (role == "Web") return kWeb;
    if (role == "Mini") return kMinimize;
    return kExit;
}

SkinButton makeButton(const QString& role, int n, const char* skin, QWidget* container) {
    SkinButton b;
    const QString suffix = QString("%1_%2").arg(role).arg(n);
    b.image = new SkinImage("Img_" + suffix, container);
    b.image->setSkin(skin);
    b.image->move(defaultPosition(role));
    b.label = new ButtonLabel("Btn_" + suffix, container);
    b.label->placeOver(b.image);
    return b;
}

}  // namespace

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
    for (const auto& r : kCommonButtonRoles) {
        const QString role = r.role;
        if (role == "Mini" || role == "Exit") continue;
        page.buttons[role] = makeButton(role, page.page, r.normalSkin, page.container);
    }
    // The engineer page is reached only where something opens it directly.
    page.buttons["Engineer"].image->hide();
    page.buttons["Engineer"].label->hide();

    page.disableAll = new InputBlocker(QString("Disable_All_%1").arg(page.page), page.container);
    page.disableAll->setGeometry(0, 0, page.base->width(), page.base->height());
    page.disableAll->raise();
    // Exit and minimise stay usable above the overlay.
    for (const char* role : {"Mini", "Exit"}) {
        const auto& r = *std::find_if(kCommonButtonRoles.begin(), kCommonButtonRoles.end(),
                                      [&](const ButtonRole& x) { return QString(x.role) == role; });
        page.buttons[role] = makeButton(role, page.page, r.normalSkin, page.container);
    }
}

}  // namespace vornik

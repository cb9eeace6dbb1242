// Groups A, B and G: the controls every page shares and the function menus.

#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "ui/layout_groups.h"

namespace vornik::layout_detail {

namespace {

std::vector<QWidget*> labelCopies(const LayoutPass& p, std::initializer_list<const char*> roles) {
    std::vector<QWidget*> labels;
    for (const char* role : roles)
        for (QWidget* w : p.pageCopies(QString("Btn_") + role)) labels.push_back(w);
    return labels;
}

}  // namespace

void applyWindowButtons(LayoutPass& p) {
    applyFont(p, "Size_A", "Color_A",
              labelCopies(p, {"Confirm", "Apply", "Read", "Confirm1", "Confirm2", "Confirm3",
                              "Save", "Load"}));
    for (const ButtonKeySet& set : kWindowButtonSets) p.buttonSet(set.key, set.role);
}

void applyPageButtons(LayoutPass& p) {
    applyFont(p, "Size_B", "Color_B",
              labelCopies(p, {"Main", "Second", "Adv", "Breath", "Macro", "Engineer", "Lang1",
                              "Lang2", "Lang3"}));
    const int front = p.number("Btn_Space_F", Range::NonNegative);
    const int back = p.number("Btn_Space_B", Range::NonNegative);
    for (const ButtonKeySet& set : kPageButtonSets) p.buttonSet(set.key, set.role, front, back);

    // The engineer page is opened only where a handler asks for it: placed, never shown.
    const auto images = p.pageCopies("Img_Engineer");
    const auto labels = p.pageCopies("Btn_Engineer");
    for (std::size_t i = 0; i < 4; ++i) {
        p.placeOnImage(images[i], labels[i], QPoint(10, 10), front, back);
        if (images[i]) images[i]->hide();
        if (labels[i]) labels[i]->hide();
    }
}

void applyMenus(LayoutPass& p) {
    const char* panels[] = {"Pnl_Main",  "Pnl_Special", "Pnl_MseKey", "Pnl_CPIKey",
                            "Pnl_Media", "Pnl_WWW",     "Pnl_MyPC"};
    // Entries are the panels' Key_ labels, their sub-menu markers the ST_ labels.
    std::vector<QWidget*> entries;
    for (const char* name : panels)
        if (QWidget* panel = p.find(name))
            for (QLabel* child : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
                if (child->objectName().startsWith("Key_") || child->objectName().startsWith("ST_"))
                    entries.push_back(child);
    applyFont(p, "Size_G", "Color_G", entries);

    const QColor back = p.colour("Color_G_Back");
    for (const char* name : panels) setBackground(p.find(name), back);
    setBackground(p.find("LB_Name"), back);

    LayoutKept& kept = p.report.kept;
    kept.menuBorder = p.colour("Color_G_Border");
    kept.menuHoverText = p.colour("Color_G_SF");
    kept.menuHoverBack = p.colour("Color_G_SP");
    kept.macroSelection = p.colour("Color_MACRO");
    kept.macroListBack = p.colour("Color_F_LBack");

    auto resizePanel = [](QWidget* panel, int width) {
        if (panel == nullptr) return;
        const int grown = width - panel->width();
        panel->resize(width, panel->height());
        for (QLabel* child : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (child->objectName().startsWith("Key_"))
                child->resize(width - 4, child->height());
            else if (child->objectName().startsWith("ST_"))
                child->move(child->x() + grown, child->y());
        }
    };
    resizePanel(p.find("Pnl_Main"), p.width("M_L_W", p.find("Pnl_Main")));
    resizePanel(p.find("Pnl_Special"), p.width("SP_L_W", p.find("Pnl_Special")));
    const int others = p.width("O_L_W", p.find("Pnl_MseKey"));
    for (const char* name : {"Pnl_MseKey", "Pnl_CPIKey", "Pnl_Media", "Pnl_WWW", "Pnl_MyPC"})
        resizePanel(p.find(name), others);
}

}  // namespace vornik::layout_detail

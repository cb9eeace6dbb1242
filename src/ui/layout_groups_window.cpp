// Groups A, B, C and G: the controls every page shares, the key labels of page 1 and the
// function menus.

#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "ui/layout_groups.h"

namespace vornik::layout_detail {

namespace {

// Reads a font size and a text colour and gives them to every control of `targets`.
void applyFont(LayoutPass& p, const std::string& sizeKey, const std::string& colourPrefix,
               const std::vector<QWidget*>& targets) {
    const auto first = std::find_if(targets.begin(), targets.end(), [](QWidget* w) { return w; });
    const QWidget* current = first == targets.end() ? nullptr : *first;
    const int size = p.fontSize(sizeKey, current);
    const QColor colour = p.textColour(colourPrefix, current);
    for (QWidget* w : targets) {
        setFontSize(w, size);
        setTextColour(w, colour);
    }
}

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

void applyKeyLabels(LayoutPass& p) {
    std::vector<QWidget*> captions;
    for (int k = 1; k <= 9; ++k) captions.push_back(p.find(QString("Key%1").arg(k)));
    for (int k = 1; k <= 3; ++k) captions.push_back(p.find(QString("IB_ComboKey%1").arg(k)));
    applyFont(p, "Size_C", "Color_C", captions);

    p.moveTo(p.find("Img_P1"), p.position("P1", p.find("Img_P1")));

    const int keyWidth = p.width("Key_Width", p.find("Img_Key1"));
    for (int k = 1; k <= 9; ++k) {
        QWidget* image = p.find(QString("Img_Key%1").arg(k));
        QWidget* label = p.find(QString("Key%1").arg(k));
        const std::string key = "Key" + std::to_string(k);
        const bool show = p.number(key + "_Enable") == 1;
        if (image) image->setVisible(show);
        if (label) label->setVisible(show);
        if (!show) continue;
        const QPoint at = p.position(key, image);
        if (image) image->resize(keyWidth, image->height());
        if (label && !image) label->resize(keyWidth, label->height());
        p.placeOnImage(image, label, at);
    }

    // The mode-switch options: the caption offsets are read only once an option is shown.
    const int optionWidth = p.width("Combox_Width", p.find("IB_ComboKey1"));
    std::optional<QPoint> offset;
    for (int k = 1; k <= 3; ++k) {
        QWidget* image = p.find(QString("Img_ComboKey%1").arg(k));
        QWidget* label = p.find(QString("IB_ComboKey%1").arg(k));
        const std::string key = "ComboKey" + std::to_string(k);
        const bool enabled = p.number(key + "_Enable") == 1;
        // The gun-key option belongs to Game Mode with the gun display.
        const bool show = enabled && (k != 3 || (p.ctx.options.gunDisplay && p.ctx.gameMode));
        if (image) image->setVisible(show);
        if (label) label->setVisible(show);
        if (!enabled) continue;
        const QPoint at = p.position(key, image);
        if (!offset) offset = QPoint(p.number("ComboKey_D"), p.number("ComboKey_H"));
        p.moveTo(image, at);
        p.moveTo(label, at + *offset);
        if (label) label->resize(optionWidth, label->height());
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

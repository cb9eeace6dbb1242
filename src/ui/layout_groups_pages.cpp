// Groups D, E, F and J (the Advanced, Light, Macro and fire pages) and the caption labels.
//
// Which control each key drives, where the name is not the key's own:
//   D  FKCnt Edt_Repeat1, FKDelay Edt_DelayTime1, IsFireContinue Img_FireContinue with
//      lbl_FireContinue; Spd/DbSpd/ScrSpd slider_Spd/slider_DbSpd/slider_SrcSpd with the ticks
//      lbl_Spd<k>/lbl_DbSpd<k>/lbl_ScrSpd<k>; IsControl/IsScreen Img_IsControl/lbl_IsControl,
//      Img_IsScreen/lbl_IsScreen; DPI<k>_Color Img_DPI<k>Col (cs_DPI<k>Col and lbl_DPI<k>Col over
//      it), _Check Img_DPI<k>, DPI<k> lbl_DPI<k>, _Value lbl_DPI<k>Value, _Steps slider_DPI<k>;
//      AIMKey lbl_AIMKey, lbl_AIMKeyValue, slider_DPI8; DPI_Count cbb_DPICount.
//   E  LEDOn/Off Img_LEDOn/Off; B4CPIOn/Off, LEDSwitchOn/Off (Img_/lbl_LCPIOn/Off),
//      SaveKeyMode, NoSaveKeyMode, LED3Control/LED6Control (Img_/lbl_MCULED3/6Control),
//      MCULEDMode<k>, RBLEDMode<k>: Img_ with lbl_; the bars Img_/lbl_MCULEDNum_<k>, _Step_<k>.
//   F  PCMacroName LB_PCMacroName, MacroContent LB_macro, BtnNew Img_New/Btn_New, BtnStart
//      Img_Start/Btn_Start, DelayTime Gb_Delay, RecDelay Img_/IB_ RecDelay, DelayTime, NoDelay,
//      DelayEdit Edt_Delay, ReleaseStop/ReleaseContinue Img_/IB_ReleaseStop/ReleaseContiue,
//      Insert Gb_Insert, InsertList CB_Insert, InsertRecDelay Img_/IB_ InsertRecDelay,
//      InsertDelayTime, InsertNoDelay, InsertDelayEdit Edt_InsertDelay, InsertAxisEdit
//      edt_XAxisValue, edt_YAxisValue and edt_Repeat, InsertBtnStart Img_/Btn_InsertStart,
//      InsertBtnOK Img_/Btn_OK, InsertBtnCancel Img_/Btn_Cancel, Edit_PCMarco_Width Pnl_PCMacro.
//   J  Fire<k> Img_/Btn_Fire<k>, GunMode<k> Img_GunMode<k>, RKFS<r> Img_/lbl_FireRKFS<r>, the
//      row edits Edt_FireCnt<r>, Edt_FireX<r>, Edt_FireY<r>, Edt_FireY<r>Offset,
//      Edt_FireTime<r>, FireColor<r> Img_FireColor<r> (cs_ and IB_FireColor<r> over it),
//      FireConfirm Img_/Btn_FireConfirm, FireCancel Img_/Btn_FireCancel.

#include <QAbstractSlider>
#include <QLabel>
#include <QWidget>
#include <vector>

#include "ui/layout_groups.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik::layout_detail {

namespace {

QString numbered(const char* stem, int k, const char* tail = "") {
    return QString("%1%2%3").arg(stem).arg(k).arg(tail);
}

std::string key(const char* stem, int k, const char* tail = "") {
    return numbered(stem, k, tail).toStdString();
}

// Moves `target` to the position keys of `prefix`; the others take its geometry.
void placeWithTwins(LayoutPass& p, const std::string& prefix, QWidget* target,
                    std::initializer_list<QWidget*> twins = {}) {
    const QPoint at = p.position(prefix, target);
    p.moveTo(target, at);
    for (QWidget* twin : twins) {
        if (twin == nullptr) continue;
        p.moveTo(twin, at);
        if (target) twin->resize(target->size());
    }
}

void placeNamed(LayoutPass& p, const std::string& prefix, const QString& name) {
    placeWithTwins(p, prefix, p.find(name));
}

// An option image with its click label lying over it.
void placeOption(LayoutPass& p, const std::string& prefix, const QString& image,
                 const QString& label) {
    placeWithTwins(p, prefix, p.find(image), {p.find(label)});
}

void setFontSizes(const std::vector<QWidget*>& targets, int size) {
    for (QWidget* w : targets) setFontSize(w, size);
}

QWidget* firstIn(const std::vector<QWidget*>& targets) {
    for (QWidget* w : targets)
        if (w) return w;
    return nullptr;
}

// Eleven tick labels under a pointer slider.
void placeSpeedScale(LayoutPass& p, const char* prefix, const char* slider, const char* tick) {
    QWidget* s = p.find(slider);
    const QPoint at = p.position(prefix, s);
    const int step = p.number(std::string(prefix) + "_D");
    p.moveTo(s, at);
    for (int k = 1; k <= 11; ++k)
        p.moveTo(p.find(numbered(tick, k)), at + QPoint((k - 1) * step + 4, 26));
}

// A light bar: `count` segments `step` apart after their own width, numbered from `first`,
// in ascending or (Num_Order 1) descending order from the left.
void placeLightBar(LayoutPass& p, const char* prefix, const char* stem, int count, int first) {
    const bool descending = p.ctx.options.numOrder == 1;
    auto image = [&](int k) { return p.find(QString("Img_%1_%2").arg(stem).arg(k)); };
    const QPoint at = p.position(prefix, image(descending ? count : 1));
    const int step = p.number(std::string(prefix) + "_D");
    for (int k = 1; k <= count; ++k) {
        QWidget* segment = image(k);
        auto* label = qobject_cast<QLabel*>(p.find(QString("lbl_%1_%2").arg(stem).arg(k)));
        const int width = segment ? segment->width() : 26;
        const int slot = descending ? count - k : k - 1;
        const QPoint cell = at + QPoint(slot * (width + step), 0);
        p.moveTo(segment, cell);
        if (label == nullptr) continue;
        p.moveTo(label, cell + QPoint(0, 24));
        label->resize(width, label->height());
        label->setText(QString::number(first + k - 1));
    }
}

}  // namespace

void applyAdvancedPage(LayoutPass& p) {
    std::vector<QWidget*> values{p.find("Edt_Repeat1"), p.find("Edt_DelayTime1"),
                                 p.find("lbl_AIMKeyValue")};
    for (int k = 1; k <= 7; ++k) values.push_back(p.find(numbered("lbl_DPI", k, "Value")));
    setFontSizes(values, p.fontSize("Size_D", firstIn(values)));

    LayoutKept& kept = p.report.kept;
    kept.dpiSelected = p.colour("Color_D_Selected");
    kept.dpiNotSelected = p.colour("Color_D_notSelected");
    const QColor back = p.colour("Color_D_Back");
    const QColor border = p.colour("Color_D_Border");
    for (const char* edit : {"Edt_Repeat1", "Edt_DelayTime1"}) {
        QWidget* w = p.find(edit);
        if (w) setFieldLook(w, w->palette().color(QPalette::Text), back, border);
    }

    placeNamed(p, "P2", "Img_P2");
    placeNamed(p, "FKCnt", "Edt_Repeat1");
    placeNamed(p, "FKDelay", "Edt_DelayTime1");
    // Continuous fire: the label starts 8 pixels left of its image; the image shows "off".
    QWidget* fireImage = p.find("Img_FireContinue");
    const QPoint fire = p.position("IsFireContinue", fireImage);
    p.moveTo(fireImage, fire);
    p.moveTo(p.find("lbl_FireContinue"), fire - QPoint(8, 0));
    if (auto* image = qobject_cast<SkinImage*>(fireImage)) image->setSkin("CbS_D");

    placeSpeedScale(p, "Spd", "slider_Spd", "lbl_Spd");
    placeSpeedScale(p, "DbSpd", "slider_DbSpd", "lbl_DbSpd");
    placeSpeedScale(p, "ScrSpd", "slider_SrcSpd", "lbl_ScrSpd");
    placeOption(p, "IsControl", "Img_IsControl", "lbl_IsControl");
    placeOption(p, "IsScreen", "Img_IsScreen", "lbl_IsScreen");

    const int maximum = p.ctx.options.dpiSliderMaximum();
    for (int k = 1; k <= 7; ++k) {
        placeWithTwins(
            p, key("DPI", k, "_Color"), p.find(numbered("Img_DPI", k, "Col")),
            {p.find(numbered("cs_DPI", k, "Col")), p.find(numbered("lbl_DPI", k, "Col"))});
        placeNamed(p, key("DPI", k, "_Check"), numbered("Img_DPI", k));
        placeNamed(p, key("DPI", k), numbered("lbl_DPI", k));
        placeNamed(p, key("DPI", k, "_Value"), numbered("lbl_DPI", k, "Value"));
        placeNamed(p, key("DPI", k, "_Steps"), numbered("slider_DPI", k));
        p.number(key("DPI", k, "_Steps_D"));  // the ruler is fixed; the step is not used
        if (auto* slider = qobject_cast<QAbstractSlider*>(p.find(numbered("slider_DPI", k))))
            slider->setMaximum(maximum);
    }
    placeNamed(p, "AIMKey", "lbl_AIMKey");
    placeNamed(p, "AIMKey_Value", "lbl_AIMKeyValue");
    placeNamed(p, "AIMKey_Steps", "slider_DPI8");
    p.number("AIMKey_Steps_D");
    if (auto* slider = qobject_cast<QAbstractSlider*>(p.find("slider_DPI8")))
        slider->setMaximum(maximum);

    const QColor sliderBack = p.colour("Color_BG_Slider");
    for (int k = 1; k <= 8; ++k) setBackground(p.find(numbered("slider_DPI", k)), sliderBack);
    for (const char* s : {"slider_Spd", "slider_DbSpd", "slider_SrcSpd"})
        setBackground(p.find(s), sliderBack);

    kept.dpiCountVisible = p.number("DPI_Count_Visible") == 1;
    QWidget* count = p.find("cbb_DPICount");
    placeNamed(p, "DPI_Count", "cbb_DPICount");
    if (count) count->setVisible(kept.dpiCountVisible);
}

void applyLightPage(LayoutPass& p) {
    std::vector<QWidget*> numbers;
    for (int k = 1; k <= 10; ++k) numbers.push_back(p.find(QString("lbl_MCULEDNum_%1").arg(k)));
    for (int k = 1; k <= 8; ++k) numbers.push_back(p.find(QString("lbl_MCULEDStep_%1").arg(k)));
    const QWidget* current = firstIn(numbers);
    const int size = p.fontSize("Size_E", current);
    const QColor colour = p.textColour("Color_E", current);
    for (QWidget* w : numbers) {
        setFontSize(w, size);
        setTextColour(w, colour);
    }
    placeNamed(p, "P3", "Img_P3");

    struct Option {
        const char* key;
        const char* control;  // Img_<control>, lbl_<control>
        bool withLabel;
    };
    // LEDOn and LEDOff place only their images; their captions are the LED_On/_Off family.
    const Option options[] = {
        {"LEDOn", "LEDOn", false},
        {"LEDOff", "LEDOff", false},
        {"B4CPIOn", "B4CPIOn", true},
        {"B4CPIOff", "B4CPIOff", true},
        {"LEDSwitchOn", "LCPIOn", true},
        {"LEDSwitchOff", "LCPIOff", true},
        {"SaveKeyMode", "SaveKeyMode", true},
        {"NoSaveKeyMode", "NoSaveKeyMode", true},
        {"LED3Control", "MCULED3Control", true},
        {"LED6Control", "MCULED6Control", true},
    };
    auto place = [&](const std::string& prefix, const QString& control, bool withLabel) {
        QWidget* image = p.find("Img_" + control);
        const QPoint at = p.position(prefix, image);
        p.moveTo(image, at);
        if (withLabel) p.moveTo(p.find("lbl_" + control), at - QPoint(4, 2));
    };
    for (const Option& o : options) place(o.key, o.control, o.withLabel);
    for (const char* row : {"MCULEDMode", "RBLEDMode"})
        for (int k = 1; k <= 7; ++k) place(key(row, k), numbered(row, k), true);

    placeLightBar(p, "MCULEDNum", "MCULEDNum", 10, 4);
    placeLightBar(p, "MCULEDStep", "MCULEDStep", 8, 0);
}

void applyMacroPage(LayoutPass& p) {
    const std::vector<QWidget*> buttons{p.find("Btn_New"), p.find("Btn_Start"),
                                        p.find("Btn_InsertStart"), p.find("Btn_OK"),
                                        p.find("Btn_Cancel")};
    const std::vector<QWidget*> popupButtons{p.find("Btn_NewMacro"),   p.find("Btn_NewName"),
                                             p.find("Btn_DelPCMacro"), p.find("Btn_ImportOne"),
                                             p.find("Btn_Import"),     p.find("Btn_ExportOne"),
                                             p.find("Btn_Export"),     p.find("Btn_Edit"),
                                             p.find("Btn_Del"),        p.find("Btn_Insert")};
    const std::vector<QWidget*> lists{p.find("LB_PCMacroName"), p.find("LB_macro")};
    const std::vector<QWidget*> edits{p.find("Edt_Delay"),      p.find("Edt_InsertDelay"),
                                      p.find("edt_Repeat"),     p.find("edt_XAxisValue"),
                                      p.find("edt_YAxisValue"), p.find("CB_Insert")};
    std::vector<QWidget*> all = buttons;
    for (const auto* group : {&popupButtons, &lists, &edits})
        all.insert(all.end(), group->begin(), group->end());
    setFontSizes(all, p.fontSize("Size_F", firstIn(all)));

    LayoutKept& kept = p.report.kept;
    kept.popupText = p.textColour("Color_F", firstIn(buttons));
    for (QWidget* w : buttons) setTextColour(w, kept.popupText);
    const QColor listBorder = p.colour("Color_F_LBorder");
    const QColor text = p.colour("Color_F_Font");
    kept.popupBack = p.colour("Color_F_Back");
    for (QWidget* w : lists) setFieldLook(w, text, kept.popupBack, listBorder);
    for (QWidget* w : edits) setFieldLook(w, text, kept.popupBack);
    for (QWidget* w : popupButtons) setFieldLook(w, kept.popupText, kept.popupBack);
    setBackground(p.find("Pnl_PCMacro"), kept.popupBack);
    setBackground(p.find("Pnl_DevContent"), kept.popupBack);

    placeNamed(p, "P4", "Img_P4");
    kept.macroNameHeight = p.number("MacroNameHeight", Range::NonNegative);
    QWidget* names = p.find("LB_PCMacroName");
    placeNamed(p, "PCMacroName", "LB_PCMacroName");
    const int namesHeight = p.height("PCMacroName_H", names);
    if (names) names->resize(names->width(), namesHeight);
    placeNamed(p, "MacroContent", "LB_macro");
    placeOption(p, "BtnNew", "Img_New", "Btn_New");
    placeOption(p, "BtnStart", "Img_Start", "Btn_Start");

    // Three delay options H apart, each an image with its click label over it.
    auto optionColumn = [&](const char* prefix, std::initializer_list<const char*> names) {
        QWidget* top = p.find(QString("Img_") + *names.begin());
        const QPoint at = p.position(prefix, top);
        const int step = p.number(std::string(prefix) + "_H");
        int i = 0;
        for (const char* name : names) {
            QWidget* image = p.find(QString("Img_") + name);
            const QPoint cell = at + QPoint(0, i++ * step);
            p.moveTo(image, cell);
            if (QWidget* label = p.find(QString("IB_") + name)) {
                p.moveTo(label, cell);
                if (image) label->resize(image->size());
            }
        }
    };
    placeNamed(p, "DelayTime", "Gb_Delay");
    optionColumn("RecDelay", {"RecDelay", "DelayTime", "NoDelay"});
    placeNamed(p, "DelayEdit", "Edt_Delay");
    placeOption(p, "ReleaseStop", "Img_ReleaseStop", "IB_ReleaseStop");
    placeOption(p, "ReleaseContinue", "Img_ReleaseContiue", "IB_ReleaseContiue");

    placeNamed(p, "Insert", "Gb_Insert");
    placeNamed(p, "InsertList", "CB_Insert");
    optionColumn("InsertRecDelay", {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"});
    placeNamed(p, "InsertDelayEdit", "Edt_InsertDelay");
    // The three value edits take turns in one place.
    const std::vector<QWidget*> valueEdits{p.find("edt_XAxisValue"), p.find("edt_YAxisValue"),
                                           p.find("edt_Repeat")};
    const QPoint valueAt = p.position("InsertAxisEdit", firstIn(valueEdits));
    for (QWidget* w : valueEdits) p.moveTo(w, valueAt);
    placeOption(p, "InsertBtnStart", "Img_InsertStart", "Btn_InsertStart");
    placeOption(p, "InsertBtnOK", "Img_OK", "Btn_OK");
    placeOption(p, "InsertBtnCancel", "Img_Cancel", "Btn_Cancel");

    QWidget* library = p.find("Pnl_PCMacro");
    const int libraryWidth = p.width("Edit_PCMarco_Width", library);
    if (library) library->resize(libraryWidth, library->height());
    for (const char* b : {"Btn_NewMacro", "Btn_NewName", "Btn_DelPCMacro", "Btn_ImportOne",
                          "Btn_Import", "Btn_ExportOne", "Btn_Export"})
        if (QWidget* w = p.find(b)) w->resize(libraryWidth, w->height());
}

void applyFirePage(LayoutPass& p) {
    std::vector<QWidget*> edits;
    for (const char* stem : {"Edt_FireCnt", "Edt_FireX", "Edt_FireY", "Edt_FireTime"})
        for (int r = 1; r <= 3; ++r) edits.push_back(p.find(numbered(stem, r)));
    for (int r = 1; r <= 3; ++r) edits.push_back(p.find(numbered("Edt_FireY", r, "Offset")));
    setFontSizes(edits, p.fontSize("Size_J", firstIn(edits)));

    std::vector<QWidget*> captions{p.find("Btn_FireConfirm"), p.find("Btn_FireCancel")};
    for (int k = 1; k <= 7; ++k) captions.push_back(p.find(numbered("Btn_Fire", k)));
    const QColor captionColour = p.textColour("Color_J", firstIn(captions));
    for (QWidget* w : captions) setTextColour(w, captionColour);
    const QColor text = p.colour("Color_J_Font");
    const QColor back = p.colour("Color_J_Back");
    const QColor border = p.colour("Color_J_Border");
    for (QWidget* w : edits) setFieldLook(w, text, back, border);

    placeNamed(p, "P5", "Img_P5");
    for (int k = 1; k <= 7; ++k)
        placeOption(p, key("Fire", k), numbered("Img_Fire", k), numbered("Btn_Fire", k));
    for (int k = 1; k <= 5; ++k) placeNamed(p, key("GunMode", k), numbered("Img_GunMode", k));
    for (int r = 1; r <= 3; ++r)
        placeOption(p, key("RKFS", r), numbered("Img_FireRKFS", r), numbered("lbl_FireRKFS", r));
    for (const char* stem : {"FireCnt", "FireX", "FireY"})
        for (int r = 1; r <= 3; ++r)
            placeNamed(p, key(stem, r), QString("Edt_") + numbered(stem, r));
    for (int r = 1; r <= 3; ++r)
        placeNamed(p, key("FireY", r, "_Offset"), numbered("Edt_FireY", r, "Offset"));
    for (int r = 1; r <= 3; ++r) placeNamed(p, key("FireTime", r), numbered("Edt_FireTime", r));
    for (int r = 1; r <= 3; ++r)
        placeWithTwins(p, key("FireColor", r), p.find(numbered("Img_FireColor", r)),
                       {p.find(numbered("cs_FireColor", r)), p.find(numbered("IB_FireColor", r))});
    placeOption(p, "FireConfirm", "Img_FireConfirm", "Btn_FireConfirm");
    placeOption(p, "FireCancel", "Img_FireCancel", "Btn_FireCancel");
}

void applyCaptions(LayoutPass& p) {
    // One family's keys in file order: position, colour and size, width. LED_Mode_<k> has no
    // look of its own and the DPI names no position.
    enum Parts { kPosition = 1, kLook = 2, kWidth = 4 };
    auto family = [&](const std::string& prefix, const std::vector<QWidget*>& labels, int parts) {
        QWidget* current = firstIn(labels);
        if (parts & kPosition) {
            const QPoint at = p.position(prefix, current);
            for (QWidget* w : labels) p.moveTo(w, at);
        }
        if (parts & kLook) {
            const QColor colour = p.textColour(prefix, current);
            const int size = p.fontSize(prefix + "_Size", current);
            for (QWidget* w : labels) {
                setTextColour(w, colour);
                setFontSize(w, size);
            }
        }
        if (parts & kWidth) {
            const int width = p.width(prefix + "_Width", current);
            for (QWidget* w : labels)
                if (w) w->resize(width, w->height());
        }
    };

    for (const CaptionFamily& f : kCaptionFamilies) {
        std::vector<QWidget*> labels;
        for (const char* name : f.labels)
            if (name != nullptr) labels.push_back(p.find(name));
        family(std::string(f.family) + "_Lable", labels, kPosition | kLook | kWidth);
        if (std::string_view(f.family) != "LED_Mode") continue;
        // The mode captions of both light rows: own places, one shared look.
        std::vector<QWidget*> modes;
        for (int k = 1; k <= 7; ++k) {
            const std::vector<QWidget*> pair{p.find(numbered("lbl_MCULEDMode", k)),
                                             p.find(numbered("lbl_RBLEDMode", k))};
            family(key("LED_Mode_", k, "_Lable"), pair, kPosition | kWidth);
            modes.insert(modes.end(), pair.begin(), pair.end());
        }
        family("LED_Mode_Option_Lable", modes, kLook);
    }

    // The seven DPI names share a look and a width; their places are group D's.
    std::vector<QWidget*> names;
    for (int k = 1; k <= 7; ++k) names.push_back(p.find(numbered("lbl_DPI", k)));
    family("DPI_Lable", names, kLook | kWidth);
}

void colourDpiNames(LayoutPass& p) {
    // The DPI editor tells a level in use by its name's colour; keep what each level shows,
    // in this layout's colours. A level without a slider keeps the DPI_Lable colour.
    const LayoutKept& kept = p.report.kept;
    for (int k = 1; k <= 7; ++k) {
        const QWidget* slider = p.find(numbered("slider_DPI", k));
        if (slider == nullptr) continue;
        setTextColour(p.find(numbered("lbl_DPI", k)),
                      slider->isEnabled() ? kept.dpiSelected : kept.dpiNotSelected);
    }
}

}  // namespace vornik::layout_detail

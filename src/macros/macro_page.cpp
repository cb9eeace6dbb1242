// Group F, the Macro page.
//
// Which control each key drives, where the name is not the key's own:
//   F  PCMacroName LB_PCMacroName, MacroContent LB_macro, BtnNew Img_New/Btn_New, BtnStart
//      Img_Start/Btn_Start, DelayTime Gb_Delay, RecDelay Img_/IB_ RecDelay, DelayTime, NoDelay,
//      DelayEdit Edt_Delay, ReleaseStop/ReleaseContinue Img_/IB_ReleaseStop/ReleaseContiue,
//      Insert Gb_Insert, InsertList CB_Insert, InsertRecDelay Img_/IB_ InsertRecDelay,
//      InsertDelayTime, InsertNoDelay, InsertDelayEdit Edt_InsertDelay, InsertAxisEdit
//      edt_XAxisValue, edt_YAxisValue and edt_Repeat, InsertBtnStart Img_/Btn_InsertStart,
//      InsertBtnOK Img_/Btn_OK, InsertBtnCancel Img_/Btn_Cancel, Edit_PCMarco_Width Pnl_PCMacro.

#include "macros/macro_page.h"

#include <QLabel>
#include <QWidget>
#include <vector>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "macros/macro_editor_view.h"
#include "ui/language_pass.h"
#include "ui/layout_groups.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

using namespace layout_detail;

MacroPage::MacroPage(QWidget* container, MacroLibraryFile& library, MessageSink& messages,
                     QWidget* window, Clock& clock, Dialogs& dialogs)
    : QObject(container),
      m_container(container),
      m_editor(new MacroEditorView(container, {library, messages, window, &clock, &dialogs})) {
    for (const char* name : {"lbl_Marco_List", "lbl_Marco_Content", "lbl_Record_Delay",
                             "lbl_Delay_Setting", "lbl_No_Delay", "lbl_MS"}) {
        auto* caption = new QLabel(container);
        caption->setObjectName(name);
        caption->resize(200, 18);
    }
    // The release captions choose their option too.
    auto* stops = new ButtonLabel("lbl_Stop_Release", container);
    auto* continues = new ButtonLabel("lbl_Stop_Over", container);
    for (ButtonLabel* caption : {stops, continues}) {
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        caption->resize(200, 18);
    }
    connect(stops, &ButtonLabel::clicked, m_editor, &MacroEditorView::IB_ReleaseStopClick);
    connect(continues, &ButtonLabel::clicked, m_editor, &MacroEditorView::IB_ReleaseContiueClick);
    m_editor->showLibrary();
}

void MacroPage::fillFromModel(const PageSource&) {
    // The library is not part of the mouse's image; the page shows it as it changes.
}

void MacroPage::applyKept(const LayoutKept& kept, int layoutNo) {
    m_editor->setLayout(kept, layoutNo);
}

void MacroPage::applyLayoutGroup(LayoutGroup, LayoutPass& pass) { placeControls(pass); }

void MacroPage::applyLanguage(const LanguageTable& language) {
    static constexpr Caption kCaptions[] = {
        {"lbl_Marco_List", textkey::kMacroList},
        {"lbl_Marco_Content", textkey::kMacroContent},
        {"lbl_Record_Delay", textkey::kRecordDelays},
        {"lbl_Delay_Setting", textkey::kDefaultDelay},
        {"lbl_No_Delay", textkey::kNoDelay},
        {"lbl_MS", textkey::kMilliseconds},
        {"lbl_Stop_Release", textkey::kStopOnRelease},
        {"lbl_Stop_Over", textkey::kRunToEnd},
    };
    setCaptions(*m_container, kCaptions, language);
    m_editor->setLanguage(language);
    fitDelayCaption(language);
}

void MacroPage::fitDelayCaption(const LanguageTable& language) {
    // A caption longer than the room before the Default Delay edit takes the room it needs;
    // the edit and its unit move right by as much.
    auto* caption = m_container->findChild<QLabel*>("lbl_Delay_Setting");
    QWidget* edit = m_container->findChild<QWidget*>("Edt_Delay");
    QWidget* unit = m_container->findChild<QWidget*>("lbl_MS");
    if (!caption || !edit || !unit) return;
    // Measured in the language's font, which the labels take after the captions.
    QFont font = caption->font();
    font.setFamily(QString::fromStdString(language.fontName()));
    const int needed = QFontMetrics(font).horizontalAdvance(caption->text()) + 8;
    const int shift = caption->x() + needed - edit->x();
    if (shift <= 0) return;
    caption->resize(needed, caption->height());
    edit->move(edit->x() + shift, edit->y());
    unit->move(unit->x() + shift, unit->y());
}

void MacroPage::placeControls(LayoutPass& p) {
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
    auto optionColumn = [&](const char* prefix, std::initializer_list<const char*> options) {
        QWidget* top = p.find(QString("Img_") + *options.begin());
        const QPoint at = p.position(prefix, top);
        const int step = p.number(std::string(prefix) + "_H");
        int i = 0;
        for (const char* name : options) {
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

}  // namespace vornik

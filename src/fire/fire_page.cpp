// Group J, the fire page.
//
// Which control each key drives, where the name is not the key's own:
//   J  Fire<k> Img_/Btn_Fire<k>, GunMode<k> Img_GunMode<k>, RKFS<r> Img_/lbl_FireRKFS<r>, the
//      row edits Edt_FireCnt<r>, Edt_FireX<r>, Edt_FireY<r>, Edt_FireY<r>Offset,
//      Edt_FireTime<r>, FireColor<r> Img_FireColor<r> (cs_ and IB_FireColor<r> over it),
//      FireConfirm Img_/Btn_FireConfirm, FireCancel Img_/Btn_FireCancel.

#include "fire/fire_page.h"

#include <QWidget>
#include <vector>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "ui/default_layout.h"
#include "ui/language_pass.h"
#include "ui/layout_groups.h"

namespace vornik {

using namespace layout_detail;

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

FirePage::FirePage(QWidget* container) : QObject(container), m_container(container) {
    m_base = new SkinImage("Img_Base_5", container);
    m_base->setSkin("L1_BackGround");
    m_panel = new SkinImage("Img_P5", container);
    m_panel->setSkin("L1_Back5");
    m_panel->move(layout::kPanel5);
    for (int n = 1; n <= 7; ++n) {
        // The first preset starts selected.
        const QString skin = QString("Gun%1_%2").arg(n).arg(n == 1 ? "02" : "01");
        m_presets[static_cast<std::size_t>(n - 1)] =
            button(QString("Fire%1").arg(n), skin, QPoint(180, 30 + (n - 1) * 64), container);
    }
    // Markers 1 and 2 beside preset 6, 3 to 5 beside preset 7.
    const std::array<QPoint, 5> at{{{320, 350}, {372, 345}, {320, 414}, {372, 409}, {434, 404}}};
    for (int n = 1; n <= 5; ++n) {
        auto* image = new SkinImage(QString("Img_GunMode%1").arg(n), container);
        image->setSkin(QString("GunMode%1").arg(n));
        image->move(at[static_cast<std::size_t>(n - 1)]);
        m_gunModes[static_cast<std::size_t>(n - 1)] = image;
    }
    m_confirm = button("FireConfirm", "BtnS_01", QPoint(760, 600), container);
    m_cancel = button("FireCancel", "BtnS_01", QPoint(890, 600), container);
    m_recorder = new QWidget(container);
    m_recorder->setObjectName("gbFireRecorder");
    m_recorder->hide();
}

void FirePage::fillFromModel(const PageSource&) {
    // The fire rows show the fire macros once the fire editor fills them from the model.
}

void FirePage::unlockRecorder() { m_recorder->show(); }

void FirePage::applyLayoutGroup(LayoutGroup, LayoutPass& pass) { placeControls(pass); }

void FirePage::applyLanguage(const LanguageTable& language) {
    static constexpr Caption kCaptions[] = {
        {"lbl_Fire_Marco_Stop_Release", textkey::kStopOnReleaseOption},
        {"lbl_Fire_Marco_Count", textkey::kShots},
        {"lbl_Fire_Marco_Y", textkey::kOffsetXY},
        {"lbl_Fire_Marco_Y_Offset", textkey::kOffsetY},
        {"lbl_Fire_Marco_Delay", textkey::kIntervalMs},
        {"lbl_Fire_Marco_Color", textkey::kColour},
        {"Btn_FireConfirm", textkey::kDialogOk},
        {"Btn_FireCancel", textkey::kDialogCancel},
    };
    setCaptions(*m_container, kCaptions, language);
    // The gun presets show their names.
    static constexpr std::string_view kPresetNames[] = {
        textkey::kGunPreset1, textkey::kGunPreset2, textkey::kGunPreset3, textkey::kGunPreset4,
        textkey::kGunPreset5, textkey::kGunPreset6, textkey::kGunPreset7};
    for (std::size_t k = 0; k < m_presets.size(); ++k)
        m_presets[k].label->setText(QString::fromStdString(language.text(kPresetNames[k])));
}

void FirePage::placeControls(LayoutPass& p) {
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
        placeOption(p, numberedKey("Fire", k), numbered("Img_Fire", k), numbered("Btn_Fire", k));
    for (int k = 1; k <= 5; ++k)
        placeNamed(p, numberedKey("GunMode", k), numbered("Img_GunMode", k));
    for (int r = 1; r <= 3; ++r)
        placeOption(p, numberedKey("RKFS", r), numbered("Img_FireRKFS", r),
                    numbered("lbl_FireRKFS", r));
    for (const char* stem : {"FireCnt", "FireX", "FireY"})
        for (int r = 1; r <= 3; ++r)
            placeNamed(p, numberedKey(stem, r), QString("Edt_") + numbered(stem, r));
    for (int r = 1; r <= 3; ++r)
        placeNamed(p, numberedKey("FireY", r, "_Offset"), numbered("Edt_FireY", r, "Offset"));
    for (int r = 1; r <= 3; ++r)
        placeNamed(p, numberedKey("FireTime", r), numbered("Edt_FireTime", r));
    for (int r = 1; r <= 3; ++r)
        placeWithTwins(p, numberedKey("FireColor", r), p.find(numbered("Img_FireColor", r)),
                       {p.find(numbered("cs_FireColor", r)), p.find(numbered("IB_FireColor", r))});
    placeOption(p, "FireConfirm", "Img_FireConfirm", "Btn_FireConfirm");
    placeOption(p, "FireCancel", "Img_FireCancel", "Btn_FireCancel");
}

}  // namespace vornik

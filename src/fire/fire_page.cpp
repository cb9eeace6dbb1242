// Group J, the fire page.
//
// Which control each key drives, where the name is not the key's own:
//   J  Fire<k> Img_/Btn_Fire<k>, GunMode<k> Img_GunMode<k>, RKFS<r> Img_/lbl_FireRKFS<r>, the
//      row edits Edt_FireCnt<r>, Edt_FireX<r>, Edt_FireY<r>, Edt_FireY<r>Offset,
//      Edt_FireTime<r>, FireColor<r> Img_FireColor<r> (cs_ and IB_FireColor<r> over it),
//      FireConfirm Img_/Btn_FireConfirm, FireCancel Img_/Btn_FireCancel.

#include "fire/fire_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>
#include <vector>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "image/write_verify.h"
#include "model/config_model.h"
#include "model/fire_tables.h"
#include "ui/default_layout.h"
#include "ui/dialogs.h"
#include "ui/language_pass.h"
#include "ui/layout_groups.h"
#include "ui/widgets/skin_slider.h"

namespace vornik {

using namespace layout_detail;

namespace {

constexpr FireField kFields[] = {FireField::Count, FireField::X, FireField::Y, FireField::Offset,
                                 FireField::Time};
constexpr int kGameMode = 2;

std::size_t slot(int n) { return static_cast<std::size_t>(n - 1); }

SkinButton button(const QString& role, const QString& skin, QPoint at, QWidget* container) {
    SkinButton b;
    b.image = new SkinImage("Img_" + role, container);
    b.image->setSkin(skin);
    b.image->move(at);
    b.label = new ButtonLabel("Btn_" + role, container);
    b.label->placeOver(b.image);
    return b;
}

// Takes only the characters the field takes; the clamps do the rest.
class FieldKeys : public QValidator {
  public:
    FieldKeys(FireField field, QObject* parent) : QValidator(parent), m_field(field) {}
    State validate(QString& input, int&) const override {
        for (const QChar c : input)
            if (c.unicode() > 127 || !fireFieldTakes(m_field, static_cast<char>(c.unicode())))
                return Invalid;
        return Acceptable;
    }

  private:
    FireField m_field;
};

QLineEdit* fieldEditAt(const QString& name, FireField field, QPoint at, QWidget* container) {
    auto* e = new QLineEdit(container);
    e->setObjectName(name);
    e->setValidator(new FieldKeys(field, e));
    e->setGeometry(QRect(at, QSize(60, 22)));
    e->setText("0");
    return e;
}

QColor colourOf(const std::array<int, 3>& rgb) { return QColor(rgb[0], rgb[1], rgb[2]); }

}  // namespace

FirePage::FirePage(QWidget* container, const Services& services)
    : QObject(container), m_container(container), m_services(services) {
    m_base = new SkinImage("Img_Base_5", container);
    m_base->setSkin("L1_BackGround");
    m_panel = new SkinImage("Img_P5", container);
    m_panel->setSkin("L1_Back5");
    m_panel->move(layout::kPanel5);
    for (int n = 1; n <= 7; ++n) {
        // The first preset starts selected.
        const QString skin = QString("Gun%1_%2").arg(n).arg(n == 1 ? "02" : "01");
        SkinButton& preset = m_presets[slot(n)];
        preset = button(QString("Fire%1").arg(n), skin, QPoint(180, 30 + (n - 1) * 64), container);
        connect(preset.label, &ButtonLabel::clicked, this, [this, n] { selectPreset(n); });
        connect(preset.label, &ButtonLabel::entered, this,
                [this, n] { m_presets[slot(n)].image->setSkin(QString("Gun%1_02").arg(n)); });
        connect(preset.label, &ButtonLabel::left, this, [this, n] {
            if (n != m_preset) m_presets[slot(n)].image->setSkin(QString("Gun%1_01").arg(n));
        });
    }
    // Markers 1 and 2 beside preset 6, 3 to 5 beside preset 7.
    const std::array<QPoint, 5> at{{{320, 350}, {372, 345}, {320, 414}, {372, 409}, {434, 404}}};
    for (int n = 1; n <= 5; ++n) {
        auto* image = new SkinImage(QString("Img_GunMode%1").arg(n), container);
        image->setSkin(QString("GunMode%1").arg(n));
        image->move(at[slot(n)]);
        image->hide();
        Img_GunMode[slot(n)] = image;
    }

    // Row 1's column captions also toggle its stop-on-release option.
    for (const char* name :
         {"lbl_Fire_Marco_Stop_Release", "lbl_Fire_Marco_Count", "lbl_Fire_Marco_Y",
          "lbl_Fire_Marco_Y_Offset", "lbl_Fire_Marco_Delay", "lbl_Fire_Marco_Color"}) {
        auto* caption = new ButtonLabel(name, container);
        // A long caption takes a second line above the edits.
        caption->setWordWrap(true);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->resize(80, 34);
        connect(caption, &ButtonLabel::clicked, this, [this] { toggleStopOnRelease(1); });
    }
    for (int r = 1; r <= kRows; ++r) {
        const std::size_t i = slot(r);
        const int y = 150 + (r - 1) * 80;
        auto* toggleImage = new SkinImage(numbered("Img_FireRKFS", r), container);
        toggleImage->setSkin("CbS_D");
        toggleImage->move(400, y + 3);
        auto* toggle = new ButtonLabel(numbered("lbl_FireRKFS", r), container);
        toggle->placeOver(toggleImage);
        auto* check = new QCheckBox(container);
        check->setObjectName(numbered("cb_FireRKFS", r));
        check->hide();
        Img_FireRKFS[i] = toggleImage;
        lbl_FireRKFS[i] = toggle;
        cb_FireRKFS[i] = check;
        connect(toggle, &ButtonLabel::clicked, this, [this, r] { toggleStopOnRelease(r); });
        connect(toggleImage, &SkinImage::pressed, this, [this, r] { toggleStopOnRelease(r); });

        Edt_FireCnt[i] =
            fieldEditAt(numbered("Edt_FireCnt", r), FireField::Count, {460, y}, container);
        // The shipped layouts keep the X edits outside the window.
        Edt_FireX[i] = fieldEditAt(numbered("Edt_FireX", r), FireField::X, {3550, 8260}, container);
        Edt_FireY[i] = fieldEditAt(numbered("Edt_FireY", r), FireField::Y, {545, y}, container);
        Edt_FireYOffset[i] =
            fieldEditAt(numbered("Edt_FireY", r, "Offset"), FireField::Offset, {630, y}, container);
        m_timeEdits[i] =
            fieldEditAt(numbered("Edt_FireTime", r), FireField::Time, {715, y}, container);
        for (const FireField field : kFields)
            connect(fieldEdit(r, field), &QLineEdit::textChanged, this,
                    [this, r, field] { editRowField(r, field); });

        auto* frame = new SkinImage(numbered("Img_FireColor", r), container);
        frame->setSkin("Col_F");
        frame->move(800, y + 2);
        auto* swatch = new ColourSwatch(numbered("cs_FireColor", r), container);
        swatch->setGeometry(frame->geometry());
        auto* colourButton = new ButtonLabel(numbered("IB_FireColor", r), container);
        colourButton->placeOver(frame);
        Img_FireColor[i] = frame;
        cs_FireColor[i] = swatch;
        IB_FireColor[i] = colourButton;
        connect(colourButton, &ButtonLabel::clicked, this, [this, r] { chooseRowColour(r); });
    }

    m_confirm = button("FireConfirm", "BtnS_01", QPoint(760, 600), container);
    m_cancel = button("FireCancel", "BtnS_01", QPoint(890, 600), container);
    connect(m_confirm.label, &ButtonLabel::clicked, this, &FirePage::Btn_FireConfirmClick);
    connect(m_cancel.label, &ButtonLabel::clicked, this, &FirePage::Btn_FireCancelClick);
    m_recorder = new QWidget(container);
    m_recorder->setObjectName("gbFireRecorder");
    m_recorder->hide();
    Edt_FireTime1 = m_timeEdits[0];
    Edt_FireTime2 = m_timeEdits[1];
    Edt_FireTime3 = m_timeEdits[2];
    showPreset();
}

QLineEdit* FirePage::fieldEdit(int row, FireField field) const {
    const std::size_t i = slot(row);
    switch (field) {
        case FireField::Count:
            return Edt_FireCnt[i];
        case FireField::X:
            return Edt_FireX[i];
        case FireField::Y:
            return Edt_FireY[i];
        case FireField::Offset:
            return Edt_FireYOffset[i];
        case FireField::Time:
            return m_timeEdits[i];
    }
    return nullptr;
}

int FirePage::macroOfRow(int row) const {
    const FirePresetRows rows = firePresetRows(m_preset);
    if (row < 1 || row > rows.rowCount) return 0;
    return rows.firstMacro + row - 1;
}

void FirePage::fillFromModel(const PageSource& model) {
    m_sections = model.sections;
    m_values = model.values;
    showPreset();
}

EditResult FirePage::edit(const std::function<EditResult(ConfigModel&)>& change) {
    return m_services.editor.edit(*this, [&](ConfigModel& model) {
        EditResult result = change(model);
        keep(model);
        return result;
    });
}

void FirePage::keep(const ConfigModel& model) {
    m_sections = model.sections();
    m_values = model.values();
}

void FirePage::openForButton(int keyMode, int button) {
    m_keyMode = keyMode;
    m_button = button;
    selectPreset(1);
}

void FirePage::selectPreset(int preset) {
    if (firePresetRows(preset).rowCount == 0) return;
    m_preset = preset;
    // Shown macros take the fire code kind of their flag.
    edit([this](ConfigModel& model) {
        EditResult result;
        for (int r = 1; r <= kRows; ++r)
            if (const int macro = macroOfRow(r))
                result.changed = model.showFireMacro(macro).changed || result.changed;
        return result;
    });
    showPreset();
}

void FirePage::showPreset() {
    m_loadingSuppress = true;
    for (int r = 1; r <= kRows; ++r)
        for (const FireField field : kFields) fieldEdit(r, field)->setText("0");
    const int rowCount = firePresetRows(m_preset).rowCount;
    for (int r = 1; r <= kRows; ++r) {
        const std::size_t i = slot(r);
        const bool visible = r <= rowCount;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 lbl_FireRKFS[i], Img_FireRKFS[i], Edt_FireCnt[i], Edt_FireX[i], Edt_FireY[i],
                 Edt_FireYOffset[i], m_timeEdits[i], IB_FireColor[i], cs_FireColor[i],
                 Img_FireColor[i]})
            w->setVisible(visible);
    }
    for (int n = 1; n <= 5; ++n)
        Img_GunMode[slot(n)]->setVisible(n <= 2 ? m_preset == 6 : m_preset == 7);
    for (int k = 1; k <= 7; ++k)
        m_presets[slot(k)].image->setSkin(
            QString("Gun%1_%2").arg(k).arg(k == m_preset ? "02" : "01"));
    for (int r = 1; r <= rowCount; ++r) showRow(r);
    m_loadingSuppress = false;
}

void FirePage::showRow(int row) {
    const int macro = macroOfRow(row);
    const std::size_t i = slot(row);
    const FireMacroValues v = decodeFireMacro(m_sections.fireMacroRecords[slot(macro)]);
    auto show = [](QLineEdit* e, const std::optional<FireOperand>& operand) {
        if (operand) e->setText(QString::number(operand->value));
    };
    show(Edt_FireCnt[i], v.count);
    show(Edt_FireX[i], v.x);
    show(Edt_FireY[i], v.y);
    show(m_timeEdits[i], v.timeMs);
    if (v.stopsOnRelease) cb_FireRKFS[i]->setChecked(*v.stopsOnRelease);
    Img_FireRKFS[i]->setSkin(cb_FireRKFS[i]->isChecked() ? "CbS_E" : "CbS_D");
    Edt_FireYOffset[i]->setText(QString::number(fireYOffset(m_sections, macro)));
    cs_FireColor[i]->setColour(colourOf(m_values.edt_FireMacroColor[slot(macro)]));
}

void FirePage::editRowField(int row, FireField field) {
    const int macro = macroOfRow(row);
    if (m_loadingSuppress || macro == 0) return;
    QLineEdit* e = fieldEdit(row, field);
    const std::size_t i = slot(row);
    const int y = Edt_FireY[i]->text().toInt();
    const FireEdit kept = fireFieldEdit(field, e->text().toStdString(), y);
    if (QString::fromStdString(kept.text) != e->text()) {
        // The clamped text comes back through this handler and is written then.
        e->setText(QString::fromStdString(kept.text));
        return;
    }
    if (!kept.value) return;
    const int value = *kept.value;
    edit([&](ConfigModel& model) {
        switch (field) {
            case FireField::Count:
                return model.setFireParameter(macro, FireParameter::Count, value);
            case FireField::X:
                return model.setFireParameter(macro, FireParameter::X, value);
            case FireField::Y:
                return model.setFireParameter(macro, FireParameter::Y, value);
            case FireField::Time:
                return model.setFireParameter(macro, FireParameter::Time, value);
            case FireField::Offset:
                return model.setFireYOffset(macro, value);
        }
        return EditResult{};
    });
    // A new Y sets the offset back to 0, as the model stored it.
    if (field == FireField::Y) {
        m_loadingSuppress = true;
        Edt_FireYOffset[i]->setText(QString::number(fireYOffset(m_sections, macro)));
        m_loadingSuppress = false;
    }
}

void FirePage::toggleStopOnRelease(int row) {
    const int macro = macroOfRow(row);
    if (m_loadingSuppress || macro == 0) return;
    const std::size_t i = slot(row);
    const bool on = !cb_FireRKFS[i]->isChecked();
    cb_FireRKFS[i]->setChecked(on);
    Img_FireRKFS[i]->setSkin(on ? "CbS_E" : "CbS_D");
    edit([&](ConfigModel& model) { return model.setFireStopOnRelease(macro, on); });
}

void FirePage::chooseRowColour(int row) {
    const int macro = macroOfRow(row);
    if (m_loadingSuppress || macro == 0) return;
    const std::size_t i = slot(row);
    const auto chosen = m_services.dialogs.colourDialog(
        IB_FireColor[i], colourOf(m_values.edt_FireMacroColor[slot(macro)]));
    if (!chosen) return;
    cs_FireColor[i]->setColour(*chosen);
    const FireColour colour{static_cast<std::uint8_t>(chosen->red()),
                            static_cast<std::uint8_t>(chosen->green()),
                            static_cast<std::uint8_t>(chosen->blue())};
    edit([&](ConfigModel& model) { return model.setFireColour(macro, colour); });
}

void FirePage::confirmPreset() {
    const std::string code = firePresetCode(m_preset, m_services.gun6Count, m_services.gun7Count);
    bool keepsLeftKey = false;
    if (m_button != 0)
        edit([&](ConfigModel& model) {
            int leftKeys = 0;
            for (int k = 1; k <= ProfileCodes::kButtons; ++k)
                leftKeys += model.buttonFunction(m_keyMode, k) == kLeftKeyCode ? 1 : 0;
            keepsLeftKey =
                leftKeys == 1 && model.buttonFunction(m_keyMode, m_button) == kLeftKeyCode;
            if (keepsLeftKey || m_keyMode != kGameMode) return EditResult{};
            return model.setButtonFunction(m_keyMode, m_button, code);
        });
    if (keepsLeftKey) {
        m_services.messages.messageDialog(textkey::kKeepLeftKey);
        return;
    }
    if (m_services.confirmFire) m_services.confirmFire();
}

void FirePage::cancelEdits() {
    edit([](ConfigModel& model) { return model.revertFire(); });
    showPreset();
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

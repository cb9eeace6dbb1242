#include "settings/engineer_page.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <tuple>

#include "formats/language.h"
#include "settings/gun_list_view.h"
#include "settings/key_names.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace {

// Every row of the operator sheet is one control high, so rows of neighbouring groups line up.
constexpr int kRowHeight = 22;
constexpr int kRowGap = 2;
constexpr int kNumberWidth = 32;

template <typename W, typename... Args>
W* make(const QString& name, QWidget* parent, Args&&... args) {
    W* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    return w;
}

QString numbered(const char* stem, int k, const char* suffix = "") {
    return QString("%1%2%3").arg(stem).arg(k).arg(suffix);
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent, QRect geometry) {
    auto* b = make<QPushButton>(name, parent, caption);
    b->setGeometry(geometry);
    return b;
}

template <typename W>
W* row(W* w) {
    w->setFixedHeight(kRowHeight);
    return w;
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent) {
    return row(make<QLabel>(name, parent, caption));
}

QLineEdit* numberEdit(const QString& name, QWidget* parent, int width = kNumberWidth) {
    auto* e = row(make<QLineEdit>(name, parent));
    e->setFixedWidth(width);
    return e;
}

QComboBox* combo(const QString& name, QWidget* parent, const QStringList& items = {}) {
    auto* c = row(make<QComboBox>(name, parent));
    c->addItems(items);
    return c;
}

QStringList counting(int from, int to) {
    QStringList items;
    for (int k = from; k <= to; ++k) items << QString::number(k);
    return items;
}

QGroupBox* group(const char* name, const QString& title, QWidget* parent, QRect geometry) {
    auto* g = make<QGroupBox>(name, parent, title);
    g->setGeometry(geometry);
    return g;
}

QGridLayout* grid(QGroupBox* box, int side = 8) {
    auto* g = new QGridLayout(box);
    g->setContentsMargins(side, 2, side, 4);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(kRowGap);
    return g;
}

// Rows packed from the top, whatever height the box has left over.
void packRows(QGridLayout* g) { g->setRowStretch(g->rowCount(), 1); }

// A level's controls keep their cell while hidden, so the rows of the colour group stay level
// with the DPI rows.
void keepCell(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// Group box height for `rows` rows: title line, the rows and the bottom margin.
constexpr int groupHeight(int rows) { return 26 + rows * kRowHeight + (rows - 1) * kRowGap; }

}  // namespace

EngineerPage::EngineerPage(QWidget* parent, TermColumn terms) : QWidget(parent), m_terms(terms) {
    setObjectName("EngineerPageContent");
    setGeometry(0, 0, parent->width(), parent->height());
    setAutoFillBackground(true);

    Img_Logo4 = new SkinImage("Img_Logo4", this);
    Img_Logo4->setSkin("AppIcon");
    Img_Logo4->move(20, 12);

    // Navigation and commands along the top.
    const int y = 20;
    Btn_Main_6 = button("Btn_Main_6", term(0), this, {100, y, 110, 28});
    Btn_Switch_6 = button("Btn_Switch_6", term(1), this, {215, y, 110, 28});
    Btn_Adv_6 = button("Btn_Adv_6", term(2), this, {330, y, 110, 28});
    Btn_Breath_6 = button("Btn_Breath_6", term(3), this, {445, y, 110, 28});
    Btn_Macro_6 = button("Btn_Macro_6", term(4), this, {560, y, 110, 28});
    Btn_Load_6 = button("Btn_Load_6", term(6), this, {690, y, 80, 28});
    Btn_Save_6 = button("Btn_Save_6", term(7), this, {775, y, 80, 28});
    btn_Write = button("btn_Write", term(10), this, {860, y, 80, 28});

    Pg_Parameter = make<QTabWidget>("Pg_Parameter", this);
    Pg_Parameter->setGeometry(20, 80, 990, 520);
    ts_Operator = make<QWidget>("ts_Operator", nullptr);
    ts_Engineer = make<QWidget>("ts_Engineer", nullptr);
    Pg_Parameter->addTab(ts_Operator, term(13));
    Pg_Parameter->addTab(ts_Engineer, term(14));
    Pg_Parameter->setTabVisible(1, false);

    buildOperatorSheet();

    // The mark beside Default that a finished restore shows.
    auto* result = new SkinImage("Img_Result", ts_Operator);
    result->setSkin("CbS_E");
    result->hide();
    if (Btn_Default)
        result->move(Btn_Default->geometry().right() + 8, Btn_Default->geometry().top() + 6);

    // The buttons of both key modes, captioned with their functions.
    for (int mode = 1; mode <= 2; ++mode) {
        auto* group = new QGroupBox(term(87 + mode), ts_Engineer);
        group->setObjectName(QString("gbKeyMode%1").arg(mode));
        group->setGeometry(10 + (mode - 1) * 250, 10, 240, 9 * 34 + 30);
        for (int k = 1; k <= 9; ++k) {
            auto* b = new QPushButton(group);
            b->setObjectName(QString("btn_Key%1%2").arg(mode).arg(k, 2, 10, QChar('0')));
            b->setGeometry(10, 24 + (k - 1) * 34, 220, 28);
            (mode == 1 ? btn_Key1 : btn_Key2)[static_cast<std::size_t>(k - 1)] = b;
        }
    }

    gunList = new GunListView(ts_Engineer, {term(90), term(91), term(92), term(93), term(94)});

    lbl_Notes = make<QLabel>("lbl_Notes", this, term(138));
    lbl_Notes->setGeometry(20, 612, 60, 24);
    lbl_Content = make<QLabel>("lbl_Content", this);
    lbl_Content->setGeometry(80, 612, 900, 24);

    bindControls();
    setValues(SettingsValues{});
    giveHints();
}

QString EngineerPage::term(int number) const {
    const std::string_view text = termText(number, m_terms);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The operator sheet, about 990 x 490: the DPI levels and their colours, the radio pairs, the
// switches and the lights in columns across the top; the fire macros along the bottom.
void EngineerPage::buildOperatorSheet() {
    buildLevels();
    buildRadioPairs();
    buildLighting();
    buildIdentification();
    buildFire();

    // The commands, under the level colours.
    btn_TestKeys = button("btn_TestKeys", term(8), ts_Operator, {172, 200, 164, 28});
    Btn_ImportBaseMacro = button("Btn_ImportBaseMacro", term(11), ts_Operator, {172, 232, 164, 28});
    Btn_ImportGunMacro = button("Btn_ImportGunMacro", term(12), ts_Operator, {172, 264, 164, 28});
    Btn_ImportGunMacro->hide();
    Btn_Default = button("Btn_Default", term(9), ts_Operator, {172, 296, 164, 28});
    Btn_Default->hide();
}

void EngineerPage::buildLevels() {
    gbCPI = group("gbCPI", term(76), ts_Operator, {4, 4, 164, groupHeight(10)});
    auto* levels = grid(gbCPI);
    const QStringList dpiItems = [] {
        QStringList items;
        for (const int dpi : kDpiValues) items << QString::number(dpi);
        return items;
    }();
    for (int k = 1; k <= kMaxDpiLevels; ++k) {
        auto* l = label(numbered("lbl_CPI", k), term(78 + k), gbCPI);
        auto* c = combo(numbered("cb_CPI", k), gbCPI, dpiItems);
        keepCell(l);
        keepCell(c);
        levels->addWidget(l, k - 1, 0);
        levels->addWidget(c, k - 1, 1);
        lbl_CPI[k - 1] = l;
        cb_CPI[k - 1] = c;
    }
    lbl_CPIStep = label("lbl_CPIStep", term(77), gbCPI);
    cb_CPIStep = combo("cb_CPIStep", gbCPI, counting(2, kMaxDpiLevels));
    lbl_CurrentCPI = label("lbl_CurrentCPI", term(78), gbCPI);
    cb_CurrentCPI = combo("cb_CurrentCPI", gbCPI);
    cb_Smooth = row(make<QCheckBox>("cb_Smooth", gbCPI, "Smooth"));
    levels->addWidget(lbl_CPIStep, kMaxDpiLevels, 0);
    levels->addWidget(cb_CPIStep, kMaxDpiLevels, 1);
    levels->addWidget(lbl_CurrentCPI, kMaxDpiLevels + 1, 0);
    levels->addWidget(cb_CurrentCPI, kMaxDpiLevels + 1, 1);
    levels->addWidget(cb_Smooth, kMaxDpiLevels + 2, 0, 1, 2);
    packRows(levels);

    // Level k's colour on the same row as its DPI value.
    gbMCULEDCPIColor =
        group("gbMCULEDCPIColor", term(34), ts_Operator, {172, 4, 164, groupHeight(kMaxDpiLevels)});
    auto* colours = grid(gbMCULEDCPIColor);
    static constexpr const char* kChannels[] = {"R", "G", "B"};
    for (int k = 1; k <= kMaxDpiLevels; ++k) {
        for (int c = 0; c < 3; ++c) {
            auto* l = label(numbered("lbl_CPI", k, kChannels[c]), kChannels[c], gbMCULEDCPIColor);
            auto* e = numberEdit(numbered("edt_CPI", k, kChannels[c]), gbMCULEDCPIColor);
            keepCell(l);
            keepCell(e);
            colours->addWidget(l, k - 1, 2 * c);
            colours->addWidget(e, k - 1, 2 * c + 1);
            lbl_CPIColor[k - 1][c] = l;
            edt_CPIColor[k - 1][c] = e;
        }
    }
    packRows(colours);
}

void EngineerPage::buildRadioPairs() {
    const int x = 340, w = 206;
    gbLEDType = group("gbLEDType", term(15), ts_Operator, {x, 4, w, groupHeight(2)});
    auto* types = grid(gbLEDType);
    rb_MCULED = row(make<QRadioButton>("rb_MCULED", gbLEDType, term(16)));
    rb_RBLED = row(make<QRadioButton>("rb_RBLED", gbLEDType, term(17)));
    rb_SyncLED = row(make<QRadioButton>("rb_SyncLED", gbLEDType, term(18)));
    rb_BreLED = row(make<QRadioButton>("rb_BreLED", gbLEDType, term(19)));
    int cell = 0;
    for (QRadioButton* rb : {rb_MCULED, rb_RBLED, rb_SyncLED, rb_BreLED}) {
        types->addWidget(rb, cell / 2, cell % 2);
        rb->setEnabled(false);
        ++cell;
    }
    gbLEDType->setEnabled(false);

    int top = 4 + groupHeight(2) + 4;
    const auto pair = [&](const char* box, int title, const char* onName, int onText,
                          const char* offName, int offText) {
        auto* g = group(box, term(title), ts_Operator, {x, top, w, groupHeight(1)});
        auto* layout = grid(g);
        auto* on = row(make<QRadioButton>(onName, g, term(onText)));
        auto* off = row(make<QRadioButton>(offName, g, term(offText)));
        layout->addWidget(on, 0, 0);
        layout->addWidget(off, 0, 1);
        top += groupHeight(1) + 4;
        return std::tuple{g, on, off};
    };
    std::tie(gbLEDStatus, rb_LEDOn, rb_LEDOff) =
        pair("gbLEDStatus", 20, "rb_LEDOn", 21, "rb_LEDOff", 22);
    std::tie(gbB4CPI, rb_B4CPIOn, rb_B4CPIOff) =
        pair("gbB4CPI", 23, "rb_B4CPIOn", 21, "rb_B4CPIOff", 22);
    std::tie(gbLCPI, rb_LCPIOn, rb_LCPIOff) = pair("gbLCPI", 30, "rb_LCPIOn", 21, "rb_LCPIOff", 22);
    std::tie(gbMCULEDControlMode, rb_MCULED3Control, rb_MCULED6Control) =
        pair("gbMCULEDControlMode", 31, "rb_MCULED3Control", 32, "rb_MCULED6Control", 33);
    std::tie(gbSaveKeyMode, rb_Save, rb_NoSave) =
        pair("gbSaveKeyMode", 61, "rb_Save", 62, "rb_NoSave", 63);

    // The next column: fire function, key mode switches.
    const int x2 = 550, w2 = 198;
    top = 4;
    gbFireFn = group("gbFireFn", term(24), ts_Operator, {x2, top, w2, groupHeight(1)});
    auto* fire = grid(gbFireFn);
    rb_FireFnOn = row(make<QRadioButton>("rb_FireFnOn", gbFireFn, term(25)));
    rb_FireFnOff = row(make<QRadioButton>("rb_FireFnOff", gbFireFn, term(26)));
    fire->addWidget(rb_FireFnOn, 0, 0);
    fire->addWidget(rb_FireFnOff, 0, 1);

    top += groupHeight(1) + 4;
    gbSwitchFn = group("gbSwitchFn", term(57), ts_Operator, {x2, top, w2, groupHeight(3)});
    auto* switches = grid(gbSwitchFn);
    cb_MidPress = row(make<QCheckBox>("cb_MidPress", gbSwitchFn, term(58)));
    cb_CPIPress = row(make<QCheckBox>("cb_CPIPress", gbSwitchFn, term(59)));
    cb_GunPress = row(make<QCheckBox>("cb_GunPress", gbSwitchFn, term(60)));
    switches->addWidget(cb_MidPress, 0, 0);
    switches->addWidget(cb_CPIPress, 1, 0);
    switches->addWidget(cb_GunPress, 2, 0);
}

void EngineerPage::buildLighting() {
    const int x = 752, w = 226;
    int top = 4;
    gbMCULEDMode = group("gbMCULEDMode", term(95), ts_Operator, {x, top, w, groupHeight(3)});
    auto* modes = grid(gbMCULEDMode);
    for (int k = 1; k <= 7; ++k) {
        // Mode 7 switches the light off and is captioned so.
        auto* c =
            row(make<QCheckBox>(numbered("cb_Mode", k), gbMCULEDMode, term(k < 7 ? 39 + k : 56)));
        modes->addWidget(c, (k - 1) % 3, (k - 1) / 3);
        cb_Mode[k - 1] = c;
    }

    top += groupHeight(3) + 4;
    gbMCULEDCurrent = group("gbMCULEDCurrent", term(37), ts_Operator, {x, top, w, groupHeight(3)});
    auto* current = grid(gbMCULEDCurrent);
    lbl_MCULEDNum = label("lbl_MCULEDNum", term(38), gbMCULEDCurrent);
    edt_MCULEDNum = numberEdit("edt_MCULEDNum", gbMCULEDCurrent);
    lbl_MCULEDCurrentMode = label("lbl_MCULEDCurrentMode", term(39), gbMCULEDCurrent);
    cb_MCULEDCurrentMode = combo("cb_MCULEDCurrentMode", gbMCULEDCurrent);
    for (int k = 1; k <= 7; ++k) cb_MCULEDCurrentMode->addItem(term(39 + k));
    lbl_MCULEDCrtStep = label("lbl_MCULEDCrtStep", term(47), gbMCULEDCurrent);
    edt_MCULEDCrtStep = numberEdit("edt_MCULEDCrtStep", gbMCULEDCurrent);
    current->addWidget(lbl_MCULEDNum, 0, 0);
    current->addWidget(edt_MCULEDNum, 0, 1, Qt::AlignLeft);
    current->addWidget(lbl_MCULEDCurrentMode, 1, 0);
    current->addWidget(cb_MCULEDCurrentMode, 1, 1);
    current->addWidget(lbl_MCULEDCrtStep, 2, 0);
    current->addWidget(edt_MCULEDCrtStep, 2, 1, Qt::AlignLeft);
    current->setColumnStretch(1, 1);

    top += groupHeight(3) + 4;
    gbRBLEDMode = group("gbRBLEDMode", term(48), ts_Operator, {x, top, w, groupHeight(2)});
    auto* rb = grid(gbRBLEDMode);
    lbl_RBLEDCurrentMode = label("lbl_RBLEDCurrentMode", term(49), gbRBLEDMode);
    cb_RBLEDCurrentMode = combo("cb_RBLEDCurrentMode", gbRBLEDMode);
    for (int t = 50; t <= 56; ++t) cb_RBLEDCurrentMode->addItem(term(t));
    // The RB mode names are long: the combo takes a row of its own.
    rb->addWidget(lbl_RBLEDCurrentMode, 0, 0);
    rb->addWidget(cb_RBLEDCurrentMode, 1, 0);
}

void EngineerPage::buildIdentification() {
    // Under the switches: orientation, key mode and the identification bytes to write.
    const int x = 554, labelWidth = 72, fieldX = x + labelWidth + 4;
    int top = 234;
    const auto place = [&](QLabel* l, QWidget* field, int fieldWidth) {
        l->setGeometry(x, top, labelWidth, kRowHeight);
        field->setGeometry(fieldX, top, fieldWidth, kRowHeight);
        top += kRowHeight + 4;
    };
    lbl_SensorOri = label("lbl_SensorOri", term(64), ts_Operator);
    lbl_SensorOri->setEnabled(false);
    cb_SensorOri = combo("cb_SensorOri", ts_Operator);
    for (int t = 65; t <= 72; ++t) cb_SensorOri->addItem(term(t));
    cb_SensorOri->setEnabled(false);
    place(lbl_SensorOri, cb_SensorOri, 118);

    lbl_KeyMode = label("lbl_KeyMode", term(87), ts_Operator);
    cb_KeyMode = combo("cb_KeyMode", ts_Operator, {term(88), term(89)});
    place(lbl_KeyMode, cb_KeyMode, 118);

    lbl_VendorID = label("lbl_VendorID", term(35), ts_Operator);
    edt_VendorID = numberEdit("edt_VendorID", ts_Operator);
    place(lbl_VendorID, edt_VendorID, 44);
    lbl_ProductID = label("lbl_ProductID", term(36), ts_Operator);
    edt_ProductID = numberEdit("edt_ProductID", ts_Operator);
    place(lbl_ProductID, edt_ProductID, 44);

    // The identification bytes read from the mouse, under the lights.
    const int readX = 756;
    top = 4 + 2 * groupHeight(3) + groupHeight(2) + 16;
    lbl_VendorID_Rd = label("lbl_VendorID_Rd", term(35), ts_Operator);
    lbl_VendorID_Rd->setGeometry(readX, top, labelWidth, kRowHeight);
    edt_VendorID_Rd = numberEdit("edt_VendorID_Rd", ts_Operator, 44);
    edt_VendorID_Rd->move(readX + labelWidth + 4, top);
    edt_VendorID_Rd->setReadOnly(true);
    top += kRowHeight + 4;
    lbl_ProductID_Rd = label("lbl_ProductID_Rd", term(36), ts_Operator);
    lbl_ProductID_Rd->setGeometry(readX, top, labelWidth, kRowHeight);
    edt_ProductID_Rd = numberEdit("edt_ProductID_Rd", ts_Operator, 44);
    edt_ProductID_Rd->move(readX + labelWidth + 4, top);
    edt_ProductID_Rd->setReadOnly(true);
}

void EngineerPage::buildFire() {
    gbFireMode = group("gbFireMode", term(27), ts_Operator,
                       {550, 4 + groupHeight(1) + groupHeight(3) + 8, 198, groupHeight(2)});
    auto* mode = grid(gbFireMode);
    lbl_FireCount = label("lbl_FireCount", term(28), gbFireMode);
    cb_FireCount = combo("cb_FireCount", gbFireMode, counting(1, 256));
    lbl_FireTime = label("lbl_FireTime", term(29), gbFireMode);
    edt_FireTime = numberEdit("edt_FireTime", gbFireMode);
    lbl_FireTimeUnit = label("lbl_FireTimeUnit", "(*8ms)", gbFireMode);
    cb_IsFireContinue = make<QCheckBox>("cb_IsFireContinue", gbFireMode);
    cb_IsFireContinue->hide();
    mode->addWidget(lbl_FireCount, 0, 0);
    mode->addWidget(cb_FireCount, 0, 1, 1, 2);
    mode->addWidget(lbl_FireTime, 1, 0);
    mode->addWidget(edt_FireTime, 1, 1);
    mode->addWidget(lbl_FireTimeUnit, 1, 2);
    mode->setColumnStretch(2, 1);

    // Ten macros in two halves of five rows: macro k beside macro k + 5.
    const int bottom = 350;
    gbFireMacroColor = group("gbFireMacroColor", term(96), ts_Operator, {4, bottom, 648, 136});
    auto* colours = grid(gbFireMacroColor, 6);
    static constexpr const char* kChannels[] = {"R", "G", "B"};
    for (int k = 1; k <= 10; ++k) {
        const int r = (k - 1) % 5, half = (k - 1) / 5 * 7;
        for (int c = 0; c < 3; ++c) {
            auto* l = label(numbered("lbl_FireMacroColor", k, kChannels[c]), term(94 + 3 * k + c),
                            gbFireMacroColor);
            auto* e = numberEdit(numbered("edt_FireMacroColor", k, kChannels[c]), gbFireMacroColor);
            colours->addWidget(l, r, half + 2 * c);
            colours->addWidget(e, r, half + 2 * c + 1);
            lbl_FireMacroColor[k - 1][c] = l;
            edt_FireMacroColor[k - 1][c] = e;
        }
    }
    colours->setColumnMinimumWidth(6, 4);
    packRows(colours);

    gbFireMacroYOffset =
        group("gbFireMacroYOffset", term(127), ts_Operator, {656, bottom, 316, 136});
    auto* offsets = grid(gbFireMacroYOffset, 6);
    for (int k = 1; k <= 10; ++k) {
        const int r = (k - 1) % 5, half = (k - 1) / 5 * 3;
        auto* l = label(numbered("lbl_YOffset", k), term(127 + k), gbFireMacroYOffset);
        auto* e = numberEdit(numbered("edt_YOffset", k), gbFireMacroYOffset, 36);
        offsets->addWidget(l, r, half);
        offsets->addWidget(e, r, half + 1);
        lbl_YOffset[k - 1] = l;
        edt_YOffset[k - 1] = e;
    }
    offsets->setColumnMinimumWidth(2, 4);
    packRows(offsets);
}

void EngineerPage::giveHints() {
    // Each control's hint is its own caption, shown in the note line while hovered.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setStatusTip(b->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            g->setStatusTip(g->title());
    }
}

void EngineerPage::unlock() {
    Pg_Parameter->setTabVisible(1, true);
    Btn_Default->show();
    Btn_ImportGunMacro->show();
    for (QWidget* w : std::initializer_list<QWidget*>{gbLEDType, rb_MCULED, rb_RBLED, rb_SyncLED,
                                                      rb_BreLED, lbl_SensorOri, cb_SensorOri})
        w->setEnabled(true);
}

void EngineerPage::fillFromModel(const PageSource& model) {
    setValues(model.values);
    showKeyNames(model);
}

void EngineerPage::showKeyNames(const PageSource& model) {
    if (m_language == nullptr) return;
    const QStringList first = keyNames(model, 1, *m_language);
    const QStringList second = keyNames(model, 2, *m_language);
    for (int k = 0; k < 9; ++k) {
        btn_Key1[static_cast<std::size_t>(k)]->setText(first[k]);
        btn_Key2[static_cast<std::size_t>(k)]->setText(second[k]);
    }
}

}  // namespace vornik

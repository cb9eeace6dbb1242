// The glue between the engineer page's holding controls and SettingsValues, and the page's own
// change handlers.

#include "settings/engineer_binding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "formats/decimal.h"
#include "settings/engineer_page.h"

namespace vornik {

namespace {

// A plain decimal number (digits only), saturated far above any edit's range.
std::optional<long> plainNumber(std::string_view text) {
    const auto value = decimalValue(text, Sign::None);
    if (!value) return std::nullopt;
    return static_cast<long>(std::min(*value, 1'000'000LL));
}

// Keeps a plain number up to `high`, replaces a larger one by `high` and anything else by
// `fallback`.
std::string clampPlain(std::string_view text, long high, std::string_view fallback) {
    const auto value = plainNumber(text);
    if (!value) return std::string(fallback);
    if (*value > high) return std::to_string(high);
    return std::string(text);
}

constexpr int kMinLevels = 2;

// The level count a cb_CPIStep index stands for, as the write takes it.
int levelCountFor(int cpiStep) {
    return std::clamp(cpiStep + kMinLevels, kMinLevels, kMaxDpiLevels);
}

int number(const QLineEdit* edit) { return editFieldValue(edit->text().toStdString()); }

void showNumber(QLineEdit* edit, int value) { edit->setText(QString::number(value)); }

void choose(QRadioButton* whenTrue, QRadioButton* whenFalse, bool value) {
    (value ? whenTrue : whenFalse)->setChecked(true);
}

// Clamps an edit's text on every change, the program's own changes included. A clamped text
// clamps to itself, so the change the correction makes ends there.
void clampOnChange(QLineEdit* edit, std::string (*clamp)(std::string_view)) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, clamp](const QString& text) {
        const std::string now = text.toStdString();
        const std::string kept = clamp(now);
        if (kept != now) edit->setText(QString::fromStdString(kept));
    });
}

// Blocks the signals of every control on a sheet while it lives.
class QuietSheet {
  public:
    explicit QuietSheet(QWidget* sheet) {
        const auto controls = sheet->findChildren<QWidget*>();
        m_blockers.reserve(static_cast<std::size_t>(controls.size()));
        for (QWidget* w : controls) m_blockers.emplace_back(w);
    }

  private:
    std::vector<QSignalBlocker> m_blockers;
};

}  // namespace

int editFieldValue(std::string_view text) {
    const auto value = decimalValue(text, Sign::Minus);
    return value ? static_cast<int>(std::clamp<long long>(*value, INT_MIN, INT_MAX)) : 0;
}

std::string clampEngineerColourEditText(std::string_view text) {
    return clampPlain(text, 255, "0");
}

std::string clampLedNumberEditText(std::string_view text) {
    const auto value = plainNumber(text);
    if (!value) return "13";
    if (*value == 0 || *value == 2 || *value == 3) return "4";
    if (*value > 13) return "13";
    return std::string(text);
}

std::string ledNumberExitText(std::string_view text) {
    return plainNumber(text) == 1 ? "4" : std::string(text);
}

std::string clampLedStepEditText(std::string_view text) { return clampPlain(text, 7, "0"); }

std::string clampFireTimeEditText(std::string_view text) { return clampPlain(text, 255, "100"); }

void EngineerPage::setValues(const SettingsValues& v) {
    const QuietSheet quiet(ts_Operator);

    choose(rb_B4CPIOn, rb_B4CPIOff, v.rb_B4CPIOn);
    choose(rb_FireFnOn, rb_FireFnOff, v.rb_FireFnOn);
    choose(rb_LCPIOn, rb_LCPIOff, v.rb_LCPIOn);
    choose(rb_NoSave, rb_Save, v.rb_NoSave);
    cb_SensorOri->setCurrentIndex(v.cb_SensorOri);
    switch (v.gbLEDType) {
        case LedType::Flowing:
            rb_MCULED->setChecked(true);
            break;
        case LedType::TwoColour:
            rb_RBLED->setChecked(true);
            break;
        case LedType::Synchronous:
            rb_SyncLED->setChecked(true);
            break;
        case LedType::Breathing:
            rb_BreLED->setChecked(true);
            break;
    }
    showLedTypeGroups(v.gbLEDType);

    cb_MidPress->setChecked(v.cb_MidPress);
    cb_CPIPress->setChecked(v.cb_CPIPress);
    cb_GunPress->setChecked(v.cb_GunPress);
    cb_Smooth->setChecked(v.cb_Smooth);

    cb_CPIStep->setCurrentIndex(v.cb_CPIStep);
    relistCurrentLevels(levelCountFor(v.cb_CPIStep));
    showLevels(levelCountFor(v.cb_CPIStep));

    choose(rb_MCULED3Control, rb_MCULED6Control, v.rb_MCULED3Control);
    showNumber(edt_MCULEDNum, v.edt_MCULEDNum);
    for (std::size_t k = 0; k < cb_Mode.size(); ++k) cb_Mode[k]->setChecked(v.cb_Mode[k]);
    relistMCULEDModes();

    for (std::size_t level = 0; level < cb_CPI.size(); ++level) {
        cb_CPI[level]->setCurrentIndex(v.cb_CPI[level]);
        for (std::size_t c = 0; c < 3; ++c)
            showNumber(edt_CPIColor[level][c], v.edt_CPIColor[level][c]);
    }

    cb_CurrentCPI->setCurrentIndex(v.cb_CurrentCPI);
    cb_MCULEDCurrentMode->setCurrentIndex(v.cb_MCULEDCurrentMode);
    cb_RBLEDCurrentMode->setCurrentIndex(v.cb_RBLEDCurrentMode);
    showNumber(edt_MCULEDCrtStep, v.edt_MCULEDCrtStep);
    choose(rb_LEDOff, rb_LEDOn, v.rb_LEDOff);

    cb_KeyMode->setCurrentIndex(v.cb_KeyMode);
    cb_KeyMode->setEnabled(!v.rb_NoSave);
    showNumber(edt_VendorID, v.edt_VendorID);
    showNumber(edt_ProductID, v.edt_ProductID);

    for (std::size_t k = 0; k < edt_YOffset.size(); ++k)
        showNumber(edt_YOffset[k], v.edt_YOffset[k]);
    for (std::size_t k = 0; k < edt_FireMacroColor.size(); ++k)
        for (std::size_t c = 0; c < 3; ++c)
            showNumber(edt_FireMacroColor[k][c], v.edt_FireMacroColor[k][c]);
    cb_IsFireContinue->setChecked(v.cb_IsFireContinue);
    cb_FireCount->setCurrentIndex(v.cb_FireCount);
    showNumber(edt_FireTime, v.edt_FireTime);
}

SettingsValues EngineerPage::values() const {
    SettingsValues v;
    v.rb_B4CPIOn = rb_B4CPIOn->isChecked();
    v.rb_FireFnOn = rb_FireFnOn->isChecked();
    v.rb_LCPIOn = rb_LCPIOn->isChecked();
    v.rb_NoSave = rb_NoSave->isChecked();
    v.cb_SensorOri = cb_SensorOri->currentIndex();
    v.gbLEDType = rb_RBLED->isChecked()     ? LedType::TwoColour
                  : rb_SyncLED->isChecked() ? LedType::Synchronous
                  : rb_BreLED->isChecked()  ? LedType::Breathing
                                            : LedType::Flowing;

    v.cb_MidPress = cb_MidPress->isChecked();
    v.cb_CPIPress = cb_CPIPress->isChecked();
    v.cb_GunPress = cb_GunPress->isChecked();
    v.cb_Smooth = cb_Smooth->isChecked();
    v.cb_CPIStep = cb_CPIStep->currentIndex();

    v.rb_MCULED3Control = rb_MCULED3Control->isChecked();
    v.edt_MCULEDNum = number(edt_MCULEDNum);
    for (std::size_t k = 0; k < cb_Mode.size(); ++k) v.cb_Mode[k] = cb_Mode[k]->isChecked();

    for (std::size_t level = 0; level < cb_CPI.size(); ++level) {
        v.cb_CPI[level] = cb_CPI[level]->currentIndex();
        for (std::size_t c = 0; c < 3; ++c)
            v.edt_CPIColor[level][c] = number(edt_CPIColor[level][c]);
    }

    v.cb_CurrentCPI = cb_CurrentCPI->currentIndex();
    v.cb_MCULEDCurrentMode = cb_MCULEDCurrentMode->currentIndex();
    v.cb_RBLEDCurrentMode = cb_RBLEDCurrentMode->currentIndex();
    v.edt_MCULEDCrtStep = number(edt_MCULEDCrtStep);
    v.rb_LEDOff = rb_LEDOff->isChecked();
    v.cb_KeyMode = cb_KeyMode->currentIndex();
    v.edt_VendorID = number(edt_VendorID);
    v.edt_ProductID = number(edt_ProductID);

    for (std::size_t k = 0; k < edt_YOffset.size(); ++k) v.edt_YOffset[k] = number(edt_YOffset[k]);
    for (std::size_t k = 0; k < edt_FireMacroColor.size(); ++k)
        for (std::size_t c = 0; c < 3; ++c)
            v.edt_FireMacroColor[k][c] = number(edt_FireMacroColor[k][c]);
    v.cb_FireCount = cb_FireCount->currentIndex();
    v.cb_IsFireContinue = cb_IsFireContinue->isChecked();
    v.edt_FireTime = number(edt_FireTime);
    return v;
}

void EngineerPage::bindControls() {
    for (auto& level : edt_CPIColor)
        for (QLineEdit* e : level) clampOnChange(e, clampEngineerColourEditText);
    for (auto& macro : edt_FireMacroColor)
        for (QLineEdit* e : macro) clampOnChange(e, clampEngineerColourEditText);
    for (QLineEdit* e : edt_YOffset) clampOnChange(e, clampYOffsetEditText);
    clampOnChange(edt_VendorID, clampIdEditText);
    clampOnChange(edt_ProductID, clampIdEditText);
    clampOnChange(edt_MCULEDNum, clampLedNumberEditText);
    clampOnChange(edt_MCULEDCrtStep, clampLedStepEditText);
    clampOnChange(edt_FireTime, clampFireTimeEditText);
    connect(edt_MCULEDNum, &QLineEdit::editingFinished, this, [this] {
        const std::string now = edt_MCULEDNum->text().toStdString();
        const std::string kept = ledNumberExitText(now);
        if (kept != now) edt_MCULEDNum->setText(QString::fromStdString(kept));
    });

    connect(cb_CPIStep, &QComboBox::activated, this, &EngineerPage::applyLevelCount);
    for (QCheckBox* c : cb_Mode)
        connect(c, &QCheckBox::toggled, this, &EngineerPage::refreshLedModes);

    const std::pair<QRadioButton*, LedType> types[] = {{rb_MCULED, LedType::Flowing},
                                                       {rb_RBLED, LedType::TwoColour},
                                                       {rb_SyncLED, LedType::Synchronous},
                                                       {rb_BreLED, LedType::Breathing}};
    for (const auto& choice : types)
        connect(choice.first, &QRadioButton::toggled, this, [this, type = choice.second](bool on) {
            if (on) showLedTypeGroups(type);
        });

    // "No Save" starts the mouse in key mode 1, so the key mode is not the user's to choose.
    connect(rb_NoSave, &QRadioButton::toggled, this, &EngineerPage::keyModeFollowsSave);

    // A chosen count ends continuous fire; continuous fire leaves the count without a choice.
    connect(cb_FireCount, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) cb_IsFireContinue->setChecked(false);
    });
    connect(cb_IsFireContinue, &QCheckBox::toggled, this, [this](bool on) {
        if (on) cb_FireCount->setCurrentIndex(kNoItem);
    });
    reportEdits();
}

void EngineerPage::reportEdits() {
    // setValues blocks every signal of the sheet, so only edits and the page's own follow-ups
    // (relisted levels, clamped texts) are told. The handlers above run first.
    for (QComboBox* box : ts_Operator->findChildren<QComboBox*>())
        connect(box, &QComboBox::currentIndexChanged, this, &EngineerPage::valuesEdited);
    for (QLineEdit* edit : ts_Operator->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &EngineerPage::valuesEdited);
    for (QAbstractButton* button : ts_Operator->findChildren<QAbstractButton*>())
        if (button->isCheckable())
            connect(button, &QAbstractButton::toggled, this, &EngineerPage::valuesEdited);
}

void EngineerPage::keyModeFollowsSave() {
    if (rb_NoSave->isChecked()) cb_KeyMode->setCurrentIndex(0);
    cb_KeyMode->setEnabled(!rb_NoSave->isChecked());
}

void EngineerPage::applyLevelCount() {
    const int count = levelCountFor(cb_CPIStep->currentIndex());
    relistCurrentLevels(count);
    cb_CurrentCPI->setCurrentIndex(count - 1);
    showLevels(count);
}

void EngineerPage::relistCurrentLevels(int count) {
    cb_CurrentCPI->clear();
    for (int k = 1; k <= count; ++k) cb_CurrentCPI->addItem(QString::number(k));
}

void EngineerPage::showLevels(int count) {
    // Levels 1 and 2 are always in use.
    for (int k = 3; k <= kMaxDpiLevels; ++k) {
        const bool shown = k <= count;
        lbl_CPI[k - 1]->setVisible(shown);
        cb_CPI[k - 1]->setVisible(shown);
        for (int c = 0; c < 3; ++c) {
            lbl_CPIColor[k - 1][c]->setVisible(shown);
            edt_CPIColor[k - 1][c]->setVisible(shown);
        }
    }
}

void EngineerPage::refreshLedModes() {
    relistMCULEDModes();
    cb_MCULEDCurrentMode->setCurrentIndex(0);
}

void EngineerPage::relistMCULEDModes() {
    // A disabled mode keeps its place in the list, so the index still is the mode number - 1.
    for (int k = 1; k <= 7; ++k)
        cb_MCULEDCurrentMode->setItemText(k - 1,
                                          cb_Mode[k - 1]->isChecked() ? term(39 + k) : "------");
}

void EngineerPage::showLedTypeGroups(LedType type) {
    const bool flowing = type == LedType::Flowing;
    const bool twoColour = type == LedType::TwoColour;
    gbRBLEDMode->setVisible(twoColour);
    gbLCPI->setVisible(flowing || twoColour);
    for (QGroupBox* g : {gbMCULEDControlMode, gbMCULEDCurrent, gbMCULEDCPIColor})
        g->setVisible(flowing);
}

}  // namespace vornik

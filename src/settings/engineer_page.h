#pragma once

#include <QWidget>
#include <array>

#include "formats/engineer_terms.h"
#include "model/parameters.h"
#include "model/settings_values.h"
#include "ui/page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vornik {

class GunListView;
class SkinImage;

// Page 6: every raw setting as a plain control, on two tab sheets; its engineer sheet and a
// few controls stay hidden or disabled until the page is unlocked. The controls of the
// operator sheet hold the settings (SettingsValues names them field by field); rows of like
// controls are arrays indexed from level, mode or macro 1 minus one.
class EngineerPage : public QWidget, public Page {
    Q_OBJECT

  public:
    // `terms` is the column of the engineer term table the captions come from.
    explicit EngineerPage(QWidget* parent, TermColumn terms = TermColumn::English);

    QWidget* widget() const override { return const_cast<EngineerPage*>(this); }
    // The holding controls and the key buttons of both key modes.
    void fillFromModel(const PageSource& model) override;
    // The page keeps its engineer captions and its font; the language names the key buttons'
    // functions (showKeyNames).
    void applyLanguage(const LanguageTable& language) override { m_language = &language; }
    bool keepsOwnFont() const override { return true; }
    // btn_Key101..btn_Key109 and btn_Key201..btn_Key209 name the codes of both key modes.
    void showKeyNames(const PageSource& model);

    // Shows the engineer sheet and the hidden buttons, enables the LED type and orientation.
    void unlock();
    void giveHints();

    // Fills the holding controls as a refresh after a read does, with the lists and row
    // visibility that follow from the values. No control emits a signal while it is filled.
    void setValues(const SettingsValues& values);
    // What the holding controls hold now.
    SettingsValues values() const;

    // The level count handler's part on this page: cb_CurrentCPI relisted "1".."n" with its
    // last item selected, levels 3..7 shown up to n. Runs when the user picks a count.
    void applyLevelCount();
    // Relists cb_MCULEDCurrentMode from the enabled modes and selects its first item. Runs when
    // a cb_Mode box is toggled.
    void refreshLedModes();
    // Shows the groups that belong to the LED type. Runs when a type radio button is chosen.
    void showLedTypeGroups(LedType type);

  signals:
    // A holding control changed other than by setValues: values() holds the new settings.
    void valuesEdited();

  public:
    SkinImage* Img_Logo4;
    QTabWidget* Pg_Parameter;
    QWidget* ts_Operator;
    QWidget* ts_Engineer;
    QPushButton* Btn_Main_6;
    QPushButton* Btn_Switch_6;
    QPushButton* Btn_Adv_6;
    QPushButton* Btn_Breath_6;
    QPushButton* Btn_Macro_6;
    QPushButton* Btn_Save_6;
    QPushButton* Btn_Load_6;
    QPushButton* btn_Write;
    QPushButton* btn_TestKeys;
    std::array<QPushButton*, 9> btn_Key1{};  // btn_Key101 … btn_Key109 (key mode 1)
    std::array<QPushButton*, 9> btn_Key2{};  // btn_Key201 … btn_Key209 (key mode 2)
    QPushButton* Btn_Default;
    QPushButton* Btn_ImportBaseMacro;
    QPushButton* Btn_ImportGunMacro;
    QGroupBox* gbLEDType;
    QRadioButton* rb_MCULED;
    QRadioButton* rb_RBLED;
    QRadioButton* rb_SyncLED;
    QRadioButton* rb_BreLED;
    QLabel* lbl_SensorOri;
    QComboBox* cb_SensorOri;
    QLabel* lbl_KeyMode;
    QComboBox* cb_KeyMode;
    QLabel* lbl_VendorID_Rd;
    QLineEdit* edt_VendorID_Rd;
    QLabel* lbl_ProductID_Rd;
    QLineEdit* edt_ProductID_Rd;
    QLabel* lbl_Notes;
    QLabel* lbl_Content;

    // The radio pairs.
    QGroupBox* gbLEDStatus;
    QRadioButton* rb_LEDOn;
    QRadioButton* rb_LEDOff;
    QGroupBox* gbB4CPI;
    QRadioButton* rb_B4CPIOn;
    QRadioButton* rb_B4CPIOff;
    QGroupBox* gbLCPI;
    QRadioButton* rb_LCPIOn;
    QRadioButton* rb_LCPIOff;
    QGroupBox* gbMCULEDControlMode;
    QRadioButton* rb_MCULED3Control;
    QRadioButton* rb_MCULED6Control;
    QGroupBox* gbSaveKeyMode;
    QRadioButton* rb_Save;
    QRadioButton* rb_NoSave;
    QGroupBox* gbFireFn;
    QRadioButton* rb_FireFnOn;
    QRadioButton* rb_FireFnOff;

    QGroupBox* gbSwitchFn;
    QCheckBox* cb_MidPress;
    QCheckBox* cb_CPIPress;
    QCheckBox* cb_GunPress;

    // DPI levels.
    QGroupBox* gbCPI;
    std::array<QLabel*, kMaxDpiLevels> lbl_CPI{};    // lbl_CPI1..lbl_CPI7
    std::array<QComboBox*, kMaxDpiLevels> cb_CPI{};  // cb_CPI1..cb_CPI7
    QLabel* lbl_CPIStep;
    QComboBox* cb_CPIStep;
    QLabel* lbl_CurrentCPI;
    QComboBox* cb_CurrentCPI;
    QCheckBox* cb_Smooth;
    QGroupBox* gbMCULEDCPIColor;
    // lbl_CPIkR/G/B and edt_CPIkR/G/B as [k - 1][0..2].
    std::array<std::array<QLabel*, 3>, kMaxDpiLevels> lbl_CPIColor{};
    std::array<std::array<QLineEdit*, 3>, kMaxDpiLevels> edt_CPIColor{};

    // Flowing and RB light.
    QGroupBox* gbMCULEDMode;
    std::array<QCheckBox*, 7> cb_Mode{};  // cb_Mode1..cb_Mode7
    QGroupBox* gbMCULEDCurrent;
    QLabel* lbl_MCULEDNum;
    QLineEdit* edt_MCULEDNum;
    QLabel* lbl_MCULEDCurrentMode;
    QComboBox* cb_MCULEDCurrentMode;
    QLabel* lbl_MCULEDCrtStep;
    QLineEdit* edt_MCULEDCrtStep;
    QGroupBox* gbRBLEDMode;
    QLabel* lbl_RBLEDCurrentMode;
    QComboBox* cb_RBLEDCurrentMode;

    // The identification bytes to write.
    QLabel* lbl_VendorID;
    QLineEdit* edt_VendorID;
    QLabel* lbl_ProductID;
    QLineEdit* edt_ProductID;

    // The fire key and the fire macros.
    QGroupBox* gbFireMode;
    QLabel* lbl_FireCount;
    QComboBox* cb_FireCount;
    QLabel* lbl_FireTime;
    QLineEdit* edt_FireTime;
    QLabel* lbl_FireTimeUnit;
    QCheckBox* cb_IsFireContinue;  // hidden; the fire key editor shows it as an image
    QGroupBox* gbFireMacroColor;
    // lbl_FireMacroColorkR/G/B and edt_FireMacroColorkR/G/B as [k - 1][0..2].
    std::array<std::array<QLabel*, 3>, 10> lbl_FireMacroColor{};
    std::array<std::array<QLineEdit*, 3>, 10> edt_FireMacroColor{};
    QGroupBox* gbFireMacroYOffset;
    std::array<QLabel*, 10> lbl_YOffset{};     // lbl_YOffset1..lbl_YOffset10
    std::array<QLineEdit*, 10> edt_YOffset{};  // edt_YOffset1..edt_YOffset10

    // The engineer sheet's gun list.
    GunListView* gunList = nullptr;

  private:
    QString term(int number) const;
    void buildOperatorSheet();
    void buildRadioPairs();
    void buildLevels();
    void buildLighting();
    void buildFire();
    void buildIdentification();
    // Connects the page's own handlers: edit clamps, list rebuilds, paired choices.
    void bindControls();
    // Every change of a holding control is told as valuesEdited.
    void reportEdits();
    void showLevels(int count);
    void relistCurrentLevels(int count);
    void relistMCULEDModes();
    void keyModeFollowsSave();

    TermColumn m_terms;
    const LanguageTable* m_language = nullptr;
};

}  // namespace vornik

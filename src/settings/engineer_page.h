#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vornik {

class SkinImage;

// Page 6: every raw setting as a plain control, on two tab sheets; its engineer sheet and a
// few controls stay hidden or disabled until the page is unlocked.
class EngineerPage : public QWidget {
    Q_OBJECT

  public:
    explicit EngineerPage(QWidget* parent);

    // Shows the engineer sheet and the hidden buttons, enables the LED type and orientation.
    void unlock();

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
};

}  // namespace vornik

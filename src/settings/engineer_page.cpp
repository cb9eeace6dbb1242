#include "settings/engineer_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace {

template <typename W, typename... Args>
W* make(const char* name, QWidget* parent, Args&&... args) {
    W* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    return w;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent, QRect geometry) {
    auto* b = make<QPushButton>(name, parent, caption);
    b->setGeometry(geometry);
    return b;
}

}  // namespace

EngineerPage::EngineerPage(QWidget* parent) : QWidget(parent) {
    setObjectName("EngineerPageContent");
    setGeometry(0, 0, parent->width(), parent->height());
    setAutoFillBackground(true);

    Img_Logo4 = new SkinImage("Img_Logo4", this);
    Img_Logo4->setSkin("AppIcon");
    Img_Logo4->move(20, 12);

    // Navigation and commands along the top.
    const int y = 20;
    Btn_Main_6 = button("Btn_Main_6", "Office Mode", this, {100, y, 110, 28});
    Btn_Switch_6 = button("Btn_Switch_6", "Gaming Mode", this, {215, y, 110, 28});
    Btn_Adv_6 = button("Btn_Adv_6", "Advanced", this, {330, y, 110, 28});
    Btn_Breath_6 = button("Btn_Breath_6", "Breathing Light", this, {445, y, 110, 28});
    Btn_Macro_6 = button("Btn_Macro_6", "Macro", this, {560, y, 110, 28});
    Btn_Load_6 = button("Btn_Load_6", "Load", this, {690, y, 80, 28});
    Btn_Save_6 = button("Btn_Save_6", "Save", this, {775, y, 80, 28});
    btn_Write = button("btn_Write", "Apply", this, {860, y, 80, 28});

    Pg_Parameter = make<QTabWidget>("Pg_Parameter", this);
    Pg_Parameter->setGeometry(20, 80, 990, 520);
    ts_Operator = make<QWidget>("ts_Operator", nullptr);
    ts_Engineer = make<QWidget>("ts_Engineer", nullptr);
    Pg_Parameter->addTab(ts_Operator, "Operation");
    Pg_Parameter->addTab(ts_Engineer, "Engineer");
    Pg_Parameter->setTabVisible(1, false);

    gbLEDType = make<QGroupBox>("gbLEDType", ts_Operator, "LED Type");
    gbLEDType->setGeometry(10, 10, 200, 130);
    auto* ledLayout = new QVBoxLayout(gbLEDType);
    rb_MCULED = make<QRadioButton>("rb_MCULED", gbLEDType, "MCU LED");
    rb_RBLED = make<QRadioButton>("rb_RBLED", gbLEDType, "RB LED");
    rb_SyncLED = make<QRadioButton>("rb_SyncLED", gbLEDType, "Sync LED");
    rb_BreLED = make<QRadioButton>("rb_BreLED", gbLEDType, "Breath LED");
    for (QRadioButton* rb : {rb_MCULED, rb_RBLED, rb_SyncLED, rb_BreLED}) {
        ledLayout->addWidget(rb);
        rb->setEnabled(false);
    }
    gbLEDType->setEnabled(false);

    lbl_SensorOri = make<QLabel>("lbl_SensorOri", ts_Operator, "Sensor Ori:");
    lbl_SensorOri->setGeometry(230, 20, 90, 24);
    lbl_SensorOri->setEnabled(false);
    cb_SensorOri = make<QComboBox>("cb_SensorOri", ts_Operator);
    cb_SensorOri->setGeometry(320, 20, 180, 24);
    cb_SensorOri->addItems({"0°", "90°", "180°", "270°", "X Reverse", "Y Reverse",
                            "XY Swap XY Reverse", "XY Swap XY NoReverse"});
    cb_SensorOri->setEnabled(false);

    lbl_KeyMode = make<QLabel>("lbl_KeyMode", ts_Operator, "Key Mode:");
    lbl_KeyMode->setGeometry(230, 56, 90, 24);
    cb_KeyMode = make<QComboBox>("cb_KeyMode", ts_Operator);
    cb_KeyMode->setGeometry(320, 56, 180, 24);
    cb_KeyMode->addItems({"Key Mode1", "Key Mode2"});

    btn_TestKeys = button("btn_TestKeys", "Test Keys Position", ts_Operator, {10, 160, 200, 28});
    Btn_ImportBaseMacro =
        button("Btn_ImportBaseMacro", "Import Base Macro", ts_Operator, {10, 196, 200, 28});
    Btn_ImportGunMacro =
        button("Btn_ImportGunMacro", "Import Fire Macro", ts_Operator, {10, 232, 200, 28});
    Btn_ImportGunMacro->hide();
    Btn_Default = button("Btn_Default", "Default", ts_Operator, {10, 268, 200, 28});
    Btn_Default->hide();

    // The identification bytes read from the mouse.
    lbl_VendorID_Rd = make<QLabel>("lbl_VendorID_Rd", ts_Operator, "Vendor ID:");
    lbl_VendorID_Rd->setGeometry(530, 20, 90, 24);
    edt_VendorID_Rd = make<QLineEdit>("edt_VendorID_Rd", ts_Operator);
    edt_VendorID_Rd->setGeometry(620, 20, 60, 24);
    edt_VendorID_Rd->setReadOnly(true);
    lbl_ProductID_Rd = make<QLabel>("lbl_ProductID_Rd", ts_Operator, "Product ID:");
    lbl_ProductID_Rd->setGeometry(530, 56, 90, 24);
    edt_ProductID_Rd = make<QLineEdit>("edt_ProductID_Rd", ts_Operator);
    edt_ProductID_Rd->setGeometry(620, 56, 60, 24);
    edt_ProductID_Rd->setReadOnly(true);

    lbl_Notes = make<QLabel>("lbl_Notes", this, "Notes: ");
    lbl_Notes->setGeometry(20, 612, 60, 24);
    lbl_Content = make<QLabel>("lbl_Content", this);
    lbl_Content->setGeometry(80, 612, 900, 24);
}

void EngineerPage::unlock() {
    Pg_Parameter->setTabVisible(1, true);
    Btn_Default->show();
    Btn_ImportGunMacro->show();
    for (QWidget* w : std::initializer_list<QWidget*>{gbLEDType, rb_MCULED, rb_RBLED, rb_SyncLED,
                                                      rb_BreLED, lbl_SensorOri, cb_SensorOri})
        w->setEnabled(true);
}

}  // namespace vornik

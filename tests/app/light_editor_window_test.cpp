// The lighting editor of the Light page in the window over the simulated mouse: which controls
// each light type shows, the bars, the modes, the Save / No Save choice, and what Apply writes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "app/device_buttons.h"
#include "settings/engineer_page.h"
#include "ui/navigation.h"
#include "window_fixture.h"

namespace vornik {
namespace {

constexpr std::size_t kParameterA = section::kParameterA.address;
constexpr std::size_t kParameterB = section::kParameterB.address;
using Positions = std::vector<int>;

class LightEditorTest : public MainWindowTest {
  protected:
    void readMouseOnLightPage() {
        connectMouse();
        window->navigation().Btn_Breath_0Click();
    }
    void setValues(const std::function<void(SettingsValues&)>& change) {
        SettingsValues values = session->model.values();
        change(values);
        ASSERT_TRUE(session->model.setValues(values).ok());
    }
    static QString name(const char* stem, int k) { return QString("%1%2").arg(stem).arg(k); }
    QWidget* control(const QString& name) { return find<QWidget>(qPrintable(name)); }
    bool shown(const QString& name) { return !control(name)->isHidden(); }
    QString skin(const QString& name) { return skinOf(qPrintable(name)); }
    void click(const QString& name) {
        QTest::mouseClick(control(name), Qt::LeftButton, {}, QPoint(2, 2));
    }
    // The lit positions of a bar, 1 first.
    std::vector<int> lit(const char* stem, int positions) {
        std::vector<int> out;
        for (int k = 1; k <= positions; ++k)
            if (skin(QString("Img_%1_%2").arg(stem).arg(k)) == "Bar1_E") out.push_back(k);
        return out;
    }
    // The chosen buttons of a mode row.
    std::vector<int> chosenModes(const char* stem) {
        std::vector<int> out;
        for (int k = 1; k <= 7; ++k)
            if (skin(name(stem, k)) == "RdS_E") out.push_back(k);
        return out;
    }
};

// Which controls each light type shows on the Light page and, for the DPI colours, on the
// Advanced page; the breathing light leaves the colour row as the type before it left it.
TEST_F(LightEditorTest, EachLightTypeShowsItsControls) {
    readMouseOnLightPage();
    struct Case {
        LedType type;
        bool leftDpi, flowing, rb, colours;
    };
    const Case cases[] = {
        {LedType::Flowing, true, true, false, true},
        {LedType::TwoColour, true, false, true, false},
        {LedType::Synchronous, false, false, false, false},
        {LedType::Breathing, false, false, false, false},
        {LedType::Flowing, true, true, false, true},
        {LedType::Breathing, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "light type " << static_cast<int>(c.type));
        setValues([&](SettingsValues& v) { v.gbLEDType = c.type; });
        for (const char* stem : {"Img_LCPIOn", "lbl_LCPIOff"}) EXPECT_EQ(shown(stem), c.leftDpi);
        for (const char* stem : {"Img_MCULED3Control", "lbl_MCULED6Control"})
            EXPECT_EQ(shown(stem), c.flowing);
        EXPECT_EQ(shown("Img_MCULEDMode1"), c.flowing);
        EXPECT_EQ(shown("Img_MCULEDNum_1"), c.flowing);
        EXPECT_EQ(shown("lbl_MCULEDStep_8"), c.flowing);
        EXPECT_EQ(shown("Img_RBLEDMode7"), c.rb);
        EXPECT_EQ(shown("lbl_RBLEDMode1"), c.rb);
        EXPECT_EQ(shown("lbl_DPI1Col"), c.colours);
        EXPECT_EQ(shown("cs_DPI7Col"), c.colours);
        // Present for every type.
        EXPECT_TRUE(shown("Img_LEDOn"));
        EXPECT_TRUE(shown("Img_B4CPIOff"));
        EXPECT_TRUE(shown("Img_NoSaveKeyMode"));
    }
}

// DPILED_Status 1 lights the chosen position alone, 0 every position up to it; the engineer
// page's edits and the bars follow each other.
TEST_F(LightEditorTest, BarsShowTheLedNumberAndStepInTheirStyle) {
    for (const bool slider : {true, false}) {
        SCOPED_TRACE(slider ? "slider style" : "progress style");
        session->options.dpiLedSlider = slider;
        restartWindow();
        readMouseOnLightPage();
        EngineerPage& engineer = window->engineerPage();
        setValues([](SettingsValues& v) {
            v.gbLEDType = LedType::Flowing;
            v.edt_MCULEDNum = 8;
            v.edt_MCULEDCrtStep = 3;
        });
        EXPECT_EQ(lit("MCULEDNum", 10), (slider ? Positions{5} : Positions{1, 2, 3, 4, 5}));
        EXPECT_EQ(lit("MCULEDStep", 8), (slider ? Positions{4} : Positions{1, 2, 3, 4}));

        click("Img_MCULEDStep_1");
        EXPECT_EQ(engineer.edt_MCULEDCrtStep->text(), "0");
        EXPECT_EQ(lit("MCULEDStep", 8), std::vector{1});
        click("lbl_MCULEDStep_8");
        EXPECT_EQ(engineer.edt_MCULEDCrtStep->text(), "7");
        click("Img_MCULEDNum_10");
        EXPECT_EQ(engineer.edt_MCULEDNum->text(), "13");
        EXPECT_EQ(session->model.values().edt_MCULEDNum, 13);

        // Typed on the engineer page: a lone "1" may start 10 to 13.
        engineer.edt_MCULEDNum->selectAll();
        QTest::keyClicks(engineer.edt_MCULEDNum, "1");
        QTest::keyClicks(engineer.edt_MCULEDNum, "2");
        EXPECT_EQ(engineer.edt_MCULEDNum->text(), "12");
        EXPECT_EQ(session->model.values().edt_MCULEDNum, 12);
        EXPECT_EQ(lit("MCULEDNum", 10).back(), 9);
    }
}

TEST_F(LightEditorTest, ModeButtonsFollowTheModesInTheCycle) {
    readMouseOnLightPage();
    EngineerPage& engineer = window->engineerPage();
    setValues([](SettingsValues& v) {
        v.gbLEDType = LedType::Flowing;
        v.cb_Mode.fill(true);
        v.cb_MCULEDCurrentMode = 4;
    });
    EXPECT_EQ(chosenModes("Img_MCULEDMode"), std::vector{5});

    click("lbl_MCULEDMode2");
    EXPECT_EQ(chosenModes("Img_MCULEDMode"), std::vector{2});
    EXPECT_EQ(engineer.cb_MCULEDCurrentMode->currentIndex(), 1);

    engineer.cb_Mode[2]->click();
    EXPECT_FALSE(shown("Img_MCULEDMode3"));
    EXPECT_FALSE(shown("lbl_MCULEDMode3"));
    EXPECT_TRUE(shown("Img_MCULEDMode4"));
    EXPECT_EQ(engineer.cb_MCULEDCurrentMode->itemText(2), "------");
    EXPECT_EQ(engineer.cb_MCULEDCurrentMode->currentIndex(), 0);
    EXPECT_EQ(chosenModes("Img_MCULEDMode"), std::vector{1});

    // The RB light's own row and combo.
    setValues([](SettingsValues& v) { v.gbLEDType = LedType::TwoColour; });
    click("Img_RBLEDMode6");
    EXPECT_EQ(chosenModes("Img_RBLEDMode"), std::vector{6});
    EXPECT_EQ(engineer.cb_RBLEDCurrentMode->currentIndex(), 5);
}

// "No Save" on the Light page holds the mouse in key mode 1: the engineer page's key mode is
// fixed at 1 and the write stores it.
TEST_F(LightEditorTest, NoSaveWritesKeyModeOne) {
    readMouseOnLightPage();
    EngineerPage& engineer = window->engineerPage();
    ASSERT_TRUE(session->model.setKeyMode(2).ok());
    ASSERT_EQ(engineer.cb_KeyMode->currentIndex(), 1);

    click("Img_NoSaveKeyMode");
    EXPECT_EQ(skin("Img_NoSaveKeyMode"), "RdS_E");
    EXPECT_EQ(skin("Img_SaveKeyMode"), "RdS_D");
    EXPECT_TRUE(engineer.rb_NoSave->isChecked());
    EXPECT_EQ(engineer.cb_KeyMode->currentIndex(), 0);
    EXPECT_FALSE(engineer.cb_KeyMode->isEnabled());
    EXPECT_FALSE(session->model.setKeyMode(2).ok());

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory()[kParameterB + 4], 0x00);
    EXPECT_EQ(mouse->memory()[kParameterA + 0] & 0x08, 0x08);

    click("lbl_SaveKeyMode");
    EXPECT_TRUE(engineer.cb_KeyMode->isEnabled());
    EXPECT_TRUE(session->model.setKeyMode(2).ok());
}

// The synchronous light has no modes, LED number or step: its state byte holds only the LED
// status bit.
TEST_F(LightEditorTest, SynchronousLightWritesOnlyTheStatusBit) {
    readMouseOnLightPage();
    setValues([](SettingsValues& v) {
        v.gbLEDType = LedType::Synchronous;
        v.edt_MCULEDCrtStep = 5;
        v.cb_MCULEDCurrentMode = 3;
    });
    for (const QString& stem : {QString("Img_MCULEDMode1"), QString("Img_RBLEDMode1"),
                                QString("Img_MCULEDNum_4"), QString("Img_MCULEDStep_2")})
        EXPECT_FALSE(shown(stem)) << stem.toStdString();

    for (const bool on : {false, true}) {
        click(on ? "lbl_LEDOn" : "Img_LEDOff");
        EXPECT_EQ(skin("Img_LEDOn"), on ? "RdS_E" : "RdS_D");
        ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
        EXPECT_EQ(mouse->memory()[kParameterB + 2], on ? 0x00 : 0x08) << on;
    }
}

// Every lighting control set on the Light page, applied, the model changed and the mouse read
// again: the controls show what was set, and the bytes are what was set.
TEST_F(LightEditorTest, WhatTheLightControlsSetSurvivesApplyAndRead) {
    readMouseOnLightPage();
    setValues([](SettingsValues& v) {
        v.gbLEDType = LedType::Flowing;
        v.cb_Mode.fill(true);
    });
    click("Img_LEDOn");
    click("lbl_LCPIOff");
    click("Img_B4CPIOn");
    click("lbl_MCULED6Control");
    click("Img_SaveKeyMode");
    click("lbl_MCULEDMode4");
    click("Img_MCULEDNum_6");   // 9 LEDs
    click("Img_MCULEDStep_3");  // step 2

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    const auto& m = mouse->memory();
    EXPECT_EQ(m[kParameterA + 0] & 0x0D, 0x01);           // Back + DPI on, Left + DPI off, Save
    EXPECT_EQ(m[kParameterA + 3] & 0xF8, (13 - 9) << 4);  // half brightness, 9 LEDs
    EXPECT_EQ(m[kParameterA + 4] & 0xFE, 0xFE);           // every mode in the cycle
    EXPECT_EQ(m[kParameterB + 2], (2 << 5) | 4);          // step 2, LED on, mode 4

    // Other values in the model, then Read.
    session->model.loadFromImage(builtInImage());
    setValues([](SettingsValues& v) {
        v.rb_LCPIOn = true;
        v.rb_B4CPIOn = false;
        v.rb_MCULED3Control = true;
        v.edt_MCULEDNum = 4;
        v.edt_MCULEDCrtStep = 7;
        v.cb_MCULEDCurrentMode = 0;
    });
    window->deviceButtons().Btn_Read_0Click();
    window->navigation().Btn_Breath_0Click();
    EXPECT_EQ(skin("Img_LEDOn"), "RdS_E");
    EXPECT_EQ(skin("Img_LCPIOff"), "RdS_E");
    EXPECT_EQ(skin("Img_LCPIOn"), "RdS_D");
    EXPECT_EQ(skin("Img_B4CPIOn"), "RdS_E");
    EXPECT_EQ(skin("Img_MCULED6Control"), "RdS_E");
    EXPECT_EQ(skin("Img_SaveKeyMode"), "RdS_E");
    EXPECT_EQ(chosenModes("Img_MCULEDMode"), std::vector{4});
    EXPECT_EQ(lit("MCULEDNum", 10), std::vector{6});
    EXPECT_EQ(lit("MCULEDStep", 8), std::vector{3});
    EngineerPage& engineer = window->engineerPage();
    EXPECT_EQ(engineer.edt_MCULEDNum->text(), "9");
    EXPECT_EQ(engineer.edt_MCULEDCrtStep->text(), "2");
    EXPECT_TRUE(engineer.rb_MCULED6Control->isChecked());
    EXPECT_TRUE(engineer.rb_LCPIOff->isChecked());
}

}  // namespace
}  // namespace vornik

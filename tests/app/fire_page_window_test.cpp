// The fire page and the fire key editor in the window over the simulated mouse: the presets'
// rows, the edits' key filters and clamps, and what Confirm and Cancel do to the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app/device_buttons.h"
#include "fire/fire_page.h"
#include "formats/language_keys.h"
#include "settings/button_editor.h"
#include "settings/button_page.h"
#include "settings/engineer_page.h"
#include "settings/function_menu.h"
#include "ui/navigation.h"
#include "ui/widgets/skin_slider.h"
#include "window_fixture.h"

namespace vornik {
namespace {

constexpr std::size_t kRecords = section::kFireMacroRegion.address;
// Ten shots, X 0, Y 12, 96 ms apart, running to their end.
constexpr std::array<std::uint8_t, 14> kShots{0x00, 0x0C, 0xFD, 0x09, 0xA1, 0xFB, 0x00,
                                              0xFA, 0x0C, 0xFE, 0x0C, 0x21, 0xFC, 0x81};
constexpr std::size_t kCount = 3, kX = 6, kY = 8, kTime = 10;
// Button 4 of Game Mode in the profile section.
constexpr std::size_t kGameButton4 = section::kProfile.address + 27 + 9;

class FirePageTest : public MainWindowTest {
  protected:
    // The mouse with ten-shot fire macros 1 to 10, read, and the fire page opened for button
    // `button` of Game Mode.
    void openFirePage(int button = 4) {
        plugMouse();
        for (std::size_t n = 0; n < 10; ++n)
            std::copy(kShots.begin(), kShots.end(), mouse->memory().begin() + kRecords + 24 * n);
        window->monitor().tick();
        ASSERT_TRUE(session->mouseConnected());
        window->openFirePage(2, button);
    }
    FirePage& page() { return window->firePage(); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    // Types `keys` over the whole text, as a user who selected it does.
    void type(QLineEdit* e, const char* keys) {
        e->selectAll();
        QTest::keyClicks(e, keys);
    }
    void click(const char* label) {
        QTest::mouseClick(find<QWidget>(label), Qt::LeftButton, {}, QPoint(2, 2));
    }
    const FireMacroRecord& workRecord(int n) {
        return session->model.sections().fireMacroRecords[static_cast<std::size_t>(n - 1)];
    }
    // Which of rows 1..3 and markers 1..5 the page shows.
    std::vector<bool> rowsShown() {
        std::vector<bool> shown;
        for (int r = 1; r <= 3; ++r)
            for (const char* stem :
                 {"Edt_FireCnt%1", "Edt_FireY%1", "Edt_FireY%1Offset", "Edt_FireTime%1",
                  "IB_FireColor%1", "cs_FireColor%1", "lbl_FireRKFS%1", "Img_FireRKFS%1"}) {
                QWidget* w = find<QWidget>(qPrintable(QString(stem).arg(r)));
                // Every control of a row goes with it.
                EXPECT_EQ(w->isVisibleTo(page().widget()),
                          find<QWidget>(qPrintable(QString("Edt_FireCnt%1").arg(r)))
                              ->isVisibleTo(page().widget()))
                    << stem << r;
            }
        for (int r = 1; r <= 3; ++r)
            shown.push_back(
                edit(qPrintable(QString("Edt_FireCnt%1").arg(r)))->isVisibleTo(page().widget()));
        return shown;
    }
    std::vector<bool> markersShown() {
        std::vector<bool> shown;
        for (int n = 1; n <= 5; ++n)
            shown.push_back(find<QWidget>(qPrintable(QString("Img_GunMode%1").arg(n)))
                                ->isVisibleTo(page().widget()));
        return shown;
    }
};

TEST_F(FirePageTest, PresetsShowTheirRowsAndMarkers) {
    openFirePage();
    EXPECT_EQ(page().preset(), 1);
    EXPECT_EQ(rowsShown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(markersShown(), std::vector<bool>(5, false));
    EXPECT_EQ(edit("Edt_FireCnt1")->text(), "10");
    EXPECT_EQ(edit("Edt_FireY1")->text(), "12");
    EXPECT_EQ(edit("Edt_FireTime1")->text(), "96");

    click("Btn_Fire6");
    EXPECT_EQ(rowsShown(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(markersShown(), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(skinOf("Img_Fire6"), "Gun6_02");
    EXPECT_EQ(skinOf("Img_Fire1"), "Gun1_01");

    click("Btn_Fire3");
    EXPECT_EQ(rowsShown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(markersShown(), std::vector<bool>(5, false));
    EXPECT_EQ(skinOf("Img_Fire6"), "Gun6_01");

    click("Btn_Fire7");
    EXPECT_EQ(rowsShown(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(markersShown(), (std::vector<bool>{false, false, true, true, true}));
}

// What each edit keeps of what is typed over it, and what reaches fire macro 1.
TEST_F(FirePageTest, RowEditsFilterKeysAndClampWhatTheyWrite) {
    openFirePage();
    struct Case {
        const char* edit;
        const char* keys;
        const char* shown;
        std::size_t at;  // the record byte the value goes to
        std::uint8_t stored;
    } cases[] = {
        {"Edt_FireCnt1", "300", "256", kCount, 0xFF},   {"Edt_FireCnt1", "0", "1", kCount, 0x00},
        {"Edt_FireCnt1", "7a-", "7", kCount, 0x06},  // only digits are taken
        {"Edt_FireX1", "-129", "-128", kX, 0x80},       {"Edt_FireX1", "-5", "-5", kX, 0xFB},
        {"Edt_FireY1", "-200", "127", kY, 127},  // no "-"; 200 becomes 127
        {"Edt_FireTime1", "2040", "2040", kTime, 0xFF}, {"Edt_FireTime1", "7", "7", kTime, 0x00},
        {"Edt_FireTime1", "5000", "2040", kTime, 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edit << " " << c.keys);
        type(edit(c.edit), c.keys);
        EXPECT_EQ(edit(c.edit)->text(), c.shown);
        EXPECT_EQ(workRecord(1)[c.at], c.stored);
        EXPECT_TRUE(fireChecksumValid(workRecord(1)));
    }

    // A lone "-" stays and changes nothing.
    const FireMacroRecord before = workRecord(1);
    type(edit("Edt_FireX1"), "-");
    EXPECT_EQ(edit("Edt_FireX1")->text(), "-");
    EXPECT_EQ(workRecord(1), before);

    // A new Y sets the offset to 0; the offset then keeps Y + offset within 127, and the
    // engineer page's offset edit shows the same.
    type(edit("Edt_FireY1Offset"), "-20");
    EXPECT_EQ(session->model.values().edt_YOffset[0], -20);
    type(edit("Edt_FireY1"), "100");
    EXPECT_EQ(edit("Edt_FireY1Offset")->text(), "0");
    EXPECT_EQ(session->model.sections().fireOffset[0], 0);
    type(edit("Edt_FireY1Offset"), "50");
    EXPECT_EQ(edit("Edt_FireY1Offset")->text(), "27");
    EXPECT_EQ(session->model.sections().fireOffset[0], 27);
    EXPECT_EQ(session->model.sections().fireOffset[1], 0xE4);
    EXPECT_EQ(window->engineerPage().edt_YOffset[0]->text(), "27");
}

TEST_F(FirePageTest, StopOnReleaseAndColourGoIntoTheModel) {
    openFirePage();
    click("lbl_FireRKFS1");
    EXPECT_EQ(skinOf("Img_FireRKFS1"), "CbS_E");
    EXPECT_EQ(workRecord(1)[0], 1);
    EXPECT_EQ(session->model.sections().fireCode[0], kFireStopsOnRelease);
    click("lbl_Fire_Marco_Count");  // row 1's captions toggle it too
    EXPECT_EQ(workRecord(1)[0], 0);
    EXPECT_EQ(session->model.sections().fireCode[0], kFireRunsToEnd);

    dialogs.colourAnswer = QColor(0x12, 0x34, 0x56);
    click("IB_FireColor1");
    ASSERT_EQ(dialogs.colourOpenedOn.size(), 1u);
    EXPECT_EQ(dialogs.colourOpenedOn[0], QColor(0xFF, 0, 0));  // macro 1's default colour
    EXPECT_EQ(find<ColourSwatch>("cs_FireColor1")->colour(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(fireColour(session->model.sections(), 1), (FireColour{0x12, 0x34, 0x56}));
    EXPECT_EQ(window->engineerPage().edt_FireMacroColor[0][1]->text(), "52");
    dialogs.colourAnswer.reset();
    click("IB_FireColor1");  // cancelled: nothing changes
    EXPECT_EQ(fireColour(session->model.sections(), 1), (FireColour{0x12, 0x34, 0x56}));
}

TEST_F(FirePageTest, ConfirmWritesTheFireMacroAndApplyTheButtonsCode) {
    openFirePage(4);
    click("Btn_Fire2");
    type(edit("Edt_FireCnt1"), "5");
    type(edit("Edt_FireY1"), "20");
    const auto before = mouse->memory();
    click("Btn_FireConfirm");
    EXPECT_TRUE(window->deviceButtons().lastFireWrite().written);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("; ").toStdString();
    EXPECT_FALSE(page().widget()->isVisibleTo(window.get()));  // back on page 1

    const auto& memory = mouse->memory();
    const std::size_t record = kRecords + 24;
    EXPECT_EQ(memory[record + kCount], 4);
    EXPECT_EQ(memory[record + kY], 20);
    FireMacroRecord written{};
    std::copy_n(memory.begin() + record, 24, written.begin());
    EXPECT_TRUE(fireChecksumValid(written));
    // Fire Confirm writes the fire data only; the button's code goes with the next Apply.
    EXPECT_EQ(session->model.buttonFunction(2, 4), "0C0202");
    EXPECT_EQ(memory[kGameButton4], before[kGameButton4]);
    ASSERT_TRUE(window->deviceButtons().applySettings());
    EXPECT_EQ(memory[kGameButton4], 0x0C);
    EXPECT_EQ(memory[kGameButton4 + 1], 0x02);
    EXPECT_EQ(memory[kGameButton4 + 2], 0x02);
    EXPECT_EQ(memory[record + kY], 20);
}

TEST_F(FirePageTest, ConfirmKeepsTheLastLeftKey) {
    openFirePage(1);
    ASSERT_EQ(session->model.buttonFunction(2, 1), "010100");
    type(edit("Edt_FireCnt1"), "5");
    const auto before = mouse->memory();
    click("Btn_FireConfirm");
    EXPECT_EQ(dialogs.shown, QStringList{window->text(textkey::kKeepLeftKey)});
    EXPECT_EQ(session->model.buttonFunction(2, 1), "010100");
    EXPECT_EQ(mouse->memory(), before);
}

TEST_F(FirePageTest, CancelLeavesTheMouseAndTheCommittedCopy) {
    openFirePage();
    const auto committed = session->model.sections().fireMacroRegion;
    const auto before = mouse->memory();
    const std::string code = session->model.buttonFunction(2, 4);
    click("Btn_Fire1");
    type(edit("Edt_FireCnt1"), "99");
    ASSERT_EQ(workRecord(1)[kCount], 98);
    mouse->clearTrace();
    click("Btn_FireCancel");
    EXPECT_EQ(session->model.sections().fireMacroRegion, committed);
    EXPECT_EQ(workRecord(1)[kCount], 9);  // the edit is gone from the work copy too
    EXPECT_EQ(mouse->memory(), before);
    EXPECT_TRUE(mouse->trace().empty());
    EXPECT_EQ(session->model.buttonFunction(2, 4), code);
    window->openFirePage(2, 4);
    EXPECT_EQ(edit("Edt_FireCnt1")->text(), "10");
}

TEST_F(FirePageTest, AMouseThatDoesNotAnswerDuringConfirmIsToldOf) {
    openFirePage();
    type(edit("Edt_FireCnt1"), "5");
    const auto before = mouse->memory();
    mouse->faults().neverAck = true;
    click("Btn_FireConfirm");
    EXPECT_FALSE(window->deviceButtons().lastFireWrite().written);
    EXPECT_EQ(mouse->memory(), before);
    EXPECT_EQ(dialogs.shown, QStringList{window->text(textkey::kFail)});
    // The confirmed edit stays in memory for a later write.
    EXPECT_EQ(session->model.sections().fireMacroRegion[kCount], 4);
}

TEST_F(FirePageTest, FireKeyEditorWritesCountIntervalAndContinuousFire) {
    openFirePage();
    window->navigation().Btn_Adv_0Click();
    QLineEdit* count = edit("Edt_Repeat1");
    QLineEdit* interval = edit("Edt_DelayTime1");
    const auto& fireKey = session->model.sections().fireKey;
    struct Case {
        QLineEdit* edit;
        const char* keys;
        const char* shown;
        std::size_t at;
        std::uint8_t stored;
    } cases[] = {
        {count, "1", "1", 2, 0x00},       {count, "0", "1", 2, 0x00},
        {count, "300", "255", 2, 0xFE},   {count, "12", "12", 2, 0x0B},
        {interval, "300", "255", 8, 255}, {interval, "40", "40", 8, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys);
        type(c.edit, c.keys);
        EXPECT_EQ(c.edit->text(), c.shown);
        EXPECT_EQ(fireKey[c.at], c.stored);
    }
    EngineerPage& engineer = window->engineerPage();
    EXPECT_EQ(engineer.cb_FireCount->currentIndex(), 11);
    EXPECT_EQ(engineer.edt_FireTime->text(), "40");

    click("lbl_FireContinue");
    EXPECT_EQ(fireKey[2], 0xFF);
    EXPECT_EQ(skinOf("Img_FireContinue"), "CbS_E");
    EXPECT_EQ(count->text(), "3");
    EXPECT_FALSE(count->isEnabled());
    EXPECT_TRUE(engineer.cb_IsFireContinue->isChecked());
    EXPECT_EQ(engineer.cb_FireCount->currentIndex(), -1);
    click("lbl_FireContinue");
    EXPECT_EQ(fireKey[2], 0x02);
    EXPECT_TRUE(count->isEnabled());
    EXPECT_EQ(skinOf("Img_FireContinue"), "CbS_D");
}

// The function menu's fire entry opens the page for the key label it was opened on.
TEST_F(FirePageTest, TheMenusFireEntryOpensThePageForItsButton) {
    session->options.gunDisplay = true;
    restartWindow();
    openFirePage();
    window->navigation().choosePage(NavigationChoice::Game);
    click("Btn_Fire3");
    QTest::mouseClick(window->buttonPage().keys()[4].label, Qt::LeftButton, {}, QPoint(2, 2));
    ButtonLabel* entry = window->buttonEditor().menu().entry("Key_FireMacro");
    ASSERT_NE(entry, nullptr);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(entry, &enter);
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(window->navigation().visiblePage(), 5);
    EXPECT_EQ(page().preset(), 1);
    click("Btn_Fire7");
    click("Btn_FireConfirm");
    EXPECT_EQ(session->model.buttonFunction(2, 5), "0C080A");  // Gun7_Num 3
}

}  // namespace
}  // namespace vornik

// The window's read and write flows over what the mouse holds: the key mode a read finds, a read
// that does not complete, the reserve identification pair of the option file, and what the
// message dialog and the window's drag handles do.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <span>

#include "app/device_buttons.h"
#include "formats/ini_file.h"
#include "formats/options.h"
#include "image/function_code.h"
#include "settings/engineer_page.h"
#include "window_fixture.h"

namespace vornik {
namespace {

// What one full read received and one full write sent, as the mouse's trace shows them.
struct TracedImages {
    std::vector<ConfigImage> reads;
    std::vector<ConfigImage> writes;
};

TracedImages tracedImages(const std::vector<Exchange>& trace) {
    TracedImages images;
    ConfigImage* current = nullptr;
    std::size_t at = 0;
    std::uint8_t lastCommand = 0;
    for (const Exchange& e : trace) {
        if (e.isSet) {
            lastCommand = e.bytes[1];
            const bool wholeImage =
                e.bytes[2] == 0 && e.bytes[3] == 0 && e.bytes[4] == 0 && e.bytes[5] == 0x08;
            if (wholeImage && (lastCommand == cmd::kBeginRead || lastCommand == cmd::kBeginWrite)) {
                auto& list = lastCommand == cmd::kBeginRead ? images.reads : images.writes;
                current = &list.emplace_back();
                current->fill(0xFF);
                at = 0;
            } else if (lastCommand == cmd::kWriteChunk && current) {
                for (std::size_t i = 0; i < 6 && at < kImageSize; ++i, ++at)
                    (*current)[at] = e.bytes[2 + i];
            }
        } else if (lastCommand == cmd::kReadChunk && current && e.bytes[7] == kAck) {
            for (std::size_t i = 0; i < 6 && at < kImageSize; ++i, ++at)
                (*current)[at] = e.bytes[1 + i];
        }
    }
    return images;
}

std::size_t differingBytes(const ConfigImage& a, std::span<const std::uint8_t> b) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < kImageSize; ++i) n += a[i] != b[i];
    return n;
}

class WindowFlowsTest : public MainWindowTest {
  protected:
    // A mouse in Game Mode (key mode 2) whose buttons 1 and 2 differ between the key modes.
    void plugGameModeMouse() {
        plugMouse();
        auto& m = mouse->memory();
        m[0x34] = 0x80;
        m[0x35] = 0x7F;
        const auto profile2 = section::kProfile.address + ProfileCodes::offset(2, 1);
        std::copy_n(std::array<std::uint8_t, 6>{0x01, 0x02, 0x00, 0x01, 0x01, 0x00}.begin(), 6,
                    m.begin() + profile2);  // Right Key, Left Key
        m[0x076] = sectionCode(std::span(m).subspan(section::kProfile.address, 54));
    }
    QString text(const char* key) { return window->text(key); }
};

// The key mode is one value shown on two pages: chosen on either, the other follows.
TEST_F(WindowFlowsTest, AKeyModeChosenOnOnePageShowsOnTheOther) {
    plugGameModeMouse();
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());
    EngineerPage& engineer = window->engineerPage();
    auto keyTexts = [&] {
        QStringList texts;
        for (int k = 1; k <= 9; ++k)
            texts << find<ButtonLabel>(qPrintable(QString("Key%1").arg(k)))->text();
        return texts;
    };
    auto engineerTexts = [&](const std::array<QPushButton*, 9>& row) {
        QStringList texts;
        for (QPushButton* b : row) texts << b->text();
        return texts;
    };
    ASSERT_NE(engineerTexts(engineer.btn_Key1), engineerTexts(engineer.btn_Key2));

    // The engineer page picks Office Mode: the button page shows key mode 1.
    engineer.cb_KeyMode->setCurrentIndex(0);
    emit engineer.cb_KeyMode->activated(0);
    EXPECT_EQ(window->keyModeView().profile, 1);
    EXPECT_EQ(keyTexts(), engineerTexts(engineer.btn_Key1));

    // The user page picks Game Mode: the engineer page holds key mode 2.
    window->navigation().Btn_Second_0Click();
    EXPECT_EQ(engineer.cb_KeyMode->currentIndex(), 1);
    EXPECT_EQ(keyTexts(), engineerTexts(engineer.btn_Key2));
    EXPECT_TRUE(find<QRadioButton>("rb_2")->isChecked());
}

// The model is the truth between a read and a write: an edit on the engineer page is in it at
// once, a change made to the model shows on the page, and Apply writes what the model holds.
TEST_F(WindowFlowsTest, EditsGoIntoTheModelAndApplyWritesTheModel) {
    plugMouse();
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());
    EngineerPage& engineer = window->engineerPage();
    constexpr std::size_t kLevel1 = section::kParameterA.address + 6;

    engineer.cb_CPI[0]->setCurrentIndex(5);
    EXPECT_EQ(session->model.values().cb_CPI[0], 5);
    EXPECT_EQ(session->model.sections().parameterA[6], 5);
    engineer.edt_CPIColor[1][2]->setText("300");  // clamped on the page, then taken
    EXPECT_EQ(engineer.edt_CPIColor[1][2]->text(), "255");
    EXPECT_EQ(session->model.values().edt_CPIColor[1][2], 255);

    SettingsValues changed = session->model.values();
    changed.cb_CPI[0] = 3;
    changed.rb_LEDOff = true;
    ASSERT_TRUE(session->model.setValues(changed).changed);
    EXPECT_EQ(engineer.cb_CPI[0]->currentIndex(), 3);
    EXPECT_TRUE(engineer.rb_LEDOff->isChecked());
    ASSERT_TRUE(session->model.setKeyMode(2).changed);
    EXPECT_EQ(engineer.cb_KeyMode->currentIndex(), 1);
    EXPECT_EQ(window->keyModeView().profile, 2);

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory()[kLevel1], 3);
    EXPECT_EQ(mouse->memory()[0x34], 0x80);
}

TEST_F(WindowFlowsTest, AGameModeMouseReadAndAppliedKeepsEveryByte) {
    plugGameModeMouse();
    const auto before = mouse->memory();
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());

    // The pages show key mode 2.
    EXPECT_TRUE(find<QRadioButton>("rb_2")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("rb_1")->isChecked());
    EXPECT_EQ(window->engineerPage().cb_KeyMode->currentIndex(), 1);
    EXPECT_EQ(find<ButtonLabel>("Key1")->text(), text("Str211"));
    EXPECT_EQ(find<ButtonLabel>("Key2")->text(), text("Str210"));
    EXPECT_EQ(window->navigation().visiblePage(), 1);
    EXPECT_EQ(skinOf("Img_Second_3"), "SetS_03");
    EXPECT_EQ(skinOf("Img_Main_3"), "SetS_01");
    EXPECT_EQ(window->keyModeView().profile, 2);

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory(), before);
    EXPECT_EQ(mouse->memory()[0x34], 0x80);
    EXPECT_EQ(mouse->memory()[0x35], 0x7F);

    // The trace: what the write sent is, byte for byte, what the read received.
    const TracedImages traced = tracedImages(mouse->trace());
    ASSERT_EQ(traced.reads.size(), 2u);  // the read, and the write's verification
    ASSERT_EQ(traced.writes.size(), 1u);
    EXPECT_EQ(differingBytes(traced.reads[0], before), 0u);
    EXPECT_EQ(differingBytes(traced.writes[0], traced.reads[0]), 0u);
    EXPECT_EQ(differingBytes(traced.reads[1], before), 0u);
}

TEST_F(WindowFlowsTest, TheGunDisplayDecidesTheGameModeMenus) {
    struct Case {
        bool gunDisplay;
        std::uint8_t keyModeByte;
        KeyModeView page;
    } cases[] = {
        {false, 0x80, {2, 170, false}},
        {true, 0x80, {2, 194, true}},
        {true, 0x00, {1, 170, false}},
    };
    plugGameModeMouse();
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gunDisplay);
        session->options.gunDisplay = c.gunDisplay;
        mouse->memory()[0x34] = c.keyModeByte;
        mouse->memory()[0x35] = static_cast<std::uint8_t>(~c.keyModeByte);
        window->deviceButtons().Btn_Read_0Click();
        EXPECT_EQ(window->keyModeView(), c.page);
        EXPECT_EQ(find<QRadioButton>("rb_2")->isChecked(), c.page.profile == 2);
    }
}

TEST_F(WindowFlowsTest, AnIncompleteReadIsNeverWrittenBack) {
    struct Case {
        const char* fault;
        bool replacedByRead;  // else by a default restore
    } cases[] = {
        {"drop-chunk=200", true},  // the macro area stops arriving
        {"refuse=4", false},
    };
    connectMouse();
    window->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        mouse->memory()[0x400] = 0x42;  // a macro byte the mouse holds
        std::string error;
        ASSERT_TRUE(parseFaults(c.fault, mouse->faults(), error));
        dialogs.shown.clear();
        window->deviceButtons().Btn_Read_0Click();
        EXPECT_EQ(dialogs.shown, QStringList{text("Str109")});
        EXPECT_TRUE(session->model.image().incomplete);
        EXPECT_FALSE(window->pagesLocked());

        // Apply and Confirm write nothing and say why; the window stays open.
        mouse->faults() = {};
        const auto before = mouse->memory();
        mouse->clearTrace();
        dialogs.shown.clear();
        EXPECT_FALSE(window->deviceButtons().Btn_Apply_0Click());
        window->deviceButtons().Btn_Confirm_0Click();
        EXPECT_TRUE(mouse->trace().empty());
        EXPECT_EQ(mouse->memory(), before);
        EXPECT_EQ(dialogs.shown, (QStringList{text("Str109"), text("Str109")}));
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(skinOf("Img_Apply_1"), "BtnS_01");
        EXPECT_FALSE(window->pagesLocked());

        // A complete image replaces it, and is written again.
        dialogs.shown.clear();
        if (c.replacedByRead)
            window->deviceButtons().Btn_Read_0Click();
        else
            window->deviceButtons().Btn_Confirm1_1Click();
        EXPECT_FALSE(session->model.image().incomplete);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_TRUE(window->deviceButtons().Btn_Apply_0Click());
        EXPECT_EQ(mouse->memory()[0x400], c.replacedByRead ? 0x42 : 0x00);
    }
}

TEST_F(WindowFlowsTest, TheReservePairComesFromTheOptionFile) {
    struct Case {
        const char* options;
        bool read;
    } cases[] = {
        {"Rev_Manu_ID=18\r\nRev_Pro_ID=52", true},
        {"Rev_Manu_ID=274\r\nRev_Pro_ID=52", false},  // not 18: out of range, read as 0
        {"", false},
    };
    plugMouse();
    mouse->memory()[0x36] = 0x12;
    mouse->memory()[0x37] = 0x34;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        session->options = parseOptions(IniFile::parse(std::string("[org]\r\n") + c.options));
        restartWindow();
        dialogs.shown.clear();
        window->monitor().tick();
        ASSERT_TRUE(session->mouseConnected());
        EXPECT_EQ(window->state().noDeviceShown, !c.read);
        EXPECT_EQ(dialogs.shown, c.read ? QStringList{} : QStringList{text("Str107")});
    }
}

TEST_F(WindowFlowsTest, TheMessageDialogTakesTheLanguagesFont) {
    const std::pair<int, const char*> cases[] = {{1, "Calibri"}, {3, "Arial Narrow"}};
    for (auto [language, font] : cases) {
        window->switchLanguage(language);
        dialogs.dialogFonts.clear();
        window->showNoDevice();
        EXPECT_EQ(dialogs.dialogFonts, QStringList{font});
    }
}

TEST_F(WindowFlowsTest, PressesOnTheBackgroundsAndThePageControlMoveTheWindow) {
    connectMouse();
    window->show();
    QSignalSpy drags(window.get(), &MainWindow::dragStarted);
    auto* tabs = window->engineerPage().Pg_Parameter;
    window->navigation().showOnly(6);
    // Beside the tabs, and on the empty part of the page the tab control holds.
    QTest::mousePress(tabs, Qt::LeftButton, {}, QPoint(tabs->width() - 10, 8));
    EXPECT_EQ(drags.count(), 1);
    QTest::mousePress(
        tabs->currentWidget(), Qt::LeftButton, {},
        QPoint(tabs->currentWidget()->width() - 4, tabs->currentWidget()->height() - 4));
    EXPECT_EQ(drags.count(), 2);
    QTest::mousePress(tabs, Qt::RightButton, {}, QPoint(tabs->width() - 10, 8));
    EXPECT_EQ(drags.count(), 2);
    QTest::mousePress(window->engineerPage().Img_Logo4, Qt::LeftButton);
    EXPECT_EQ(drags.count(), 3);
    window->navigation().showOnly(1);
    QTest::mousePress(find("Img_Base_1"), Qt::LeftButton, {}, QPoint(5, 300));
    EXPECT_EQ(drags.count(), 4);
}

}  // namespace
}  // namespace vornik

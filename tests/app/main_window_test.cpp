#include "app/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocalServer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <span>
#include <sstream>

#include "app/app_session.h"
#include "app/device_buttons.h"
#include "app/single_instance.h"
#include "cli/vornikctl.h"
#include "device/sim/sim_hid_platform.h"
#include "fire/fire_page.h"
#include "image/defaults.h"
#include "image/function_code.h"
#include "settings/engineer_page.h"
#include "ui/dialogs.h"
#include "ui/loading_window.h"
#include "window_fixture.h"

namespace vornik {
namespace {

TEST_F(MainWindowTest, StartsLockedOnPageOneWithTheDefaultImage) {
    EXPECT_EQ(window->windowTitle(), "Vornik Gaming Mouse v1.0");
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->size(), QSize(1030, 662));
    EXPECT_TRUE(window->pagesLocked());
    EXPECT_TRUE(window->state().noDeviceShown);
    EXPECT_EQ(window->navigation().visiblePage(), 1);
    EXPECT_EQ(skinOf("Img_Main_1"), "SetS_03");
    EXPECT_EQ(skinOf("Img_Adv_3"), "SetS_01");
    EXPECT_EQ(skinOf("Img_Lang1_2"), "SetS_03");
    EXPECT_EQ(window->state().language, 1);
    EXPECT_EQ(find<ButtonLabel>("Key1")->text(), window->text("Str210"));
    EXPECT_EQ(find<ButtonLabel>("Key9")->text(), window->text("Str220"));
    EXPECT_FALSE(window->text("Str210").isEmpty());
    for (int i = 1; i <= 6; ++i)
        EXPECT_NE(window->findChild<QWidget*>(QString("gbPage%1").arg(i)), nullptr);
}

TEST_F(MainWindowTest, MaroonOutsideTheOutlineIsSeeThrough) {
    const QRegion mask = window->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(1029, 661)));
    EXPECT_TRUE(mask.contains(QPoint(515, 331)));
}

TEST_F(MainWindowTest, OverlaysBlockTheSkinnedButtonsButNotExit) {
    window->show();
    auto at = [&](const char* name) { return window->childAt(find(name)->geometry().center()); };
    EXPECT_EQ(at("Btn_Apply_1"), find("Disable_All_1"));
    EXPECT_EQ(at("Key3"), find("Disable_All_1"));
    EXPECT_EQ(at("Btn_Exit_1"), find("Btn_Exit_1"));
    EXPECT_EQ(at("Btn_Mini_1"), find("Btn_Mini_1"));
    window->unlockPages();
    EXPECT_EQ(at("Btn_Apply_1"), find("Btn_Apply_1"));
    window->lockPages();
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(find(qPrintable(QString("Disable_All_%1").arg(n)))->isHidden());
}

TEST_F(MainWindowTest, DeviceTimerRunsOnlyOnceTheLoadingWindowExists) {
    EXPECT_FALSE(window->deviceTimer.isActive());
    window->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->deviceTimer.isActive());
    LoadingWindow loading(window.get(), [this] { window->setDeviceTimer(true); });
    EXPECT_TRUE(window->deviceTimer.isActive());
    EXPECT_EQ(window->deviceTimer.interval(), 1000);
    EXPECT_TRUE(loading.animating());
    EXPECT_EQ(loading.size(), QSize(206, 196));
    // Created 40 pixels below centre, shown later exactly centred.
    const QPoint centre = window->frameGeometry().center();
    EXPECT_NEAR(loading.geometry().center().y(), centre.y() + 40, 1);
    loading.showCentred();
    EXPECT_NEAR(loading.geometry().center().y(), centre.y(), 1);
    EXPECT_NEAR(loading.geometry().center().x(), centre.x(), 1);
}

TEST_F(MainWindowTest, APageButtonWithoutMouseSaysSoAndKeepsThePage) {
    window->navigation().Btn_Adv_0Click();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str020")});
    EXPECT_EQ(window->navigation().visiblePage(), 1);
}

TEST_F(MainWindowTest, FindsAndReadsTheMouse) {
    mouse = nullptr;
    plugMouse();
    mouse->memory()[6] = 9;  // level 1 at 4800 DPI, with the section's code to match
    mouse->memory()[47] = sectionCode(std::span(mouse->memory()).first(47));
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());
    EXPECT_EQ(session->model.values().cb_CPI[0], 9);
    EXPECT_EQ(window->engineerPage().cb_CPI[0]->currentIndex(), 9);
    EXPECT_FALSE(window->pagesLocked());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(find<QLineEdit>("edt_VendorID_Rd")->text(), "255");
    EXPECT_EQ(find<ButtonLabel>("Key7")->text(), window->text("Str232"));
    EXPECT_EQ(find<QPushButton>("btn_Key101")->text(), window->text("Str210"));
    EXPECT_EQ(find<QPushButton>("btn_Key209")->text(), window->text("Str220"));
    EXPECT_FALSE(mouse->inConfigMode());
}

TEST_F(MainWindowTest, AnotherDeviceGoingAwayKeepsTheMouse) {
    connectMouse();
    platform->unplug(simHidPath(0x1B1C, 0x0A51, 3, 1));
    window->monitor().tick();
    EXPECT_TRUE(session->mouseConnected());
    EXPECT_FALSE(window->pagesLocked());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    mouse->unplug();
    window->monitor().tick();
    EXPECT_FALSE(session->mouseConnected());
    EXPECT_TRUE(window->pagesLocked());
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str100") + "\n\n" + window->text("Str101")});
}

TEST_F(MainWindowTest, PageSwitchMarksTheSelectedButtonOnAllCopies) {
    connectMouse();
    auto& nav = window->navigation();
    nav.Btn_Breath_0Click();
    EXPECT_EQ(nav.visiblePage(), 3);
    EXPECT_TRUE(find<QRadioButton>("rb_5")->isChecked());
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(skinOf(qPrintable(QString("Img_Breath_%1").arg(n))), "SetS_03");
        EXPECT_EQ(skinOf(qPrintable(QString("Img_Main_%1").arg(n))), "SetS_01");
    }
    ASSERT_TRUE(session->model.setButtonFunction(2, 1, "010200").ok());
    nav.Btn_Second_0Click();
    EXPECT_EQ(nav.visiblePage(), 1);
    EXPECT_EQ(find<ButtonLabel>("Key1")->text(), window->text("Str211"));  // key mode 2's button
    EXPECT_EQ(window->engineerPage().cb_KeyMode->currentIndex(), 1);
    nav.showFirePage();
    EXPECT_EQ(nav.visiblePage(), 5);
    nav.showChosenPage();  // as after a language switch: back to the radio's page
    EXPECT_EQ(nav.visiblePage(), 1);
}

TEST_F(MainWindowTest, LeavingTheCurrentPageButtonKeepsItMarked) {
    connectMouse();
    auto& nav = window->navigation();
    nav.Btn_Adv_0Click();
    auto* adv = find<ButtonLabel>("Btn_Adv_2");
    nav.hoverEnter(adv, HoverFamily::PageButton);
    EXPECT_EQ(skinOf("Img_Adv_2"), "SetS_02");
    nav.hoverLeave(adv, HoverFamily::PageButton);
    EXPECT_EQ(skinOf("Img_Adv_2"), "SetS_03");
    auto* macro = find<ButtonLabel>("Btn_Macro_2");
    nav.hoverEnter(macro, HoverFamily::PageButton);
    nav.hoverLeave(macro, HoverFamily::PageButton);
    EXPECT_EQ(skinOf("Img_Macro_2"), "SetS_01");

    auto* read = find<ButtonLabel>("Btn_Read_2");
    nav.hoverEnter(read, HoverFamily::WindowButton);
    EXPECT_EQ(skinOf("Img_Read_2"), "BtnS_02");
    nav.hoverLeave(read, HoverFamily::WindowButton);
    EXPECT_EQ(skinOf("Img_Read_2"), "BtnS_01");
    auto* lang = find<ButtonLabel>("Btn_Lang1_2");
    nav.hoverEnter(lang, HoverFamily::Language);
    nav.hoverLeave(lang, HoverFamily::Language);
    EXPECT_EQ(skinOf("Img_Lang1_2"), "SetS_03");
}

TEST_F(MainWindowTest, CaptionsScrollOnlyWhenEnabled) {
    auto& nav = window->navigation();
    auto* apply = find<ButtonLabel>("Btn_Apply_1");
    apply->setText("Apply");

    session->options.textRolling = false;
    nav.hoverEnter(apply, HoverFamily::WindowButton);
    EXPECT_FALSE(nav.captionTimer.isActive());
    nav.scrollCaption();
    EXPECT_EQ(apply->text(), "Apply");
    nav.hoverLeave(apply, HoverFamily::WindowButton);

    session->options.textRolling = true;
    nav.hoverEnter(apply, HoverFamily::WindowButton);
    EXPECT_TRUE(nav.captionTimer.isActive());
    EXPECT_EQ(nav.captionTimer.interval(), 200);
    nav.scrollCaption();
    EXPECT_EQ(apply->text(), "pply    A");
    nav.scrollCaption();
    EXPECT_EQ(apply->text(), "ply    Ap");
    nav.hoverLeave(apply, HoverFamily::WindowButton);
    EXPECT_FALSE(nav.captionTimer.isActive());
    EXPECT_EQ(apply->text(), "Apply");
}

TEST_F(MainWindowTest, UnlocksLastForTheRun) {
    connectMouse();
    auto& nav = window->navigation();
    auto* engineer = &window->engineerPage();
    EXPECT_FALSE(engineer->cb_SensorOri->isEnabled());
    EXPECT_FALSE(engineer->Pg_Parameter->isTabVisible(1));
    nav.Img_Logo4DblClick();
    EXPECT_TRUE(engineer->cb_SensorOri->isEnabled());
    EXPECT_TRUE(engineer->gbLEDType->isEnabled());
    EXPECT_TRUE(engineer->Pg_Parameter->isTabVisible(1));
    EXPECT_FALSE(engineer->Btn_Default->isHidden());

    nav.showFirePage();
    nav.Img_Base_5DblClick();
    EXPECT_FALSE(window->firePage().recorder()->isHidden());
    nav.Btn_Adv_0Click();
    nav.showFirePage();
    EXPECT_FALSE(window->firePage().recorder()->isHidden());
    EXPECT_TRUE(window->state().fireRecorderUnlocked);
}

TEST_F(MainWindowTest, SwitchingLanguageRetranslatesTheWindow) {
    connectMouse();
    window->switchLanguage(3);
    EXPECT_EQ(find<ButtonLabel>("Key1")->text(), "Left Key");
    EXPECT_EQ(find<ButtonLabel>("Key9")->text(), "Fire Key");
    EXPECT_EQ(find<ButtonLabel>("Btn_Main_2")->text(), window->text("Str004"));
    EXPECT_EQ(skinOf("Img_Lang3_4"), "SetS_03");
    EXPECT_EQ(skinOf("Img_Lang1_4"), "SetS_01");
    // The language's title names the window apart from its caption, which stays the program's.
    EXPECT_EQ(window->windowIconText(), "Orvane Gaming Mouse");
    EXPECT_EQ(window->windowTitle(), "Vornik Gaming Mouse v1.0");
    EXPECT_EQ(find<ButtonLabel>("Btn_Apply_1")->font().family(), "Arial Narrow");

    // Each label names its code in the new language: the keyboard key "Home" (in English also
    // the web key's name) stays the keyboard key, "Stop" (three keys in English) stays the
    // media key, and a macro keeps its name.
    ASSERT_TRUE(session->model.setButtonFunction(1, 2, "02004A").ok());  // keyboard Home
    ASSERT_TRUE(session->model.setButtonFunction(1, 3, "0300B7").ok());  // media Stop
    ASSERT_TRUE(session->model.setButtonFunction(1, 4, "060121").ok());  // macro slot 1
    // The slot's name, UTF-16 big-endian.
    const std::string macro = "my macro";
    for (std::size_t i = 0; i < macro.size(); ++i)
        session->model.image().sections.macroSlots1To4[2 * i + 1] =
            static_cast<std::uint8_t>(macro[i]);
    window->showKeyMode(1);
    EXPECT_EQ(find<ButtonLabel>("Key2")->text(), "Home");
    EXPECT_EQ(find<ButtonLabel>("Key3")->text(), "Stop");
    EXPECT_EQ(find<ButtonLabel>("Key4")->text(), "my macro");
    window->navigation().showFirePage();
    window->switchLanguage(1);
    const LanguageTable russian = LanguageTable::embedded(1);
    EXPECT_EQ(find<ButtonLabel>("Key1")->text(), QString::fromStdString(russian.text("Str210")));
    EXPECT_EQ(find<ButtonLabel>("Key2")->text(), "Home");
    EXPECT_EQ(find<ButtonLabel>("Key3")->text(), QString::fromStdString(russian.text("Str251")));
    EXPECT_EQ(find<ButtonLabel>("Key4")->text(), "my macro");
    EXPECT_EQ(window->navigation().visiblePage(), 1);  // the fire page is left
}

TEST_F(MainWindowTest, ConfirmWithoutMouseKeepsTheWindowOpen) {
    window->show();
    window->deviceButtons().Btn_Confirm_0Click();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str020")});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(skinOf("Img_Confirm_1"), "BtnS_01");
}

TEST_F(MainWindowTest, ConfirmClosesOnlyAfterAVerifiedWrite) {
    connectMouse();
    window->show();
    struct Case {
        const char* fault;
        std::vector<int> commands;
        const char* message;  // language key, or empty
        bool closes;
    } cases[] = {
        {"notready", {1, 3, 8, 2}, "Str020", false},
        {"refuse=1", {1, 1, 1, 1, 1}, "Str020", false},
        {"stuck=0x7FF", {1, 3, 6, 4, 6, 4, 6, 4, 6, 4, 8, 2}, "Str109", false},
        {"", {1, 3, 6, 4, 8, 2}, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        dialogs.shown.clear();
        mouse->faults() = {};
        std::string error;
        if (*c.fault) {
            ASSERT_TRUE(parseFaults(c.fault, mouse->faults(), error));
        }
        mouse->memory()[0x7FF] = 0x5A;  // differs from the image, so a stuck byte shows
        mouse->clearTrace();
        window->deviceButtons().Btn_Confirm_0Click();
        EXPECT_EQ(commandsOf(*mouse), c.commands);
        EXPECT_EQ(dialogs.shown, *c.message ? QStringList{window->text(c.message)} : QStringList{});
        EXPECT_EQ(window->isVisible(), !c.closes);
        EXPECT_FALSE(window->pagesLocked());
        EXPECT_EQ(window->deviceTimer.isActive(), !c.closes);  // closing stops the device timer
    }
}

TEST_F(MainWindowTest, ApplyTwiceFindsNothingToRepairTheSecondTime) {
    connectMouse();
    session->model.image().sections.parameterA[5] = 0x42;  // an edit
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory()[5], 0x42);
    EXPECT_TRUE(sectionCodeValid(std::span(mouse->memory()).first(48)));
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(window->deviceButtons().lastWrite().verify.passes, 0);
    EXPECT_TRUE(window->deviceButtons().lastWrite().verify.mismatches[0].empty());
}

TEST_F(MainWindowTest, ReadWithCommand4RefusedShowsTheDefaults) {
    connectMouse();
    mouse->faults().refusedCommands = {cmd::kBeginRead};
    mouse->clearTrace();
    window->deviceButtons().Btn_Read_0Click();
    EXPECT_EQ(session->model.image().sections.profile, profileDefaults());
    const auto sent = commandsOf(*mouse);
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(std::vector<int>(sent.end() - 2, sent.end()), (std::vector<int>{8, 2}));
    EXPECT_EQ(find<ButtonLabel>("Key7")->text(), window->text("Str225"));  // the repair default
}

TEST_F(MainWindowTest, ADefaultForAnotherChipIsShownButNotWritten) {
    connectMouse();
    mouse->memory()[0x100] = 0x77;
    mouse->faults().chipCode = 0x75;  // chip type 0x99
    window->deviceButtons().Btn_Confirm2_1Click();
    EXPECT_EQ(window->deviceButtons().lastWrite().result, WriteResult::NotWritten);
    EXPECT_EQ(mouse->memory()[0x100], 0x77);
    EXPECT_EQ(session->model.image().bytes, builtInImage());
    EXPECT_FALSE(window->pagesLocked());
}

TEST_F(MainWindowTest, AnotherDeviceWithoutMouseShowsTheNoDeviceMessage) {
    window->monitor().tick();  // the first tick sees devices but no mouse
    EXPECT_EQ(dialogs.shown.size(), 1);
    dialogs.shown.clear();
    const auto before = clock.nowMs();
    platform->plug({{"keypad", 0}, {0x1234, 0x0001, 0x0100}, 0, nullptr, true});
    window->monitor().tick();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str100") + "\n\n" + window->text("Str101")});
    EXPECT_EQ(clock.nowMs() - before, 2100u);  // the wait before trying to open the mouse
    EXPECT_TRUE(window->pagesLocked());
}

TEST_F(MainWindowTest, IdentificationBytesDecideWhetherTheMouseIsRead) {
    plugMouse();
    mouse->memory()[0x36] = 0x12;
    mouse->memory()[0x37] = 0x34;
    window->monitor().tick();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str107")});
    EXPECT_TRUE(session->mouseConnected());  // left open, unread
    EXPECT_TRUE(window->state().noDeviceShown);
    EXPECT_EQ(find<QLineEdit>("edt_VendorID_Rd")->text(), "18");

    dialogs.shown.clear();
    window->monitor().reservePair = {18, 52};  // Rev_Manu_ID=18, Rev_Pro_ID=52
    window->deviceButtons().Btn_Read_0Click();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_FALSE(window->state().noDeviceShown);
    EXPECT_FALSE(window->pagesLocked());
}

TEST_F(MainWindowTest, AMouseNotReadyIsTreatedAsAbsent) {
    plugMouse();
    mouse->faults().notReady = true;
    window->monitor().tick();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str020")});
    EXPECT_FALSE(session->mouseConnected());
    EXPECT_TRUE(window->deviceTimer.isActive());
}

TEST_F(MainWindowTest, AnAimKeyInTheOtherKeyModeTakesTheChosenIndex) {
    connectMouse();
    // The AIM value is chosen while button 5 of key mode 1 is the only AIM key; button 4 of
    // key mode 2 becomes one afterwards and takes the value at the write.
    ASSERT_TRUE(session->model.setButtonFunction(1, 5, "0A0000").ok());
    ASSERT_TRUE(session->model.setAimValue(7).changed);
    ASSERT_TRUE(session->model.setButtonFunction(2, 4, "0A0000").ok());
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    const auto offset = section::kProfile.address + ProfileCodes::offset(2, 4);
    EXPECT_EQ(mouse->memory()[offset], 0x0A);
    EXPECT_EQ(mouse->memory()[offset + 1], 7);
}

TEST_F(MainWindowTest, AChangeMadeInTheWindowShowsInTheDump) {
    connectMouse();
    auto* engineer = &window->engineerPage();
    engineer->cb_CPI[0]->setCurrentIndex(10);  // level 1: 6400 DPI
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory()[6], 10);
    ConfigImage expected = builtInImage();
    expected[6] = 10;
    expected[0x2F] = sectionCode(std::span(expected).first(47));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), mouse->memory().begin()));

    const QString file = QDir::temp().filePath("vornik_gui_dump_test.bin");
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(mouse->memory().data()), 2048);
    }
    std::ostringstream out, err;
    VirtualClock ctlClock;
    CtlEnvironment env{[] { return std::make_unique<SimHidPlatform>(); }, ctlClock, out, err, ""};
    EXPECT_EQ(runVornikctl({"dump", file.toStdString()}, env), kExitOk) << err.str();
    EXPECT_NE(out.str().find("level 1: 6400 DPI"), std::string::npos) << out.str();
    QFile::remove(file);
}

TEST_F(MainWindowTest, ASecondDeviceOperationIsRefusedWhileOneRuns) {
    connectMouse();
    // Clicks and ticks that arrive while the window's messages run during a transfer.
    struct Reentry : TransferObserver {
        MainWindow* window;
        int tries = 0;
        bool nestedApply = true;
        void transferProgress(std::size_t done, std::size_t) override {
            if (done != 1) return;
            ++tries;
            nestedApply &= window->deviceButtons().Btn_Apply_0Click();
            window->deviceButtons().Btn_Read_0Click();
            window->monitor().tick();
        }
    } reentry;
    reentry.window = window.get();
    session->device.protocol().setObserver(&reentry);
    mouse->clearTrace();
    EXPECT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_GE(reentry.tries, 1);
    EXPECT_FALSE(reentry.nestedApply);
    // One write, one read back: nothing else got in between.
    EXPECT_EQ(commandsOf(*mouse), (std::vector<int>{1, 3, 6, 4, 8, 2}));
    EXPECT_FALSE(session->device.busy());
}

TEST_F(MainWindowTest, AMouseHeldByAnotherProgramIsLeftAlone) {
    connectMouse();
    DeviceLink other(*platform);  // another program on the same mouse
    std::uint32_t version = kMouseVersion;
    ASSERT_TRUE(other.openMouse(kMouseVendorId, kMouseProductId, version));
    ASSERT_TRUE(other.lockMouse());
    mouse->clearTrace();

    platform->unplug(simHidPath(0x1B1C, 0x0A51, 3, 1));  // a change the tick would act on
    window->monitor().tick();
    EXPECT_FALSE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_TRUE(mouse->trace().empty());
    EXPECT_EQ(dialogs.shown, QStringList{kMouseInUseText});
    EXPECT_TRUE(session->mouseConnected());

    other.unlockMouse();
    EXPECT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_FALSE(session->device.link().mouseLocked());  // held only while an operation runs
}

TEST_F(MainWindowTest, AMousePluggedWhileAnotherProgramHoldsItIsReadOnceItIsFree) {
    plugMouse();
    DeviceLink other(*platform);
    std::uint32_t version = kMouseVersion;
    ASSERT_TRUE(other.openMouse(kMouseVendorId, kMouseProductId, version));
    ASSERT_TRUE(other.lockMouse());
    window->monitor().tick();
    EXPECT_FALSE(session->mouseConnected());
    EXPECT_TRUE(mouse->trace().empty());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    other.closeMouse();
    window->monitor().tick();
    EXPECT_TRUE(session->mouseConnected());
    EXPECT_FALSE(window->state().noDeviceShown);
}

TEST_F(MainWindowTest, TheDefaultRestoreShowsItsResultMark) {
    connectMouse();
    auto* mark = find("Img_Result");
    EXPECT_TRUE(mark->isHidden());
    window->deviceButtons().Btn_DefaultClick();
    EXPECT_FALSE(mark->isHidden());
    EXPECT_EQ(window->deviceButtons().lastWrite().result, WriteResult::Verified);
}

// Points $XDG_RUNTIME_DIR and $TMPDIR at fresh folders for one test.
class SingleInstanceFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"})
            saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        runtime =
            QDir::tempPath() + QString("/vornik-si-%1").arg(QCoreApplication::applicationPid());
        QDir(runtime).removeRecursively();
        QDir().mkpath(runtime + "/run");
        QDir().mkpath(runtime + "/tmp");
        QFile::setPermissions(runtime + "/run",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TMPDIR", (runtime + "/tmp").toLocal8Bit());
    }
    void TearDown() override {
        for (const auto& [name, value, set] : saved) set ? qputenv(name, value) : qunsetenv(name);
        QDir(runtime).removeRecursively();
    }
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved;
    QString runtime;
};

TEST_F(SingleInstanceFolders, TheSocketLivesInThePrivateRuntimeFolder) {
    qputenv("XDG_RUNTIME_DIR", (runtime + "/run").toLocal8Bit());
    SingleInstance first("Vornik folder test");
    EXPECT_FALSE(first.activateRunning());
    ASSERT_TRUE(first.listen([] {}));
    EXPECT_TRUE(first.serverName().startsWith(runtime + "/run/")) << qPrintable(first.serverName());
    EXPECT_TRUE(QFileInfo::exists(first.serverName()));

    // A runtime folder open to others is not used; a private one in the temporary folder is.
    QFile::setPermissions(runtime + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::WriteOther | QFile::ExeOther |
                                                QFile::ReadOther);
    SingleInstance other("Vornik folder test 2");
    EXPECT_TRUE(other.serverName().startsWith(runtime + "/tmp/vornik-config-"))
        << qPrintable(other.serverName());
    struct stat folder {};
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(other.serverName()).path()).constData(), &folder),
              0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
}

TEST_F(SingleInstanceFolders, TwoStartsAMomentApartCannotBothRun) {
    qputenv("XDG_RUNTIME_DIR", (runtime + "/run").toLocal8Bit());
    SingleInstance first("Vornik race test");
    SingleInstance second("Vornik race test");
    EXPECT_FALSE(first.activateRunning());
    // The first has not listened yet: it is still building its window.
    EXPECT_TRUE(second.activateRunning(100));
}

TEST_F(SingleInstanceFolders, ASocketPlantedByAnotherUserCannotKeepTheWindowShut) {
    qunsetenv("XDG_RUNTIME_DIR");
    // Where an earlier version listened: a name any local user could compute and take.
    const QString caption = "Vornik planted test";
    const QByteArray oldKey = (caption + "|" + qEnvironmentVariable("USER")).toUtf8();
    const QString oldName =
        "vornik-" +
        QString::fromLatin1(
            QCryptographicHash::hash(oldKey, QCryptographicHash::Sha1).toHex().left(16));
    QLocalServer planted;
    ASSERT_TRUE(planted.listen(oldName));
    SingleInstance instance(caption);
    EXPECT_FALSE(instance.activateRunning(100));
    EXPECT_TRUE(instance.listen([] {}));
}

TEST_F(SingleInstanceFolders, AnUntrustedFolderMeansRunningWithoutTheGuard) {
    qunsetenv("XDG_RUNTIME_DIR");
    // Someone else made the private folder first, open to all.
    const QString folder = runtime + QString("/tmp/vornik-config-%1").arg(::geteuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    SingleInstance instance("Vornik untrusted test");
    EXPECT_FALSE(instance.activateRunning(100));
    EXPECT_FALSE(instance.listen([] {}));
    EXPECT_TRUE(instance.problem().contains("open to other users"))
        << qPrintable(instance.problem());
}

TEST_F(SingleInstanceFolders, ASecondStartActivatesTheFirst) {
    const QString caption = QString("Vornik test %1").arg(QCoreApplication::applicationPid());
    SingleInstance first(caption);
    EXPECT_FALSE(first.activateRunning());  // nobody there yet
    int activations = 0;
    ASSERT_TRUE(first.listen([&] { ++activations; }));

    SingleInstance second(caption);
    EXPECT_TRUE(second.activateRunning());
    for (int i = 0; i < 50 && activations == 0; ++i) QTest::qWait(10);
    EXPECT_EQ(activations, 1);

    SingleInstance other(caption + " other");
    EXPECT_FALSE(other.activateRunning());
}

}  // namespace
}  // namespace vornik

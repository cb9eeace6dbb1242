// The button assignment editor in the window over the simulated mouse: the function menus,
// where they open, the Left Key rule, the assembly-key dialog, and what Apply writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "app/device_buttons.h"
#include "formats/language_keys.h"
#include "model/gun_list.h"
#include "model/macro_binding.h"
#include "model/macro_library.h"
#include "model/macro_library_file.h"
#include "settings/assembly_key_dialog.h"
#include "settings/button_editor.h"
#include "settings/button_page.h"
#include "settings/engineer_page.h"
#include "settings/function_menu.h"
#include "settings/gun_list_view.h"
#include "ui/navigation.h"
#include "window_fixture.h"

namespace vornik {
namespace {

constexpr std::size_t kProfile = section::kProfile.address;

class ButtonEditorTest : public MainWindowTest {
  protected:
    // The mouse read, in English, with the button page of `keyMode`.
    void readMouse(int keyMode = 1) {
        connectMouse();
        window->switchLanguage(3);
        window->navigation().choosePage(keyMode == 2 ? NavigationChoice::Game
                                                     : NavigationChoice::Office);
    }
    ButtonEditor& editor() { return window->buttonEditor(); }
    FunctionMenu& menu() { return editor().menu(); }
    QWidget* panel(const char* name) { return menu().panel(name); }
    ButtonLabel* keyLabel(int k) {
        return window->buttonPage().keys()[static_cast<std::size_t>(k - 1)].label;
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); }
    void hover(const char* entry) {
        ButtonLabel* label = menu().entry(entry);
        ASSERT_NE(label, nullptr) << entry;
        ASSERT_FALSE(label->parentWidget()->isHidden()) << entry << "'s menu is closed";
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
    }
    // Opens the menu on a key label, hovers the entries of the path and clicks the last one.
    void choose(int key, std::initializer_list<const char*> path) {
        click(keyLabel(key));
        ASSERT_TRUE(menu().isOpen());
        chooseInOpenMenu(path);
    }
    void chooseInOpenMenu(std::initializer_list<const char*> path) {
        const char* last = nullptr;
        for (const char* entry : path) {
            hover(entry);
            last = entry;
        }
        click(menu().entry(last));
    }
    bool anyMenuShown() {
        for (const char* name : {"Pnl_Main", "Pnl_MseKey", "Pnl_Special", "Pnl_CPIKey", "Pnl_Media",
                                 "Pnl_WWW", "Pnl_MyPC", "LB_Name", "LB_Script"})
            if (!panel(name)->isHidden()) return true;
        return false;
    }
    std::array<std::uint8_t, 3> profileBytes(std::size_t at) {
        const auto& p = session->model.sections().profile;
        return {p[at], p[at + 1], p[at + 2]};
    }
};

TEST_F(ButtonEditorTest, TheLastLeftKeyOfAKeyModeStaysAndItsCaptionComesBack) {
    readMouse();
    ASSERT_TRUE(session->model.setButtonFunction(1, 8, "010100").ok());
    ASSERT_EQ(session->model.buttonFunction(1, 1), "010100");
    const auto mode2 = session->model.codes().lists()[1];

    choose(1, {"Key_Media", "Key_Mute"});
    EXPECT_EQ(session->model.buttonFunction(1, 1), "0300E2");
    EXPECT_EQ(keyLabel(1)->text(), "Mute");
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_FALSE(anyMenuShown());

    choose(8, {"Key_Standard", "Key_Right"});
    EXPECT_EQ(session->model.buttonFunction(1, 8), "010100");
    EXPECT_EQ(keyLabel(8)->text(), "Left Key");
    EXPECT_EQ(dialogs.shown, QStringList{"Please keep a Left Key"});
    EXPECT_EQ(dialogs.dialogFonts, QStringList{"Arial Narrow"});
    EXPECT_EQ(session->model.codes().lists()[1], mode2);
}

TEST_F(ButtonEditorTest, GameModeChoicesGoToKeyModeTwoOnly) {
    readMouse(2);
    const auto mode1 = session->model.codes().lists()[0];
    choose(6, {"Key_Special", "Key_CPIKey", "Key_CPII"});
    EXPECT_EQ(profileBytes(42), (std::array<std::uint8_t, 3>{0x07, 0x00, 0x00}));
    EXPECT_EQ(session->model.buttonFunction(2, 6), "070000");
    EXPECT_EQ(session->model.codes().lists()[0], mode1);
    EXPECT_EQ(keyLabel(6)->text(), "DPI +");
}

TEST_F(ButtonEditorTest, AThreeLevelChoiceReachesTheMouseWithApply) {
    readMouse();
    choose(3, {"Key_Special", "Key_CPIKey", "Key_CPI"});
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    const std::size_t at = kProfile + ProfileCodes::offset(1, 3);
    EXPECT_EQ(mouse->memory()[at], 0x05);
    EXPECT_EQ(mouse->memory()[at + 1], 0x00);
    EXPECT_EQ(mouse->memory()[at + 2], 0x00);
}

TEST_F(ButtonEditorTest, SubMenusOpenOneAtATimeAndEveryChoiceOrClickElsewhereClosesThem) {
    readMouse();
    click(keyLabel(2));
    hover("Key_Special");
    hover("Key_CPIKey");
    EXPECT_FALSE(panel("Pnl_Special")->isHidden());
    EXPECT_FALSE(panel("Pnl_CPIKey")->isHidden());
    hover("Key_LEDSwitch");  // a leaf of Pnl_Special closes the DPI keys
    EXPECT_TRUE(panel("Pnl_CPIKey")->isHidden());
    hover("Key_Media");
    EXPECT_TRUE(panel("Pnl_Special")->isHidden());
    EXPECT_FALSE(panel("Pnl_Media")->isHidden());
    hover("Key_Assembly");  // click-only entries close the sub-menus
    EXPECT_TRUE(panel("Pnl_Media")->isHidden());
    EXPECT_FALSE(panel("Pnl_Main")->isHidden());

    // A press on the page background closes everything.
    QTest::mousePress(find<QWidget>("Img_Base_1"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(anyMenuShown());

    // A press on the engineer page does too.
    click(keyLabel(2));
    ASSERT_TRUE(menu().isOpen());
    QTest::mousePress(window->engineerPage().cb_Smooth, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(anyMenuShown());
}

TEST_F(ButtonEditorTest, HoveredEntriesTakeTheLayoutsHoverColours) {
    readMouse();
    click(keyLabel(1));
    ButtonLabel* entry = menu().entry("Key_Standard");
    const QColor normal = entry->palette().color(QPalette::WindowText);
    hover("Key_Standard");
    const LayoutKept& kept = window->lastLayout().kept;
    EXPECT_TRUE(entry->autoFillBackground());
    EXPECT_EQ(entry->palette().color(QPalette::Window), kept.menuHoverBack);
    EXPECT_EQ(entry->palette().color(QPalette::WindowText), kept.menuHoverText);
    EXPECT_EQ(entry->grab().toImage().pixelColor(1, 1), kept.menuHoverBack);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(entry, &leave);
    EXPECT_FALSE(entry->autoFillBackground());
    EXPECT_EQ(entry->palette().color(QPalette::WindowText), normal);
    EXPECT_EQ(entry->text(), " * Standard Mouse Key");
}

// Right of and below the label's centre, unless that reaches an edge of the window.
TEST_F(ButtonEditorTest, TheMenuOpensAwayFromTheWindowsEdges) {
    readMouse();
    QWidget* main = panel("Pnl_Main");
    ButtonLabel* label = keyLabel(4);
    const QSize size = window->size();
    struct Case {
        QPoint at;
        bool left, up;
    } cases[] = {
        {{110, 250}, false, false},
        {{size.width() - label->width() - 20, 250}, true, false},
        {{110, size.height() - label->height() - 40}, false, true},
        {{size.width() - label->width() - 5, size.height() - label->height() - 5}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
        label->move(c.at);
        click(label);
        const QPoint centre(c.at.x() + label->width() / 2, c.at.y() + label->height() / 2);
        EXPECT_EQ(main->x(), c.left ? centre.x() - main->width() : centre.x());
        EXPECT_EQ(main->y(), c.up ? centre.y() - main->height() : centre.y());
        // A sub-menu that would reach the right edge opens left of Pnl_Main.
        hover("Key_WWW");
        QWidget* web = panel("Pnl_WWW");
        if (c.left)
            EXPECT_EQ(web->x(), main->x() - web->width());
        else
            EXPECT_EQ(web->x(), main->x() + menu().entry("Key_WWW")->geometry().right() + 3);
        EXPECT_LE(web->geometry().bottom(), size.height());
        menu().hideAll();
    }
}

TEST_F(ButtonEditorTest, MenuHeightsFollowTheKeyModeAndTheGunDisplay) {
    session->options.gunDisplay = true;
    restartWindow();
    readMouse(1);
    click(keyLabel(1));
    EXPECT_EQ(panel("Pnl_Main")->height(), 170);
    EXPECT_FALSE(menu().entry("Key_FireMacro")->isHidden());
    EXPECT_TRUE(menu().entry("Key_TLFireMacro")->isHidden());
    window->navigation().choosePage(NavigationChoice::Game);
    click(keyLabel(1));
    EXPECT_EQ(panel("Pnl_Main")->height(), 194);
    EXPECT_EQ(panel("Pnl_Special")->height(), 194);

    // The fire macro entry opens the fire page.
    hover("Key_FireMacro");
    click(menu().entry("Key_FireMacro"));
    EXPECT_EQ(window->navigation().visiblePage(), 5);
}

TEST_F(ButtonEditorTest, EngineerButtonsUseTheSameMenusAbove) {
    readMouse();
    window->navigation().choosePage(NavigationChoice::Engineer);
    EngineerPage& e = window->engineerPage();
    QPushButton* home = e.btn_Key2[4];  // btn_Key205
    ASSERT_EQ(home->objectName(), "btn_Key205");
    click(home);
    ASSERT_TRUE(menu().isOpen());
    EXPECT_EQ(panel("Pnl_Main")->height(), 194);
    EXPECT_TRUE(menu().entry("Key_FireMacro")->isHidden());
    EXPECT_FALSE(menu().entry("Key_TLFireMacro")->isHidden());
    const QPoint button = home->mapTo(window.get(), QPoint(0, 0));
    EXPECT_LT(panel("Pnl_Main")->y(), button.y());
    EXPECT_GE(panel("Pnl_Main")->x(), button.x());
    chooseInOpenMenu({"Key_WWW", "Key_WWWHome"});

    // A button whose menu would pass the page control's right edge has it end at its own.
    QWidget* group = home->parentWidget();
    const QPoint groupAt = group->pos();
    group->move(e.Pg_Parameter->width() - 200, groupAt.y());
    click(e.btn_Key2[0]);
    // The button's left is taken on its sheet, the page control's in the window.
    const int left = e.Pg_Parameter->mapTo(window.get(), QPoint(0, 0)).x() +
                     e.btn_Key2[0]->mapTo(e.ts_Engineer, QPoint(0, 0)).x();
    EXPECT_EQ(panel("Pnl_Main")->x(),
              left + e.btn_Key2[0]->width() - panel("Pnl_Main")->width() + 10);
    menu().hideAll();
    group->move(groupAt);

    EXPECT_EQ(profileBytes(39), (std::array<std::uint8_t, 3>{0x03, 0x02, 0x23}));
    EXPECT_EQ(home->text(), "Home");
    EXPECT_FALSE(anyMenuShown());

    // The rule holds on the engineer page: key mode 1's only left button keeps it.
    for (int k = 2; k <= 9; ++k) ASSERT_NE(session->model.buttonFunction(1, k), "010100");
    click(e.btn_Key1[0]);
    chooseInOpenMenu({"Key_MyPC", "Key_Calculator"});
    EXPECT_EQ(session->model.buttonFunction(1, 1), "010100");
    EXPECT_EQ(e.btn_Key1[0]->text(), "Left Key");
    EXPECT_EQ(dialogs.shown, QStringList{"Please keep a Left Key"});

    // Gun keys are listed only once there are some, and skip the rule.
    click(e.btn_Key1[0]);
    hover("Key_TLFireMacro");
    EXPECT_TRUE(menu().gunKeyList()->isHidden());
    // The engineer sheet's gun list file, loaded: its entry is offered.
    const std::filesystem::path gunFile = libraryFolder.path() / "gun-list.bin";
    std::ofstream(gunFile, std::ios::binary)
        << std::string("\x0C\x01\x01", 3) << std::string(27, '\0');
    e.gunList->load(gunFile);
    hover("Key_TLFireMacro");
    ASSERT_FALSE(menu().gunKeyList()->isHidden());
    QListWidget* list = menu().gunKeyList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(session->model.buttonFunction(1, 1), "0C0101");
    EXPECT_EQ(e.btn_Key1[0]->text(), "Fire Macro1");
}

// Gun codes are named after the presets, or, while the gun list's file is in use (it was there
// at start), after the list's slots; a new entry renames the buttons that use its code at once.
TEST_F(ButtonEditorTest, GunKeysAreNamedAfterTheGunListWhileItsFileIsInUse) {
    readMouse();
    ASSERT_TRUE(session->model.setButtonFunction(1, 4, "0C0202").changed);
    EXPECT_EQ(keyLabel(4)->text(), window->text("Str601"));

    session->programDir = libraryFolder.path().string();
    std::ofstream(libraryFolder.path() / kGunListFileName, std::ios::binary)
        << std::string("\x0C\x03\x03\x0C\x02\x02", 6) << std::string(24, '\0');
    restartWindow();
    readMouse();
    ASSERT_TRUE(session->model.setButtonFunction(1, 4, "0C0202").changed);
    ASSERT_TRUE(session->model.setButtonFunction(1, 5, "0C0505").changed);
    EXPECT_EQ(keyLabel(4)->text(), "Fire Macro2");
    EXPECT_EQ(keyLabel(5)->text(), "");  // in no slot: unnamed

    GunListView& list = *window->engineerPage().gunList;
    list.cb_SOSStartIndex->setCurrentIndex(4);
    list.cb_SOSNumber->setCurrentIndex(4);
    list.btn_AddScript->click();
    EXPECT_EQ(keyLabel(5)->text(), "Fire Macro3");
}

// The menu panels and lists are framed in the layout's border colour.
TEST_F(ButtonEditorTest, MenusTakeTheLayoutsBorderColour) {
    window->show();
    readMouse();
    const QColor border = window->lastLayout().kept.menuBorder;
    ASSERT_TRUE(border.isValid());
    click(keyLabel(1));
    QWidget* main = panel("Pnl_Main");
    ASSERT_TRUE(main->isVisible());
    const QImage face = main->grab().toImage();
    for (const QPoint at : {QPoint(0, face.height() / 2), QPoint(face.width() - 1, 3)})
        EXPECT_EQ(face.pixelColor(at), border) << at.x() << "," << at.y();
    auto* names = qobject_cast<QListWidget*>(panel("LB_Name"));
    EXPECT_EQ(names->frameShape(), QFrame::Box);
    EXPECT_EQ(names->palette().color(QPalette::WindowText), border);
}

TEST_F(ButtonEditorTest, TheAssemblyKeyDialogComposesAShortcut) {
    readMouse();
    click(keyLabel(5));
    hover("Key_Assembly");
    click(menu().entry("Key_Assembly"));
    EXPECT_FALSE(anyMenuShown());
    AssemblyKeyDialog& dialog = editor().assemblyDialog();
    ASSERT_FALSE(dialog.isHidden());
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.geometry().center().x(), window->geometry().center().x());
    EXPECT_EQ(dialog.y(), window->y() + (window->height() - dialog.height()) / 2 + 40);
    EXPECT_EQ(dialog.lbl_Assembly->text(), "Assembly Key");
    EXPECT_EQ(dialog.IB_Confirm.label->text(), "Confirm");
    EXPECT_EQ(dialog.IB_Cancel.label->text(), "Clear");

    dialog.modifierBoxes[AssemblyKey::kCtrl]->setChecked(true);
    QTest::keyClick(dialog.edit, Qt::Key_A);
    EXPECT_EQ(dialog.edit->text(), "Ctrl+A");
    QTest::keyClick(dialog.edit, Qt::Key_B);
    EXPECT_EQ(dialog.edit->text(), "Ctrl+B");
    QTest::keyClick(dialog.edit, Qt::Key_Shift);  // drops B, captures nothing
    EXPECT_EQ(dialog.edit->text(), "Ctrl");
    QTest::keyClick(dialog.edit, Qt::Key_C, Qt::AltModifier);  // pressed with Alt held
    EXPECT_EQ(dialog.edit->text(), "Ctrl");
    QTest::keyClick(dialog.edit, Qt::Key_A);
    click(dialog.IB_Confirm.label);
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(session->model.buttonFunction(1, 5), "020104");
    EXPECT_EQ(keyLabel(5)->text(), "Ctrl+A");

    // Confirm on nothing: no key, no modifier, an empty caption. The rule does not apply.
    click(keyLabel(1));
    click(menu().entry("Key_Assembly"));
    click(dialog.IB_Confirm.label);
    EXPECT_EQ(session->model.buttonFunction(1, 1), "020000");
    EXPECT_EQ(keyLabel(1)->text(), "");
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Clear empties everything; Close hands nothing over.
    click(keyLabel(2));
    click(menu().entry("Key_Assembly"));
    dialog.modifierBoxes[AssemblyKey::kShift]->setChecked(true);
    QTest::keyClick(dialog.edit, Qt::Key_F5);
    click(dialog.IB_Cancel.label);
    EXPECT_EQ(dialog.edit->text(), "");
    EXPECT_FALSE(dialog.modifierBoxes[AssemblyKey::kShift]->isChecked());
    const std::string before = session->model.buttonFunction(1, 2);
    QTest::keyClick(dialog.edit, Qt::Key_F5);
    click(dialog.IB_Close.label);
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(session->model.buttonFunction(1, 2), before);
}

TEST_F(ButtonEditorTest, SwitchOptionsOneAndTwoExcludeEachOtherAndReachTheMouse) {
    session->options.gunDisplay = true;
    restartWindow();
    readMouse(1);
    const auto& options = window->buttonPage().switchOptions();
    EXPECT_TRUE(options[2].label->isHidden());  // the gun-key line belongs to Game Mode
    auto images = [&] {
        QStringList skins;
        for (const SkinButton& option : options) skins << option.image->skin();
        return skins;
    };
    ASSERT_EQ(images(), (QStringList{"CbS_D", "CbS_D", "CbS_D"}));
    click(options[0].label);
    EXPECT_EQ(images(), (QStringList{"CbS_E", "CbS_D", "CbS_D"}));
    click(options[1].label);
    EXPECT_EQ(images(), (QStringList{"CbS_D", "CbS_E", "CbS_D"}));
    EXPECT_FALSE(session->model.values().cb_MidPress);
    EXPECT_TRUE(session->model.values().cb_CPIPress);
    EXPECT_TRUE(window->engineerPage().cb_CPIPress->isChecked());

    // The engineer page's box shows on the button page.
    window->engineerPage().cb_GunPress->click();
    EXPECT_EQ(images(), (QStringList{"CbS_D", "CbS_E", "CbS_E"}));
    window->navigation().choosePage(NavigationChoice::Game);
    EXPECT_FALSE(options[2].label->isHidden());
    click(options[2].label);
    EXPECT_FALSE(session->model.values().cb_GunPress);

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory()[section::kParameterA.address + 1] & 0x07, 0x02);
}

// A library macro chosen from LB_Name goes into a slot the button plays; Apply writes both, and
// a read shows the macro's name on the button. With no slot free, Str104 says so and the
// button keeps its function.
TEST_F(ButtonEditorTest, ALibraryMacroBoundToAButtonReachesTheMouse) {
    readMouse();
    MacroLibrary library;
    const char* names[] = {"Jump", "a", "b", "c", "d", "e", "f"};
    MacroContent content{};
    const std::uint8_t events[] = {0x00, 0x05, 0x82, 0x04, 0x02, 0x04, 0xCB};
    std::copy(std::begin(events), std::end(events), content.begin());
    for (const char* name : names) {
        std::size_t index = 0;
        ASSERT_EQ(library.add(encodeMacroName(name), &index), LibraryResult::Ok);
        ASSERT_EQ(library.setContent(index, content), LibraryResult::Ok);
    }
    editor().setMacroLibrary(&library);
    ASSERT_EQ(menu().macroList()->count(), 7);

    auto bind = [&](int key, int entry) {
        click(keyLabel(key));
        hover("Key_Macro");
        QListWidget* list = menu().macroList();
        ASSERT_FALSE(list->isHidden());
        QListWidgetItem* item = list->item(entry);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    };
    bind(4, 0);
    EXPECT_EQ(keyLabel(4)->text(), "Jump");
    EXPECT_FALSE(anyMenuShown());
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    const std::size_t at = kProfile + ProfileCodes::offset(1, 4);
    EXPECT_EQ(mouse->memory()[at], 0x06);
    EXPECT_EQ(mouse->memory()[at + 1], 0x01);
    EXPECT_EQ(mouse->memory()[at + 2], 0x21);
    EXPECT_EQ(mouse->memory()[0x101], 'J');
    EXPECT_EQ(mouse->memory()[0x120 + 6], 0xCB);

    session->model.loadFromImage(builtInImage());
    window->deviceButtons().Btn_Read_0Click();
    window->navigation().choosePage(NavigationChoice::Office);
    EXPECT_EQ(keyLabel(4)->text(), "Jump");

    // Five buttons of key mode 2 fill the other slots; the seventh macro finds none.
    for (int k = 1; k <= 5; ++k)
        ASSERT_TRUE(bindLibraryMacro(session->model, 2, k + 1,
                                     library.entry(static_cast<std::size_t>(k)), SlotRange::AllSix)
                        .ok());
    ASSERT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("; ").toStdString();
    const std::string code = session->model.buttonFunction(1, 2);
    const QString caption = keyLabel(2)->text();
    bind(2, 6);
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str104")});
    EXPECT_EQ(session->model.buttonFunction(1, 2), code);
    EXPECT_EQ(keyLabel(2)->text(), caption);
}

// The macro list shows the window's library as it is when the menu opens.
TEST_F(ButtonEditorTest, TheMacroListFollowsTheLibrary) {
    readMouse();
    MacroLibrary& library = window->macroLibrary().library();
    const std::size_t before = library.count();
    click(keyLabel(4));
    EXPECT_EQ(static_cast<std::size_t>(menu().macroList()->count()), before);
    click(keyLabel(4));  // closes it

    ASSERT_EQ(library.add(encodeMacroName("Sprint")), LibraryResult::Ok);
    click(keyLabel(5));
    QListWidget* list = menu().macroList();
    ASSERT_EQ(static_cast<std::size_t>(list->count()), before + 1);
    EXPECT_EQ(list->item(list->count() - 1)->text(), "Sprint");
}

}  // namespace
}  // namespace vornik

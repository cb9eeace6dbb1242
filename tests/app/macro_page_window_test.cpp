// The macro page in the window: the library list and the event list, the entry commands with
// the name dialog, the row commands with their dialogs and the insert panel, the release
// option, the 100-entry limit, and that every change reaches the library file at once.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <fstream>
#include <iterator>

#include "macros/macro_editor_view.h"
#include "macros/macro_lists.h"
#include "macros/macro_page.h"
#include "model/fake_input_capture.h"
#include "model/macro_library_file.h"
#include "ui/input_dialogs.h"
#include "ui/navigation.h"
#include "ui/widgets/fitting_text.h"
#include "window_fixture.h"

namespace vornik {
namespace {

// Delays in whole 8 ms steps, as the mouse keeps them.
const MacroScript kStroke{"10", "1 A CODE:8204", "0 104", "2 A CODE:0204"};

class MacroPageTest : public MainWindowTest {
  protected:
    void SetUp() override {
        window->show();
        connectMouse();
        window->navigation().Btn_Macro_0Click();
    }
    MacroEditorView& page() { return window->macroPage().editor(); }
    MacroLibrary& library() { return window->macroLibrary().library(); }

    // An entry as a file found at start would hold it, listed on the page.
    void addEntry(const char* name, const MacroScript& script, bool releaseStops = false) {
        std::size_t index = 0;
        ASSERT_EQ(library().add(encodeMacroName(name), &index), LibraryResult::Ok);
        const EncodedMacro encoded = encodeScript(script, releaseStops, MacroForm::Device);
        ASSERT_TRUE(encoded.ok());
        MacroContent content{};
        std::copy(encoded.content.begin(), encoded.content.end(), content.begin());
        library().setContent(index, content);
        std::string error;
        ASSERT_TRUE(window->macroLibrary().save(error)) << error;
        page().showLibrary();
    }
    // The library as its file holds it now.
    MacroLibrary libraryOnDisk() {
        std::ifstream in(libraryFolder.path() / "Macro.bin", std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(bytes.size(), kLibraryFileSize);
        return MacroLibrary::fromBytes(bytes);
    }
    // Whether the file holds the entry as the page shows its script now.
    bool savedAsShown(std::size_t entry) {
        const EncodedMacro shown =
            encodeScript(page().script(), page().releaseStops(), MacroForm::Device);
        const MacroLibrary onDisk = libraryOnDisk();
        const MacroContent& stored = onDisk.entry(entry).content;
        return shown.ok() && std::equal(stored.begin(), stored.end(), shown.content.begin());
    }

    QListWidget* list(const char* name) { return find<QListWidget>(name); }
    // A right click on a row of a list: it selects the row and opens the list's pop-up.
    void rightClick(const char* listName, int row) {
        QListWidget* l = list(listName);
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QTest::mousePress(l->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(l->viewport(), Qt::RightButton, {}, at);
    }
    void click(const char* name) {
        QTest::mouseClick(find<QWidget>(name), Qt::LeftButton, {}, QPoint(3, 3));
    }
    // A pop-up command on a row: right click, then the command's button.
    void rowCommand(int row, const char* command) {
        rightClick("LB_macro", row);
        ASSERT_TRUE(find<QWidget>("Pnl_DevContent")->isVisible());
        click(command);
    }
    void entryCommand(int entry, const char* command) {
        rightClick("LB_PCMacroName", entry);
        ASSERT_TRUE(find<QWidget>("Pnl_PCMacro")->isVisible());
        click(command);
    }
    InputDialog* dialog(const char* form) { return find<InputDialog>(form); }
    // Types into a dialog's edit and confirms.
    void confirm(const char* form, const QString& text) {
        InputDialog* d = dialog(form);
        ASSERT_TRUE(d->isVisible()) << form;
        QTest::keyClicks(d->edit, text);
        click_(d->IB_Confirm.label);
    }
    static void click_(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3)); }
    std::vector<std::string> rowLines() {
        std::vector<std::string> out;
        QListWidget* l = list("LB_macro");
        for (int i = 0; i < l->count(); ++i)
            out.push_back(l->item(i)->data(kScriptLineRole).toString().toStdString());
        return out;
    }
    QStringList names() {
        QStringList out;
        QListWidget* l = list("LB_PCMacroName");
        for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
        return out;
    }
};

TEST_F(MacroPageTest, ListsShowTheLibraryTheSelectedScriptAndItsBytes) {
    addEntry("Jump", kStroke);
    addEntry("Run", {"00", "4 FBFB", "7 FD09", "8 00FC"});
    EXPECT_EQ(names(), (QStringList{"Jump", "Run"}));
    EXPECT_EQ(find<QLabel>("lbl_MacroBytes")->text(), "0 / 221");

    QTest::mouseClick(
        list("LB_PCMacroName")->viewport(), Qt::LeftButton, {},
        list("LB_PCMacroName")->visualItemRect(list("LB_PCMacroName")->item(1)).center());
    EXPECT_EQ(page().selectedEntry(), 1u);
    EXPECT_EQ(rowLines(), (std::vector<std::string>{"4 FBFB", "7 FD09", "8 00FC"}));
    const QModelIndex first = list("LB_macro")->model()->index(0, 0);
    EXPECT_EQ(macroRowText(first), "X-Axis  -5");
    EXPECT_EQ(find<QLabel>("lbl_MacroBytes")->text(), "5 / 221");

    page().selectEntry(0);
    EXPECT_EQ(rowLines(), (std::vector<std::string>{"1 A CODE:8204", "0 104", "2 A CODE:0204"}));
    EXPECT_EQ(find<QLabel>("lbl_MacroBytes")->text(), "6 / 221");
    // A press below the last entry clears the selection and the event list.
    QTest::mousePress(list("LB_PCMacroName")->viewport(), Qt::LeftButton, {}, QPoint(5, 300));
    EXPECT_EQ(page().selectedEntry(), std::nullopt);
    EXPECT_TRUE(rowLines().empty());
}

TEST_F(MacroPageTest, NewRenameAndDeleteGoThroughTheNameDialogAndTheFile) {
    click("Btn_New");
    confirm("Form3", "Jump");
    EXPECT_EQ(names(), QStringList{"Jump"});
    EXPECT_EQ(page().selectedEntry(), 0u);
    EXPECT_EQ(libraryOnDisk().names(), std::vector<std::string>{"Jump"});

    // Renaming to its own name, or to another entry's, is refused with Str106.
    click("Btn_New");
    confirm("Form3", "Run");
    for (const char* taken : {"Run", "Jump"}) {
        SCOPED_TRACE(taken);
        dialogs.shown.clear();
        entryCommand(1, "Btn_NewName");
        confirm("Form3", taken);
        EXPECT_EQ(dialogs.shown, QStringList{window->text("Str106")});
        EXPECT_EQ(names(), (QStringList{"Jump", "Run"}));
        EXPECT_EQ(libraryOnDisk().names(), (std::vector<std::string>{"Jump", "Run"}));
    }

    // Closing the dialog after New drops New: the later Rename renames and adds nothing.
    dialogs.shown.clear();
    click("Btn_New");
    click_(dialog("Form3")->IB_Close.label);
    EXPECT_FALSE(dialog("Form3")->isVisible());
    entryCommand(0, "Btn_NewName");
    confirm("Form3", "Hop");
    EXPECT_EQ(names(), (QStringList{"Hop", "Run"}));
    EXPECT_EQ(libraryOnDisk().names(), (std::vector<std::string>{"Hop", "Run"}));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Delete selects the entry before.
    entryCommand(1, "Btn_DelPCMacro");
    EXPECT_EQ(names(), QStringList{"Hop"});
    EXPECT_EQ(page().selectedEntry(), 0u);
    EXPECT_EQ(libraryOnDisk().names(), std::vector<std::string>{"Hop"});
}

TEST_F(MacroPageTest, NewFromThePopupKeepsThePreviousEntrysReleaseMode) {
    addEntry("Jump", kStroke, true);
    page().selectEntry(0);
    EXPECT_TRUE(page().releaseStops());
    EXPECT_EQ(skinOf("Img_ReleaseStop"), "RdS_E");

    entryCommand(0, "Btn_NewMacro");
    EXPECT_FALSE(page().releaseStops());
    EXPECT_EQ(skinOf("Img_ReleaseContiue"), "RdS_E");
    EXPECT_EQ(library().entry(0).content[0], kReleaseStops);
    confirm("Form3", "Run");
    EXPECT_EQ(libraryOnDisk().entry(0).content[0], kReleaseStops);

    // Choosing an option with an entry selected stores it in that entry.
    page().selectEntry(0);
    click("IB_ReleaseContiue");
    EXPECT_EQ(libraryOnDisk().entry(0).content[0], kReleaseContinues);
}

TEST_F(MacroPageTest, AHundredEntriesDisableNew) {
    while (library().count() < kLibraryEntryCount - 1)
        ASSERT_EQ(library().add(encodeMacroName(std::to_string(library().count()))),
                  LibraryResult::Ok);
    page().showLibrary();
    EXPECT_TRUE(find<QWidget>("Btn_New")->isEnabled());
    click("Btn_New");
    confirm("Form3", "last");
    EXPECT_EQ(names().size(), 100);
    EXPECT_FALSE(find<QWidget>("Btn_New")->isEnabled());
    EXPECT_FALSE(find<QWidget>("Btn_NewMacro")->isEnabled());
    page().newMacro(false);
    EXPECT_FALSE(dialog("Form3")->isVisible());

    entryCommand(99, "Btn_DelPCMacro");
    EXPECT_TRUE(find<QWidget>("Btn_New")->isEnabled());
    EXPECT_TRUE(find<QWidget>("Btn_NewMacro")->isEnabled());
}

TEST_F(MacroPageTest, DeletingAKeyRowTakesItsPartner) {
    const struct {
        const char* what;
        MacroScript script;
        int row;
        MacroScript expected;
    } cases[] = {
        {"a press with its later release", kStroke, 0, {"10", "0 104"}},
        {"a press without a later release", {"10", "0 48", "1 A CODE:8204"}, 1, {"10", "0 48"}},
        {"a release with the nearer of two presses",
         {"10", "1 A CODE:8204", "0 48", "1 A CODE:8204", "2 A CODE:0204"},
         3,
         {"10", "1 A CODE:8204", "0 48"}},
        {"a delay alone", kStroke, 1, {"10", "1 A CODE:8204", "2 A CODE:0204"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        addEntry(c.what, c.script);
        const std::size_t entry = library().count() - 1;
        page().selectEntry(entry);
        rowCommand(c.row, "Btn_Del");
        EXPECT_EQ(page().script(), c.expected);
        EXPECT_TRUE(savedAsShown(entry));
    }
}

TEST_F(MacroPageTest, EditDialogsReplaceTheirRow) {
    addEntry("Jump", {"10", "1 A CODE:8204", "0 104", "3 FB0C", "7 FD04"});
    page().selectEntry(0);

    // The key dialog gives the key's usage, modifiers included.
    rowCommand(0, "Btn_Edit");
    InputDialog* key = dialog("Form5");
    ASSERT_TRUE(key->isVisible());
    QTest::keyClick(key->edit, Qt::Key_Control);
    EXPECT_EQ(key->edit->text(), "Ctrl");
    click_(key->IB_Confirm.label);
    EXPECT_EQ(page().script()[1], "1 Ctrl CODE:82E0");

    rowCommand(1, "Btn_Edit");
    confirm("Form6", "3000");  // clamped while typing
    EXPECT_EQ(page().script()[2], "0 2040");

    const struct {
        int row;
        const char* typed;
        const char* line;
    } values[] = {{2, "0", "3 FB00"}, {2, "-1", "4 FBFF"}, {3, "10", "7 FD09"}, {3, "0", "7 FD00"}};
    for (const auto& v : values) {
        SCOPED_TRACE(v.typed);
        rowCommand(v.row, "Btn_Edit");
        confirm("Form7", v.typed);
        EXPECT_EQ(page().script()[static_cast<std::size_t>(v.row) + 1], v.line);
        EXPECT_EQ(page().selectedRow(), static_cast<std::size_t>(v.row));
    }
    EXPECT_EQ(page().script(),
              (MacroScript{"10", "1 Ctrl CODE:82E0", "0 2040", "4 FBFF", "7 FD00"}));
    EXPECT_TRUE(savedAsShown(0));
}

TEST_F(MacroPageTest, AClosedDialogCancelsAndAnOpenOneComesForward) {
    // Waits next to each other would read back as one line.
    addEntry("Jump", {"10", "0 104", "3 FB01", "0 200"});
    page().selectEntry(0);
    rowCommand(0, "Btn_Edit");
    InputDialog* delay = dialog("Form6");
    // A second Edit while it is open brings it forward; it still edits row 0.
    rowCommand(2, "Btn_Edit");
    ASSERT_TRUE(delay->isVisible());
    confirm("Form6", "5");
    EXPECT_EQ(page().script(), (MacroScript{"10", "0 5", "3 FB01", "0 200"}));

    rowCommand(2, "Btn_Edit");
    click_(delay->IB_Close.label);
    EXPECT_FALSE(delay->isVisible());
    // Confirm of a closed dialog, or of an empty edit, changes nothing.
    delay->confirm();
    rowCommand(2, "Btn_Edit");
    click_(delay->IB_Confirm.label);
    EXPECT_EQ(page().script(), (MacroScript{"10", "0 5", "3 FB01", "0 200"}));
}

TEST_F(MacroPageTest, InsertPanelInsertsTheActionsLine) {
    addEntry("Jump", {"10", "0 104"});
    const struct {
        int action;
        const char* edit;
        const char* typed;
        std::size_t at;  // script index of the new line
        const char* line;
    } cases[] = {
        {0, "Edt_InsertDelay", "30", 1, "0 30"},    {1, "Edt_InsertDelay", "9999", 2, "0 2040"},
        {6, "edt_XAxisValue", "0", 1, "3 FB00"},    {7, "edt_XAxisValue", "-1", 2, "4 FBFF"},
        {9, "edt_YAxisValue", "-200", 2, "6 FA80"}, {4, "edt_Repeat", "10", 1, "7 FD09"},
        {4, "edt_Repeat", "0", 1, "7 FD00"},        {5, "edt_Repeat", "", 2, "8 00FC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << " " << c.typed);
        page().selectEntry(0);
        rowCommand(0, "Btn_Insert");
        ASSERT_TRUE(page().insertPanelOpen());
        EXPECT_FALSE(find<QWidget>("Btn_New")->isEnabled());
        EXPECT_FALSE(find<QWidget>("Btn_Start")->isEnabled());
        page().chooseInsertAction(c.action);
        // Each edit shows its caption beside it, and only its own.
        const QString captionOf = QString(c.edit) == "Edt_InsertDelay"  ? "lbl_InsertDelay"
                                  : QString(c.edit) == "edt_Repeat"     ? "lbl_InsertRepeat"
                                  : QString(c.edit) == "edt_XAxisValue" ? "lbl_InsertXAxis"
                                                                        : "lbl_InsertYAxis";
        for (const char* label :
             {"lbl_InsertDelay", "lbl_InsertRepeat", "lbl_InsertXAxis", "lbl_InsertYAxis"})
            EXPECT_EQ(find<QLabel>(label)->isVisible(), captionOf == label) << label;
        if (*c.typed) {
            auto* edit = find<QLineEdit>(c.edit);
            edit->clear();
            QTest::keyClicks(edit, c.typed);
        }
        click("Btn_OK");
        EXPECT_FALSE(page().insertPanelOpen());
        ASSERT_EQ(page().script().size(), 3u);
        EXPECT_EQ(page().script()[c.at], c.line);
        EXPECT_EQ(page().selectedRow(), c.at - 1);
        EXPECT_TRUE(savedAsShown(0));
        // Back to the one delay for the next case.
        rowCommand(static_cast<int>(c.at - 1), "Btn_Del");
    }

    // Cancel shows the stored script again.
    page().selectEntry(0);
    rowCommand(0, "Btn_Insert");
    click("Btn_Cancel");
    EXPECT_FALSE(page().insertPanelOpen());
    EXPECT_TRUE(find<QWidget>("Btn_New")->isEnabled());
    EXPECT_TRUE(find<QWidget>("Btn_Start")->isEnabled());
    EXPECT_EQ(page().script(), (MacroScript{"10", "0 104"}));
    EXPECT_EQ(page().selectedRow(), 0u);
}

TEST_F(MacroPageTest, AnEditThatDoesNotFitIsRefusedWhole) {
    MacroScript full{"00"};
    for (int i = 0; i < 110; ++i) full.push_back("1 A CODE:8204");  // 220 event bytes
    addEntry("Full", full);
    page().selectEntry(0);
    rowCommand(0, "Btn_Insert");
    page().chooseInsertAction(0);
    click("Btn_OK");
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str103")});
    EXPECT_EQ(page().script(), full);
    EXPECT_TRUE(savedAsShown(0));
}

// Record on Btn_Start with each delay option over a fake source; Stop encodes the recording
// into the selected entry and saves it.
TEST_F(MacroPageTest, RecordingReplacesTheEntrysScriptInEachDelayOption) {
    const struct {
        const char* option;
        MacroScript expected;
    } cases[] = {
        {"IB_RecDelay",
         {"10", "1 A CODE:8204", "0 104", "2 A CODE:0204", "0 2040", "0 960", "1 LeftKey CODE:00A1",
          "2 LeftKey CODE:0021"}},
        {"IB_DelayTime",
         {"010", "1 A CODE:8204", "0 0", "2 A CODE:0204", "1 LeftKey CODE:00A1",
          "2 LeftKey CODE:0021"}},
        {"IB_NoDelay",
         {"00", "1 A CODE:8204", "2 A CODE:0204", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}},
    };
    auto owned = std::make_unique<FakeInputCapture>(clock);
    FakeInputCapture& source = *owned;
    page().useInputCapture(std::move(owned));
    auto* delayEdit = find<QLineEdit>("Edt_Delay");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        addEntry(c.option, kStroke);
        const std::size_t entry = library().count() - 1;
        page().selectEntry(entry);
        click(c.option);
        if (!delayEdit->isReadOnly()) {
            delayEdit->clear();
            QTest::keyClicks(delayEdit, "0");
        }
        const MacroContent before = libraryOnDisk().entry(entry).content;
        click("Btn_Start");
        ASSERT_TRUE(page().recording());
        EXPECT_EQ(find<QLabel>("Btn_Start")->text(), window->text("Str401"));
        EXPECT_FALSE(list("LB_PCMacroName")->isEnabled());
        EXPECT_TRUE(rowLines().empty());

        source.keyDown(0x41);
        clock.advance(104);
        source.keyUp(0x41);
        clock.advance(3000);
        source.click(MouseButton::Left);
        QCoreApplication::processEvents();
        EXPECT_EQ(rowLines().size(), c.expected.size() - 1);
        // The stored entry is not touched until Stop.
        EXPECT_EQ(libraryOnDisk().entry(entry).content, before);

        click("Btn_Start");
        EXPECT_FALSE(page().recording());
        EXPECT_FALSE(source.started());
        EXPECT_EQ(find<QLabel>("Btn_Start")->text(), window->text("Str400"));
        EXPECT_TRUE(list("LB_PCMacroName")->isEnabled());
        EXPECT_EQ(page().script(), c.expected);
        EXPECT_TRUE(savedAsShown(entry));
    }
}

// Insert Key Front/Back record into the script around the selected row with the panel's own
// delay options; the lines stay unsaved until OK, and Cancel drops them.
TEST_F(MacroPageTest, InsertRecordingPlacesLinesAroundTheRowUntilOkOrCancel) {
    const struct {
        int action;
        const char* option;
        bool confirm;
        MacroScript expected;
    } cases[] = {
        {2,
         "IB_InsertRecDelay",
         true,
         {"10", "1 A CODE:8204", "1 B CODE:8205", "0 104", "2 B CODE:0205", "0 104",
          "2 A CODE:0204"}},
        {3,
         "IB_InsertRecDelay",
         true,
         {"10", "1 A CODE:8204", "0 104", "1 B CODE:8205", "0 104", "2 B CODE:0205",
          "2 A CODE:0204"}},
        {3,
         "IB_InsertDelayTime",
         true,
         {"10", "1 A CODE:8204", "0 104", "1 B CODE:8205", "0 0", "2 B CODE:0205",
          "2 A CODE:0204"}},
        {2,
         "IB_InsertNoDelay",
         true,
         {"10", "1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "0 104", "2 A CODE:0204"}},
        {2, "IB_InsertRecDelay", false, kStroke},
    };
    auto owned = std::make_unique<FakeInputCapture>(clock);
    FakeInputCapture& source = *owned;
    page().useInputCapture(std::move(owned));
    auto* delayEdit = find<QLineEdit>("Edt_InsertDelay");
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << " " << c.option
                                        << (c.confirm ? " OK" : " Cancel"));
        addEntry(("Entry " + std::to_string(++n)).c_str(), kStroke);
        const std::size_t entry = library().count() - 1;
        page().selectEntry(entry);
        rowCommand(1, "Btn_Insert");
        page().chooseInsertAction(c.action);
        // A key action starts from Record Delay, with the delay edit closed.
        EXPECT_EQ(page().insertDelayOption(), DelayOption::Recorded);
        EXPECT_FALSE(delayEdit->isEnabled());
        click(c.option);
        if (delayEdit->isEnabled()) {
            delayEdit->clear();
            QTest::keyClicks(delayEdit, "0");
        }
        const MacroContent before = libraryOnDisk().entry(entry).content;

        click("Btn_InsertStart");
        ASSERT_TRUE(page().recording());
        EXPECT_EQ(find<QLabel>("Btn_InsertStart")->text(), window->text("Str401"));
        for (const char* locked :
             {"CB_Insert", "IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay",
              "Edt_InsertDelay", "Btn_OK", "Btn_Cancel", "LB_PCMacroName", "LB_macro"})
            EXPECT_FALSE(find<QWidget>(locked)->isEnabled()) << locked;
        // Btn_Start belongs to the other recording and leaves this one running.
        page().toggleRecording();
        EXPECT_TRUE(page().recording());

        source.keyDown(0x42);
        clock.advance(104);
        source.keyUp(0x42);
        // The left click that stops, over Btn_InsertStart, is not recorded.
        QWidget* stop = find<QWidget>("Btn_InsertStart");
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QCoreApplication::sendEvent(stop, &enter);
        source.click(MouseButton::Left);
        QCoreApplication::processEvents();
        EXPECT_EQ(rowLines().size(), c.expected.size() - 1 + (c.confirm ? 0 : 3));

        click("Btn_InsertStart");
        EXPECT_FALSE(page().recording());
        EXPECT_FALSE(source.started());
        EXPECT_EQ(find<QLabel>("Btn_InsertStart")->text(), window->text("Str400"));
        EXPECT_TRUE(find<QWidget>("Btn_OK")->isEnabled());
        EXPECT_TRUE(find<QWidget>("CB_Insert")->isEnabled());
        // Nothing is stored before OK.
        EXPECT_EQ(libraryOnDisk().entry(entry).content, before);

        click(c.confirm ? "Btn_OK" : "Btn_Cancel");
        EXPECT_FALSE(page().insertPanelOpen());
        EXPECT_TRUE(list("LB_PCMacroName")->isEnabled());
        EXPECT_TRUE(list("LB_macro")->isEnabled());
        EXPECT_EQ(page().script(), c.expected);
        EXPECT_TRUE(savedAsShown(entry));
    }
}

// An entry whose stored bytes leave no room starts no insert recording.
TEST_F(MacroPageTest, InsertRecordingNeedsRoomLeftInTheEntry) {
    page().useInputCapture(std::make_unique<FakeInputCapture>(clock));
    MacroScript full{"00"};
    for (int i = 0; i < 110; ++i) full.push_back("1 A CODE:8204");  // 220 event bytes
    addEntry("Full", full);
    page().selectEntry(0);
    rowCommand(0, "Btn_Insert");
    page().chooseInsertAction(3);
    click("Btn_InsertStart");
    EXPECT_FALSE(page().recording());
    EXPECT_EQ(find<QLabel>("Btn_InsertStart")->text(), window->text("Str400"));
    EXPECT_TRUE(find<QWidget>("Btn_OK")->isEnabled());
}

// The closed insert list shows each action so that no two look alike, within its box, in
// every language.
TEST_F(MacroPageTest, TheClosedInsertListTellsEveryActionApart) {
    addEntry("Jump", kStroke);
    page().selectEntry(0);
    for (int language : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        window->switchLanguage(language);
        rowCommand(0, "Btn_Insert");
        auto* box = find<FittingComboBox>("CB_Insert");
        QStringList shown;
        for (int action = 0; action < box->count(); ++action) {
            page().chooseInsertAction(action);
            const QString text = box->shownText();
            EXPECT_LE(box->fontMetrics().horizontalAdvance(text), box->width())
                << text.toStdString();
            EXPECT_FALSE(shown.contains(text)) << text.toStdString();
            shown << text;
        }
        click("Btn_Cancel");
    }
}

// One entry exported and imported back, the whole library likewise; a duplicate name is
// refused and changes nothing.
TEST_F(MacroPageTest, ImportAndExportGoThroughTheFileDialogs) {
    addEntry("Jump", kStroke);
    addEntry("Run", kStroke, true);
    const std::filesystem::path folder = libraryFolder.path();
    auto fileBytes = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}};
    };

    dialogs.fileAnswer = QString::fromStdString((folder / "jump").string());
    entryCommand(0, "Btn_ExportOne");
    const auto one = fileBytes(folder / "jump.bin");
    ASSERT_EQ(one.size(), kLibraryRecordSize);
    const std::vector<std::uint8_t> name{0x00, 0x4A, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x70, 0x00};
    EXPECT_TRUE(std::equal(name.begin(), name.end(), one.begin()));

    // Jump is there already.
    const auto before = fileBytes(folder / "Macro.bin");
    dialogs.fileAnswer = QString::fromStdString((folder / "jump.bin").string());
    entryCommand(0, "Btn_ImportOne");
    EXPECT_EQ(dialogs.shown.back(), window->text("Str106"));
    EXPECT_EQ(fileBytes(folder / "Macro.bin"), before);

    // Exported whole, cleared by deletes, imported whole again.
    dialogs.fileAnswer = QString::fromStdString((folder / "all.bin").string());
    entryCommand(0, "Btn_Export");
    ASSERT_EQ(fileBytes(folder / "all.bin").size(), kLibraryFileSize);
    ASSERT_EQ(library().remove(0), LibraryResult::Ok);
    ASSERT_EQ(library().remove(0), LibraryResult::Ok);
    page().showLibrary();
    dialogs.fileAnswer = QString::fromStdString((folder / "all.bin").string());
    page().importAllMacros();
    EXPECT_EQ(libraryOnDisk().names(), (std::vector<std::string>{"Jump", "Run"}));
    EXPECT_EQ(list("LB_PCMacroName")->count(), 2);

    // Renamed away, Jump comes back as a new entry from its own file.
    ASSERT_EQ(library().rename(0, encodeMacroName("Hop")), LibraryResult::Ok);
    dialogs.fileAnswer = QString::fromStdString((folder / "jump.bin").string());
    page().importOneMacro();
    EXPECT_EQ(libraryOnDisk().names(), (std::vector<std::string>{"Hop", "Run", "Jump"}));
    const EncodedMacro jump = encodeScript(kStroke, false, MacroForm::Device);
    const MacroLibrary onDisk = libraryOnDisk();
    const MacroContent& imported = onDisk.entry(2).content;
    EXPECT_TRUE(std::equal(imported.begin(), imported.end(), jump.content.begin()));
}

// A source that sees only the program's own window says so while it records.
TEST_F(MacroPageTest, RecordingOnlyTheWindowShowsANote) {
    for (const bool desktop : {true, false}) {
        SCOPED_TRACE(desktop ? "desktop" : "window only");
        page().useInputCapture(std::make_unique<FakeInputCapture>(clock, desktop));
        addEntry(desktop ? "desktop" : "window", kStroke);
        page().selectEntry(library().count() - 1);
        click("Btn_Start");
        ASSERT_TRUE(page().recording());
        EXPECT_EQ(find<QLabel>("lbl_RecordingNote")->isVisible(), !desktop);
        click("Btn_Start");
        ASSERT_FALSE(page().recording());
        EXPECT_FALSE(find<QLabel>("lbl_RecordingNote")->isVisible());
    }
}

}  // namespace
}  // namespace vornik

#include "model/macro_editing.h"

#include <gtest/gtest.h>

#include "model/macro_entries.h"

namespace vornik {
namespace {

const MacroScript kTwoStrokes{"10",
                              "1 A CODE:8204",   // row 0
                              "0 50",            // row 1
                              "1 A CODE:8204",   // row 2
                              "2 A CODE:0204",   // row 3
                              "1 B CODE:8205"};  // row 4

TEST(DeleteRowTest, PairsPressesAndReleasesByName) {
    const struct {
        const char* what;
        std::size_t row;
        MacroScript expected;
        std::optional<std::size_t> selected;
    } cases[] = {
        {"a press takes the first later line of its name",
         2,
         {"10", "1 A CODE:8204", "0 50", "1 B CODE:8205"},
         1},
        {"names alone pair: a press takes a later press of its name",
         0,
         {"10", "0 50", "2 A CODE:0204", "1 B CODE:8205"},
         0},
        {"a release takes the nearer of two presses",
         3,
         {"10", "1 A CODE:8204", "0 50", "1 B CODE:8205"},
         1},
        {"a press without a later partner goes alone, and nothing stays selected",
         4,
         {"10", "1 A CODE:8204", "0 50", "1 A CODE:8204", "2 A CODE:0204"},
         std::nullopt},
        {"a delay goes alone",
         1,
         {"10", "1 A CODE:8204", "1 A CODE:8204", "2 A CODE:0204", "1 B CODE:8205"},
         0},
    };
    for (const auto& c : cases) {
        const auto edit = deleteRow(kTwoStrokes, c.row);
        ASSERT_TRUE(edit) << c.what;
        EXPECT_EQ(edit->script, c.expected) << c.what;
        EXPECT_EQ(edit->selectedRow, c.selected) << c.what;
    }
    EXPECT_FALSE(deleteRow(kTwoStrokes, 5));
}

TEST(DeleteRowTest, ARowAfterAPairDeletedSelectsTheRowTwoBefore) {
    const MacroScript script{"00", "3 FB01", "1 A CODE:8204", "2 A CODE:0204", "5 FA01"};
    const auto edit = deleteRow(script, 2);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->script, (MacroScript{"00", "3 FB01", "5 FA01"}));
    EXPECT_EQ(edit->selectedRow, 0u);
    // The last row gone leaves nothing to select.
    EXPECT_EQ(deleteRow({"00", "8 00FC"}, 0)->selectedRow, std::nullopt);
}

TEST(InsertRowTest, EachActionsLineGoesBeforeOrAfterTheSelectedRow) {
    const MacroScript script{"00", "1 A CODE:8204", "2 A CODE:0204"};
    const struct {
        InsertAction action;
        int value;
        MacroScript expected;
        std::size_t selected;
    } cases[] = {
        {InsertAction::DelayFront, 120, {"00", "1 A CODE:8204", "0 120", "2 A CODE:0204"}, 1},
        {InsertAction::DelayBack, 5000, {"00", "1 A CODE:8204", "2 A CODE:0204", "0 2040"}, 2},
        {InsertAction::RepeatStart, 10, {"00", "1 A CODE:8204", "7 FD09", "2 A CODE:0204"}, 1},
        {InsertAction::RepeatStop, 10, {"00", "1 A CODE:8204", "2 A CODE:0204", "8 00FC"}, 2},
        {InsertAction::XFront, 0, {"00", "1 A CODE:8204", "3 FB00", "2 A CODE:0204"}, 1},
        {InsertAction::XBack, -1, {"00", "1 A CODE:8204", "2 A CODE:0204", "4 FBFF"}, 2},
        {InsertAction::YFront, 127, {"00", "1 A CODE:8204", "5 FA7F", "2 A CODE:0204"}, 1},
        {InsertAction::YBack, -128, {"00", "1 A CODE:8204", "2 A CODE:0204", "6 FA80"}, 2},
    };
    for (const auto& c : cases) {
        const auto edit = insertRow(script, 1, c.action, c.value);
        ASSERT_TRUE(edit) << static_cast<int>(c.action);
        EXPECT_EQ(edit->script, c.expected) << static_cast<int>(c.action);
        EXPECT_EQ(edit->selectedRow, c.selected) << static_cast<int>(c.action);
    }
    EXPECT_FALSE(insertRow(script, 1, InsertAction::KeyFront, 0));
    EXPECT_FALSE(insertRow(script, 2, InsertAction::DelayFront, 0));
    EXPECT_EQ(rowText(*insertedLine(InsertAction::RepeatStart, 10)), "Rep-Start  10");
    EXPECT_EQ(rowText(*insertedLine(InsertAction::XBack, -1)), "X-Axis  -1");
}

TEST(RowDialogTest, ConfirmRewritesTheEditedRowOnly) {
    const MacroScript script{"10",     "1 Ctrl CODE:8101", "0 50",   "4 FBFB",
                             "6 FA80", "7 FD09",           "8 00FC", "2 Ctrl CODE:0101"};
    EXPECT_EQ(rowDialog(script, 0), RowDialog::Key);
    EXPECT_EQ(rowDialog(script, 5), RowDialog::None);

    // Ctrl given in the key dialog plays its usage, not the recorder's modifier code.
    EXPECT_EQ(confirmKeyDialog(script, 0, 0x11)->script[1], "1 Ctrl CODE:82E0");
    EXPECT_EQ(confirmKeyDialog(script, 6, 0x41)->script[7], "2 A CODE:0204");
    EXPECT_FALSE(confirmKeyDialog(script, 0, std::nullopt));
    EXPECT_FALSE(confirmKeyDialog(script, 1, 0x41));

    EXPECT_EQ(confirmDelayDialog(script, 1, "3000")->script[2], "0 2040");
    EXPECT_FALSE(confirmDelayDialog(script, 1, ""));

    const struct {
        std::size_t row;
        const char* text;
        const char* line;
    } values[] = {
        {2, "0", "3 FB00"},    {2, "-1", "4 FBFF"}, {2, "200", "3 FB7F"},
        {3, "-129", "6 FA80"}, {4, "10", "7 FD09"}, {4, "0", "7 FD00"},
    };
    for (const auto& v : values) {
        const auto edit = confirmValueDialog(script, v.row, v.text);
        ASSERT_TRUE(edit) << v.text;
        EXPECT_EQ(edit->script[v.row + 1], v.line) << v.text;
        EXPECT_EQ(edit->selectedRow, v.row);
    }
    EXPECT_FALSE(confirmValueDialog(script, 2, "-"));
    EXPECT_FALSE(confirmValueDialog(script, 2, ""));
    EXPECT_FALSE(confirmValueDialog(script, 1, "5"));  // a delay row has its own dialog
}

TEST(EditClampTest, ClampsAsTheUserTypes) {
    const struct {
        std::string (*clamp)(std::string_view);
        const char* text;
        const char* kept;
    } cases[] = {
        {clampDelayEditText, "2040", "2040"}, {clampDelayEditText, "2041", "2040"},
        {clampDelayEditText, "", "0"},        {clampDelayEditText, "99999999999", "2040"},
        {clampRepeatEditText, "0", "1"},      {clampRepeatEditText, "256", "255"},
        {clampRepeatEditText, "10", "10"},    {clampRepeatEditText, "", "1"},
        {clampAxisEditText, "-", "-"},        {clampAxisEditText, "", "0"},
        {clampAxisEditText, "128", "127"},    {clampAxisEditText, "-129", "-128"},
        {clampAxisEditText, "-12", "-12"},    {clampAxisEditText, "1-", "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.clamp(c.text), c.kept) << c.text;
    EXPECT_EQ(clampValueDialogText(RowDialog::XValue, "-"), "-");
    EXPECT_EQ(clampValueDialogText(RowDialog::Repeat, "-"), "1");
}

TEST(CommitEditTest, AnEditThatWouldNotFitIsRefusedAndTheScriptKept) {
    MacroScript script{"00"};
    for (int i = 0; i < 110; ++i) script.push_back("1 A CODE:8204");  // 220 event bytes
    const MacroScript before = script;

    const auto tooLong = insertRow(script, 0, InsertAction::DelayFront, 50);
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(commitEdit(script, *tooLong, false, MacroForm::Device).status, EncodeStatus::TooLong);
    EXPECT_EQ(script, before);

    const auto fits = insertRow(script, 0, InsertAction::RepeatStop, 0);  // one byte: 221
    const EncodedMacro encoded = commitEdit(script, *fits, true, MacroForm::Device);
    ASSERT_TRUE(encoded.ok());
    EXPECT_EQ(script, fits->script);
    EXPECT_EQ(encoded.content[0], kReleaseStops);
}

// A library of the named entries, in order.
MacroLibrary libraryOf(std::initializer_list<const char*> names) {
    MacroLibrary library;
    for (const char* name : names) EXPECT_EQ(library.add(encodeMacroName(name)), LibraryResult::Ok);
    return library;
}

TEST(MacroEntriesTest, DeletingSelectsTheEntryBefore) {
    MacroLibrary library = libraryOf({"a", "b", "c"});
    EXPECT_EQ(deleteEntry(library, 2).selected, 1u);
    EXPECT_EQ(deleteEntry(library, 0).selected, 0u);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"b"}));
    const EntryDeletion last = deleteEntry(library, 0);
    EXPECT_TRUE(last.deleted);
    EXPECT_EQ(last.selected, std::nullopt);
    EXPECT_FALSE(deleteEntry(library, 0).deleted);
}

TEST(PendingNameCommandTest, AClosedDialogLeavesNothingForALaterConfirm) {
    MacroLibrary library = libraryOf({"a", "b"});
    PendingNameCommand pending;
    ASSERT_TRUE(pending.open(NameCommand::New, library, 1));
    pending.close();
    ASSERT_TRUE(pending.open(NameCommand::Rename, library, 1));
    const NameConfirm confirmed = pending.confirm(library, 1, "c");
    EXPECT_EQ(confirmed.command, NameCommand::Rename);
    EXPECT_EQ(confirmed.result, LibraryResult::Ok);
    EXPECT_EQ(confirmed.selected, 1u);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"a", "c"}));
    // Used up: a second Confirm does nothing.
    EXPECT_EQ(pending.confirm(library, 1, "d").command, std::nullopt);
    EXPECT_EQ(library.names(), (std::vector<std::string>{"a", "c"}));
}

TEST(PendingNameCommandTest, NewAndRenameNeedRoomOrASelectionAndAFreeName) {
    MacroLibrary library = libraryOf({"a"});
    PendingNameCommand pending;
    EXPECT_FALSE(pending.open(NameCommand::Rename, library, std::nullopt));
    ASSERT_TRUE(pending.open(NameCommand::New, library, std::nullopt));
    EXPECT_EQ(pending.confirm(library, std::nullopt, "a").result, LibraryResult::Duplicate);
    ASSERT_TRUE(pending.open(NameCommand::Rename, library, 0));
    EXPECT_EQ(pending.confirm(library, 0, "a").result, LibraryResult::Duplicate);  // its own
    ASSERT_TRUE(pending.open(NameCommand::New, library, 0));
    EXPECT_EQ(pending.confirm(library, 0, "").result, LibraryResult::EmptyName);
    EXPECT_EQ(library.count(), 1u);
    ASSERT_TRUE(pending.open(NameCommand::New, library, 0));
    EXPECT_EQ(pending.confirm(library, 0, "b").selected, 1u);

    while (!library.full())
        ASSERT_EQ(library.add(encodeMacroName(std::to_string(library.count()))), LibraryResult::Ok);
    EXPECT_FALSE(pending.open(NameCommand::New, library, 0));
    EXPECT_EQ(pending.pending(), std::nullopt);
}

}  // namespace
}  // namespace vornik

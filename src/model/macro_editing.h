#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/macro_content.h"
#include "model/macro_recorder.h"
#include "model/script_lines.h"

namespace vornik {

// The macro editor's operations on a script. Rows are the event list's rows: row r shows
// script line r + 1 (the header has no row). Each operation only proposes the new script;
// commitEdit encodes it and keeps it only when it fits.

// A proposed script and the row to select in it (nullopt: no row).
struct ScriptEdit {
    MacroScript script;
    std::optional<std::size_t> selectedRow;
};

// Encodes the proposed script; when it encodes (status Ok) the script becomes the proposed
// one, otherwise the script stays as it was and the status says why (TooLong: the caller
// shows Str103).
EncodedMacro commitEdit(MacroScript& script, const ScriptEdit& edit, bool releaseStops,
                        MacroForm form);

// Deletes a row. A press goes together with the first later line of the same name, a release
// with the nearest earlier one; every other line goes alone. Afterwards the row before the
// deleted one is selected (the first row when row 0 went), after a release and its press the
// row two before the release (the first when the release was row 1), and no row after a press
// or release that had no partner. nullopt when the row does not exist.
std::optional<ScriptEdit> deleteRow(const MacroScript& script, std::size_t row);

// The items of the insert list, in order.
enum class InsertAction : std::uint8_t {
    DelayFront,
    DelayBack,
    KeyFront,  // recorded with the insert panel's Record button (MacroRecorder::startInsert)
    KeyBack,
    RepeatStart,
    RepeatStop,
    XFront,
    XBack,
    YFront,
    YBack,
};
inline constexpr int kInsertActionCount = 10;

InsertSide insertSide(InsertAction action);
bool recordsKeys(InsertAction action);
// The line an action inserts for the value of its edit: "0 " + ms (0..2040), "7 FD" + (count
// - 1) (1..255), "8 00FC", an X or Y line (-128..127); values outside are clamped. nullopt for
// the two key actions, which insert what was recorded.
std::optional<std::string> insertedLine(InsertAction action, int value);
// Inserts the action's line before the selected row (it takes the row's place) or after it,
// and selects the new row. nullopt for a key action or a row that does not exist.
std::optional<ScriptEdit> insertRow(const MacroScript& script, std::size_t row, InsertAction action,
                                    int value);

// The dialog that edits a row: delay (kind 0), key (1, 2), value (X 3–4, Y 5–6, repeat 7);
// a repeat stop has none.
enum class RowDialog : std::uint8_t { None, Delay, Key, XValue, YValue, Repeat };
RowDialog rowDialog(const MacroScript& script, std::size_t row);

// The dialogs' Confirm. Each gives nullopt, and nothing changes, for an empty edit, a row that
// does not exist or one the dialog does not edit; the edited row stays selected.
// Delay: "0 " + the value, 0..2040.
std::optional<ScriptEdit> confirmDelayDialog(const MacroScript& script, std::size_t row,
                                             std::string_view editText);
// Key: the row keeps press or release and becomes the given key's usage line, modifiers
// included (Ctrl is 82E0, never the recorder's 8101). nullopt when no key was given.
std::optional<ScriptEdit> confirmKeyDialog(const MacroScript& script, std::size_t row,
                                           std::optional<std::uint8_t> virtualKey);
// Value: an X or Y row becomes the X or Y line of -128..127, a repeat start "7 FD" + (count
// - 1) of 1..255. A lone "-" changes nothing, like an empty edit.
std::optional<ScriptEdit> confirmValueDialog(const MacroScript& script, std::size_t row,
                                             std::string_view editText);

// The edits' limits, applied to the text on every change the user makes (an edit the Clear
// button empties stays empty, so its Confirm does nothing). Each clamped text clamps to itself.
// Delay edits (Default Delay, insert delay, delay dialog): 0..2040, empty or not a number "0".
std::string clampDelayEditText(std::string_view text);
// Repeat edits: 1..255; 0, empty or not a number "1".
std::string clampRepeatEditText(std::string_view text);
// X and Y edits: -128..127, empty or not a number "0", a lone "-" left alone.
std::string clampAxisEditText(std::string_view text);
// The value dialog's edit, by what it edits: axis limits for X and Y, repeat limits else.
std::string clampValueDialogText(RowDialog dialog, std::string_view text);

// The number an edit holds: optional "-", then digits; 0 for any other text. Far too large
// values read as large values of their sign.
int editTextValue(std::string_view text);

}  // namespace vornik

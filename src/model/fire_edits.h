#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornik {

// The numeric edits of the fire page's rows.
enum class FireField { Count, X, Y, Offset, Time };

// Whether a typed character is taken: digits for count, Y and time, digits and "-" for X and
// the offset (backspace is no character and always taken).
bool fireFieldTakes(FireField field, char c);

// What a row edit keeps after a change and the value to write. A lone "-" stays and writes
// nothing; an empty or unreadable text becomes the default ("1" for count, "0" else); the value
// is clamped: count 1..256, X -128..127, Y 0..127, time 0..2040 ms, offset -128..127 and then
// so that `y` + offset stays within -128..127.
struct FireEdit {
    std::string text;
    std::optional<int> value;  // nullopt: nothing to write
};
FireEdit fireFieldEdit(FireField field, std::string_view text, int y = 0);

// The fire key editor's count edit: empty becomes "2", 0 "1", 256 or more "255".
std::string fireKeyCountText(std::string_view text);
// The count edit on leaving it: "0" becomes "1".
std::string fireKeyCountExitText(std::string_view text);
// The interval edit (8 ms units): empty or negative becomes "0", 256 or more "255".
std::string fireKeyIntervalText(std::string_view text);

}  // namespace vornik

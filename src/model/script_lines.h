#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornik {

// A macro while it is shown, recorded or edited: a header line, then one line per event.
// Lines are 8-bit text; only the encoded bytes are ever stored.
using MacroScript = std::vector<std::string>;

// The digit every event line starts with, followed by one space.
enum class MacroLineKind : std::uint8_t {
    Delay = 0,        // "0 " + milliseconds
    Press = 1,        // "1 " + name + " CODE:" + four hex digits
    Release = 2,      // "2 " + name + " CODE:" + four hex digits
    XPlus = 3,        // "3 FB" + 00..7F
    XMinus = 4,       // "4 FB" + 80..FF
    YPlus = 5,        // "5 FA" + 00..7F
    YMinus = 6,       // "6 FA" + 80..FF
    RepeatStart = 7,  // "7 FD" + repeat count - 1
    RepeatStop = 8,   // "8 00FC"
};

// The delay option a script was recorded with, or that decoding inferred; the header says
// which. Nothing but decoding reads it back, and encoding skips it.
enum class DelayOption : std::uint8_t {
    Recorded,  // "10": the measured gaps became delay lines
    Fixed,     // "01" + milliseconds: the same delay before every event
    None,      // "00"
};

struct ScriptHeader {
    DelayOption option = DelayOption::None;
    int fixedDelayMs = 0;  // for Fixed only

    bool operator==(const ScriptHeader&) const = default;
};

std::string headerLine(const ScriptHeader& header);

// The kind of an event line: a digit 0..8 followed by a space; nullopt for any other text.
std::optional<MacroLineKind> lineKind(std::string_view line);

// The milliseconds of a delay line: the decimal number after its first two characters, or 0
// when that text is not a plain decimal number. Values past a billion read as a billion.
long long delayMilliseconds(std::string_view line);

// The code of a line: its last four characters as hexadecimal digits; nullopt when they are
// not. A code whose high byte is 0 stands for one event byte, any other for two.
std::optional<std::uint16_t> lineCode(std::string_view line);

// Line builders. Values outside the editor's ranges are clamped into them.
std::string delayLine(long long milliseconds);  // 0 and up
std::string keyLine(bool press, std::string_view name, std::uint16_t code);
// A recorded key: the five modifier keys play their modifier code (81xx/01xx), every other
// key its usage (82xx/02xx). nullopt for the key the recorder ignores.
std::optional<std::string> recordedKeyLine(std::uint8_t virtualKey, bool press);
// A key given in the key dialog: always its usage, modifiers included.
std::string typedKeyLine(std::uint8_t virtualKey, bool press);

enum class MouseButton : std::uint8_t { Left, Right, Middle, Forward, Backward };
// The fixed line of a mouse button, e.g. "1 LeftKey CODE:00A1".
std::string mouseButtonLine(MouseButton button, bool press);

std::string xMoveLine(int amount);       // -128..127
std::string yMoveLine(int amount);       // -128..127
std::string repeatStartLine(int count);  // 1..256 runs of the block
std::string repeatStopLine();

// The text an event list shows for a line ("50 ms", "A", "X-Axis  -5", "Rep-Start  10",
// "Rep-Stop"); empty for a line that is not an event line.
std::string rowText(std::string_view line);

// The name of a press or release line (the text between its first two and its last ten
// characters); nullopt for every other line. Two lines with the same name belong together.
std::optional<std::string_view> keyName(std::string_view line);

// The line that belongs with the press or release at `index`: for a press the first later
// line with the same name, for a release the nearest earlier one after the header. nullopt
// when there is none or the line has no name.
std::optional<std::size_t> findPairedLine(const MacroScript& script, std::size_t index);

}  // namespace vornik

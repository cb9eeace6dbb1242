#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "image/memory_map.h"
#include "model/event_bytes.h"
#include "model/script_lines.h"

namespace vornik {

// A fire macro: byte 0 the flag (1 = stops when the button is released), byte 1 the length L
// (the length byte plus the body), the body at 2..L, the check byte over bytes 1..L at L + 1;
// the bytes after it are left as they are. The body holds at most 21 bytes, so a length past
// 22 cannot be read: such a record is never walked, and nothing is written into it.
using FireMacroRecord = std::array<std::uint8_t, kFireMacroRecordSize>;

inline constexpr std::size_t kFireBodyCapacity = kFireMacroRecordSize - 3;

// Empty (no macro): byte 1 is 0 or 0xFF.
bool fireRecordEmpty(const FireMacroRecord& record);
// The length byte leaves room for the check byte inside the record.
bool fireRecordReadable(const FireMacroRecord& record);

// Stores the check byte at L + 1 (0x5A at byte 1 for L = 0). An unreadable record is left
// alone and gives false.
bool updateFireChecksum(FireMacroRecord& record);
bool fireChecksumValid(const FireMacroRecord& record);

// A value the fire page shows and edits, and the record offset of the operand it came from.
struct FireOperand {
    int value = 0;
    std::size_t position = 0;

    bool operator==(const FireOperand&) const = default;
};

// The body walked for the fire page. When an operand occurs more than once the last one
// counts; a wait counts as the shot time only when it follows a Y move. The walk stops at the
// first byte that is not one of the seven fire opcodes (A1 21 FB FA FD FC FE), or at an
// operand that would lie past L.
struct FireMacroValues {
    std::optional<bool> stopsOnRelease;  // flag 1 or 0; nullopt for any other flag byte
    std::optional<FireOperand> count;    // 1..256: the loop start operand + 1
    std::optional<FireOperand> x;        // -128..127
    std::optional<FireOperand> y;        // -128..127
    std::optional<FireOperand> timeMs;   // the wait operand × 8
    bool readable = false;               // the length was walkable at all
    bool complete = false;               // the walk reached L
};
FireMacroValues decodeFireMacro(const FireMacroRecord& record);

enum class FireParameter : std::uint8_t { Count, X, Y, Time };

// Writes a value at the operand the walk finds for it, clamped to count 1..256, X -128..127,
// Y 0..127, time 0..2040 ms (stored as ms div 8), and stores the check byte. A macro without
// that operand is not written: false.
bool writeFireParameter(FireMacroRecord& record, FireParameter parameter, int value);

// The record for the script editor: header "00" and one line per body byte's event, each wait
// its own delay line; empty for an empty or unreadable record.
MacroScript renderFireScript(const FireMacroRecord& record);
// Bytes 0..L + 1 as uppercase hex without separators (never past the record).
std::string fireHexDump(const FireMacroRecord& record);

// Compiles a script (header, then event lines in the macro grammar) into the record: flag,
// length, body, check byte, zeros to the end of the record. A script without events gives the
// all-zero (empty) record. A script whose body would pass 21 bytes, or that holds a line of
// another form, leaves the record as it was.
struct FireCompileResult {
    EncodeStatus status = EncodeStatus::Ok;
    std::size_t bodyBytes = 0;  // what the script needs
    std::size_t badLine = 0;    // script index of the first line of another form

    bool ok() const { return status == EncodeStatus::Ok; }
};
FireCompileResult compileFireScript(const MacroScript& script, bool stopsOnRelease,
                                    FireMacroRecord& record);

}  // namespace vornik

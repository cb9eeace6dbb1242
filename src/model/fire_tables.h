#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "image/memory_map.h"
#include "image/sections.h"
#include "model/fire_record.h"

namespace vornik {

// The fire data beside the records, over the working copies: the fire code section (kind,
// address of the record's length byte), the Y offsets (offset, complement), the colours and
// the fire key. The fire page edits the work copy of the ten records (`fireMacroRecords`);
// the committed region (`fireMacroRegion`) is what a write sends. Fire macros are numbered
// 1..10; a number out of range changes nothing.

// The code kind byte for a fire macro that stops on release, and for one that runs to its end.
inline constexpr std::uint8_t kFireStopsOnRelease = 0x0E;
inline constexpr std::uint8_t kFireRunsToEnd = 0x0B;

// Sets the work record's flag (byte 0) and the kind byte of its fire code entry; nothing else
// changes (the flag is outside the check byte's cover).
void setFireStopOnRelease(Sections& sections, int macro, bool on);

// Brings the kind byte in step with the work record's flag when that is 1 or 0, as when the
// macro is shown.
void matchFireCodeKind(Sections& sections, int macro);

// Writes a parameter into the work record (see writeFireParameter); a new Y also resets the
// macro's Y offset to 0. False when the macro has no such operand.
bool setFireParameter(Sections& sections, int macro, FireParameter parameter, int value);

// The offset limited to -128..127 and then so that y + offset stays within -128..127.
int limitYOffset(int y, int offset);

// Stores the Y offset, limited against the macro's current Y (0 when it has none), with its
// complement; gives the stored offset.
int setFireYOffset(Sections& sections, int macro, int offset);
int fireYOffset(const Sections& sections, int macro);

struct FireColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const FireColour&) const = default;
};
void setFireColour(Sections& sections, int macro, FireColour colour);
FireColour fireColour(const Sections& sections, int macro);

// Fire Confirm's first half: the work copy into the committed region, record by record (the
// 16 bytes after the tenth record keep theirs). And back, as after a read.
void commitFireWorkCopy(Sections& sections);
void refreshFireWorkCopy(Sections& sections);

// The fire macros a gun preset (1..7) shows as rows: presets 1–5 one each, preset 6 macros
// 6–7, preset 7 macros 8–10. Zero rows for a preset out of range.
struct FirePresetRows {
    int firstMacro = 0;
    int rowCount = 0;
};
FirePresetRows firePresetRows(int preset);

// The button code of a preset: 0C, its first macro, its last macro in use ("0C0101" …
// "0C0505"; preset 6 "0C0606"/"0C0607" by `gun6Count` 1..2, preset 7 "0C0808" … "0C080A" by
// `gun7Count` 1..3; counts out of range are clamped). Empty for a preset out of range.
std::string firePresetCode(int preset, int gun6Count, int gun7Count);

// The fire key program: only bytes 2 (count − 1, or 0xFF for continuous fire) and 8 (the
// interval in 8 ms units) are ever changed; its check byte is stored when the image is joined.
struct FireKeySettings {
    bool continuous = false;
    int count = 3;     // 1..255 shots
    int interval = 6;  // 0..255, in 8 ms units

    bool operator==(const FireKeySettings&) const = default;
};
using FireKeyBytes = std::span<std::uint8_t, section::kFireKey.size>;
void buildFireKey(FireKeyBytes fireKey, const FireKeySettings& settings);
// The settings as stored; a continuous fire key reads count 0 (it has none).
FireKeySettings readFireKey(std::span<const std::uint8_t, section::kFireKey.size> fireKey);

}  // namespace vornik

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/script_lines.h"

namespace vornik {

// The byte program the mouse plays for macros, fire macros and the fire key: one or two bytes
// per event. Waits are in 8 ms units, at most 255 (2040 ms) each.
namespace opcode {
inline constexpr std::uint8_t kModifierDown = 0x81;
inline constexpr std::uint8_t kModifierUp = 0x01;
inline constexpr std::uint8_t kKeyDown = 0x82;
inline constexpr std::uint8_t kKeyUp = 0x02;
inline constexpr std::uint8_t kLeftDown = 0xA1;
inline constexpr std::uint8_t kLeftUp = 0x21;
inline constexpr std::uint8_t kMoveX = 0xFB;
inline constexpr std::uint8_t kMoveY = 0xFA;
inline constexpr std::uint8_t kRepeatStart = 0xFD;
inline constexpr std::uint8_t kRepeatStop = 0xFC;
inline constexpr std::uint8_t kWait = 0xFE;
}  // namespace opcode

inline constexpr long long kLongestWaitMs = 2040;

// A delay becomes one full wait (FE FF) per whole 2040 ms and then a wait of the rest in 8 ms
// units when there is a rest or the delay is 0: 5000 ms is FE FF FE FF FE 73, 0 ms is FE 00,
// 4080 ms is FE FF FE FF. The rest is truncated to a multiple of 8 ms.
std::size_t delayEventByteCount(long long milliseconds);

// The number of event bytes a line stands for: a delay line (first character "0") as above,
// any other line the one or two bytes of its code. nullopt for a line of another form.
std::optional<std::size_t> lineEventByteCount(std::string_view line);

// The event bytes of a script's lines after the header; lines of another form count 0. This
// is also what the recorder counts against its capacity.
std::size_t scriptEventByteCount(const MacroScript& script);

// Whether a script could be turned into bytes: it fits, it needs more event bytes than there is
// room for, or one of its lines is of no event line form.
enum class EncodeStatus : std::uint8_t { Ok, TooLong, BadLine };

// The event bytes of a script's lines after the header, produced only when all of them fit in
// `capacity` bytes; a script that does not fit gives no bytes at all.
struct ScriptEvents {
    EncodeStatus status = EncodeStatus::Ok;
    std::vector<std::uint8_t> bytes;  // when Ok
    std::size_t byteCount = 0;        // what the script needs; 0 for BadLine
    std::size_t badLine = 0;          // script index of the first line of another form

    bool ok() const { return status == EncodeStatus::Ok; }
};
ScriptEvents scriptEvents(const MacroScript& script, std::size_t capacity);

// The line of the event that starts at `offset` in `events` and how many bytes it takes.
// A wait is one delay line of its own. nullopt for a byte that starts no event, or for an
// event whose operand would lie past the end of `events`.
struct EventLine {
    std::string line;
    std::size_t size = 0;
};
std::optional<EventLine> eventLineAt(std::span<const std::uint8_t> events, std::size_t offset);

}  // namespace vornik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/event_bytes.h"
#include "model/script_lines.h"

namespace vornik {

// A macro's stored byte program. In the mouse and the PC library (224 bytes): release mode,
// length L = event bytes + 1, the events, a check byte over bytes 1..L at L + 1, zeros. In a
// driver block (2016 bytes) the length takes two bytes, high first, and the check byte over
// bytes 1..L stands at L + 2. An empty macro is all zero.
inline constexpr std::size_t kMacroContentSize = 224;
inline constexpr std::size_t kDriverMacroContentSize = 2016;
using MacroContent = std::array<std::uint8_t, kMacroContentSize>;

enum class MacroForm : std::uint8_t { Device, Driver };

std::size_t contentSize(MacroForm form);
// The event bytes a content holds at most: 221, or 2012 in the driver form.
std::size_t eventCapacity(MacroForm form);

// Release mode byte 0x01: playback stops when the button is released; 0x00: it runs on.
inline constexpr std::uint8_t kReleaseStops = 0x01;
inline constexpr std::uint8_t kReleaseContinues = 0x00;

// A script encoded into a content. A script whose events do not fit, or that holds a line of
// another form, gives no content: the caller keeps what it had.
struct EncodedMacro {
    EncodeStatus status = EncodeStatus::Ok;
    std::vector<std::uint8_t> content;  // contentSize(form) bytes when ok()
    std::size_t eventBytes = 0;         // what the script needs (also when it does not fit)
    std::size_t badLine = 0;            // script index of the first line of another form

    bool ok() const { return status == EncodeStatus::Ok; }
};
// A script without events gives the empty (all-zero) content, whose release mode is not kept.
EncodedMacro encodeScript(const MacroScript& script, bool releaseStops, MacroForm form);

// A content decoded for the editor. Consecutive waits, up to five, read as one delay line;
// the header comes from the first four delay lines (a missing one counts as 0): all 0 gives
// no delay, all the same gives that fixed delay, anything else recorded delays. The walk ends
// at the first byte that starts no event, and never reads past the stored length or the
// content.
struct DecodedMacro {
    bool empty = true;                 // length 0 or all ones: nothing to show
    std::optional<bool> releaseStops;  // from byte 0 when it is 0x01 or 0x00
    ScriptHeader header;
    MacroScript script;  // header line first; empty for an empty content
};
DecodedMacro decodeContent(std::span<const std::uint8_t> content, MacroForm form);

// The stored length L (byte 1, or bytes 1–2 in the driver form); 0 for a content too short to
// hold it.
std::size_t storedLength(std::span<const std::uint8_t> content, MacroForm form);

// True when a device slot's check byte matches; a check byte that would lie outside the 224
// bytes fails, and so does the all-zero content.
bool deviceMacroValid(std::span<const std::uint8_t, kMacroContentSize> content);

}  // namespace vornik

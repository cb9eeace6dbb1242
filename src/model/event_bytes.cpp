#include "model/event_bytes.h"

#include "image/usage_names.h"
#include "model/virtual_keys.h"

namespace vornik {

namespace {

constexpr std::uint8_t kFullWait = 0xFF;
constexpr long long kWaitUnitMs = 8;

bool isDelayLine(std::string_view line) { return !line.empty() && line.front() == '0'; }

void appendDelayEvents(long long ms, std::vector<std::uint8_t>& out) {
    for (long long n = ms / kLongestWaitMs; n > 0; --n) {
        out.push_back(opcode::kWait);
        out.push_back(kFullWait);
    }
    const long long rest = ms % kLongestWaitMs;
    if (rest > 0 || ms == 0) {
        out.push_back(opcode::kWait);
        out.push_back(static_cast<std::uint8_t>(rest / kWaitUnitMs));
    }
}

void appendLineEvents(std::string_view line, std::vector<std::uint8_t>& out) {
    if (isDelayLine(line)) {
        appendDelayEvents(delayMilliseconds(line), out);
        return;
    }
    const std::uint16_t code = *lineCode(line);
    if (code > 0xFF) out.push_back(static_cast<std::uint8_t>(code >> 8));
    out.push_back(static_cast<std::uint8_t>(code & 0xFF));
}

// 0x20 plus the button bit, plus 0x80 while the button goes down.
bool isMouseButtonByte(std::uint8_t b) {
    const std::uint8_t up = b & 0x7F;
    return up == 0x21 || up == 0x22 || up == 0x24 || up == 0x28 || up == 0x30;
}

std::string mouseButtonEventLine(std::uint8_t b) {
    const bool press = (b & 0x80) != 0;
    switch (b & 0x1F) {
        case 0x01:
            return mouseButtonLine(MouseButton::Left, press);
        case 0x02:
            return mouseButtonLine(MouseButton::Right, press);
        case 0x04:
            return mouseButtonLine(MouseButton::Middle, press);
        case 0x08:
            return mouseButtonLine(MouseButton::Forward, press);
        default:
            return mouseButtonLine(MouseButton::Backward, press);
    }
}

}  // namespace

std::size_t delayEventByteCount(long long ms) {
    const long long rest = ms % kLongestWaitMs;
    return static_cast<std::size_t>(2 * (ms / kLongestWaitMs) + (rest > 0 || ms == 0 ? 2 : 0));
}

std::optional<std::size_t> lineEventByteCount(std::string_view line) {
    if (isDelayLine(line)) return delayEventByteCount(delayMilliseconds(line));
    const auto code = lineCode(line);
    if (!code) return std::nullopt;
    return *code > 0xFF ? 2 : 1;
}

std::size_t scriptEventByteCount(const MacroScript& script) {
    std::size_t count = 0;
    for (std::size_t i = 1; i < script.size(); ++i)
        count += lineEventByteCount(script[i]).value_or(0);
    return count;
}

ScriptEvents scriptEvents(const MacroScript& script, std::size_t capacity) {
    ScriptEvents result;
    // Counted first, so a script far past the capacity is never expanded.
    for (std::size_t i = 1; i < script.size(); ++i) {
        const auto count = lineEventByteCount(script[i]);
        if (!count) return {EncodeStatus::BadLine, {}, 0, i};
        result.byteCount += *count;
    }
    if (result.byteCount > capacity) {
        result.status = EncodeStatus::TooLong;
        return result;
    }
    result.bytes.reserve(result.byteCount);
    for (std::size_t i = 1; i < script.size(); ++i) appendLineEvents(script[i], result.bytes);
    return result;
}

std::optional<EventLine> eventLineAt(std::span<const std::uint8_t> events, std::size_t offset) {
    if (offset >= events.size()) return std::nullopt;
    const std::uint8_t b = events[offset];
    if (isMouseButtonByte(b)) return EventLine{mouseButtonEventLine(b), 1};
    if (b == opcode::kRepeatStop) return EventLine{repeatStopLine(), 1};

    if (offset + 1 >= events.size()) return std::nullopt;
    const std::uint8_t operand = events[offset + 1];
    const auto signedOperand = static_cast<std::int8_t>(operand);
    switch (b) {
        case opcode::kModifierDown:
        case opcode::kModifierUp: {
            // A byte that is no modifier bit is never written; it is shown as an unknown key
            // and keeps its code.
            const auto vk = modifierVirtualKey(operand);
            const std::string name = vk ? virtualKeyInfo(*vk).name : "None";
            return EventLine{keyLine(b == opcode::kModifierDown, name,
                                     static_cast<std::uint16_t>(b << 8 | operand)),
                             2};
        }
        case opcode::kKeyDown:
        case opcode::kKeyUp:
            return EventLine{keyLine(b == opcode::kKeyDown, usageName(operand),
                                     static_cast<std::uint16_t>(b << 8 | operand)),
                             2};
        case opcode::kMoveX:
            return EventLine{xMoveLine(signedOperand), 2};
        case opcode::kMoveY:
            return EventLine{yMoveLine(signedOperand), 2};
        case opcode::kRepeatStart:
            return EventLine{repeatStartLine(operand + 1), 2};
        case opcode::kWait:
            return EventLine{delayLine(operand * kWaitUnitMs), 2};
        default:
            return std::nullopt;
    }
}

}  // namespace vornik

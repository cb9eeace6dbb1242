#include "model/fire_record.h"

#include <algorithm>
#include <span>

#include "image/hex_text.h"

namespace vornik {

namespace {

constexpr std::size_t kLengthOffset = 1;
constexpr std::size_t kBodyStart = 2;
constexpr std::size_t kLongestLength = kFireMacroRecordSize - 2;
constexpr int kWaitUnitMs = 8;

std::size_t recordLength(const FireMacroRecord& record) { return record[kLengthOffset]; }

bool isFireOpcode(std::uint8_t b) {
    return b == opcode::kLeftDown || b == opcode::kLeftUp || b == opcode::kMoveX ||
           b == opcode::kMoveY || b == opcode::kRepeatStart || b == opcode::kRepeatStop ||
           b == opcode::kWait;
}

// Bytes 2..L of a readable record.
std::span<const std::uint8_t> body(const FireMacroRecord& record) {
    const std::size_t length = recordLength(record);
    if (length > kLongestLength || length < kBodyStart) return {};
    return std::span<const std::uint8_t>(record).subspan(kBodyStart, length - 1);
}

}  // namespace

bool fireRecordEmpty(const FireMacroRecord& record) {
    return record[kLengthOffset] == 0 || record[kLengthOffset] == 0xFF;
}

bool fireRecordReadable(const FireMacroRecord& record) {
    return recordLength(record) <= kLongestLength;
}

bool updateFireChecksum(FireMacroRecord& record) {
    if (!fireRecordReadable(record)) return false;
    const std::size_t length = recordLength(record);
    record[length + 1] =
        sectionCode(std::span<const std::uint8_t>(record).subspan(kLengthOffset, length));
    return true;
}

bool fireChecksumValid(const FireMacroRecord& record) {
    if (!fireRecordReadable(record)) return false;
    const std::size_t length = recordLength(record);
    return record[length + 1] ==
           sectionCode(std::span<const std::uint8_t>(record).subspan(kLengthOffset, length));
}

FireMacroValues decodeFireMacro(const FireMacroRecord& record) {
    FireMacroValues values;
    if (record[0] == 1) values.stopsOnRelease = true;
    if (record[0] == 0) values.stopsOnRelease = false;
    values.readable = fireRecordReadable(record);
    if (!values.readable) return values;

    const std::size_t length = recordLength(record);
    bool shotTimePending = false;
    std::size_t i = kBodyStart;
    while (i <= length) {
        const std::uint8_t b = record[i];
        if (b == opcode::kLeftDown || b == opcode::kLeftUp || b == opcode::kRepeatStop) {
            ++i;
            continue;
        }
        if (!isFireOpcode(b) || i + 1 > length) break;
        const std::size_t at = i + 1;
        const std::uint8_t operand = record[at];
        if (b == opcode::kRepeatStart) {
            values.count = FireOperand{operand + 1, at};
        } else if (b == opcode::kMoveX) {
            values.x = FireOperand{static_cast<std::int8_t>(operand), at};
        } else if (b == opcode::kMoveY) {
            values.y = FireOperand{static_cast<std::int8_t>(operand), at};
            shotTimePending = true;
        } else if (shotTimePending) {
            values.timeMs = FireOperand{operand * kWaitUnitMs, at};
            shotTimePending = false;
        }
        i += 2;
    }
    values.complete = i > length;
    return values;
}

bool writeFireParameter(FireMacroRecord& record, FireParameter parameter, int value) {
    const FireMacroValues values = decodeFireMacro(record);
    std::optional<FireOperand> operand;
    int stored = 0;
    switch (parameter) {
        case FireParameter::Count:
            operand = values.count;
            stored = std::clamp(value, 1, 256) - 1;
            break;
        case FireParameter::X:
            operand = values.x;
            stored = std::clamp(value, -128, 127);
            break;
        case FireParameter::Y:
            operand = values.y;
            stored = std::clamp(value, 0, 127);
            break;
        case FireParameter::Time:
            operand = values.timeMs;
            stored = std::clamp(value, 0, static_cast<int>(kLongestWaitMs)) / kWaitUnitMs;
            break;
    }
    if (!operand) return false;
    record[operand->position] = static_cast<std::uint8_t>(stored & 0xFF);
    return updateFireChecksum(record);
}

MacroScript renderFireScript(const FireMacroRecord& record) {
    if (fireRecordEmpty(record) || !fireRecordReadable(record)) return {};
    MacroScript script{headerLine({})};
    const std::span<const std::uint8_t> events = body(record);
    for (std::size_t i = 0; i < events.size() && isFireOpcode(events[i]);) {
        const auto event = eventLineAt(events, i);
        if (!event) break;
        script.push_back(event->line);
        i += event->size;
    }
    return script;
}

std::string fireHexDump(const FireMacroRecord& record) {
    const std::size_t end = std::min(recordLength(record) + 2, record.size());
    std::string dump;
    for (std::size_t i = 0; i < end; ++i) dump += hexByte(record[i]);
    return dump;
}

FireCompileResult compileFireScript(const MacroScript& script, bool stopsOnRelease,
                                    FireMacroRecord& record) {
    const ScriptEvents events = scriptEvents(script, kFireBodyCapacity);
    const FireCompileResult result{events.status, events.byteCount, events.badLine};
    if (!events.ok()) return result;

    record.fill(0);
    if (events.bytes.empty()) return result;
    record[0] = stopsOnRelease ? 1 : 0;
    record[kLengthOffset] = static_cast<std::uint8_t>(events.bytes.size() + 1);
    std::copy(events.bytes.begin(), events.bytes.end(), record.begin() + kBodyStart);
    updateFireChecksum(record);
    return result;
}

}  // namespace vornik

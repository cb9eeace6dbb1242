#include "model/script_lines.h"

#include <algorithm>

#include "formats/decimal.h"
#include "image/hex_text.h"
#include "model/virtual_keys.h"

namespace vornik {

namespace {

constexpr long long kLongestDelayRead = 1'000'000'000;
// " CODE:" and the four digits that end a press or release line.
constexpr std::size_t kCodeSuffixSize = 10;

struct ButtonCodes {
    std::string_view name;
    std::uint8_t press;
    std::uint8_t release;
};

constexpr ButtonCodes kButtons[] = {
    {"LeftKey", 0xA1, 0x21}, {"RightKey", 0xA2, 0x22}, {"MiddleKey", 0xA4, 0x24},
    {"Forward", 0xA8, 0x28}, {"Backward", 0xB0, 0x30},
};

std::string moveLine(char plusKind, char minusKind, std::string_view opcode, int amount) {
    const int clamped = std::clamp(amount, -128, 127);
    std::string line{clamped < 0 ? minusKind : plusKind, ' '};
    line += opcode;
    line += hexByte(static_cast<std::uint8_t>(clamped & 0xFF));
    return line;
}

}  // namespace

std::string headerLine(const ScriptHeader& header) {
    switch (header.option) {
        case DelayOption::Recorded:
            return "10";
        case DelayOption::Fixed:
            return "01" + std::to_string(std::max(header.fixedDelayMs, 0));
        case DelayOption::None:
            break;
    }
    return "00";
}

std::optional<MacroLineKind> lineKind(std::string_view line) {
    if (line.size() < 2 || line[0] < '0' || line[0] > '8' || line[1] != ' ') return std::nullopt;
    return static_cast<MacroLineKind>(line[0] - '0');
}

long long delayMilliseconds(std::string_view line) {
    if (line.size() <= 2) return 0;
    const auto value = decimalValue(line.substr(2), Sign::None);
    return value ? std::min(*value, kLongestDelayRead) : 0;
}

std::optional<std::uint16_t> lineCode(std::string_view line) {
    if (line.size() < 4) return std::nullopt;
    return parseHexWord(line.substr(line.size() - 4));
}

std::string delayLine(long long milliseconds) {
    return "0 " + std::to_string(std::max(milliseconds, 0LL));
}

std::string keyLine(bool press, std::string_view name, std::uint16_t code) {
    std::string line = press ? "1 " : "2 ";
    line += name;
    line += " CODE:";
    line += hexWord(code);
    return line;
}

std::optional<std::string> recordedKeyLine(std::uint8_t virtualKey, bool press) {
    if (virtualKey == kIgnoredVirtualKey) return std::nullopt;
    const KeyInfo key = virtualKeyInfo(virtualKey);
    if (const auto bit = modifierBit(virtualKey))
        return keyLine(press, key.name,
                       static_cast<std::uint16_t>((press ? 0x8100 : 0x0100) | *bit));
    return typedKeyLine(virtualKey, press);
}

std::string typedKeyLine(std::uint8_t virtualKey, bool press) {
    const KeyInfo key = virtualKeyInfo(virtualKey);
    return keyLine(press, key.name,
                   static_cast<std::uint16_t>((press ? 0x8200 : 0x0200) | key.usage));
}

std::string mouseButtonLine(MouseButton button, bool press) {
    const ButtonCodes& b = kButtons[static_cast<std::size_t>(button)];
    return keyLine(press, b.name, press ? b.press : b.release);
}

std::string xMoveLine(int amount) { return moveLine('3', '4', "FB", amount); }

std::string yMoveLine(int amount) { return moveLine('5', '6', "FA", amount); }

std::string repeatStartLine(int count) {
    return "7 FD" + hexByte(static_cast<std::uint8_t>(std::clamp(count, 1, 256) - 1));
}

std::string repeatStopLine() { return "8 00FC"; }

std::string rowText(std::string_view line) {
    const auto kind = lineKind(line);
    if (!kind) return {};
    const int operand = lineCode(line).value_or(0) & 0xFF;
    switch (*kind) {
        case MacroLineKind::Delay:
            return std::to_string(delayMilliseconds(line)) + " ms";
        case MacroLineKind::Press:
        case MacroLineKind::Release:
            return std::string(keyName(line).value_or(""));
        case MacroLineKind::XPlus:
            return "X-Axis  " + std::to_string(operand);
        case MacroLineKind::XMinus:
            return "X-Axis  " + std::to_string(operand - 256);
        case MacroLineKind::YPlus:
            return "Y-Axis  " + std::to_string(operand);
        case MacroLineKind::YMinus:
            return "Y-Axis  " + std::to_string(operand - 256);
        case MacroLineKind::RepeatStart:
            return "Rep-Start  " + std::to_string(operand + 1);
        case MacroLineKind::RepeatStop:
            return "Rep-Stop";
    }
    return {};
}

std::optional<std::string_view> keyName(std::string_view line) {
    const auto kind = lineKind(line);
    if (kind != MacroLineKind::Press && kind != MacroLineKind::Release) return std::nullopt;
    if (line.size() < 2 + kCodeSuffixSize) return std::nullopt;
    return line.substr(2, line.size() - 2 - kCodeSuffixSize);
}

std::optional<std::size_t> findPairedLine(const MacroScript& script, std::size_t index) {
    if (index == 0 || index >= script.size()) return std::nullopt;
    const auto name = keyName(script[index]);
    if (!name) return std::nullopt;
    if (lineKind(script[index]) == MacroLineKind::Press) {
        for (std::size_t i = index + 1; i < script.size(); ++i)
            if (keyName(script[i]) == name) return i;
    } else {
        for (std::size_t i = index - 1; i >= 1; --i)
            if (keyName(script[i]) == name) return i;
    }
    return std::nullopt;
}

}  // namespace vornik

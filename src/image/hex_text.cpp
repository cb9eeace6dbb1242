#include "image/hex_text.h"

namespace vornik {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<unsigned> parseDigits(std::string_view text, std::size_t count) {
    if (text.size() != count) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        const int digit = digitValue(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<unsigned>(digit);
    }
    return value;
}

}  // namespace

std::string hexByte(std::uint8_t value) { return {kDigits[value >> 4], kDigits[value & 0x0F]}; }

std::string hexWord(std::uint16_t value) {
    return hexByte(static_cast<std::uint8_t>(value >> 8)) +
           hexByte(static_cast<std::uint8_t>(value & 0xFF));
}

std::optional<std::uint8_t> parseHexByte(std::string_view text) {
    const auto value = parseDigits(text, 2);
    if (!value) return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

std::optional<std::uint16_t> parseHexWord(std::string_view text) {
    const auto value = parseDigits(text, 4);
    if (!value) return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

}  // namespace vornik

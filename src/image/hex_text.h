#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vornik {

// Two uppercase hexadecimal digits.
std::string hexByte(std::uint8_t value);
// Four uppercase hexadecimal digits, high byte first.
std::string hexWord(std::uint16_t value);

// The value of exactly two (or four) hexadecimal digits of either case; nullopt for any other
// text.
std::optional<std::uint8_t> parseHexByte(std::string_view text);
std::optional<std::uint16_t> parseHexWord(std::string_view text);

}  // namespace vornik

#pragma once

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace vornik {

// How a decimal number may be written.
enum class Sign {
    None,         // digits only
    Minus,        // an optional "-"
    PlusOrMinus,  // an optional "+" or "-"
};

// The value of one or more decimal digits after an optional sign as `sign` allows, and nothing
// else (no blanks, no other characters). A value beyond the range of long long is saturated, so
// that callers which clamp anyway see a number far outside their range.
inline std::optional<long long> decimalValue(std::string_view text, Sign sign = Sign::Minus) {
    if (sign == Sign::PlusOrMinus && !text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    const bool negative = text.front() == '-';
    if (negative && sign == Sign::None) return std::nullopt;
    // from_chars takes a leading "-" itself; it must still be followed by a digit.
    if (negative && (text.size() < 2 || text[1] < '0' || text[1] > '9')) return std::nullopt;
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (stop != end) return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return negative ? std::numeric_limits<long long>::min()
                        : std::numeric_limits<long long>::max();
    if (error != std::errc()) return std::nullopt;
    return value;
}

}  // namespace vornik

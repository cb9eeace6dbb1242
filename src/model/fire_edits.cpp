#include "model/fire_edits.h"

#include <algorithm>

#include "model/fire_tables.h"

namespace vornik {

namespace {

struct Range {
    int low, high;
};

Range rangeOf(FireField field) {
    switch (field) {
        case FireField::Count:
            return {1, 256};
        case FireField::X:
        case FireField::Offset:
            return {-128, 127};
        case FireField::Y:
            return {0, 127};
        case FireField::Time:
            return {0, 2040};
    }
    return {0, 0};
}

bool signedField(FireField field) { return field == FireField::X || field == FireField::Offset; }

// The text as a number, saturated far beyond every range so that long texts do not overflow.
std::optional<int> numberOf(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 100'000L);
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

bool fireFieldTakes(FireField field, char c) {
    return (c >= '0' && c <= '9') || (c == '-' && signedField(field));
}

FireEdit fireFieldEdit(FireField field, std::string_view text, int y) {
    if (text == "-" && signedField(field)) return {"-", std::nullopt};
    const Range range = rangeOf(field);
    const auto number = numberOf(text);
    int value = number.value_or(field == FireField::Count ? 1 : 0);
    value = std::clamp(value, range.low, range.high);
    if (field == FireField::Offset) value = limitYOffset(y, value);
    std::string kept = std::to_string(value);
    // A text that already says the value stays as typed.
    if (number && *number == value) kept = std::string(text);
    return {kept, value};
}

std::string fireKeyCountText(std::string_view text) {
    const auto value = numberOf(text);
    if (!value) return "2";
    if (*value <= 0) return "1";
    if (*value >= 256) return "255";
    return std::string(text);
}

std::string fireKeyCountExitText(std::string_view text) {
    return text == "0" ? "1" : std::string(text);
}

std::string fireKeyIntervalText(std::string_view text) {
    const auto value = numberOf(text);
    if (!value || *value < 0) return "0";
    if (*value >= 256) return "255";
    return std::string(text);
}

}  // namespace vornik

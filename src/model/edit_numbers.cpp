#include "model/edit_numbers.h"

#include <algorithm>

namespace vornik {

std::optional<int> unsignedDecimal(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 1'000'000);
    }
    return value;
}

}  // namespace vornik

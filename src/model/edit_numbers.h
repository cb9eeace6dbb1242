#pragma once

#include <optional>
#include <string_view>

namespace vornik {

// The number an unsigned decimal text stands for, saturated at 1000000 so that no edit's text
// overflows; nullopt for an empty text or one with anything but digits.
std::optional<int> unsignedDecimal(std::string_view text);

}  // namespace vornik

#pragma once

#include <cstdint>
#include <string>

namespace vornik {

// English name of a key usage number: HID keyboard/keypad usages, plus the mouse's own
// numbers 0xC0–0xD1 for media, browser and launch keys. Empty for a number with no name.
std::string usageName(std::uint8_t usage);

}  // namespace vornik

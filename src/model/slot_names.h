#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "image/sections.h"

namespace vornik {

inline constexpr std::size_t kMacroSlotCount = 6;
inline constexpr std::size_t kMacroSlotSize = 256;
inline constexpr std::size_t kMacroNameSize = 32;

// A 32-byte macro name: UTF-16 code units, big-endian, zero-padded, read up to the first zero
// unit; as UTF-8 (a lone surrogate becomes U+FFFD).
std::string macroNameToUtf8(std::span<const std::uint8_t, kMacroNameSize> name);

// The names of the six device macro slots, slot 1 first; empty for an unnamed slot.
std::array<std::string, kMacroSlotCount> slotNamesIn(const Sections& sections);

}  // namespace vornik

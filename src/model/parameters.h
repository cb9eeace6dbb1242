#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "image/sections.h"

namespace vornik {

// Field access to the parameter sections; the bit layout lives here and nowhere else.

using ParameterA = std::array<std::uint8_t, section::kParameterA.size>;
using ParameterB = std::array<std::uint8_t, section::kParameterB.size>;

inline constexpr int kMaxDpiLevels = 7;

// The DPI values the twelve value indexes stand for.
inline constexpr std::array<int, 12> kDpiValues{500,  800,  1000, 1200, 1600, 2000,
                                                2400, 3200, 4000, 4800, 6400, 8000};

enum class LedType { Flowing, TwoColour, Synchronous, Breathing };

// "MCULED", "RBLED", "SyncLED" or "BreLED".
const char* ledTypeText(LedType type);

LedType ledTypeOf(const ParameterA& a);

// Levels in use (2 to 7 in a sane image; the byte as stored).
int dpiLevelCount(const ParameterA& a);
// The value index of level 1..7; nullopt for 255 (no value).
std::optional<int> dpiValueIndex(const ParameterA& a, int level);
// The R, G, B colour of level 1..7.
std::array<std::uint8_t, 3> dpiColour(const ParameterA& a, int level);

// The current DPI level, 0-based.
int currentDpiLevel(const ParameterB& b);
// The current key mode: 1 (Office Mode) or 2 (Game Mode).
int currentKeyMode(const ParameterB& b);

}  // namespace vornik

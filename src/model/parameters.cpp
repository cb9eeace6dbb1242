#include "model/parameters.h"

namespace vornik {

const char* ledTypeText(LedType type) {
    switch (type) {
        case LedType::Flowing:
            return "MCULED";
        case LedType::TwoColour:
            return "RBLED";
        case LedType::Synchronous:
            return "SyncLED";
        case LedType::Breathing:
            return "BreLED";
    }
    return "";
}

LedType ledTypeOf(const ParameterA& a) {
    if (!(a[0] & 0x80)) return LedType::Flowing;
    if (a[1] & 0x08) return LedType::TwoColour;
    return (a[1] & 0x10) ? LedType::Breathing : LedType::Synchronous;
}

int dpiLevelCount(const ParameterA& a) { return a[2]; }

std::optional<int> dpiValueIndex(const ParameterA& a, int level) {
    const std::uint8_t index = a[static_cast<std::size_t>(5 + level)];
    if (index == 255) return std::nullopt;
    return index;
}

std::array<std::uint8_t, 3> dpiColour(const ParameterA& a, int level) {
    const auto at = static_cast<std::size_t>(26 + 3 * (level - 1));
    return {a[at], a[at + 1], a[at + 2]};
}

int currentDpiLevel(const ParameterB& b) { return b[0]; }

int currentKeyMode(const ParameterB& b) { return (b[4] & 0x80) ? 2 : 1; }

}  // namespace vornik

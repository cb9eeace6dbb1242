#include "model/slot_names.h"

namespace vornik {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string macroNameToUtf8(std::span<const std::uint8_t, kMacroNameSize> name) {
    std::string out;
    constexpr std::size_t kUnits = kMacroNameSize / 2;
    auto unit = [&](std::size_t i) -> char16_t {
        return static_cast<char16_t>(name[2 * i] << 8 | name[2 * i + 1]);
    };
    for (std::size_t i = 0; i < kUnits; ++i) {
        const char16_t u = unit(i);
        if (u == 0) break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < kUnits && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                                (static_cast<char32_t>(unit(i + 1)) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::array<std::string, kMacroSlotCount> slotNamesIn(const Sections& sections) {
    std::array<std::string, kMacroSlotCount> names;
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
        const std::uint8_t* base =
            slot < 4 ? sections.macroSlots1To4.data() + slot * kMacroSlotSize
                     : sections.macroSlots5To6.data() + (slot - 4) * kMacroSlotSize;
        names[slot] =
            macroNameToUtf8(std::span<const std::uint8_t, kMacroNameSize>(base, kMacroNameSize));
    }
    return names;
}

}  // namespace vornik

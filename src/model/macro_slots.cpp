#include "model/macro_slots.h"

#include <algorithm>

#include "image/function_code.h"
#include "image/hex_text.h"

namespace vornik {

namespace {

constexpr std::size_t kSlotsInFirstArea = 4;
constexpr std::size_t kNameUnits = kMacroNameSize / 2;
constexpr char32_t kReplacement = 0xFFFD;

std::size_t slotOffset(std::size_t index) { return (index % kSlotsInFirstArea) * kMacroSlotSize; }

bool slotInUse(std::span<const std::string> codes, int slot) {
    const std::string address = hexWord(kMacroSlotAddresses[static_cast<std::size_t>(slot - 1)]);
    return std::any_of(codes.begin(), codes.end(), [&](const std::string& code) {
        return code.size() >= 6 && (code.starts_with("06") || code.starts_with("0E")) &&
               code.compare(2, 4, address) == 0;
    });
}

// The next code point of `text` from `at`, which it advances; U+FFFD for a malformed,
// overlong or surrogate sequence, consuming one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++at;
        return kReplacement;
    }
    if (at + length > text.size()) {
        ++at;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        c = c << 6 | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return kReplacement;
    }
    at += length;
    return c;
}

}  // namespace

DeviceMacroSlots splitMacroSlots(
    std::span<const std::uint8_t, section::kMacroSlots1To4.size> slots1To4,
    std::span<const std::uint8_t, section::kMacroSlots5To6.size> slots5To6) {
    DeviceMacroSlots slots;
    for (std::size_t i = 0; i < kMacroSlotCount; ++i) {
        const std::span<const std::uint8_t> area =
            i < kSlotsInFirstArea ? std::span<const std::uint8_t>(slots1To4) : slots5To6;
        const auto block = area.subspan(slotOffset(i), kMacroSlotSize);
        std::copy_n(block.begin(), kMacroNameSize, slots[i].name.begin());
        std::copy_n(block.begin() + kMacroNameSize, kMacroContentSize, slots[i].content.begin());
    }
    return slots;
}

void joinMacroSlots(const DeviceMacroSlots& slots,
                    std::span<std::uint8_t, section::kMacroSlots1To4.size> slots1To4,
                    std::span<std::uint8_t, section::kMacroSlots5To6.size> slots5To6) {
    for (std::size_t i = 0; i < kMacroSlotCount; ++i) {
        const std::span<std::uint8_t> area =
            i < kSlotsInFirstArea ? std::span<std::uint8_t>(slots1To4) : slots5To6;
        const auto block = area.subspan(slotOffset(i), kMacroSlotSize);
        std::copy(slots[i].name.begin(), slots[i].name.end(), block.begin());
        std::copy(slots[i].content.begin(), slots[i].content.end(), block.begin() + kMacroNameSize);
    }
}

std::array<bool, kMacroSlotCount> emptyInvalidSlots(DeviceMacroSlots& slots) {
    std::array<bool, kMacroSlotCount> emptied{};
    for (std::size_t i = 0; i < kSlotsInFirstArea; ++i) {
        if (deviceMacroValid(slots[i].content)) continue;
        slots[i].content.fill(0);
        emptied[i] = true;
    }
    return emptied;
}

std::array<std::string, kMacroSlotCount> slotNameList(const DeviceMacroSlots& slots) {
    std::array<std::string, kMacroSlotCount> names;
    for (std::size_t i = 0; i < kMacroSlotCount; ++i) names[i] = macroNameToUtf8(slots[i].name);
    return names;
}

MacroName encodeMacroName(std::string_view utf8) {
    MacroName name{};
    std::size_t units = 0;
    auto put = [&](char32_t unit) {
        name[2 * units] = static_cast<std::uint8_t>(unit >> 8);
        name[2 * units + 1] = static_cast<std::uint8_t>(unit & 0xFF);
        ++units;
    };
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, at);
        if (c < 0x10000) {
            if (units + 1 > kNameUnits) break;
            put(c);
        } else {
            if (units + 2 > kNameUnits) break;
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return name;
}

std::optional<int> chooseMacroSlot(std::span<const std::string> buttonCodes, const MacroName& name,
                                   const DeviceMacroSlots& slots, SlotRange range) {
    const int count = range == SlotRange::AllSix ? 6 : 4;
    std::array<bool, kMacroSlotCount + 2> used{};  // by slot number; used[count + 1] stays false
    int inUse = 0;
    for (int k = 1; k <= count; ++k) {
        used[static_cast<std::size_t>(k)] = slotInUse(buttonCodes, k);
        inUse += used[static_cast<std::size_t>(k)] ? 1 : 0;
    }
    auto isUsed = [&](int k) { return used[static_cast<std::size_t>(k)]; };

    bool gapFree = true;
    for (int k = 1; k <= inUse; ++k) gapFree = gapFree && isUsed(k);
    if (gapFree) {
        int choice = inUse + 1;
        int matches = 0;
        for (int k = 1; k <= count; ++k) {
            if (slots[static_cast<std::size_t>(k - 1)].name != name) continue;
            ++matches;
            if (matches == 1) choice = k;
        }
        if (matches > 1) choice = inUse + 1;
        if (choice > count) return std::nullopt;
        return choice;
    }

    // A free slot between two used ones (or slot 1 before a used slot 2); among the first
    // four the last such slot need not be followed by a used one.
    int choice = inUse;
    const int lastRule = range == SlotRange::AllSix ? 5 : 4;
    for (int k = 1; k <= lastRule; ++k) {
        const bool before = k == 1 || isUsed(k - 1);
        const bool after = k + 1 > count || isUsed(k + 1);
        if (before && !isUsed(k) && after) {
            choice = k;
            break;
        }
    }
    if (isUsed(choice))
        for (int k = 1; k <= count; ++k)
            if (!isUsed(k)) return k;
    return choice;
}

std::string macroSlotCode(int slot, bool releaseStops) {
    if (slot < 1 || slot > static_cast<int>(kMacroSlotCount)) return {};
    const std::uint16_t address = kMacroSlotAddresses[static_cast<std::size_t>(slot - 1)];
    return FunctionCode{static_cast<std::uint8_t>(releaseStops ? 0x0E : 0x06),
                        static_cast<std::uint8_t>(address >> 8),
                        static_cast<std::uint8_t>(address & 0xFF)}
        .text();
}

}  // namespace vornik

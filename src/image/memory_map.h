#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vornik {

// The mouse's configuration memory: byte i is address i.
inline constexpr std::size_t kImageSize = 2048;
using ConfigImage = std::array<std::uint8_t, kImageSize>;

struct SectionRange {
    std::uint16_t address;
    std::uint16_t size;
};

// Every section lies in the image at its own address; the bytes between them are carried
// unchanged from whatever image was read or loaded.
namespace section {
inline constexpr SectionRange kParameterA{0x000, 48};
inline constexpr SectionRange kParameterB{0x030, 8};
inline constexpr SectionRange kProfile{0x040, 55};
inline constexpr SectionRange kFireCode{0x080, 30};
inline constexpr SectionRange kFireOffset{0x0B0, 20};
inline constexpr SectionRange kFireColor{0x0D0, 30};
inline constexpr SectionRange kFireKey{0x0F0, 11};
inline constexpr SectionRange kMacroSlots1To4{0x100, 1024};
inline constexpr SectionRange kFireMacroRegion{0x500, 256};
inline constexpr SectionRange kMacroSlots5To6{0x600, 512};
}  // namespace section

// The two identification bytes (vendor, product), bytes 6 and 7 of parameterB.
inline constexpr std::uint16_t kDevIdAddress = section::kParameterB.address + 6;

// A named part of the image, for people: a section or a macro slot.
struct NamedRegion {
    std::uint16_t address;
    std::uint16_t size;
    const char* name;
};

// The memory map in address order; what no region covers are the unused gaps.
inline constexpr NamedRegion kNamedRegions[] = {
    {section::kParameterA.address, section::kParameterA.size, "ParameterASection"},
    {section::kParameterB.address, section::kParameterB.size, "ParameterBSection"},
    {section::kProfile.address, section::kProfile.size, "ProfileSection"},
    {section::kFireCode.address, section::kFireCode.size, "FireCodeSection"},
    {section::kFireOffset.address, section::kFireOffset.size, "FireOffsetSection"},
    {section::kFireColor.address, section::kFireColor.size, "FireColorSection"},
    {section::kFireKey.address, section::kFireKey.size, "FireKeySection"},
    {section::kMacroSlots1To4.address, 256, "macro slot 1"},
    {section::kMacroSlots1To4.address + 256, 256, "macro slot 2"},
    {section::kMacroSlots1To4.address + 512, 256, "macro slot 3"},
    {section::kMacroSlots1To4.address + 768, 256, "macro slot 4"},
    {section::kFireMacroRegion.address, section::kFireMacroRegion.size, "FireMacroRegion"},
    {section::kMacroSlots5To6.address, 256, "macro slot 5"},
    {section::kMacroSlots5To6.address + 256, 256, "macro slot 6"},
};

// The region `address` lies in; nullptr in a gap or beyond the image.
constexpr const NamedRegion* regionAt(std::size_t address) {
    for (const NamedRegion& region : kNamedRegions)
        if (address >= region.address && address < region.address + region.size) return &region;
    return nullptr;
}

inline constexpr std::size_t kFireMacroCount = 10;
inline constexpr std::size_t kFireMacroRecordSize = 24;

// The integrity code of a section: the sum of the covered bytes modulo 256, XOR 0x5A.
std::uint8_t sectionCode(std::span<const std::uint8_t> covered);

// True when the last byte of `section` is the code of the bytes before it.
bool sectionCodeValid(std::span<const std::uint8_t> section);

}  // namespace vornik

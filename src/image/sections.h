#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "image/memory_map.h"

namespace vornik {

// The working copies the editors change; the image is rebuilt from them before a write.
struct Sections {
    std::array<std::uint8_t, section::kParameterA.size> parameterA{};
    std::array<std::uint8_t, section::kParameterB.size> parameterB{};
    std::array<std::uint8_t, section::kProfile.size> profile{};
    std::array<std::uint8_t, section::kFireCode.size> fireCode{};
    std::array<std::uint8_t, section::kFireOffset.size> fireOffset{};
    std::array<std::uint8_t, section::kFireColor.size> fireColor{};
    std::array<std::uint8_t, section::kFireKey.size> fireKey{};
    std::array<std::uint8_t, section::kMacroSlots1To4.size> macroSlots1To4{};
    std::array<std::uint8_t, section::kFireMacroRegion.size> fireMacroRegion{};
    std::array<std::array<std::uint8_t, kFireMacroRecordSize>, kFireMacroCount> fireMacroRecords{};
    std::array<std::uint8_t, section::kMacroSlots5To6.size> macroSlots5To6{};
};

// Which checks of the last split repaired their section.
struct RepairReport {
    bool parameterA = false;
    std::array<bool, 3> parameterBPairs{};  // pairs (0,1), (2,3), (4,5)
    bool profile = false;
    bool fireKey = false;

    bool any() const;
};

// Each check repairs the working copy in place from the section defaults and says whether it
// had to.
bool checkParameterA(std::array<std::uint8_t, section::kParameterA.size>& s);
std::array<bool, 3> checkParameterB(std::array<std::uint8_t, section::kParameterB.size>& s);
bool checkProfile(std::array<std::uint8_t, section::kProfile.size>& s);
bool checkFireKey(std::array<std::uint8_t, section::kFireKey.size>& s);

// Where later layers decode and encode what the image layer only carries.
struct SplitHooks {
    std::function<void(Sections&)> decodeMacroSlots;
    std::function<void(Sections&)> decodeFireMacros;
};
struct JoinHooks {
    // Stores the AIM key into the profile before its code is recomputed.
    std::function<void(Sections&)> storeAimKey;
};

// The image -> working copies, with the four checks in their order.
RepairReport splitImage(const ConfigImage& image, Sections& sections, const SplitHooks& hooks = {});

// Working copies -> the image with the three integrity codes recomputed; the gaps keep their bytes.
void joinImage(Sections& sections, ConfigImage& image, const JoinHooks& hooks = {});

}  // namespace vornik

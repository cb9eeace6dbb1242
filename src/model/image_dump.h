#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "formats/text_lookup.h"
#include "image/sections.h"

namespace vornik {

// A configuration image decoded for a person or a script.
struct ImageSummary {
    struct DpiLevel {
        std::optional<int> valueIndex;  // nullopt: no value stored
        std::optional<int> dpi;         // nullopt: no value or an index outside the table
        std::array<std::uint8_t, 3> colour{};
    };
    struct Button {
        std::string code;
        std::string name;
    };

    std::vector<std::string> failedSections;  // sections the split repaired
    int dpiLevelCount = 0;
    std::vector<DpiLevel> dpiLevels;  // the levels in use, at most seven
    int currentDpiLevel = 0;          // from 1
    int keyMode = 1;
    std::string ledType;
    std::array<std::array<Button, 9>, 2> profiles;
    int fireCountIndex = 0;  // 255: continuous fire
    int fireInterval = 0;
    std::array<std::string, 6> macroSlots;
    // The event bytes each slot's macro uses (of macroEventCapacity); 0 for an empty slot,
    // nullopt for a content that fails its check.
    std::array<std::optional<std::size_t>, 6> macroSlotBytes;
    std::size_t macroEventCapacity = 0;
};

// Decodes the working copies of a split; `repairs` names the failed sections.
ImageSummary summarize(const Sections& sections, const RepairReport& repairs,
                       const TextLookup& texts);

std::string summaryText(const ImageSummary& summary);
std::string summaryJson(const ImageSummary& summary);

// The sections a repair report names, in split order.
std::vector<std::string> repairedSectionNames(const RepairReport& repairs);

}  // namespace vornik

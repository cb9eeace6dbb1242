#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vornik {

// One top-level collection with the report lengths Windows gives its interface: per report
// kind the largest report of the collection in whole bytes plus one byte for the report id
// (counted even when the descriptor uses no report ids); 0 when there is no report of the kind.
struct HidCollectionInfo {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;

    friend bool operator==(const HidCollectionInfo&, const HidCollectionInfo&) = default;
};

// Parsing stops at the first fault. `collections` then holds the top-level collections closed
// before it, and `error` (a static message) says what went wrong at byte `errorOffset`; an
// empty error means the whole descriptor was read and holds at least one collection.
struct HidDescriptorParse {
    std::vector<HidCollectionInfo> collections;
    std::string_view error;
    std::size_t errorOffset = 0;

    bool ok() const { return error.empty(); }
};

// Accepts any bytes; work and memory stay linear in the descriptor's size.
HidDescriptorParse parseHidDescriptor(std::span<const std::uint8_t> descriptor) noexcept;

}  // namespace vornik

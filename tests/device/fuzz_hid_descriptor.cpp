#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/hid_descriptor.h"

namespace {

// A length is 0 or the id byte plus at least one data byte; 1 would mean a miscount.
bool plausible(std::uint16_t length) { return length != 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const vornik::HidDescriptorParse result = vornik::parseHidDescriptor(bytes);

    // Every collection needs a Collection and an End Collection item, one byte each at least.
    if (result.collections.size() > size / 2) std::abort();
    if (!result.ok() && result.errorOffset > size) std::abort();
    if (result.ok() && result.collections.empty()) std::abort();
    for (const vornik::HidCollectionInfo& c : result.collections) {
        if (!plausible(c.inputReportByteLength) || !plausible(c.outputReportByteLength) ||
            !plausible(c.featureReportByteLength)) {
            std::abort();
        }
    }
    // What precedes the fault parses to the same collections when cut off there.
    if (!result.ok()) {
        const vornik::HidDescriptorParse head =
            vornik::parseHidDescriptor(bytes.first(result.errorOffset));
        if (head.collections != result.collections) std::abort();
    }
    return 0;
}

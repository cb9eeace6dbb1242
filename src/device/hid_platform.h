#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornik {

// A device interface class identifier (the Windows GUID layout).
struct ClassGuid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    friend bool operator==(const ClassGuid&, const ClassGuid&) = default;
};

// {4D1E55B2-F16F-11CF-88CB-001111000030}: the HID class, used when the platform cannot tell it.
inline constexpr ClassGuid kHidClassFallback{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

// {902E3649-BB28-43E0-83E2-858CECFBEE7B}: the companion mouse filter driver's interface class.
inline constexpr ClassGuid kDriverClass{
    0x902E3649, 0xBB28, 0x43E0, {0x83, 0xE2, 0x85, 0x8C, 0xEC, 0xFB, 0xEE, 0x7B}};

// An opaque handle of an open interface; kNoHandle (all bits set) when none.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kNoHandle = -1;

// One device interface as the platform lists it. On Windows every top-level HID collection is
// its own interface with its own path; hidraw has one node per device, so there the interfaces
// of one node share the path and differ in `collection` (0 for the first).
struct InterfacePath {
    std::string path;
    std::uint32_t collection = 0;

    friend bool operator==(const InterfacePath&, const InterfacePath&) = default;
};

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

// The platform operations the device link needs. Every operation reports failure in its result
// and never throws. Implementations: Windows (SetupAPI/HID), Linux (hidraw) and a simulation.
class HidPlatform {
  public:
    virtual ~HidPlatform() = default;

    // The HID class identifier, or nullopt when the platform cannot tell it.
    virtual std::optional<ClassGuid> hidClassGuid() = 0;

    // The present interfaces of a class in enumeration order; nullopt when no list can be made.
    virtual std::optional<std::vector<InterfacePath>> listInterfaces(const ClassGuid& cls) = 0;

    // Opens an interface with no read or write access, shared for reading and writing.
    // Returns kNoHandle on failure.
    virtual DeviceHandle open(const InterfacePath& path) = 0;
    virtual void close(DeviceHandle handle) = 0;

    virtual std::optional<HidAttributes> attributes(DeviceHandle handle) = 0;

    // The interface's feature report length in bytes, report id byte included (0 when it has
    // no feature report); nullopt when the capabilities cannot be read.
    virtual std::optional<std::uint16_t> featureReportLength(DeviceHandle handle) = 0;

    // One feature report; byte 0 of the buffer is the report id. Set sends the whole buffer;
    // get fills it. False on failure, in which case a get leaves the buffer as it was.
    virtual bool setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) = 0;
    virtual bool getFeature(DeviceHandle handle, std::span<std::uint8_t> report) = 0;

    // Holds an open interface's device against other programs (and other handles) for the
    // length of an operation, without waiting: false when someone else holds it. Closing the
    // handle releases it too. A platform without such locks lets every caller in.
    virtual bool tryLockExclusive(DeviceHandle handle) {
        (void)handle;
        return true;
    }
    virtual void unlockExclusive(DeviceHandle handle) { (void)handle; }

    // The I/O control call of the companion driver. On success `returned` is the number of
    // bytes written to `out`.
    virtual bool ioControl(DeviceHandle handle, std::uint32_t code,
                           std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                           std::uint32_t& returned) = 0;
};

}  // namespace vornik

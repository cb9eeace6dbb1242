#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/hid_platform.h"
#include "device/sim/sim_mouse.h"

namespace vornik {

// One simulated HID interface. `firmware` answers its feature reports; interfaces of one
// device share it.
struct SimInterface {
    InterfacePath path;
    HidAttributes attributes;
    std::uint16_t featureLen = 0;
    std::shared_ptr<SimMouse> firmware;
    bool openable = true;  // false: present but opening fails (e.g. held exclusively)
};

using SimIoControl = std::function<bool(std::uint32_t code, std::span<const std::uint8_t> in,
                                        std::span<std::uint8_t> out, std::uint32_t& returned)>;

// HID interfaces that can be plugged and unplugged at any time, beside an optional companion
// driver interface. Handles of an unplugged interface stop working.
class SimHidPlatform : public HidPlatform {
  public:
    void plug(SimInterface interface);
    // Removes every interface with this path (a whole device on hidraw).
    void unplug(const std::string& path);
    void unplugAll();
    void plugDriver(std::string path, SimIoControl ioControl);

    // Faults of the platform itself.
    bool hidGuidAvailable = true;
    bool listFails = false;

    // One handle at a time holds a device (all its interfaces) exclusively. `heldElsewhere`,
    // when set, says whether another program holds it; vornikctl asks its memory file's lock.
    std::function<bool()> heldElsewhere;

    int openHandles() const { return static_cast<int>(m_handles.size()); }
    int presentInterfaces() const;

    std::optional<ClassGuid> hidClassGuid() override;
    std::optional<std::vector<InterfacePath>> listInterfaces(const ClassGuid& cls) override;
    DeviceHandle open(const InterfacePath& path) override;
    void close(DeviceHandle handle) override;
    std::optional<HidAttributes> attributes(DeviceHandle handle) override;
    std::optional<std::uint16_t> featureReportLength(DeviceHandle handle) override;
    bool setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) override;
    bool getFeature(DeviceHandle handle, std::span<std::uint8_t> report) override;
    bool tryLockExclusive(DeviceHandle handle) override;
    void unlockExclusive(DeviceHandle handle) override;
    bool ioControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                   std::span<std::uint8_t> out, std::uint32_t& returned) override;

  private:
    struct Entry {
        int id;
        bool isDriver;
        SimInterface interface;
        SimIoControl ioControl;
    };
    bool present(const Entry& entry) const;
    const Entry* entryOf(DeviceHandle handle) const;

    std::vector<Entry> m_entries;
    std::map<DeviceHandle, int> m_handles;  // handle -> entry id
    std::map<const SimMouse*, DeviceHandle> m_locks;
    int m_nextId = 1;
    DeviceHandle m_nextHandle = 0x100;
};

// Windows-like paths so that tests and traces read like the real thing.
std::string simHidPath(std::uint16_t vendorId, std::uint16_t productId, int interfaceNo,
                       int collection);
// A companion driver path carrying `number` at positions 55 to 58.
std::string simDriverPath(std::uint16_t number);

// The mouse as it ships: vendor 0x2C4E, product 0x0B17, version 0x0104, three interfaces of
// which only the vendor one has an 8-byte feature report. Returns its firmware.
std::shared_ptr<SimMouse> plugDefaultMouse(SimHidPlatform& platform);
// A keyboard and a headset beside the mouse, none with the mouse's identifiers.
void plugOtherDevices(SimHidPlatform& platform);

}  // namespace vornik

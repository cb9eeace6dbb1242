#pragma once

#include <map>
#include <memory>
#include <string>

#include "device/hid_platform.h"
#include "image/atomic_file.h"

namespace vornik {

// SetupAPI/HID backend. hid.dll and setupapi.dll are loaded from the system directory on the
// first operation; when a library or entry point is missing the operations that need it fail.
class WinHidPlatform : public HidPlatform {
  public:
    std::optional<ClassGuid> hidClassGuid() override;
    std::optional<std::vector<InterfacePath>> listInterfaces(const ClassGuid& cls) override;
    DeviceHandle open(const InterfacePath& path) override;
    void close(DeviceHandle handle) override;
    std::optional<HidAttributes> attributes(DeviceHandle handle) override;
    std::optional<std::uint16_t> featureReportLength(DeviceHandle handle) override;
    bool setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) override;
    bool getFeature(DeviceHandle handle, std::span<std::uint8_t> report) override;
    // A named mutex per device path: the handles are opened shared, so the interface itself
    // cannot be held exclusively without shutting out the system's own users.
    bool tryLockExclusive(DeviceHandle handle) override;
    void unlockExclusive(DeviceHandle handle) override;
    bool ioControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                   std::span<std::uint8_t> out, std::uint32_t& returned) override;

  private:
    std::map<DeviceHandle, std::string> m_paths;
    std::map<DeviceHandle, std::unique_ptr<ExclusiveFileLock>> m_locks;
};

}  // namespace vornik

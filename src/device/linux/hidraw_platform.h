#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "device/hid_platform.h"
#include "device/linux/hidraw_io.h"

namespace vornik {

// The HID seam on Linux hidraw. Nodes are found under <sysRoot>/class/hidraw and opened under
// <devRoot>; each top-level collection of a node's report descriptor is one interface.
class HidrawPlatform final : public HidPlatform {
  public:
    explicit HidrawPlatform(std::filesystem::path sysRoot = "/sys",
                            std::filesystem::path devRoot = "/dev",
                            std::unique_ptr<HidrawIo> io = createSystemHidrawIo());
    ~HidrawPlatform() override;

    HidrawPlatform(const HidrawPlatform&) = delete;
    HidrawPlatform& operator=(const HidrawPlatform&) = delete;

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
    // What open learnt about the interface; sysfs is not read again while it stays open.
    struct OpenInterface {
        int fd = -1;
        std::optional<HidAttributes> attributes;
        std::uint16_t featureLength = 0;
    };

    OpenInterface* find(DeviceHandle handle);

    std::filesystem::path m_sysRoot;
    std::filesystem::path m_devRoot;
    std::unique_ptr<HidrawIo> m_io;
    // Handles are counted rather than being the fd, so a stale handle cannot reach a reused fd.
    std::map<DeviceHandle, OpenInterface> m_open;
    DeviceHandle m_nextHandle = 1;
};

}  // namespace vornik

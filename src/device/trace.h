#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "device/clock.h"
#include "device/hid_platform.h"

namespace vornik {

// One feature-report exchange as it crossed the seam.
struct Exchange {
    std::uint64_t ms = 0;
    bool isSet = false;
    bool ok = true;  // the platform call succeeded
    std::array<std::uint8_t, 8> bytes{};
};

// "<ms> SET|GET b0 … b7", with " FAILED" when the platform call failed.
std::string formatExchange(const Exchange& exchange);

// Passes every call to `inner` and reports each feature-report exchange to `sink`, timed by
// `clock`. Works over any backend, so a user's trace of the real mouse reads like a test's.
class TracingHidPlatform : public HidPlatform {
  public:
    TracingHidPlatform(HidPlatform& inner, Clock& clock, std::function<void(const Exchange&)> sink);

    std::optional<ClassGuid> hidClassGuid() override { return m_inner.hidClassGuid(); }
    std::optional<std::vector<InterfacePath>> listInterfaces(const ClassGuid& cls) override {
        return m_inner.listInterfaces(cls);
    }
    DeviceHandle open(const InterfacePath& path) override { return m_inner.open(path); }
    void close(DeviceHandle handle) override { m_inner.close(handle); }
    std::optional<HidAttributes> attributes(DeviceHandle handle) override {
        return m_inner.attributes(handle);
    }
    std::optional<std::uint16_t> featureReportLength(DeviceHandle handle) override {
        return m_inner.featureReportLength(handle);
    }
    bool setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) override;
    bool getFeature(DeviceHandle handle, std::span<std::uint8_t> report) override;
    bool tryLockExclusive(DeviceHandle handle) override { return m_inner.tryLockExclusive(handle); }
    void unlockExclusive(DeviceHandle handle) override { m_inner.unlockExclusive(handle); }
    bool ioControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                   std::span<std::uint8_t> out, std::uint32_t& returned) override {
        return m_inner.ioControl(handle, code, in, out, returned);
    }

  private:
    void record(bool isSet, bool ok, std::span<const std::uint8_t> report);

    HidPlatform& m_inner;
    Clock& m_clock;
    std::uint64_t m_start;
    std::function<void(const Exchange&)> m_sink;
};

}  // namespace vornik

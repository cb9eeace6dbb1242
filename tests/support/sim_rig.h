// The simulated mouse the Qt-free tests run against: plugged in beside other devices, opened,
// on a virtual clock, with the device session (link and protocol) over it. With `traced`, every
// feature-report exchange is also written to `trace` as vornikctl --trace writes it, timed from
// the last startTrace().
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/sim/sim_hid_platform.h"
#include "device/trace.h"
#include "model/device_session.h"

namespace vornik {

class SimRig {
  public:
    enum class Tracing { Off, On };

    explicit SimRig(Tracing tracing = Tracing::Off)
        : m_tracing(sim, clock,
                    [this](Exchange e) {
                        e.ms -= m_traceStart;
                        (trace += formatExchange(e)) += '\n';
                    }),
          device(tracing == Tracing::On ? static_cast<HidPlatform&>(m_tracing) : sim, clock) {
        plugOtherDevices(sim);
        mouse = plugDefaultMouse(sim);
        std::uint32_t version = kMouseVersion;
        opened = device.link().openMouse(kMouseVendorId, kMouseProductId, version);
        startTrace();
    }

    DeviceLink& link() { return device.link(); }
    CommandProtocol& protocol() { return device.protocol(); }

    // Adds faults in vornikctl's --fault syntax.
    void fault(const std::string& text) {
        std::string error;
        EXPECT_TRUE(parseFaults(text, mouse->faults(), error)) << error;
    }
    void startTrace() {
        trace.clear();
        m_traceStart = clock.nowMs();
        mouse->clearTrace();
    }
    // The commands the mouse received since startTrace(), without the chunks of the blocks.
    std::vector<int> commands() const {
        std::vector<int> out;
        for (const auto& e : mouse->trace())
            if (e.isSet && e.bytes[1] != cmd::kReadChunk && e.bytes[1] != cmd::kWriteChunk)
                out.push_back(e.bytes[1]);
        return out;
    }

    VirtualClock clock;
    SimHidPlatform sim;
    std::string trace;

  private:
    std::uint64_t m_traceStart = 0;
    TracingHidPlatform m_tracing;

  public:
    DeviceSession device;
    std::shared_ptr<SimMouse> mouse;
    bool opened = false;
};

// What vornikctl's tests take as the "real" system: other devices, and no mouse.
inline std::unique_ptr<HidPlatform> simSystemWithoutMouse() {
    auto platform = std::make_unique<SimHidPlatform>();
    plugOtherDevices(*platform);
    return platform;
}

}  // namespace vornik

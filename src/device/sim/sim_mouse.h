#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "device/clock.h"
#include "device/sim/sim_faults.h"
#include "device/trace.h"

namespace vornik {

inline constexpr std::size_t kSimMemorySize = 2048;

// The firmware of a simulated mouse: answers the configuration commands over its 2048-byte
// memory, as a real one does on its 8-byte feature report. A request is handled when it is
// set; polls then read the reply, after `slowPolls` polls that read 0 in byte 7.
class SimMouse {
  public:
    SimMouse();

    std::array<std::uint8_t, kSimMemorySize>& memory() { return m_memory; }
    const std::array<std::uint8_t, kSimMemorySize>& memory() const { return m_memory; }
    SimFaults& faults() { return m_faults; }

    // Timestamps the trace; without a clock every exchange is at 0.
    void setClock(Clock* clock) { m_clock = clock; }
    // Runs whenever the last byte of a block write has been stored.
    void setBlockWritten(std::function<void()> written) { m_blockWritten = std::move(written); }

    // The feature report as the host moves it. False once the mouse has vanished.
    bool setFeature(std::span<const std::uint8_t> report);
    bool getFeature(std::span<std::uint8_t> report);

    bool vanished() const;
    void unplug() { m_unplugged = true; }

    // What the host has seen and done, for tests and diagnostics.
    const std::vector<Exchange>& trace() const { return m_trace; }
    void clearTrace() { m_trace.clear(); }
    bool inConfigMode() const { return m_configMode; }
    unsigned reloads() const { return m_reloads; }
    unsigned exchanges() const { return m_exchanges; }
    const std::array<std::uint8_t, 4>& driverParams() const { return m_driverParams; }

    // Values the mouse reports.
    std::uint16_t buttonState = 0;        // status bytes 5 and 6
    bool driverModeAvailable = false;     // status byte 2 bit 5
    std::uint8_t configModeReply = 0x01;  // reply byte 1 of command 1
    std::uint8_t lightingType = 0;        // extended status byte 3
    std::uint16_t driverNumber = 1;       // command 129

  private:
    void handle(const std::array<std::uint8_t, 8>& request);
    void handleReadChunk();
    void handleWriteChunk(const std::array<std::uint8_t, 8>& request);
    void record(bool isSet, bool ok, std::span<const std::uint8_t> report);

    std::array<std::uint8_t, kSimMemorySize> m_memory{};
    SimFaults m_faults;
    Clock* m_clock = nullptr;
    std::function<void()> m_blockWritten;
    std::vector<Exchange> m_trace;

    std::array<std::uint8_t, 8> m_request{};
    std::array<std::uint8_t, 8> m_reply{};
    unsigned m_pollsBeforeReply = 0;

    bool m_unplugged = false;
    bool m_configMode = false;
    unsigned m_exchanges = 0;
    unsigned m_reloads = 0;
    std::array<std::uint8_t, 4> m_driverParams{};

    std::uint32_t m_readAddress = 0;
    unsigned m_readChunk = 0;  // chunks of the current block read handed out, from 0
    std::uint32_t m_writeAddress = 0;
    std::uint32_t m_writeLeft = 0;
};

}  // namespace vornik

#include "device/sim/sim_mouse.h"

#include <algorithm>

#include "device/protocol.h"

namespace vornik {

SimMouse::SimMouse() { m_memory.fill(0xFF); }

bool SimMouse::vanished() const {
    return m_unplugged || (m_faults.vanishAfter && m_exchanges >= *m_faults.vanishAfter);
}

void SimMouse::record(bool isSet, bool ok, std::span<const std::uint8_t> report) {
    Exchange exchange;
    exchange.ms = m_clock ? m_clock->nowMs() : 0;
    exchange.isSet = isSet;
    exchange.ok = ok;
    std::copy_n(report.begin(), std::min(report.size(), exchange.bytes.size()),
                exchange.bytes.begin());
    m_trace.push_back(exchange);
}

bool SimMouse::setFeature(std::span<const std::uint8_t> report) {
    if (vanished() || report.size() != 8 || report[0] != kReportId) {
        record(true, false, report);
        return false;
    }
    ++m_exchanges;
    record(true, true, report);
    std::copy(report.begin(), report.end(), m_request.begin());
    m_pollsBeforeReply = m_faults.slowPolls;
    handle(m_request);
    return true;
}

bool SimMouse::getFeature(std::span<std::uint8_t> report) {
    if (vanished() || report.size() != 8) {
        record(false, false, report);
        return false;
    }
    ++m_exchanges;
    if (m_pollsBeforeReply > 0) {
        --m_pollsBeforeReply;
        std::array<std::uint8_t, 8> busy = m_request;
        busy[7] = 0;
        std::copy(busy.begin(), busy.end(), report.begin());
    } else {
        std::copy(m_reply.begin(), m_reply.end(), report.begin());
    }
    record(false, true, report);
    return true;
}

void SimMouse::handle(const std::array<std::uint8_t, 8>& request) {
    const std::uint8_t code = request[1];
    m_reply = request;
    m_reply[7] = m_faults.ackValue.value_or(kAck);
    auto refuse = [&] { m_reply[7] = 0; };

    if (m_faults.neverAck || m_faults.refusedCommands.contains(code)) return refuse();
    const bool needsConfigMode = code >= cmd::kBeginRead && code <= cmd::kDriverParams;
    if (needsConfigMode && !m_configMode) return refuse();

    switch (code) {
        case cmd::kEnterConfig:
            m_configMode = true;
            m_reply[1] = configModeReply;
            break;
        case cmd::kLeaveConfig:
            m_configMode = false;
            break;
        case cmd::kStatus:
            if (request[2] == 0x3C && request[3] == 0x96) {
                m_reply[2] = driverModeAvailable ? 0x20 : 0x00;
                m_reply[3] = lightingType;
                break;
            }
            m_reply[1] = m_faults.statusByte.value_or(kStatusReady);
            m_reply[2] = static_cast<std::uint8_t>((m_faults.notReady ? 0 : 0x04) |
                                                   (driverModeAvailable ? 0x20 : 0));
            m_reply[3] = m_faults.chipCode.value_or(0xFD);
            m_reply[4] = 0;
            m_reply[5] = static_cast<std::uint8_t>(buttonState & 0xFF);
            m_reply[6] = static_cast<std::uint8_t>(buttonState >> 8);
            break;
        case cmd::kBeginRead:
            m_readAddress = static_cast<std::uint32_t>(request[2] | request[3] << 8);
            m_readChunk = 0;
            break;
        case cmd::kReadChunk:
            handleReadChunk();
            break;
        case cmd::kBeginWrite:
            m_writeAddress = static_cast<std::uint32_t>(request[2] | request[3] << 8);
            m_writeLeft = static_cast<std::uint32_t>(request[4] | request[5] << 8);
            break;
        case cmd::kWriteChunk:
            handleWriteChunk(request);
            break;
        case cmd::kReload:
            ++m_reloads;
            break;
        case cmd::kDriverParams:
            std::copy_n(request.begin() + 2, 4, m_driverParams.begin());
            break;
        case cmd::kDriverNumber:
            m_reply[1] = static_cast<std::uint8_t>(driverNumber >> 8);
            m_reply[2] = static_cast<std::uint8_t>(driverNumber & 0xFF);
            break;
        default:
            refuse();
            break;
    }
}

void SimMouse::handleReadChunk() {
    // The firmware hands out the chunks of a block in order and moves on only past one it has
    // served; it cannot tell a host's retry from its next request. So a chunk it cannot read
    // holds up the rest of the block, however often it is asked.
    if (m_faults.droppedChunks.contains(m_readChunk + 1)) {
        m_reply[7] = 0;
        return;
    }
    for (std::size_t i = 0; i < kChunkSize; ++i) {
        const std::uint32_t address = m_readAddress + static_cast<std::uint32_t>(i);
        m_reply[1 + i] = address < kSimMemorySize ? m_memory[address] : 0xFF;
    }
    m_readAddress += kChunkSize;
    ++m_readChunk;
}

void SimMouse::handleWriteChunk(const std::array<std::uint8_t, 8>& request) {
    // Only the announced length is stored: the tail of a short last chunk is padding.
    const std::uint32_t n = std::min<std::uint32_t>(kChunkSize, m_writeLeft);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t address = m_writeAddress + i;
        if (address < kSimMemorySize &&
            !m_faults.stuckAddresses.contains(static_cast<std::uint16_t>(address)))
            m_memory[address] = request[2 + i];
    }
    m_writeAddress += kChunkSize;
    m_writeLeft -= n;
    if (n > 0 && m_writeLeft == 0 && m_blockWritten) m_blockWritten();
}

}  // namespace vornik

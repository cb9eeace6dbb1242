#include "device/protocol.h"

#include <algorithm>

namespace vornik {

namespace {

constexpr ExchangeTiming kCommandTiming{0, 10, 10, false, 5, 5};
constexpr ExchangeTiming kWriteChunkTiming{0, 10, 5, false, 5, 5};
constexpr ExchangeTiming kReadChunkTiming{0, 5, 5, false, 5, 5};
constexpr ExchangeTiming kKeyStatusTiming{5, 0, 5, true, 10, 10};

// The bytes of chunk i of a block of `length` bytes: six, or the remainder for the last.
std::size_t chunkBytes(std::size_t i, std::size_t length) {
    return std::min(kChunkSize, length - i * kChunkSize);
}

std::uint8_t lowByte(std::uint16_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t highByte(std::uint16_t value) { return static_cast<std::uint8_t>(value >> 8); }

class TransferScope {
  public:
    explicit TransferScope(Clock& clock) : m_clock(clock) { m_clock.beginTransfer(); }
    ~TransferScope() { m_clock.endTransfer(); }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

  private:
    Clock& m_clock;
};

}  // namespace

int chipTypeOfCode(std::uint8_t code, int previous) {
    switch (code) {
        case 0x35:
            return 0x90;
        case 0x75:
            return 0x99;
        case 0xFD:
            return 0x98;
        default:
            return previous;
    }
}

CommandProtocol::CommandProtocol(DeviceLink& link, Clock& clock) : m_link(link), m_clock(clock) {}

CommandProtocol::Outcome CommandProtocol::exchange(const std::array<std::uint8_t, 8>& request,
                                                   const ExchangeTiming& timing) {
    if (m_link.mouseHandle == kNoHandle) return Outcome::LinkLost;
    bool anyCallWorked = false;
    for (int attempt = 0; attempt < timing.attempts; ++attempt) {
        m_report = request;
        if (timing.sleepBeforeSend) m_clock.sleepMs(timing.sleepBeforeSend);
        anyCallWorked |= m_link.setFeatureReport(m_link.mouseHandle, m_report);
        if (timing.sleepAfterSend) m_clock.sleepMs(timing.sleepAfterSend);
        for (int poll = 0; poll < timing.polls; ++poll) {
            if (timing.pollSleepBefore) m_clock.sleepMs(timing.pollSleep);
            anyCallWorked |= m_link.getFeatureReport(m_link.mouseHandle, m_report);
            if (m_report[7] != 0) break;
            if (!timing.pollSleepBefore) m_clock.sleepMs(timing.pollSleep);
        }
        if (m_report[7] == kAck) return Outcome::Acknowledged;
    }
    // Only byte 7 decides; the platform results merely tell a silent mouse from a gone one.
    return anyCallWorked ? Outcome::Refused : Outcome::LinkLost;
}

CommandProtocol::Outcome CommandProtocol::exchangeCommand(std::uint8_t code, std::uint8_t p1,
                                                          std::uint8_t p2, std::uint8_t p3,
                                                          std::uint8_t p4) {
    const Outcome outcome = exchange({kReportId, code, p1, p2, p3, p4, 0, 0}, kCommandTiming);
    if (outcome == Outcome::Acknowledged && code == cmd::kStatus && p1 == 0 && p2 == 0 && p3 == 0 &&
        p4 == 0) {
        m_eepromReady = (m_report[2] & 0x04) != 0;
        m_chipType = chipTypeOfCode(m_report[3], m_chipType);
    }
    return outcome;
}

bool CommandProtocol::sendCommand(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                                  std::uint8_t p3, std::uint8_t p4) {
    return exchangeCommand(code, p1, p2, p3, p4) == Outcome::Acknowledged;
}

CommandProtocol::Outcome CommandProtocol::exchangeWriteChunk(const std::array<std::uint8_t, 6>& d) {
    return exchange({kReportId, cmd::kWriteChunk, d[0], d[1], d[2], d[3], d[4], d[5]},
                    kWriteChunkTiming);
}

void CommandProtocol::writeChunk(std::uint8_t d0, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                                 std::uint8_t d4, std::uint8_t d5) {
    exchangeWriteChunk({d0, d1, d2, d3, d4, d5});
}

CommandProtocol::Outcome CommandProtocol::exchangeReadChunk() {
    m_replyStore.fill(0xFF);
    const Outcome outcome =
        exchange({kReportId, cmd::kReadChunk, 0, 0, 0, 0, 0, 0}, kReadChunkTiming);
    if (outcome == Outcome::Acknowledged) {
        std::copy(m_report.begin() + 1, m_report.end(), m_replyStore.begin());
        m_clock.processEvents();
    }
    return outcome;
}

void CommandProtocol::readChunk() { exchangeReadChunk(); }

std::uint16_t CommandProtocol::readKeyStatus() {
    if (exchange({kReportId, cmd::kStatus, 0, 0, 0, 0, 0, 0}, kKeyStatusTiming) !=
        Outcome::Acknowledged)
        return 0;
    return static_cast<std::uint16_t>(m_report[6] << 8 | m_report[5]);
}

bool CommandProtocol::readBlock(std::uint16_t address, std::uint16_t length,
                                std::span<std::uint8_t> dest) {
    return readBlockShowing(address, length, dest, true);
}

bool CommandProtocol::readBlockQuietly(std::uint16_t address, std::uint16_t length,
                                       std::span<std::uint8_t> dest) {
    return readBlockShowing(address, length, dest, false);
}

bool CommandProtocol::beginBlock(std::uint8_t begin, std::uint16_t address, std::uint16_t length) {
    m_lastBlock.chunks = chunkCount(length);
    const Outcome outcome = exchangeCommand(begin, lowByte(address), highByte(address),
                                            lowByte(length), highByte(length));
    if (outcome == Outcome::Acknowledged) return true;
    m_lastBlock.end = outcome == Outcome::LinkLost ? BlockEnd::LinkLost : BlockEnd::BeginRefused;
    return false;
}

bool CommandProtocol::cancelled() {
    if (!m_cancellation || !m_cancellation->requested()) return false;
    m_lastBlock.end = BlockEnd::Interrupted;
    return true;
}

bool CommandProtocol::chunkDone(std::size_t i, Outcome outcome, std::size_t& failedInARow) {
    if (outcome == Outcome::LinkLost) {
        m_lastBlock.end = BlockEnd::LinkLost;
        return false;
    }
    m_lastBlock.chunksDone = i + 1;
    if (outcome == Outcome::Acknowledged) {
        failedInARow = 0;
        return true;
    }
    m_lastBlock.failedChunks.push_back(i);
    if (++failedInARow < kMaxFailedChunksInARow) return true;
    m_lastBlock.end = BlockEnd::GaveUp;
    return false;
}

bool CommandProtocol::readBlockShowing(std::uint16_t address, std::uint16_t length,
                                       std::span<std::uint8_t> dest, bool showLoading) {
    std::fill(dest.begin(), dest.end(), 0xFF);
    m_lastBlock = {};
    TransferScope scope(m_clock);
    if (!beginBlock(cmd::kBeginRead, address, length)) return false;
    const std::size_t chunks = m_lastBlock.chunks;
    std::size_t failedInARow = 0;
    for (std::size_t i = 0; i < chunks; ++i) {
        if (cancelled()) return false;
        if (showLoading && m_observer) m_observer->showLoadingWindow();
        if (showLoading) m_clock.processEvents();
        const Outcome outcome = exchangeReadChunk();
        const std::size_t offset = i * kChunkSize;
        if (outcome == Outcome::Acknowledged && offset < dest.size()) {
            const std::size_t n = std::min(chunkBytes(i, length), dest.size() - offset);
            std::copy_n(m_replyStore.begin(), n,
                        dest.begin() + static_cast<std::ptrdiff_t>(offset));
        }
        if (!chunkDone(i, outcome, failedInARow)) return false;
        m_clock.processEvents();
        if (showLoading && m_observer) m_observer->transferProgress(i + 1, chunks);
    }
    return true;
}

bool CommandProtocol::writeBlock(std::uint16_t address, std::uint16_t length,
                                 std::span<const std::uint8_t> src) {
    m_writeScratch.fill(0xFF);
    m_lastBlock = {};
    if (src.size() < length) return false;
    TransferScope scope(m_clock);
    if (!beginBlock(cmd::kBeginWrite, address, length)) return false;
    const std::size_t chunks = m_lastBlock.chunks;
    std::size_t failedInARow = 0;
    for (std::size_t i = 0; i < chunks; ++i) {
        if (cancelled()) return false;
        if (m_observer) m_observer->showLoadingWindow();
        m_clock.processEvents();
        // A short last chunk keeps the previous chunk's tail in the scratch bytes.
        const std::size_t offset = i * kChunkSize;
        std::copy_n(src.begin() + static_cast<std::ptrdiff_t>(offset), chunkBytes(i, length),
                    m_writeScratch.begin());
        m_clock.processEvents();
        const Outcome outcome =
            exchangeWriteChunk({m_writeScratch[0], m_writeScratch[1], m_writeScratch[2],
                                m_writeScratch[3], m_writeScratch[4], m_writeScratch[5]});
        if (!chunkDone(i, outcome, failedInARow)) return false;
        if (m_observer) m_observer->transferProgress(i + 1, chunks);
    }
    return true;
}

}  // namespace vornik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/clock.h"
#include "device/device_link.h"

namespace vornik {

// Command codes of the configuration protocol.
namespace cmd {
inline constexpr std::uint8_t kEnterConfig = 1;
inline constexpr std::uint8_t kLeaveConfig = 2;
inline constexpr std::uint8_t kStatus = 3;
inline constexpr std::uint8_t kBeginRead = 4;
inline constexpr std::uint8_t kReadChunk = 5;
inline constexpr std::uint8_t kBeginWrite = 6;
inline constexpr std::uint8_t kWriteChunk = 7;
inline constexpr std::uint8_t kReload = 8;
inline constexpr std::uint8_t kDriverParams = 9;
inline constexpr std::uint8_t kDriverNumber = 0x81;
}  // namespace cmd

inline constexpr std::uint8_t kReportId = 4;
inline constexpr std::uint8_t kAck = 0xCC;
inline constexpr std::uint8_t kStatusReady = 0xAA;
inline constexpr std::size_t kChunkSize = 6;
// A mouse that leaves this many chunks in a row unacknowledged is not answering at all; the
// block ends there instead of costing every remaining chunk its attempts.
inline constexpr std::size_t kMaxFailedChunksInARow = 16;

// The number of chunks of a block of `length` bytes.
constexpr std::size_t chunkCount(std::size_t length) {
    return (length + kChunkSize - 1) / kChunkSize;
}

// ChipType for the chip-type code in reply byte 3 of the status query; `previous` for an
// unknown code.
int chipTypeOfCode(std::uint8_t code, int previous);

// Sleeps and bounds of one kind of exchange.
struct ExchangeTiming {
    unsigned sleepBeforeSend;
    unsigned sleepAfterSend;
    unsigned pollSleep;
    bool pollSleepBefore;  // before every poll, instead of after a poll that read 0
    int polls;
    int attempts;
};

// What a transfer is doing, for progress displays.
enum class TransferPhase { Read, Write, ReadBack, Repair };

// How the GUI follows a block transfer. All run on the caller's thread between chunks.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    // A phase of `chunks` chunks begins; the transfers that follow report their progress in it.
    virtual void transferPhase(TransferPhase phase, std::size_t chunks) {
        (void)phase;
        (void)chunks;
    }
    // Re-centre the loading window over the main window and show it.
    virtual void showLoadingWindow() {}
    virtual void transferProgress(std::size_t chunksDone, std::size_t chunksTotal) {
        (void)chunksDone;
        (void)chunksTotal;
    }
};

// Asked between chunks whether the user wants the transfer stopped (e.g. Ctrl-C). The chunk in
// flight always completes; the block then ends as interrupted.
class Cancellation {
  public:
    virtual ~Cancellation() = default;
    virtual bool requested() const = 0;
};

// How the last block transfer ended.
enum class BlockEnd {
    Complete,      // every chunk was exchanged (some may have gone unacknowledged)
    BeginRefused,  // command 4 or 6 was not acknowledged
    LinkLost,      // the mouse stopped answering at all (it went away)
    GaveUp,        // kMaxFailedChunksInARow chunks in a row were not acknowledged
    Interrupted,   // the Cancellation asked to stop
};

struct BlockReport {
    BlockEnd end = BlockEnd::Complete;
    std::size_t chunks = 0;      // chunks of the block
    std::size_t chunksDone = 0;  // chunks exchanged before it ended
    // Chunks (from 0) the mouse did not acknowledge: a read has no data for them, a write does
    // not know whether they were stored.
    std::vector<std::size_t> failedChunks;
};

// The feature-report command protocol over the link's mouseHandle. Every exchange writes the
// request into FeatureReport and polls it back until byte 7 holds an acknowledge; the attempt
// and poll counts bound every wait.
class CommandProtocol {
  public:
    CommandProtocol(DeviceLink& link, Clock& clock);

    void setObserver(TransferObserver* observer) { m_observer = observer; }
    TransferObserver* observer() const { return m_observer; }
    void setCancellation(const Cancellation* cancellation) { m_cancellation = cancellation; }

    // True when acknowledged; FeatureReport then holds the reply. An acknowledged plain status
    // query (command 3 without parameters) also sets EepromReady and ChipType.
    bool sendCommand(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0,
                     std::uint8_t p3 = 0, std::uint8_t p4 = 0);
    // Command 7; the acknowledge is not reported.
    void writeChunk(std::uint8_t d0, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                    std::uint8_t d4, std::uint8_t d5);
    // Command 5; on acknowledge ReplyStore holds reply bytes 1 to 7, otherwise 0xFF.
    void readChunk();
    // Command 3 in its polling form: reply byte 6 * 256 + byte 5, or 0 without acknowledge.
    std::uint16_t readKeyStatus();

    // Reads `length` bytes from `address` into dest (first filled with 0xFF; bytes beyond its
    // size are dropped). A chunk without acknowledge stays 0xFF and the read goes on (it is
    // listed in lastBlock()); false when the block ended early (see BlockEnd).
    bool readBlock(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> dest);
    // The same without showing the loading window.
    bool readBlockQuietly(std::uint16_t address, std::uint16_t length,
                          std::span<std::uint8_t> dest);
    // Writes `length` bytes of src from `address`. False when src is shorter than length or the
    // block ended early; unacknowledged chunks are listed in lastBlock().
    bool writeBlock(std::uint16_t address, std::uint16_t length, std::span<const std::uint8_t> src);

    // The last reply (or the request, when nothing answered).
    const std::array<std::uint8_t, 8>& report() const { return m_report; }
    // Reply bytes 1 to 7 of the last acknowledged command 5; 0xFF from the start of each.
    const std::array<std::uint8_t, 7>& replyStore() const { return m_replyStore; }
    // From the last acknowledged plain status query: the memory is ready, and the chip type.
    bool eepromReady() const { return m_eepromReady; }
    int chipType() const { return m_chipType; }
    // Forgets what the last status query said, before a new one.
    void setEepromReady(bool ready) { m_eepromReady = ready; }
    void setChipType(int chipType) { m_chipType = chipType; }

    const BlockReport& lastBlock() const { return m_lastBlock; }
    // Chunks of the last block transfer that went unacknowledged.
    std::size_t lastBlockFailedChunks() const { return m_lastBlock.failedChunks.size(); }

  private:
    enum class Outcome { Acknowledged, Refused, LinkLost };
    Outcome exchange(const std::array<std::uint8_t, 8>& request, const ExchangeTiming& timing);
    Outcome exchangeCommand(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                            std::uint8_t p4);
    bool readBlockShowing(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> dest,
                          bool showLoading);
    Outcome exchangeReadChunk();
    Outcome exchangeWriteChunk(const std::array<std::uint8_t, 6>& data);
    // Starts a block of `length` bytes with command `begin`; false when it is refused.
    bool beginBlock(std::uint8_t begin, std::uint16_t address, std::uint16_t length);
    // Books the outcome of chunk i; false when the block must end here.
    bool chunkDone(std::size_t i, Outcome outcome, std::size_t& failedInARow);
    bool cancelled();

    DeviceLink& m_link;
    Clock& m_clock;
    TransferObserver* m_observer = nullptr;
    const Cancellation* m_cancellation = nullptr;
    BlockReport m_lastBlock;
    std::array<std::uint8_t, 8> m_report{};
    std::array<std::uint8_t, 7> m_replyStore{};
    std::array<std::uint8_t, 7> m_writeScratch{};
    bool m_eepromReady = false;
    int m_chipType = 0;
};

}  // namespace vornik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

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

// How the GUI follows a block transfer. Both run on the caller's thread between chunks.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    // Re-centre the loading window over the main window and show it.
    virtual void showLoadingWindow() {}
    virtual void transferProgress(std::size_t chunksDone, std::size_t chunksTotal) {
        (void)chunksDone;
        (void)chunksTotal;
    }
};

// The feature-report command protocol over the link's MouseHandle. Every exchange writes the
// request into FeatureReport and polls it back until byte 7 holds an acknowledge; the attempt
// and poll counts bound every wait.
class CommandProtocol {
  public:
    CommandProtocol(DeviceLink& link, Clock& clock);

    void setObserver(TransferObserver* observer) { m_observer = observer; }
    TransferObserver* observer() const { return m_observer; }

    // True when acknowledged; FeatureReport then holds the reply. An acknowledged plain status
    // query (command 3 without parameters) also sets EepromReady and ChipType.
    bool SendCmd(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0, std::uint8_t p3 = 0,
                 std::uint8_t p4 = 0);
    // Command 7; the acknowledge is not reported.
    void WriteChunk(std::uint8_t d0, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                    std::uint8_t d4, std::uint8_t d5);
    // Command 5; on acknowledge ReplyStore holds reply bytes 1 to 7, otherwise 0xFF.
    void ReadChunk();
    // Command 3 in its polling form: reply byte 6 * 256 + byte 5, or 0 without acknowledge.
    std::uint16_t ReadKeyStatus();

    // Reads `length` bytes from `address` into dest (first filled with 0xFF; bytes beyond its
    // size are dropped). A chunk without acknowledge stays 0xFF and the read goes on; false when
    // command 4 is refused or the mouse stopped answering at all (it went away).
    bool ReadBlock(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> dest);
    // The same without showing the loading window.
    bool ReadBlockQuiet(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> dest);
    // Writes `length` bytes of src from `address`. False when src is shorter than length,
    // command 6 is refused or the mouse went away; chunk acknowledges are not looked at.
    bool WriteBlock(std::uint16_t address, std::uint16_t length, std::span<const std::uint8_t> src);

    std::array<std::uint8_t, 8> FeatureReport{};
    std::array<std::uint8_t, 7> ReplyStore{};
    std::array<std::uint8_t, 7> WriteScratch{};
    bool EepromReady = false;
    int ChipType = 0;

    // Chunks of the last block transfer that went unacknowledged (diagnostics).
    std::size_t lastBlockFailedChunks() const { return m_failedChunks; }

  private:
    enum class Outcome { Acknowledged, Refused, LinkLost };
    Outcome exchange(const std::array<std::uint8_t, 8>& request, const ExchangeTiming& timing);
    bool readBlock(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> dest,
                   bool showLoading);
    Outcome readChunk();
    Outcome writeChunk(const std::array<std::uint8_t, 6>& data);

    DeviceLink& m_link;
    Clock& m_clock;
    TransferObserver* m_observer = nullptr;
    std::size_t m_failedChunks = 0;
};

}  // namespace vornik

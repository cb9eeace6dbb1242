#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "device/protocol.h"
#include "image/memory_map.h"

namespace vornik {

// Messages for the user; each call returns when the user has closed it. The window shows
// dialogs, the command-line tool prints.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // The text of a language key ("Str109", …) in the message dialog.
    virtual void messageDialog(std::string_view key) = 0;
    // A plain message box, e.g. a file that cannot be read, named in the text.
    virtual void errorMessage(std::string_view text) = 0;
};

// What became of a write.
enum class WriteResult {
    Verified,     // every byte written, acknowledged and read back equal
    NotWritten,   // the mouse was not in a state to take it; it keeps its old configuration
    Failed,       // a transfer failed, or bytes differ, could not be read back or written
    Interrupted,  // stopped on request between two chunks; the memory may be partly written
};

const char* writeResultName(WriteResult result);

struct Mismatch {
    std::uint16_t address;
    std::uint8_t readBack;
};

// The read-back image and, for each verify pass (0: the first read, 1 to 3: the repair passes),
// what is not known to be right: bytes read back different, bytes in chunks the mouse did not
// return (unknown, never taken as 0xFF), and bytes written in chunks it did not acknowledge.
struct VerifyRecord {
    ConfigImage readBackImage{};
    std::array<std::vector<Mismatch>, 4> mismatches;
    std::array<std::vector<std::uint16_t>, 4> unreadable;
    std::array<std::vector<std::uint16_t>, 4> unacknowledged;
    int passes = 0;  // repair passes run
    bool transferFailed = false;
    // When a transfer ended early: the phase it belonged to and how it ended.
    TransferPhase failedPhase = TransferPhase::Write;
    BlockReport failedBlock;

    // Whether pass `pass` left nothing in doubt.
    bool passClean(int pass) const;
};

// The addresses repair pass `pass` (1 to 3) rewrites: everything pass `pass` - 1 left in doubt,
// in address order.
std::vector<std::uint16_t> addressesToRewrite(const VerifyRecord& record, int pass);

// Writes `image` whole, reads it back, and rewrites every byte in doubt on its own, up to three
// passes. Must run inside configuration mode. Shows Str109 when a transfer fails or bytes are
// still in doubt after the third pass; an interrupted write shows nothing.
WriteResult writeAndVerify(CommandProtocol& protocol, const ConfigImage& image,
                           MessageSink& messages, VerifyRecord* record = nullptr);

}  // namespace vornik

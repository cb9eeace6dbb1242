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
    Verified,    // written and read back equal
    NotWritten,  // the mouse was not in a state to take it; it keeps its old configuration
    Failed,      // a transfer failed or differences survived the repair passes
};

const char* writeResultName(WriteResult result);

struct Mismatch {
    std::uint16_t address;
    std::uint8_t readBack;
};

// The read-back image and the differences of each verify pass (0: the first read, 1 to 3: the
// repair passes).
struct VerifyRecord {
    ConfigImage VerifyBuf{};
    std::array<std::vector<Mismatch>, 4> MismatchList;
    int passes = 0;  // repair passes run
    bool transferFailed = false;
};

// Writes `image` whole, reads it back, and rewrites each differing byte on its own, up to three
// passes. Must run inside configuration mode. Shows Str109 when a transfer fails or differences
// remain after the third pass.
WriteResult WriteAndVerify(CommandProtocol& protocol, const ConfigImage& image,
                           MessageSink& messages, VerifyRecord* record = nullptr);

}  // namespace vornik

#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace vornik {

// Faults of the simulated mouse; several may be combined. The default is a healthy mouse.
struct SimFaults {
    bool neverAck = false;                 // noack: byte 7 stays 0 for every command
    std::optional<std::uint8_t> ackValue;  // ack=V: byte 7 is V instead of 0xCC
    // drop-chunk=N: chunk N (from 1) of each block read is never served, so the read gets
    // nothing from there on.
    std::set<unsigned> droppedChunks;
    std::set<std::uint16_t> stuckAddresses;  // stuck=A: writes to A never store
    std::set<std::uint8_t> refusedCommands;  // refuse=C: command C is never acknowledged
    std::optional<unsigned> vanishAfter;     // vanish=N: gone after N exchanges
    unsigned slowPolls = 0;                  // slow=K: K polls read 0 before the acknowledge
    bool notReady = false;                   // notready: the ready bit of the status is clear
    std::optional<std::uint8_t> chipCode;    // chip=V: status byte 3
    std::optional<std::uint8_t> statusByte;  // status=V: status reply byte 1 instead of 0xAA
};

// The syntax of one fault, or of several separated by commas, e.g. "slow=3,notready".
// Numbers are decimal or 0x-prefixed hexadecimal. chip= takes a chip type (0x90, 0x98, 0x99),
// which becomes its code, or any other byte as the raw code.
inline constexpr std::string_view kFaultSyntax =
    "noack | ack=V | drop-chunk=N | stuck=ADDR | refuse=CMD | vanish=N | slow=K | notready | "
    "chip=TYPE | status=V";

// Adds the faults `text` names to `faults`; false with `error` set when the text is not one.
bool parseFaults(std::string_view text, SimFaults& faults, std::string& error);

}  // namespace vornik

#include "device/sim/sim_faults.h"

#include <charconv>

namespace vornik {

namespace {

std::optional<unsigned long> parseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    unsigned long value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::uint8_t chipCodeFor(unsigned long value) {
    switch (value) {
        case 0x90:
            return 0x35;
        case 0x99:
            return 0x75;
        case 0x98:
            return 0xFD;
        default:
            return static_cast<std::uint8_t>(value);
    }
}

bool parseOne(std::string_view item, SimFaults& faults, std::string& error) {
    const auto eq = item.find('=');
    const std::string_view name = item.substr(0, eq);
    const bool hasValue = eq != std::string_view::npos;
    if (!hasValue) {
        if (name == "noack") return faults.neverAck = true;
        if (name == "notready") return faults.notReady = true;
        error = "unknown fault \"" + std::string(item) + "\"";
        return false;
    }
    const auto value = parseNumber(item.substr(eq + 1));
    auto fits = [&](unsigned long max) {
        if (value && *value <= max) return true;
        error = "bad value in fault \"" + std::string(item) + "\"";
        return false;
    };
    if (name == "ack") {
        if (!fits(0xFF)) return false;
        faults.ackValue = static_cast<std::uint8_t>(*value);
    } else if (name == "drop-chunk") {
        if (!fits(0xFFFF) || *value == 0) {
            error = "bad value in fault \"" + std::string(item) + "\" (chunks count from 1)";
            return false;
        }
        faults.droppedChunks.insert(static_cast<unsigned>(*value));
    } else if (name == "stuck") {
        if (!fits(0x7FF)) return false;
        faults.stuckAddresses.insert(static_cast<std::uint16_t>(*value));
    } else if (name == "refuse") {
        if (!fits(0xFF)) return false;
        faults.refusedCommands.insert(static_cast<std::uint8_t>(*value));
    } else if (name == "vanish") {
        if (!fits(0xFFFFFFFFul)) return false;
        faults.vanishAfter = static_cast<unsigned>(*value);
    } else if (name == "slow") {
        if (!fits(1000)) return false;
        faults.slowPolls = static_cast<unsigned>(*value);
    } else if (name == "chip") {
        if (!fits(0xFF)) return false;
        faults.chipCode = chipCodeFor(*value);
    } else if (name == "status") {
        if (!fits(0xFF)) return false;
        faults.statusByte = static_cast<std::uint8_t>(*value);
    } else {
        error = "unknown fault \"" + std::string(item) + "\"";
        return false;
    }
    return true;
}

}  // namespace

bool parseFaults(std::string_view text, SimFaults& faults, std::string& error) {
    if (text.empty()) {
        error = "empty fault";
        return false;
    }
    while (true) {
        const auto comma = text.find(',');
        if (!parseOne(text.substr(0, comma), faults, error)) return false;
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace vornik

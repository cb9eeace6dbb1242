#include "device/trace.h"

#include <algorithm>
#include <cstdio>

namespace vornik {

std::string formatExchange(const Exchange& exchange) {
    char buffer[64];
    int n =
        std::snprintf(buffer, sizeof buffer, "%llu %s",
                      static_cast<unsigned long long>(exchange.ms), exchange.isSet ? "SET" : "GET");
    std::string line(buffer, static_cast<std::size_t>(n));
    for (std::uint8_t byte : exchange.bytes) {
        std::snprintf(buffer, sizeof buffer, " %02X", byte);
        line += buffer;
    }
    if (!exchange.ok) line += " FAILED";
    return line;
}

TracingHidPlatform::TracingHidPlatform(HidPlatform& inner, Clock& clock,
                                       std::function<void(const Exchange&)> sink)
    : m_inner(inner), m_clock(clock), m_start(clock.nowMs()), m_sink(std::move(sink)) {}

void TracingHidPlatform::record(bool isSet, bool ok, std::span<const std::uint8_t> report) {
    Exchange exchange;
    exchange.ms = m_clock.nowMs() - m_start;
    exchange.isSet = isSet;
    exchange.ok = ok;
    std::copy_n(report.begin(), std::min(report.size(), exchange.bytes.size()),
                exchange.bytes.begin());
    if (m_sink) m_sink(exchange);
}

bool TracingHidPlatform::setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) {
    const bool ok = m_inner.setFeature(handle, report);
    record(true, ok, report);
    return ok;
}

bool TracingHidPlatform::getFeature(DeviceHandle handle, std::span<std::uint8_t> report) {
    const bool ok = m_inner.getFeature(handle, report);
    record(false, ok, report);
    return ok;
}

}  // namespace vornik

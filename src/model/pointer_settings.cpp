#include "model/pointer_settings.h"

#include <algorithm>
#include <charconv>

namespace vornik {

namespace {

constexpr int kRulerStart = -7;
constexpr int kRulerStep = kPointerRulerStep;
constexpr long long kUnreadableSensitivity = 20;
constexpr long long kUnreadableDoubleClick = 480;

int clampPosition(int position) { return std::clamp(position, 1, kPointerPositions); }

std::size_t index(PointerControl control) { return static_cast<std::size_t>(control); }

}  // namespace

int pointerSliderValue(int position) { return (clampPosition(position) - 1) * 100; }

int pointerRulerPosition(int x) {
    for (int i = 0; i < kPointerPositions - 1; ++i)
        if (x <= kRulerStart + kRulerStep * (i + 1)) return i + 1;
    return kPointerPositions;
}

std::optional<long long> readSettingNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

int readSensitivityPosition(std::string_view text) {
    const long long v = readSettingNumber(text).value_or(kUnreadableSensitivity);
    // Pairs of values share a position; 10 and 11, and anything outside 0..20, show the middle.
    if (v >= 0 && v <= 1) return 1;
    if (v >= 2 && v <= 9) return static_cast<int>(v / 2) + 1;
    if (v >= 12 && v <= 19) return static_cast<int>(v / 2) + 1;
    if (v == 20) return 11;
    return 6;
}

bool readPrecision(const std::array<std::string, 3>& texts) {
    return std::any_of(texts.begin(), texts.end(),
                       [](const std::string& t) { return readSettingNumber(t).value_or(0) != 0; });
}

int readDoubleClickPosition(std::string_view text) {
    const long long v = readSettingNumber(text).value_or(kUnreadableDoubleClick);
    for (int p = 1; p < kPointerPositions; ++p)
        if (v >= kDoubleClickTable[static_cast<std::size_t>(p - 1)]) return p;
    return kPointerPositions;
}

int readWheelLines(std::string_view text) {
    const auto v = readSettingNumber(text);
    // SPI_SETWHEELSCROLLLINES may store one screen as the unsigned WHEEL_PAGESCROLL.
    constexpr long long kPageScrollUnsigned = 4294967295LL;
    if (v == kWheelOneScreen || v == kPageScrollUnsigned) return kWheelOneScreen;
    if (v && *v >= 1 && *v <= kPointerPositions) return static_cast<int>(*v);
    if (v == 0) return 3;
    return kPointerPositions;
}

void PointerSettings::read(const PointerReading& reading) {
    if (reading.sensitivity) {
        m_speed = readSensitivityPosition(*reading.sensitivity);
        m_changed[index(PointerControl::Speed)] = false;
    }
    if (reading.precision) {
        m_precision = readPrecision(*reading.precision);
        m_changed[index(PointerControl::Precision)] = false;
    }
    if (reading.doubleClick) {
        m_doubleClick = readDoubleClickPosition(*reading.doubleClick);
        m_changed[index(PointerControl::DoubleClick)] = false;
    }
    if (reading.wheelLines) {
        const int lines = readWheelLines(*reading.wheelLines);
        m_oneScreen = lines == kWheelOneScreen;
        m_lines = m_oneScreen ? 1 : lines;
        m_changed[index(PointerControl::Wheel)] = false;
    }
}

void PointerSettings::setSpeedPosition(int position) {
    m_speed = clampPosition(position);
    m_changed[index(PointerControl::Speed)] = true;
}

void PointerSettings::setDoubleClickPosition(int position) {
    m_doubleClick = clampPosition(position);
    m_changed[index(PointerControl::DoubleClick)] = true;
}

void PointerSettings::setWheelPosition(int position) {
    if (m_oneScreen) return;
    m_lines = clampPosition(position);
    m_changed[index(PointerControl::Wheel)] = true;
}

void PointerSettings::togglePrecision() {
    m_precision = !m_precision;
    m_changed[index(PointerControl::Precision)] = true;
}

void PointerSettings::toggleOneScreen() {
    m_oneScreen = !m_oneScreen;
    m_changed[index(PointerControl::Wheel)] = true;
}

PointerWrite PointerSettings::changes() const {
    PointerWrite out;
    auto changed = [&](PointerControl c) { return m_changed[index(c)]; };
    if (changed(PointerControl::Speed))
        out.sensitivity = kSensitivityTable[static_cast<std::size_t>(m_speed - 1)];
    if (changed(PointerControl::Precision))
        out.precision = m_precision ? kPrecisionOn : kPrecisionOff;
    if (changed(PointerControl::DoubleClick))
        out.doubleClickMs = kDoubleClickTable[static_cast<std::size_t>(m_doubleClick - 1)];
    if (changed(PointerControl::Wheel)) out.wheelLines = wheelLines();
    return out;
}

}  // namespace vornik

#include "model/fire_tables.h"

#include <algorithm>

#include "image/function_code.h"

namespace vornik {

namespace {

constexpr std::uint8_t kGunCode = 0x0C;
constexpr std::size_t kFireKeyCount = 2;
constexpr std::size_t kFireKeyInterval = 8;
constexpr std::uint8_t kContinuousFire = 0xFF;

bool inRange(int macro) { return macro >= 1 && macro <= static_cast<int>(kFireMacroCount); }

std::size_t index(int macro) { return static_cast<std::size_t>(macro - 1); }

FireMacroRecord& workRecord(Sections& s, int macro) { return s.fireMacroRecords[index(macro)]; }

}  // namespace

void setFireStopOnRelease(Sections& s, int macro, bool on) {
    if (!inRange(macro)) return;
    workRecord(s, macro)[0] = on ? 1 : 0;
    s.fireCode[3 * index(macro)] = on ? kFireStopsOnRelease : kFireRunsToEnd;
}

void matchFireCodeKind(Sections& s, int macro) {
    if (!inRange(macro)) return;
    const std::uint8_t flag = workRecord(s, macro)[0];
    if (flag == 1) s.fireCode[3 * index(macro)] = kFireStopsOnRelease;
    if (flag == 0) s.fireCode[3 * index(macro)] = kFireRunsToEnd;
}

bool setFireParameter(Sections& s, int macro, FireParameter parameter, int value) {
    if (!inRange(macro)) return false;
    if (!writeFireParameter(workRecord(s, macro), parameter, value)) return false;
    if (parameter == FireParameter::Y) setFireYOffset(s, macro, 0);
    return true;
}

int limitYOffset(int y, int offset) {
    offset = std::clamp(offset, -128, 127);
    if (y + offset >= 128) return 127 - y;
    if (y + offset < -128) return -128 - y;
    return offset;
}

int setFireYOffset(Sections& s, int macro, int offset) {
    if (!inRange(macro)) return 0;
    const auto y = decodeFireMacro(workRecord(s, macro)).y;
    const int limited = limitYOffset(y ? y->value : 0, offset);
    const auto stored = static_cast<std::uint8_t>(limited & 0xFF);
    s.fireOffset[2 * index(macro)] = stored;
    s.fireOffset[2 * index(macro) + 1] = static_cast<std::uint8_t>(~stored);
    return limited;
}

int fireYOffset(const Sections& s, int macro) {
    if (!inRange(macro)) return 0;
    return static_cast<std::int8_t>(s.fireOffset[2 * index(macro)]);
}

void setFireColour(Sections& s, int macro, FireColour colour) {
    if (!inRange(macro)) return;
    const std::size_t at = 3 * index(macro);
    s.fireColor[at] = colour.red;
    s.fireColor[at + 1] = colour.green;
    s.fireColor[at + 2] = colour.blue;
}

FireColour fireColour(const Sections& s, int macro) {
    if (!inRange(macro)) return {};
    const std::size_t at = 3 * index(macro);
    return {s.fireColor[at], s.fireColor[at + 1], s.fireColor[at + 2]};
}

void commitFireWorkCopy(Sections& s) {
    for (std::size_t n = 0; n < kFireMacroCount; ++n)
        std::copy(
            s.fireMacroRecords[n].begin(), s.fireMacroRecords[n].end(),
            s.fireMacroRegion.begin() + static_cast<std::ptrdiff_t>(n * kFireMacroRecordSize));
}

void refreshFireWorkCopy(Sections& s) {
    for (std::size_t n = 0; n < kFireMacroCount; ++n)
        std::copy_n(
            s.fireMacroRegion.begin() + static_cast<std::ptrdiff_t>(n * kFireMacroRecordSize),
            kFireMacroRecordSize, s.fireMacroRecords[n].begin());
}

FirePresetRows firePresetRows(int preset) {
    if (preset >= 1 && preset <= 5) return {preset, 1};
    if (preset == 6) return {6, 2};
    if (preset == 7) return {8, 3};
    return {};
}

std::string firePresetCode(int preset, int gun6Count, int gun7Count) {
    const FirePresetRows rows = firePresetRows(preset);
    if (rows.rowCount == 0) return {};
    int inUse = 1;
    if (preset == 6) inUse = std::clamp(gun6Count, 1, 2);
    if (preset == 7) inUse = std::clamp(gun7Count, 1, 3);
    return FunctionCode{kGunCode, static_cast<std::uint8_t>(rows.firstMacro),
                        static_cast<std::uint8_t>(rows.firstMacro + inUse - 1)}
        .text();
}

void buildFireKey(FireKeyBytes fireKey, const FireKeySettings& settings) {
    fireKey[kFireKeyCount] =
        settings.continuous ? kContinuousFire
                            : static_cast<std::uint8_t>(std::clamp(settings.count, 1, 255) - 1);
    fireKey[kFireKeyInterval] = static_cast<std::uint8_t>(std::clamp(settings.interval, 0, 255));
}

FireKeySettings readFireKey(std::span<const std::uint8_t, section::kFireKey.size> fireKey) {
    const std::uint8_t count = fireKey[kFireKeyCount];
    const bool continuous = count == kContinuousFire;
    return {continuous, continuous ? 0 : count + 1, fireKey[kFireKeyInterval]};
}

}  // namespace vornik

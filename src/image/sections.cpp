#include "image/sections.h"

#include <algorithm>
#include <numeric>

#include "image/defaults.h"

namespace vornik {

namespace {

template <std::size_t N>
void copyOut(const ConfigImage& image, SectionRange range, std::array<std::uint8_t, N>& to) {
    static_assert(N > 0);
    std::copy_n(image.begin() + range.address, std::min<std::size_t>(N, range.size), to.begin());
}

template <std::size_t N>
void copyIn(const std::array<std::uint8_t, N>& from, SectionRange range, ConfigImage& image) {
    std::copy_n(from.begin(), std::min<std::size_t>(N, range.size), image.begin() + range.address);
}

template <std::size_t N>
void storeCode(std::array<std::uint8_t, N>& s) {
    s[N - 1] = sectionCode(std::span<const std::uint8_t>(s).first(N - 1));
}

template <std::size_t N>
bool checkCoded(std::array<std::uint8_t, N>& s, const std::array<std::uint8_t, N>& defaults) {
    if (sectionCodeValid(s)) return false;
    s = defaults;
    storeCode(s);
    return true;
}

}  // namespace

std::uint8_t sectionCode(std::span<const std::uint8_t> covered) {
    const unsigned sum = std::accumulate(covered.begin(), covered.end(), 0u);
    return static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A);
}

bool sectionCodeValid(std::span<const std::uint8_t> s) {
    return !s.empty() && s.back() == sectionCode(s.first(s.size() - 1));
}

bool RepairReport::any() const {
    return parameterA || profile || fireKey ||
           std::any_of(parameterBPairs.begin(), parameterBPairs.end(), [](bool b) { return b; });
}

bool checkParameterA(std::array<std::uint8_t, section::kParameterA.size>& s) {
    return checkCoded(s, parameterADefaults());
}

std::array<bool, 3> checkParameterB(std::array<std::uint8_t, section::kParameterB.size>& s) {
    static constexpr std::array<std::array<std::uint8_t, 2>, 3> kRepair{
        {{1, 254}, {1, 254}, {0, 255}}};
    std::array<bool, 3> repaired{};
    for (std::size_t pair = 0; pair < 3; ++pair) {
        auto& lo = s[2 * pair];
        auto& hi = s[2 * pair + 1];
        if (lo + hi == 255) continue;
        lo = kRepair[pair][0];
        hi = kRepair[pair][1];
        repaired[pair] = true;
    }
    return repaired;
}

bool checkProfile(std::array<std::uint8_t, section::kProfile.size>& s) {
    return checkCoded(s, profileDefaults());
}

bool checkFireKey(std::array<std::uint8_t, section::kFireKey.size>& s) {
    return checkCoded(s, fireKeyDefaults());
}

RepairReport splitImage(const ConfigImage& image, Sections& s, const SplitHooks& hooks) {
    RepairReport report;
    copyOut(image, section::kParameterA, s.parameterA);
    report.parameterA = checkParameterA(s.parameterA);
    copyOut(image, section::kParameterB, s.parameterB);
    report.parameterBPairs = checkParameterB(s.parameterB);
    copyOut(image, section::kProfile, s.profile);
    report.profile = checkProfile(s.profile);
    copyOut(image, section::kFireCode, s.fireCode);
    copyOut(image, section::kFireOffset, s.fireOffset);
    copyOut(image, section::kFireColor, s.fireColor);
    copyOut(image, section::kFireKey, s.fireKey);
    report.fireKey = checkFireKey(s.fireKey);
    copyOut(image, section::kMacroSlots1To4, s.macroSlots1To4);
    copyOut(image, section::kMacroSlots5To6, s.macroSlots5To6);
    if (hooks.decodeMacroSlots) hooks.decodeMacroSlots(s);
    copyOut(image, section::kFireMacroRegion, s.fireMacroRegion);
    for (std::size_t n = 0; n < kFireMacroCount; ++n)
        std::copy_n(
            s.fireMacroRegion.begin() + static_cast<std::ptrdiff_t>(n * kFireMacroRecordSize),
            kFireMacroRecordSize, s.fireMacroRecords[n].begin());
    if (hooks.decodeFireMacros) hooks.decodeFireMacros(s);
    return report;
}

void joinImage(Sections& s, ConfigImage& image, const JoinHooks& hooks) {
    storeCode(s.parameterA);
    copyIn(s.parameterA, section::kParameterA, image);
    copyIn(s.parameterB, section::kParameterB, image);
    if (hooks.storeAimKey) hooks.storeAimKey(s);
    storeCode(s.profile);
    copyIn(s.profile, section::kProfile, image);
    copyIn(s.fireCode, section::kFireCode, image);
    copyIn(s.fireOffset, section::kFireOffset, image);
    copyIn(s.fireColor, section::kFireColor, image);
    storeCode(s.fireKey);
    copyIn(s.fireKey, section::kFireKey, image);
    copyIn(s.macroSlots1To4, section::kMacroSlots1To4, image);
    copyIn(s.fireMacroRegion, section::kFireMacroRegion, image);
    copyIn(s.macroSlots5To6, section::kMacroSlots5To6, image);
}

}  // namespace vornik

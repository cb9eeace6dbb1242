#include "model/macro_content.h"

#include <algorithm>

#include "image/memory_map.h"

namespace vornik {

namespace {

constexpr std::size_t kLengthOffset = 1;
constexpr std::size_t kLookedAtDelays = 4;
constexpr std::size_t kMergedWaits = 5;

// Where the events start: after the mode byte and the one or two length bytes.
std::size_t eventsStart(MacroForm form) { return form == MacroForm::Device ? 2 : 3; }

ScriptHeader inferHeader(const MacroScript& script) {
    std::array<long long, kLookedAtDelays> delays{};
    std::size_t found = 0;
    for (std::size_t i = 1; i < script.size() && found < kLookedAtDelays; ++i)
        if (lineKind(script[i]) == MacroLineKind::Delay)
            delays[found++] = delayMilliseconds(script[i]);
    const bool allEqual =
        std::all_of(delays.begin(), delays.end(), [&](long long d) { return d == delays[0]; });
    if (allEqual && delays[0] == 0) return {DelayOption::None, 0};
    if (allEqual) return {DelayOption::Fixed, static_cast<int>(delays[0])};
    return {DelayOption::Recorded, 0};
}

}  // namespace

std::size_t contentSize(MacroForm form) {
    return form == MacroForm::Device ? kMacroContentSize : kDriverMacroContentSize;
}

std::size_t eventCapacity(MacroForm form) {
    // The check byte must still fit after the mode, length and event bytes.
    return contentSize(form) - eventsStart(form) - 1;
}

EncodedMacro encodeScript(const MacroScript& script, bool releaseStops, MacroForm form) {
    ScriptEvents events = scriptEvents(script, eventCapacity(form));
    EncodedMacro result{events.status, {}, events.byteCount, events.badLine};
    if (!events.ok()) return result;

    result.content.assign(contentSize(form), 0);
    if (events.bytes.empty()) return result;
    std::vector<std::uint8_t>& c = result.content;
    const std::size_t length = events.bytes.size() + 1;
    c[0] = releaseStops ? kReleaseStops : kReleaseContinues;
    if (form == MacroForm::Device) {
        c[kLengthOffset] = static_cast<std::uint8_t>(length);
    } else {
        c[kLengthOffset] = static_cast<std::uint8_t>(length >> 8);
        c[kLengthOffset + 1] = static_cast<std::uint8_t>(length & 0xFF);
    }
    std::copy(events.bytes.begin(), events.bytes.end(), c.begin() + eventsStart(form));
    const std::size_t checkOffset = eventsStart(form) + events.bytes.size();
    c[checkOffset] = sectionCode(std::span<const std::uint8_t>(c).subspan(kLengthOffset, length));
    return result;
}

std::size_t storedLength(std::span<const std::uint8_t> content, MacroForm form) {
    if (content.size() < eventsStart(form)) return 0;
    if (form == MacroForm::Device) return content[kLengthOffset];
    return static_cast<std::size_t>(content[kLengthOffset] << 8 | content[kLengthOffset + 1]);
}

DecodedMacro decodeContent(std::span<const std::uint8_t> content, MacroForm form) {
    DecodedMacro result;
    const std::size_t length = storedLength(content, form);
    const std::size_t allOnes = form == MacroForm::Device ? 0xFF : 0xFFFF;
    if (length == 0 || length == allOnes) return result;

    result.empty = false;
    if (content[0] == kReleaseStops) result.releaseStops = true;
    if (content[0] == kReleaseContinues) result.releaseStops = false;

    // The events end with the byte before the check byte, or with the content.
    const std::size_t start = eventsStart(form);
    const std::size_t end = std::min(start + length - 1, content.size());
    const std::span<const std::uint8_t> events = content.subspan(start, end - start);

    result.script.push_back(headerLine({}));
    std::size_t i = 0;
    while (i < events.size()) {
        if (events[i] == opcode::kWait) {
            long long units = 0;
            std::size_t taken = 0;
            while (taken < kMergedWaits && i + 1 < events.size() && events[i] == opcode::kWait) {
                units += events[i + 1];
                i += 2;
                ++taken;
            }
            if (taken == 0) break;  // a wait whose operand lies past the events
            result.script.push_back(delayLine(units * 8));
            continue;
        }
        const auto event = eventLineAt(events, i);
        if (!event) break;
        result.script.push_back(event->line);
        i += event->size;
    }
    result.header = inferHeader(result.script);
    result.script.front() = headerLine(result.header);
    return result;
}

bool deviceMacroValid(std::span<const std::uint8_t, kMacroContentSize> content) {
    const std::size_t length = content[kLengthOffset];
    if (length + 1 >= content.size()) return false;
    return content[length + 1] ==
           sectionCode(std::span<const std::uint8_t>(content).subspan(kLengthOffset, length));
}

}  // namespace vornik

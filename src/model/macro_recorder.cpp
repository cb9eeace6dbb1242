#include "model/macro_recorder.h"

#include <algorithm>
#include <utility>

#include "model/event_bytes.h"
#include "model/virtual_keys.h"

namespace vornik {

namespace {

constexpr std::size_t kKeyLineBytes = 2;
constexpr std::size_t kButtonLineBytes = 1;

std::size_t delayBytes(const std::vector<std::string>& delays) {
    std::size_t bytes = 0;
    for (const std::string& line : delays) bytes += delayEventByteCount(delayMilliseconds(line));
    return bytes;
}

}  // namespace

std::size_t recordCapacity(MacroForm form) { return form == MacroForm::Driver ? 2022 : 220; }

std::size_t pressReserve(DelayOption delay) { return delay == DelayOption::None ? 4 : 10; }

void MacroRecorder::begin(const RecorderOptions& options) {
    m_options = options;
    m_options.fixedDelayMs = std::clamp(options.fixedDelayMs, 0, kLongestFixedDelayMs);
    m_capacity = recordCapacity(options.form);
    m_reserve = pressReserve(options.delay);
    m_contentLimit = eventCapacity(options.form);
    m_keysStopped = false;
    m_lastKey.reset();
    m_lastTimeMs.reset();
    m_selectedRow.reset();
    m_recording = true;
}

void MacroRecorder::startNew(const RecorderOptions& options) {
    begin(options);
    m_script.clear();
    m_side.reset();
    m_recordedBytes = 0;
    m_eventBytes = 0;
}

bool MacroRecorder::startInsert(MacroScript script, std::size_t row, InsertSide side,
                                std::size_t storedLength, const RecorderOptions& options) {
    if (row + 1 >= script.size() || storedLength >= recordCapacity(options.form)) return false;
    begin(options);
    m_eventBytes = scriptEventByteCount(script);
    m_script = std::move(script);
    m_side = side;
    m_insertionPoint = row;
    m_recordedBytes = storedLength;
    return true;
}

void MacroRecorder::stop() {
    m_recording = false;
    m_lastTimeMs.reset();
}

MacroScript MacroRecorder::takeScript() {
    MacroScript taken = std::move(m_script);
    m_script.clear();
    return taken;
}

RecordStep MacroRecorder::handle(const InputEvent& event) {
    if (!m_recording) return {};
    return event.source == InputEvent::Source::Key ? handleKey(event) : handleButton(event);
}

RecordBatch MacroRecorder::handleAll(std::span<const InputEvent> events) {
    RecordBatch batch;
    for (const InputEvent& event : events) {
        const RecordStep step = handle(event);
        batch.rowsPlaced += step.rowCount;
        if (step.outcome == RecordOutcome::Ended) {
            batch.ended = true;
            break;
        }
    }
    return batch;
}

RecordStep MacroRecorder::handleKey(const InputEvent& event) {
    const std::uint8_t key = event.virtualKey;
    if (key == kIgnoredVirtualKey) return {};
    if (m_script.empty()) m_script.push_back(headerLine({m_options.delay, m_options.fixedDelayMs}));
    if (m_keysStopped) return {};

    bool press = true;
    bool fits = false;
    switch (event.keyState) {
        case KeyState::HeldDown:
            // A repeat of the key last seen; a new key held down with it is a press.
            if (m_lastKey == key) return {};
            [[fallthrough]];
        case KeyState::FirstDown:
            fits = m_recordedBytes + m_reserve <= m_capacity;
            break;
        case KeyState::Up:
            press = false;
            fits = m_recordedBytes <= m_capacity;
            break;
    }
    m_lastKey = key;
    if (fits && m_recordedBytes >= m_capacity) {
        stop();
        return {RecordOutcome::Ended};
    }
    const std::vector<std::string> delays = delayLines(event.timeMs, true);
    if (!fits || !fitsContent(delays, kKeyLineBytes)) {
        m_keysStopped = true;
        return {RecordOutcome::Dropped};
    }
    return place(delays, *recordedKeyLine(key, press), kKeyLineBytes, event.timeMs);
}

RecordStep MacroRecorder::handleButton(const InputEvent& event) {
    if (m_script.empty()) m_script.push_back(headerLine({m_options.delay, m_options.fixedDelayMs}));
    const std::vector<std::string> delays = delayLines(event.timeMs, false);
    const bool fits =
        (event.press ? m_recordedBytes + m_reserve <= m_capacity : m_recordedBytes <= m_capacity) &&
        fitsContent(delays, kButtonLineBytes);
    if (!fits) {
        // A down that found no room still claims its reserve, so nothing after it fits.
        if (event.press) m_recordedBytes += m_reserve;
        return {RecordOutcome::Dropped};
    }
    return place(delays, mouseButtonLine(event.button, event.press), kButtonLineBytes,
                 event.timeMs);
}

std::vector<std::string> MacroRecorder::delayLines(std::uint64_t timeMs, bool key) const {
    if (m_options.delay == DelayOption::None || !m_lastTimeMs) return {};
    long long ms = m_options.fixedDelayMs;
    if (m_options.delay == DelayOption::Recorded) {
        // Events of two sources may be stamped a little out of the order they were queued in.
        const std::uint64_t gap = timeMs > *m_lastTimeMs ? timeMs - *m_lastTimeMs : 0;
        ms = static_cast<long long>(std::min<std::uint64_t>(gap, kLongestRecordedGapMs));
    }
    if (key) return {delayLine(ms)};
    std::vector<std::string> lines(static_cast<std::size_t>(ms / kLongestWaitMs),
                                   delayLine(kLongestWaitMs));
    if (ms % kLongestWaitMs > 0) lines.push_back(delayLine(ms % kLongestWaitMs));
    return lines;
}

bool MacroRecorder::fitsContent(const std::vector<std::string>& delays,
                                std::size_t eventBytes) const {
    return m_eventBytes + delayBytes(delays) + eventBytes <= m_contentLimit;
}

RecordStep MacroRecorder::place(const std::vector<std::string>& delays, std::string line,
                                std::size_t eventBytes, std::uint64_t timeMs) {
    const std::size_t added = delayBytes(delays) + eventBytes;
    RecordStep step{RecordOutcome::Recorded, 0, delays.size() + 1};
    std::optional<std::size_t> first;
    for (const std::string& delay : delays) first = first.value_or(placeLine(delay));
    const std::size_t last = placeLine(std::move(line));
    step.firstRow = first.value_or(last);
    m_recordedBytes += added;
    m_eventBytes += added;
    m_lastTimeMs = timeMs;
    return step;
}

std::size_t MacroRecorder::placeLine(std::string line) {
    std::size_t at = m_script.size();
    if (m_side) {
        at = m_insertionPoint + (*m_side == InsertSide::Front ? 1 : 2);
        ++m_insertionPoint;
        m_selectedRow = m_insertionPoint;
    } else {
        m_selectedRow = at - 1;
    }
    m_script.insert(m_script.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    return at - 1;
}

}  // namespace vornik

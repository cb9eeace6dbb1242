#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "model/input_capture.h"
#include "model/macro_content.h"
#include "model/script_lines.h"

namespace vornik {

// The longest gap a recorded delay keeps, and the longest a Default Delay edit holds.
inline constexpr long long kLongestRecordedGapMs = 10200;
inline constexpr int kLongestFixedDelayMs = 2040;

// The bytes a recording may fill: 220 in the mouse's memory, 2022 in driver mode. The content
// itself holds eventCapacity(form) event bytes (221 or 2012); no recording goes past that.
std::size_t recordCapacity(MacroForm form);

// The room a key-down or button-down must leave: 4 with No Delay, 10 otherwise (the delay
// line and the release that will follow).
std::size_t pressReserve(DelayOption delay);

struct RecorderOptions {
    DelayOption delay = DelayOption::Recorded;
    int fixedDelayMs = 50;  // Default Delay; clamped to 0..2040
    MacroForm form = MacroForm::Device;
};

// Where an insert recording puts its lines: before the selected row or after it.
enum class InsertSide : std::uint8_t { Front, Back };

enum class RecordOutcome : std::uint8_t {
    Recorded,  // the event's line, and its delay lines, were placed
    Ignored,   // not recording, the key the recorder ignores, a repeat, or keys stopped
    Dropped,   // no room left for it
    Ended,     // a release arrived with the bytes at the capacity: the recording has ended,
               // and the caller stops it as its Stop button would
};

// What one event placed: rowCount rows from firstRow on (rows are script lines - 1).
struct RecordStep {
    RecordOutcome outcome = RecordOutcome::Ignored;
    std::size_t firstRow = 0;
    std::size_t rowCount = 0;
};

struct RecordBatch {
    std::size_t rowsPlaced = 0;
    bool ended = false;
};

// Turns captured events into script lines, in the order they were seen. Runs on one thread
// (the window's); the events reach it through an InputEventQueue. Time comes from the events'
// stamps, so a queued event is measured from when it happened.
class MacroRecorder {
  public:
    // A new recording: the script starts empty and gets its header with the first event.
    void startNew(const RecorderOptions& options);
    // An insert recording into `script` at `row` (a row of the event list). `storedLength` is
    // the entry's stored length L, where the byte count starts. False, and nothing starts,
    // when the row does not exist or L is not below the capacity.
    bool startInsert(MacroScript script, std::size_t row, InsertSide side, std::size_t storedLength,
                     const RecorderOptions& options);
    void stop();

    RecordStep handle(const InputEvent& event);
    // Stops at an event that ends the recording; later events are ignored.
    RecordBatch handleAll(std::span<const InputEvent> events);

    bool recording() const { return m_recording; }
    bool inserting() const { return m_side.has_value(); }
    const MacroScript& script() const { return m_script; }
    MacroScript takeScript();
    // The row to select after the last placed line; nullopt before any.
    std::optional<std::size_t> selectedRow() const { return m_selectedRow; }

    // The recorder's count of the bytes the recording fills (it starts at L for an insert, and
    // a dropped button-down adds its reserve), and the script's event bytes.
    std::size_t recordedBytes() const { return m_recordedBytes; }
    std::size_t eventBytes() const { return m_eventBytes; }
    std::size_t capacity() const { return m_capacity; }
    // Set once a key had to be dropped; keys are ignored until a new start clears it.
    bool keysStopped() const { return m_keysStopped; }
    void clearKeysStopped() { m_keysStopped = false; }

  private:
    void begin(const RecorderOptions& options);
    RecordStep handleKey(const InputEvent& event);
    RecordStep handleButton(const InputEvent& event);
    // The delay lines an event at `timeMs` gets; keys take one line, buttons 2040 ms pieces.
    std::vector<std::string> delayLines(std::uint64_t timeMs, bool key) const;
    bool fitsContent(const std::vector<std::string>& delays, std::size_t eventBytes) const;
    RecordStep place(const std::vector<std::string>& delays, std::string line,
                     std::size_t eventBytes, std::uint64_t timeMs);
    // Places one line where the recording puts lines; says the row it landed on.
    std::size_t placeLine(std::string line);

    RecorderOptions m_options;
    MacroScript m_script;
    bool m_recording = false;
    std::optional<InsertSide> m_side;
    std::size_t m_insertionPoint = 0;
    std::optional<std::size_t> m_selectedRow;
    std::size_t m_capacity = 0;
    std::size_t m_reserve = 0;
    std::size_t m_contentLimit = 0;
    std::size_t m_recordedBytes = 0;
    std::size_t m_eventBytes = 0;
    bool m_keysStopped = false;
    std::optional<std::uint8_t> m_lastKey;
    std::optional<std::uint64_t> m_lastTimeMs;
};

}  // namespace vornik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vornik {

// The desktop user's pointer settings as the Advanced page shows them: pointer speed,
// enhanced precision, double-click speed and wheel lines, each on an eleven-position slider
// (precision is a check box, one screen at a time a check box beside the wheel slider).
// Values are in the terms of the Windows settings; other desktops translate.

inline constexpr int kPointerPositions = 11;
inline constexpr std::array<int, kPointerPositions> kSensitivityTable{1,  2,  4,  6,  8, 10,
                                                                      12, 14, 16, 18, 20};
inline constexpr std::array<int, kPointerPositions> kDoubleClickTable{900, 830, 760, 690, 620, 550,
                                                                      480, 410, 340, 270, 200};
// The wheel's line count of position p is p; this value scrolls one screen at a time.
inline constexpr int kWheelOneScreen = -1;
// Precision on and off: MouseSpeed, MouseThreshold1, MouseThreshold2.
using PrecisionTriple = std::array<int, 3>;
inline constexpr PrecisionTriple kPrecisionOn{1, 6, 10};
inline constexpr PrecisionTriple kPrecisionOff{0, 0, 0};

// Pixels between two positions of the ruler.
inline constexpr int kPointerRulerStep = 26;

// Sliders run 0..1000; position p (1..11) sits at value (p - 1) * 100.
int pointerSliderValue(int position);
// The position under a mouse x on release: x <= -7 + 26 gives 1, each further 26 pixels one
// more, at most 11.
int pointerRulerPosition(int x);

// A stored setting's text read as a number: blanks around it and a sign allowed; nullopt for
// anything else.
std::optional<long long> readSettingNumber(std::string_view text);
// The reading rules: the position a stored text shows.
int readSensitivityPosition(std::string_view text);           // unreadable counts as 20
bool readPrecision(const std::array<std::string, 3>& texts);  // unreadable counts as 0
int readDoubleClickPosition(std::string_view text);           // unreadable counts as 480 ms
// Wheel lines: 1..11 kept, 0 counts as 3, -1 (or 4294967295, the same as unsigned) one
// screen, anything else (unreadable too) 11.
int readWheelLines(std::string_view text);

// What a store read. nullopt: not read (a key that did not open, a value that is not there, a
// desktop without the setting), so the model keeps what it showed. A value that is there but
// empty or not a number is a text like any other and falls under the reading rules.
struct PointerReading {
    std::optional<std::string> sensitivity;               // "MouseSensitivity"
    std::optional<std::array<std::string, 3>> precision;  // "MouseSpeed", "MouseThreshold1", "…2"
    std::optional<std::string> doubleClick;               // "DoubleClickSpeed", milliseconds
    std::optional<std::string> wheelLines;                // "WheelScrollLines"
};

// What Apply writes: only the settings whose control the user changed since the last read,
// through the tables. The others stay exactly as they were read (nullopt: not written), so a
// stored double-click time of 500 or a sensitivity of 11 survives an Apply of another setting.
struct PointerWrite {
    std::optional<int> sensitivity;  // 1..20
    std::optional<PrecisionTriple> precision;
    std::optional<int> doubleClickMs;
    std::optional<int> wheelLines;  // 1..11, or kWheelOneScreen

    bool empty() const { return !sensitivity && !precision && !doubleClickMs && !wheelLines; }
    bool operator==(const PointerWrite&) const = default;
};

enum class PointerControl : std::uint8_t { Speed, Precision, DoubleClick, Wheel };
inline constexpr std::size_t kPointerControlCount = 4;

// Whether a store can read and write a control's setting on this desktop, and when not, a
// sentence for the user saying why.
struct PointerControlState {
    bool available = true;
    std::string hint;
};
using PointerControlStates = std::array<PointerControlState, kPointerControlCount>;

// The seam to the desktop's pointer settings, one implementation per desktop
// (createPointerSettingsStore() in the platform library picks it).
class PointerSettingsStore {
  public:
    virtual ~PointerSettingsStore() = default;
    virtual PointerControlStates controls() = 0;
    virtual PointerReading read() = 0;
    // Writes what `changes` holds and nothing else. False with `error` naming what failed;
    // what could be written is written.
    virtual bool write(const PointerWrite& changes, std::string& error) = 0;
};

// The model behind the Advanced page's pointer controls.
class PointerSettings {
  public:
    // Takes what was read; a setting read is no longer changed by the user.
    void read(const PointerReading& reading);

    int speedPosition() const { return m_speed; }
    bool precision() const { return m_precision; }
    int doubleClickPosition() const { return m_doubleClick; }
    bool oneScreen() const { return m_oneScreen; }
    // The line count the wheel slider shows (remembered while one screen is on).
    int wheelPosition() const { return m_lines; }
    // The wheel value as stored: the line count, or kWheelOneScreen.
    int wheelLines() const { return m_oneScreen ? kWheelOneScreen : m_lines; }

    // A slider released at a position (1..11, clamped). The wheel slider is disabled while
    // one screen is on, and a release then changes nothing.
    void setSpeedPosition(int position);
    void setDoubleClickPosition(int position);
    void setWheelPosition(int position);
    // The check boxes: precision (1, 6, 10) / (0, 0, 0); one screen on, or off back to the
    // remembered line count.
    void togglePrecision();
    void toggleOneScreen();

    // What Apply (after every change, and with every write to the mouse) hands the store.
    PointerWrite changes() const;

  private:
    int m_speed = 6;
    bool m_precision = true;
    int m_doubleClick = 7;
    int m_lines = 3;
    bool m_oneScreen = false;
    std::array<bool, kPointerControlCount> m_changed{};
};

}  // namespace vornik

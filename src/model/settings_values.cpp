#include "model/settings_values.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "formats/decimal.h"
#include "formats/language_keys.h"

namespace vornik {

namespace {

constexpr bool testBit(std::uint8_t byte, unsigned n) { return (byte >> n) & 1u; }

constexpr std::uint8_t withBit(std::uint8_t byte, unsigned n, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << n);
    return static_cast<std::uint8_t>(on ? byte | mask : byte & ~mask);
}

constexpr std::uint8_t complement(std::uint8_t byte) { return static_cast<std::uint8_t>(~byte); }

std::uint8_t clampedByte(int value, int low, int high) {
    return static_cast<std::uint8_t>(std::clamp(value, low, high));
}

// parameterA byte offsets.
constexpr std::size_t kFlags = 0;
constexpr std::size_t kKeyFlags = 1;
constexpr std::size_t kLevelCount = 2;
constexpr std::size_t kLedNumber = 3;
constexpr std::size_t kModes = 4;
constexpr std::size_t kLevelValues = 6;
constexpr std::size_t kLevelColours = 26;

// parameterB byte offsets; each is followed by its complement.
constexpr std::size_t kCurrentLevel = 0;
constexpr std::size_t kLedState = 2;
constexpr std::size_t kKeyMode = 4;
constexpr std::size_t kVendorId = 6;
constexpr std::size_t kProductId = 7;

// fireKey byte offsets.
constexpr std::size_t kFireCount = 2;
constexpr std::size_t kFireInterval = 8;
constexpr std::uint8_t kContinuousFire = 0xFF;

constexpr std::uint8_t kNoDpiValue = 0xFF;
constexpr int kDpiValueCount = static_cast<int>(kDpiValues.size());
constexpr int kMinLevels = 2;
constexpr int kMinLedNumber = 4;
constexpr int kMaxLedNumber = 13;

// The item of a combo box holding `value` among `count` items.
int itemOf(int value, int count) { return value >= 0 && value < count ? value : kNoItem; }

// The level count a cb_CPIStep index stands for, as it is written; cb_CurrentCPI lists as many
// items.
int levelCountOf(int cpiStep) {
    return std::clamp(cpiStep + kMinLevels, kMinLevels, kMaxDpiLevels);
}

int sensorOriItemOf(std::uint8_t code) {
    const auto* it = std::find(kSensorOriCodes.begin(), kSensorOriCodes.end(), code);
    return static_cast<int>(it - kSensorOriCodes.begin());
}

void readParameterA(const ParameterA& a, SettingsValues& v) {
    const std::uint8_t flags = a[kFlags];
    v.rb_B4CPIOn = testBit(flags, 0);
    v.rb_FireFnOn = testBit(flags, 1);
    v.rb_LCPIOn = testBit(flags, 2);
    v.rb_NoSave = testBit(flags, 3);
    v.cb_SensorOri = sensorOriItemOf(static_cast<std::uint8_t>((flags >> 4) & 0x07));
    v.gbLEDType = ledTypeOf(a);

    const std::uint8_t keyFlags = a[kKeyFlags];
    v.cb_MidPress = testBit(keyFlags, 0);
    v.cb_CPIPress = testBit(keyFlags, 1);
    v.cb_GunPress = testBit(keyFlags, 2);
    v.cb_Smooth = testBit(keyFlags, 5);

    v.cb_CPIStep = itemOf(a[kLevelCount] - kMinLevels, kMaxDpiLevels - kMinLevels + 1);

    v.rb_MCULED3Control = testBit(a[kLedNumber], 3);
    // A high nibble of 10-15 stands for no LED number; the edit keeps what it showed.
    const int nibble = a[kLedNumber] >> 4;
    if (nibble <= kMaxLedNumber - kMinLedNumber) v.edt_MCULEDNum = kMaxLedNumber - nibble;

    for (unsigned k = 1; k <= v.cb_Mode.size(); ++k) v.cb_Mode[k - 1] = testBit(a[kModes], k);

    for (std::size_t level = 0; level < v.cb_CPI.size(); ++level) {
        v.cb_CPI[level] = itemOf(a[kLevelValues + level], kDpiValueCount);
        for (std::size_t c = 0; c < 3; ++c)
            v.edt_CPIColor[level][c] = a[kLevelColours + 3 * level + c];
    }
}

void readParameterB(const ParameterB& b, SettingsValues& v) {
    v.cb_CurrentCPI = itemOf(b[kCurrentLevel], levelCountOf(v.cb_CPIStep));

    // Rebuilding the flowing-light mode list selects its first item whatever the type.
    v.cb_MCULEDCurrentMode = 0;
    const int mode = itemOf((b[kLedState] & 0x07) - 1, 7);
    if (v.gbLEDType == LedType::TwoColour) {
        v.cb_RBLEDCurrentMode = mode;
    } else if (v.gbLEDType == LedType::Flowing) {
        v.cb_MCULEDCurrentMode = mode;
        v.edt_MCULEDCrtStep = b[kLedState] >> 5;
    }
    v.rb_LEDOff = testBit(b[kLedState], 3);

    v.cb_KeyMode = testBit(b[kKeyMode], 7) ? 1 : 0;
    v.edt_VendorID = b[kVendorId];
    v.edt_ProductID = b[kProductId];
}

void readFire(const Sections& s, SettingsValues& v) {
    for (std::size_t k = 0; k < v.edt_YOffset.size(); ++k)
        v.edt_YOffset[k] = static_cast<std::int8_t>(s.fireOffset[2 * k]);
    for (std::size_t k = 0; k < v.edt_FireMacroColor.size(); ++k)
        for (std::size_t c = 0; c < 3; ++c) v.edt_FireMacroColor[k][c] = s.fireColor[3 * k + c];

    const std::uint8_t count = s.fireKey[kFireCount];
    v.cb_IsFireContinue = count == kContinuousFire;
    // Switching continuous fire on leaves the count combo without a selection.
    v.cb_FireCount = v.cb_IsFireContinue ? kNoItem : count;
    v.edt_FireTime = s.fireKey[kFireInterval];
}

void writeLedType(LedType type, ParameterA& a) {
    const bool flowing = type == LedType::Flowing;
    a[kFlags] = withBit(a[kFlags], 7, !flowing);
    switch (type) {
        case LedType::Flowing:
        case LedType::TwoColour:
            a[kKeyFlags] = withBit(a[kKeyFlags], 3, true);
            break;
        case LedType::Synchronous:
        case LedType::Breathing:
            a[kKeyFlags] = withBit(a[kKeyFlags], 3, false);
            a[kKeyFlags] = withBit(a[kKeyFlags], 4, type == LedType::Breathing);
            break;
    }
}

void writeParameterA(const SettingsValues& v, ParameterA& a) {
    std::uint8_t flags = a[kFlags];
    flags = withBit(flags, 0, v.rb_B4CPIOn);
    flags = withBit(flags, 1, v.rb_FireFnOn);
    flags = withBit(flags, 2, v.rb_LCPIOn);
    flags = withBit(flags, 3, v.rb_NoSave);
    if (v.cb_SensorOri >= 0 && v.cb_SensorOri < static_cast<int>(kSensorOriCodes.size()))
        flags = static_cast<std::uint8_t>(
            (flags & 0x8F) | kSensorOriCodes[static_cast<std::size_t>(v.cb_SensorOri)] << 4);
    a[kFlags] = flags;
    writeLedType(v.gbLEDType, a);

    std::uint8_t keyFlags = a[kKeyFlags];
    keyFlags = withBit(keyFlags, 0, v.cb_MidPress);
    keyFlags = withBit(keyFlags, 1, v.cb_CPIPress);
    keyFlags = withBit(keyFlags, 2, v.cb_GunPress);
    keyFlags = withBit(keyFlags, 5, v.cb_Smooth);
    a[kKeyFlags] = keyFlags;

    a[kLevelCount] = static_cast<std::uint8_t>(levelCountOf(v.cb_CPIStep));

    std::uint8_t ledNumber = withBit(a[kLedNumber], 3, v.rb_MCULED3Control);
    if (v.edt_MCULEDNum >= kMinLedNumber && v.edt_MCULEDNum <= kMaxLedNumber)
        ledNumber =
            static_cast<std::uint8_t>((ledNumber & 0x0F) | (kMaxLedNumber - v.edt_MCULEDNum) << 4);
    a[kLedNumber] = ledNumber;

    // The mode cycle belongs to the flowing light; other types leave the byte as it was read.
    if (v.gbLEDType == LedType::Flowing) {
        std::uint8_t modes = 0x01;
        for (unsigned k = 1; k <= v.cb_Mode.size(); ++k)
            modes = withBit(modes, k, v.cb_Mode[k - 1]);
        a[kModes] = modes;
    }

    for (std::size_t level = 0; level < v.cb_CPI.size(); ++level) {
        const int index = v.cb_CPI[level];
        a[kLevelValues + level] =
            index >= 0 && index < kDpiValueCount ? static_cast<std::uint8_t>(index) : kNoDpiValue;
        for (std::size_t c = 0; c < 3; ++c)
            a[kLevelColours + 3 * level + c] = clampedByte(v.edt_CPIColor[level][c], 0, 255);
    }
}

std::uint8_t idByte(int value) {
    return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : 0xFF;
}

void writeParameterB(const SettingsValues& v, ParameterB& b) {
    const auto storePair = [&b](std::size_t at, std::uint8_t value) {
        b[at] = value;
        b[at + 1] = complement(value);
    };
    storePair(kCurrentLevel, clampedByte(v.cb_CurrentCPI, 0, levelCountOf(v.cb_CPIStep) - 1));

    std::uint8_t state = 0;
    if (v.gbLEDType == LedType::Flowing) {
        state = clampedByte(v.cb_MCULEDCurrentMode + 1, 0, 7);
        state |= static_cast<std::uint8_t>(clampedByte(v.edt_MCULEDCrtStep, 0, 7) << 5);
    } else if (v.gbLEDType == LedType::TwoColour) {
        state = clampedByte(v.cb_RBLEDCurrentMode + 1, 0, 7);
    }
    state = withBit(state, 3, v.rb_LEDOff);
    storePair(kLedState, state);

    storePair(kKeyMode, v.cb_KeyMode == 1 ? 0x80 : 0x00);
    b[kVendorId] = idByte(v.edt_VendorID);
    b[kProductId] = idByte(v.edt_ProductID);
}

void writeFire(const SettingsValues& v, Sections& s) {
    for (std::size_t k = 0; k < v.edt_YOffset.size(); ++k) {
        const auto offset = static_cast<std::uint8_t>(std::clamp(v.edt_YOffset[k], -128, 127));
        s.fireOffset[2 * k] = offset;
        s.fireOffset[2 * k + 1] = complement(offset);
    }
    for (std::size_t k = 0; k < v.edt_FireMacroColor.size(); ++k)
        for (std::size_t c = 0; c < 3; ++c)
            s.fireColor[3 * k + c] = clampedByte(v.edt_FireMacroColor[k][c], 0, 255);

    s.fireKey[kFireCount] =
        v.cb_IsFireContinue ? kContinuousFire : clampedByte(v.cb_FireCount, 0, kContinuousFire - 1);
    s.fireKey[kFireInterval] = clampedByte(v.edt_FireTime, 0, 255);
}

// A decimal integer with an optional minus sign, saturated far outside any edit's range;
// nullopt for any other text.
std::optional<long> editNumber(std::string_view text) {
    const auto value = decimalValue(text, Sign::Minus);
    if (!value) return std::nullopt;
    return static_cast<long>(std::clamp(*value, -1'000'000LL, 1'000'000LL));
}

using Names = std::array<std::array<std::string, ProfileCodes::kButtons>, ProfileCodes::kProfiles>;

Names shownNames(const ProfileCodes& codes, const NameContext& names) {
    Names shown;
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k)
            shown[p - 1][k - 1] = nameForCode(codes.code(p, k), names);
    return shown;
}

}  // namespace

SettingsValues valuesFromSections(const Sections& sections, const SettingsValues& shown) {
    SettingsValues v = shown;
    readParameterA(sections.parameterA, v);
    readParameterB(sections.parameterB, v);
    readFire(sections, v);
    return v;
}

SettingsValues valuesFromSections(const Sections& sections) {
    return valuesFromSections(sections, SettingsValues{});
}

void valuesToSections(const SettingsValues& values, Sections& sections) {
    writeParameterA(values, sections.parameterA);
    writeParameterB(values, sections.parameterB);
    writeFire(values, sections);
}

std::string clampIdEditText(std::string_view text) {
    const auto value = editNumber(text);
    if (!value || *value < 0 || *value > 255 || text.front() == '-') return "255";
    return std::string(text);
}

std::string clampYOffsetEditText(std::string_view text) {
    if (text == "-") return "-";
    const auto value = editNumber(text);
    if (!value) return "0";
    if (*value > 127) return "127";
    if (*value < -128) return "-128";
    return std::string(text);
}

bool storeAimIndex(ProfileCodes& codes, std::array<std::uint8_t, section::kProfile.size>& profile,
                   std::uint8_t aimIndex, const NameContext& names) {
    const std::string aimName = names.texts.text(textkey::kAimKey);
    // A language without the key names no button; an empty name must not match unnamed codes.
    if (aimName.empty()) return false;
    const Names shown = shownNames(codes, names);
    const std::string code = FunctionCode{0x0A, aimIndex, 0x00}.text();
    bool any = false;
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k)
            if (shown[p - 1][k - 1] == aimName) any = codes.store(p, k, code, profile) || any;
    return any;
}

void storeAimAndFireKeys(ProfileCodes& codes,
                         std::array<std::uint8_t, section::kProfile.size>& profile,
                         std::uint8_t aimIndex, bool fireContinuous, const NameContext& names) {
    storeAimIndex(codes, profile, aimIndex, names);
    if (names.eepromMode) return;
    const std::string fireName = names.texts.text(textkey::kFireKey);
    if (fireName.empty()) return;
    const Names shown = shownNames(codes, names);
    for (int p = 1; p <= ProfileCodes::kProfiles; ++p)
        for (int k = 1; k <= ProfileCodes::kButtons; ++k)
            if (shown[p - 1][k - 1] == fireName)
                profile[ProfileCodes::offset(p, k)] = fireContinuous ? 0x0E : 0x06;
}

SettingsValues withSwitchOptionToggled(SettingsValues v, int option) {
    switch (option) {
        case 1:
            v.cb_MidPress = !v.cb_MidPress;
            if (v.cb_MidPress) v.cb_CPIPress = false;
            break;
        case 2:
            v.cb_CPIPress = !v.cb_CPIPress;
            if (v.cb_CPIPress) v.cb_MidPress = false;
            break;
        case 3:
            v.cb_GunPress = !v.cb_GunPress;
            break;
        default:
            break;
    }
    return v;
}

bool switchOptionOn(const SettingsValues& v, int option) {
    switch (option) {
        case 1:
            return v.cb_MidPress;
        case 2:
            return v.cb_CPIPress;
        case 3:
            return v.cb_GunPress;
        default:
            return false;
    }
}

KeyModeView keyModeViewFor(int keyMode, bool gdEnable, bool eepromMode, bool comboKey3Enable) {
    if (keyMode != 2) return KeyModeView{1, kMenuHeight, false};
    const bool gunDisplay = gdEnable && eepromMode;
    return KeyModeView{2, gunDisplay ? kGunMenuHeight : kMenuHeight, gunDisplay && comboKey3Enable};
}

}  // namespace vornik

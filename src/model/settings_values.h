#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/function_code.h"
#include "image/sections.h"
#include "model/parameters.h"

namespace vornik {

// A combo box with no item selected, as after a stored value outside its list.
inline constexpr int kNoItem = -1;

// The sensor orientation code (parameterA byte 0 bits 4-6) of each cb_SensorOri item.
inline constexpr std::array<std::uint8_t, 8> kSensorOriCodes{7, 2, 4, 1, 6, 5, 0, 3};

// What the holding controls of the settings view hold, one field per control (or per row of
// like controls, indexed from level, mode or macro 1). A radio pair is one bool named after the
// side it stands for when true. Combo boxes hold item indexes, kNoItem for none.
//
// The fields hold whatever the controls hold, in range or not: valuesToSections is where values
// are brought into the ranges of the image fields.
struct SettingsValues {
    // parameterA byte 0.
    bool rb_B4CPIOn = false;   // bit 0, else rb_B4CPIOff
    bool rb_FireFnOn = false;  // bit 1, else rb_FireFnOff
    bool rb_LCPIOn = false;    // bit 2, else rb_LCPIOff
    bool rb_NoSave = false;    // bit 3, else rb_Save
    int cb_SensorOri = 0;      // bits 4-6 through kSensorOriCodes
    // rb_MCULED, rb_RBLED, rb_SyncLED, rb_BreLED; with byte 1 bits 3-4.
    LedType gbLEDType = LedType::Flowing;

    // Byte 1.
    bool cb_MidPress = false;  // bit 0
    bool cb_CPIPress = false;  // bit 1
    bool cb_GunPress = false;  // bit 2
    bool cb_Smooth = false;    // bit 5

    int cb_CPIStep = 0;  // byte 2 = index + 2

    // Byte 3 bit 3 and the high nibble, byte 4.
    bool rb_MCULED3Control = false;  // full brightness, else rb_MCULED6Control (half)
    // 4-13; 0 until a read shows a number. Outside 4-13 a write keeps the stored number.
    int edt_MCULEDNum = 0;
    std::array<bool, 7> cb_Mode{};  // cb_Mode1..cb_Mode7, byte 4 bits 1-7

    // Bytes 6-12 and 26-46.
    std::array<int, kMaxDpiLevels> cb_CPI{};  // cb_CPI1..cb_CPI7; kNoItem = no value (255)
    // edt_CPIkR, edt_CPIkG, edt_CPIkB as edt_CPIColor[k - 1][0..2].
    std::array<std::array<int, 3>, kMaxDpiLevels> edt_CPIColor{};

    // parameterB.
    int cb_CurrentCPI = 0;         // byte 0
    int cb_MCULEDCurrentMode = 0;  // byte 2 bits 0-2 = index + 1, flowing light
    int cb_RBLEDCurrentMode = 0;   // byte 2 bits 0-2 = index + 1, RB light
    int edt_MCULEDCrtStep = 0;     // byte 2 bits 5-7, flowing light
    bool rb_LEDOff = false;        // byte 2 bit 3, else rb_LEDOn
    int cb_KeyMode = 0;            // byte 4: item 0 key mode 1 (Office), item 1 key mode 2 (Game)
    int edt_VendorID = 255;        // byte 6
    int edt_ProductID = 255;       // byte 7

    // The fire sections.
    std::array<int, 10> edt_YOffset{};  // edt_YOffset1..10, signed
    // edt_FireMacroColorkR/G/B as edt_FireMacroColor[k - 1][0..2].
    std::array<std::array<int, 3>, 10> edt_FireMacroColor{};
    int cb_FireCount = 0;            // fireKey byte 2 while continuous fire is off
    bool cb_IsFireContinue = false;  // byte 2 = 255
    int edt_FireTime = 100;          // byte 8

    bool operator==(const SettingsValues&) const = default;
};

// What RefreshUI puts into the holding controls. `shown` is what they held before: the few
// controls RefreshUI leaves alone keep their value from it (edt_MCULEDNum for a stored high
// nibble of 10-15, cb_RBLEDCurrentMode unless the RB light is read, edt_MCULEDCrtStep unless
// the flowing light is read).
SettingsValues valuesFromSections(const Sections& sections, const SettingsValues& shown);
SettingsValues valuesFromSections(const Sections& sections);

// What UIToDataBuf writes: parameterA, parameterB, fireOffset,
// fireColor and fireKey bytes 2 and 8. Bits and bytes the settings do not own
// keep what the section copy holds; integrity codes are left to the join.
//
// Clamps live here, so any values give fields in their ranges: a value is encoded as its
// control's index or number, and the result is clamped into the field's range (level count
// 2-7, current level below the level count, light mode 0-7, step 0-7, colours and fire interval
// 0-255, fire count 0-254 so that it never reads as continuous fire, offsets -128..127,
// identification bytes 255 when out of 0-255). Where the image has its own rule for a value
// outside the range, that rule holds instead: an LED number outside 4-13 keeps the stored
// number, a DPI level index outside 0-11 stores 255 (no value), an orientation item outside
// 0-7 keeps the stored code.
void valuesToSections(const SettingsValues& values, Sections& sections);

// The text edt_VendorID and edt_ProductID keep after a change: a number above 255, and an empty
// or non-numeric text, become "255"; any other text stays.
std::string clampIdEditText(std::string_view text);

// The text an edt_YOffset edit keeps after a change: a lone "-" stays while typing, an empty or
// non-numeric text becomes "0", 128 or more "127", below -128 "-128"; any other text stays.
std::string clampYOffsetEditText(std::string_view text);

// Gives every button of either key mode whose shown name is the AIM key's (Str222) the code
// 0x0A, aimIndex, 0x00, in the lists and in the section. Returns whether any button has it.
bool storeAimIndex(ProfileCodes& codes, std::array<std::uint8_t, section::kProfile.size>& profile,
                   std::uint8_t aimIndex, const NameContext& names);

// Before a write: storeAimIndex, then in driver mode (names.eepromMode false) the type byte of
// every fire key button (shown name Str220) becomes 0x0E for continuous fire, else 0x06, its
// address bytes kept. The fire key's type is written to the section only: the lists keep
// "0600F0", so the button still shows the fire key and the next write derives its type afresh.
void storeAimAndFireKeys(ProfileCodes& codes,
                         std::array<std::uint8_t, section::kProfile.size>& profile,
                         std::uint8_t aimIndex, bool fireContinuous, const NameContext& names);

// The key-mode switch options of the button page, 1 to 3: option 1 toggles cb_MidPress and
// option 2 cb_CPIPress, each turning the other off as it turns on; option 3 toggles
// cb_GunPress alone. Any other option changes nothing.
SettingsValues withSwitchOptionToggled(SettingsValues values, int option);
// Whether option 1 to 3 is on.
bool switchOptionOn(const SettingsValues& values, int option);

inline constexpr int kMenuHeight = 170;
inline constexpr int kGunMenuHeight = 194;

// How the button page shows a key mode.
struct KeyModeView {
    int profile = 1;               // the key mode whose codes Key1..Key9 show; rb_1 or rb_2
    int menuHeight = kMenuHeight;  // Pnl_Main and Pnl_Special
    bool gunKeyLine = false;       // Img_ComboKey3 and IB_ComboKey3 visible

    bool operator==(const KeyModeView&) const = default;
};

// keyMode 2 is Game Mode, anything else Office Mode. GD_Enable counts only with the
// configuration in the mouse; ComboKey3_Enable is the layout key of the gun-key line.
KeyModeView keyModeViewFor(int keyMode, bool gdEnable, bool eepromMode, bool comboKey3Enable);

}  // namespace vornik

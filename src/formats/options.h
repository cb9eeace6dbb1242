#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/ini_file.h"

namespace vornik {

// The product options of the embedded option file "ORG", section [org], with the clamps and
// derived values applied. The initialisers are the embedded values, and also what a missing
// key reads as (Web excepted: without a key there is no address).
struct AppOptions {
    // Web_Enable: a web button click opens `web`; otherwise it only changes the button image.
    bool webEnable = true;
    // Web: handed to the system's "open" action unchanged.
    std::string web;
    // Web_X, Web_Y: top-left of the four web buttons (9360 lies outside the window).
    int webX = 9360;
    int webY = 10;
    // Rev_Manu_ID, Rev_Pro_ID 0..255: the reserve identification pair.
    int revManuId = 0;
    int revProId = 0;
    // Path: directory prefix of the macro library, normally ending in a separator.
    std::string path;
    // TR_Enable: hovered captions scroll.
    bool textRolling = false;
    // GD_Enable (gun display): taller function menus and the third mode-switch option in Game
    // Mode. Always false in driver mode.
    bool gunDisplay = false;
    // DPILED_Status: true = slider-style light bars, false = progress-bar style.
    bool dpiLedSlider = true;
    // Gun6_Num 1..2, Gun7_Num 1..3: fire macros used by the sixth and seventh gun presets.
    int gun6Num = 2;
    int gun7Num = 3;
    // Num_Order 0..1: 0 numbers the light-bar scales ascending from the left, 1 descending.
    int numOrder = 0;
    // Ap_Mode 0..2: 0 EEPROM, 1 driver mode, 2 both.
    int apMode = 0;
    // True unless Ap_Mode is 1: configuration and macros live in the mouse.
    bool eepromMode = true;
    // DPI_Count 1..12: DPI values the sliders offer.
    int dpiCount = 11;

    // Keys whose number lay outside its range, as "Key=value", in reading order; each was
    // clamped or took its embedded value as parseOptions says.
    std::vector<std::string> outOfRange;

    // Whether (manufacturer, product) identification bytes equal the reserve pair.
    bool acceptsReservePair(std::uint8_t manufacturer, std::uint8_t product) const;
    // The macro library file: Path followed by "Macro.bin". With an empty Path the result is
    // relative and the caller resolves it against the program directory.
    std::string macroLibraryFile() const;
    // Upper end of each DPI slider's range (its lower end is 0).
    int dpiSliderMaximum() const { return dpiCount * 100 - 100; }
};

// Reads section [org]. Numeric keys that are missing or not numbers keep their embedded value;
// an on/off key that is present is true only for the value 1. Gun6_Num, Gun7_Num and Num_Order
// are clamped into their ranges. Ap_Mode outside 0..2, DPI_Count outside 1..12 and an
// identification byte outside 0..255 read as their embedded values, since none has a meaning
// there. Every value outside its range is named in outOfRange.
AppOptions parseOptions(const IniFile& ini);

}  // namespace vornik

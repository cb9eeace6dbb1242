#pragma once

#include <string>
#include <string_view>

namespace vornik {

// The edits of the engineer page hold decimal text; these are the rules they keep it by.

// The number an edit's text stands for: a decimal integer with an optional minus sign,
// saturated to int; 0 for any other text (such as a lone "-" while a Y offset is typed).
int editFieldValue(std::string_view text);

// A DPI or fire macro colour edit: a number above 255 becomes "255", an empty text, or one that
// is not a plain decimal number, "0".
std::string clampEngineerColourEditText(std::string_view text);

// edt_MCULEDNum while typing: 0, 2 and 3 become "4", above 13 "13", an empty or non-numeric
// text "13". A 1 stays: it may be the first digit of 10-13.
std::string clampLedNumberEditText(std::string_view text);
// edt_MCULEDNum when left: the 1 kept while typing becomes "4".
std::string ledNumberExitText(std::string_view text);

// edt_MCULEDCrtStep: above 7 becomes "7", an empty or non-numeric text "0".
std::string clampLedStepEditText(std::string_view text);

// edt_FireTime: above 255 becomes "255", an empty or non-numeric text the default "100".
std::string clampFireTimeEditText(std::string_view text);

}  // namespace vornik

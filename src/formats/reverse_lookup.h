#pragma once

#include <span>
#include <string>
#include <string_view>

#include "formats/language.h"

namespace vornik {

// The key "Str" + number (0 to 700, written without leading zeros) whose text equals `text` in
// any of the languages; the last match in language order and ascending number wins. Empty when
// nothing matches. Only keys from Str100 on can match the files' three-digit names, which is
// what the button labels need: function names all lie there.
std::string reverseLookup(std::string_view text, std::span<const LanguageTable> languages);

}  // namespace vornik

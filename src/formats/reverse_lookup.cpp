#include "formats/reverse_lookup.h"

namespace vornik {

std::string reverseLookup(std::string_view text, std::span<const LanguageTable> languages) {
    std::string found;
    if (text.empty()) return found;
    for (const LanguageTable& language : languages)
        for (int number = 0; number <= 700; ++number) {
            const std::string key = "Str" + std::to_string(number);
            if (language.contains(key) && language.text(key) == text) found = key;
        }
    return found;
}

}  // namespace vornik

#include "formats/text_lookup.h"

#include "formats/language.h"

namespace vornik {

std::string EnglishTexts::text(std::string_view key) const {
    // The shipped English language file is the one source of the English texts.
    static const LanguageTable kEnglish = LanguageTable::embedded(3);
    return kEnglish.text(key);
}

}  // namespace vornik

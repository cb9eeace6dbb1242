#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ini_file.h"
#include "formats/text_lookup.h"

namespace vornik {

// Why a language file gave no texts.
enum class LanguageStatus {
    Ok,
    Empty,              // no bytes at all
    TooLarge,           // more than LanguageTable::kMaxFileBytes
    OddLength,          // UTF-16 text must have an even number of bytes
    LoneSurrogate,      // a UTF-16 surrogate without its partner
    UnterminatedQuote,  // a quoted token runs to the end of the text
    MissingSection,     // the file has no section of the requested name
};

std::string_view languageStatusText(LanguageStatus status);

struct DecodedText {
    std::string utf8;
    LanguageStatus status = LanguageStatus::Ok;
};

// A language file's bytes as UTF-8. The first two bytes are the FF FE mark and are always
// skipped, so a file without the mark loses its first character. Text on error is empty.
DecodedText decodeLanguageBytes(std::span<const std::uint8_t> bytes);

struct LanguageTokens {
    std::vector<std::string> tokens;
    bool unterminated = false;  // the last token opened a quote that never closed
};

// Splits at blanks, control characters and line breaks. A token that begins with a double
// quote runs to the matching closing quote, may hold blanks, and reads a doubled quote as one;
// the quotes are dropped, and whatever follows the closing quote starts the next token.
LanguageTokens tokenizeLanguageText(std::string_view utf8);

// The texts of one language file: key ("Str004", "FontName", "Title") to UTF-8 text. Keys are
// matched without regard to case; a key repeated in the file keeps its first text.
class LanguageTable final : public TextLookup {
  public:
    static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

    // Holds no texts; status() is Empty.
    LanguageTable() = default;

    // Decodes, tokenizes and reads `section` ("lang1" …). On any fault the table holds no
    // texts and status() says which fault it was.
    static LanguageTable load(std::span<const std::uint8_t> bytes, std::string_view section);
    // Language n (1..3): embedded resource "LANG" n, section "lang" n.
    static LanguageTable embedded(int n);

    LanguageStatus status() const { return m_status; }
    bool ok() const { return m_status == LanguageStatus::Ok; }

    // Empty when the language has no such key.
    std::string text(std::string_view key) const override;
    bool contains(std::string_view key) const;
    // The keys in file order.
    std::vector<std::string> keys() const;

    std::string fontName() const { return text("FontName"); }
    std::string title() const { return text("Title"); }

  private:
    LanguageStatus m_status = LanguageStatus::Empty;
    IniFile m_ini;
    std::string m_section;
};

}  // namespace vornik

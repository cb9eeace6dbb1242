#pragma once

#include <string>
#include <string_view>

namespace vornik {

// Shown texts come from the current language by key ("Str210" …); code that names things
// asks through this seam so that it never depends on which language is loaded.
class TextLookup {
  public:
    virtual ~TextLookup() = default;

    // The text under `key`; empty when the language has no such key.
    virtual std::string text(std::string_view key) const = 0;
};

// The texts of the English language file, for code that names things without a chosen
// language (the command-line tool).
class EnglishTexts final : public TextLookup {
  public:
    std::string text(std::string_view key) const override;
};

}  // namespace vornik

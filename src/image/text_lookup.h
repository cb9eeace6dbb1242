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

// The English texts of the keys the core itself uses (function and gun names, the device
// messages), until the language files are loaded through the presentation layer.
class EnglishTexts final : public TextLookup {
  public:
    std::string text(std::string_view key) const override;
};

}  // namespace vornik

#pragma once

#include <span>
#include <string_view>
#include <utility>
#include <vector>

class QWidget;

namespace vornik {

class LanguageTable;
class Page;

// A label's objectName and the language key of its caption.
using Caption = std::pair<const char*, std::string_view>;

// Gives each named label under `root` the text of its key; a label that does not exist is
// skipped.
void setCaptions(QWidget& root, std::span<const Caption> captions, const LanguageTable& language);

// Applies a language to the window: the captions of the buttons every page carries, each
// page's own captions, and last the language's font on every captioned label, except on the
// pages that keep their own font.
void applyLanguage(QWidget& window, const LanguageTable& language,
                   const std::vector<Page*>& pages = {});

}  // namespace vornik

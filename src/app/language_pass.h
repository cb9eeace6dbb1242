#pragma once

class QWidget;

namespace vornik {

class LanguageTable;

// Applies a language's texts to the window: the font on every captioned control, the captions
// of the buttons every page carries and of the fixed page labels. The engineer page keeps its
// own captions and font.
void applyLanguage(QWidget& window, const LanguageTable& language);

}  // namespace vornik

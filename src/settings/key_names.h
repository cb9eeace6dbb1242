#pragma once

#include <QStringList>

namespace vornik {

class TextLookup;
struct PageSource;

// The names of the nine buttons of key mode `keyMode` (1 or 2), as the key labels show them.
QStringList keyNames(const PageSource& model, int keyMode, const TextLookup& texts);

}  // namespace vornik

#pragma once

class QApplication;

namespace vornik {

// The dark look of the plain controls (engineer page, dialogs), matching the skin.
void applyDarkStyle(QApplication& app);

}  // namespace vornik

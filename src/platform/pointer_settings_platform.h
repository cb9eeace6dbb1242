#pragma once

#include <memory>

#include "model/pointer_settings.h"

namespace vornik {

// The pointer settings of the desktop this program was built for: the registry and
// SystemParametersInfoA on Windows, GNOME's settings through gsettings elsewhere (every
// control unavailable, with a hint, where those do not exist).
std::unique_ptr<PointerSettingsStore> createPointerSettingsStore();

}  // namespace vornik

#include "platform/pointer_settings_platform.h"

#ifdef _WIN32
#include "platform/pointer_settings_windows.h"
#else
#include "platform/pointer_settings_gnome.h"
#endif

namespace vornik {

std::unique_ptr<PointerSettingsStore> createPointerSettingsStore() {
#ifdef _WIN32
    return std::make_unique<WindowsPointerSettingsStore>(createWin32PointerSystemApi());
#else
    return std::make_unique<GnomePointerSettingsStore>(createProcessRunner());
#endif
}

}  // namespace vornik

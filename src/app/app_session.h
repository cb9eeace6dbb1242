#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "device/clock.h"
#include "device/device_link.h"
#include "device/hid_platform.h"
#include "device/protocol.h"
#include "formats/options.h"
#include "model/config_model.h"
#include "model/device_session.h"
#include "model/pointer_settings.h"

namespace vornik {

// Everything the main window owns for the whole run: the device session, the configuration
// model and the options. The window's own state is the window's.
struct AppSession {
    AppSession(std::unique_ptr<HidPlatform> platform, Clock& clock);

    DeviceSession device;
    Clock& clock;
    ConfigModel model;
    AppOptions options;

    // The directory of the running program, with its trailing separator.
    std::string programDir;
    // The PC macro library file the window opens at start; nullopt: the library is kept in
    // memory only, and saving it fails.
    std::optional<std::filesystem::path> macroLibraryFile;
    // Where the mouse's image is kept before every write; nullopt when the user's state folder
    // is not known, and then nothing is written.
    std::optional<std::filesystem::path> snapshotFolder;
    // The desktop's pointer settings; null where the system has none to offer.
    std::unique_ptr<PointerSettingsStore> pointerSettings;

    bool mouseConnected() const { return device.mouseConnected(); }
};

inline constexpr const char* kMouseInUseText = "The mouse is in use by another program.";

}  // namespace vornik

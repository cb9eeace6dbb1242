#pragma once

#include <memory>
#include <string>

#include "device/clock.h"
#include "device/device_link.h"
#include "device/hid_platform.h"
#include "device/protocol.h"
#include "formats/options.h"
#include "image/function_code.h"
#include "model/config_flows.h"

namespace vornik {

// Everything the main window owns for the whole run: the device link, the image and its
// working copies, the code lists and the options. The window's own state is the window's.
struct AppSession {
    AppSession(std::unique_ptr<HidPlatform> platform, Clock& clock);

    std::unique_ptr<HidPlatform> platform;
    Clock& clock;
    DeviceLink link;
    CommandProtocol protocol;
    ImageSession image;
    ProfileCodes codes;
    AppOptions options;

    // The directory of the running program, with its trailing separator.
    std::string programDir;

    // The DPI value index the AIM key switches to, as last chosen (0 at start).
    std::uint8_t aimIndex = 0;

    bool mouseConnected() const { return link.MouseHandle != kNoHandle; }

    // One device operation at a time: the link has one report buffer and no lock, and the
    // window's messages run during transfers.
    bool deviceBusy = false;
};

// Holds the device for one operation; `acquired` is false when another one runs already.
// Other programs are kept off the mouse for as long as it lives (see holdMouse).
class DeviceOperation {
  public:
    explicit DeviceOperation(AppSession& session)
        : m_session(session), m_acquired(!session.deviceBusy), m_mouse(session.link) {
        if (m_acquired) m_session.deviceBusy = true;
    }
    ~DeviceOperation() {
        if (m_acquired) m_session.deviceBusy = false;
    }
    DeviceOperation(const DeviceOperation&) = delete;
    DeviceOperation& operator=(const DeviceOperation&) = delete;
    bool acquired() const { return m_acquired; }
    // Whether the open mouse is held against other programs (taken now if it was opened since);
    // false when another program holds it.
    bool holdMouse() { return m_mouse.lock(); }

  private:
    AppSession& m_session;
    bool m_acquired;
    MouseLock m_mouse;
};

inline constexpr const char* kMouseInUseText = "The mouse is in use by another program.";

}  // namespace vornik

#pragma once

#include <cstdint>
#include <memory>

#include "device/clock.h"
#include "device/device_link.h"
#include "device/hid_platform.h"
#include "device/protocol.h"

namespace vornik {

// The device stack of one run: the platform, the link and the protocol over it, and the one
// guard every device user takes (window flows, monitor ticks, vornikctl), since the link has
// one report buffer and the window's messages run during transfers.
class DeviceSession {
  public:
    DeviceSession(std::unique_ptr<HidPlatform> platform, Clock& clock);
    // Over a platform owned elsewhere, which must outlive the session.
    DeviceSession(HidPlatform& platform, Clock& clock);
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    HidPlatform& platform() { return m_platform; }
    Clock& clock() { return m_clock; }
    DeviceLink& link() { return m_link; }
    CommandProtocol& protocol() { return m_protocol; }
    bool mouseConnected() const { return m_link.mouseHandle != kNoHandle; }
    // Whether a device operation runs now.
    bool busy() const { return m_busy; }

    // Holds the device for one operation; `acquired` is false when another one runs already.
    // Other programs are kept off the mouse for as long as it lives (see holdMouse).
    class Guard {
      public:
        explicit Guard(DeviceSession& session);
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

        bool acquired() const { return m_acquired; }
        // Whether the open mouse is held against other programs (taken now if it was opened
        // since); false when another program holds it.
        bool holdMouse() { return m_mouse.lock(); }

      private:
        DeviceSession& m_session;
        bool m_acquired;
        MouseLock m_mouse;
    };

  private:
    std::unique_ptr<HidPlatform> m_ownedPlatform;
    HidPlatform& m_platform;
    Clock& m_clock;
    DeviceLink m_link;
    CommandProtocol m_protocol;
    bool m_busy = false;
};

// Why configuration mode was not usable.
enum class EntryProblem {
    None,
    EnterRefused,    // command 1 not acknowledged
    StatusRefused,   // command 3 not acknowledged
    NotReady,        // status byte 1 not 0xAA
    EepromNotReady,  // the memory-ready bit clear
};

// Whether the two commands that end configuration mode were acknowledged. A refused command 8
// may leave the mouse on its old configuration, a refused command 2 in configuration mode.
struct LeaveResult {
    bool entered = false;  // command 1 was acknowledged, so 8 and 2 were sent
    bool reloadAcknowledged = false;
    bool leaveAcknowledged = false;
    bool refused() const { return entered && !(reloadAcknowledged && leaveAcknowledged); }
};

// One stay in configuration mode: command 1, then the status query with its checks; on leaving
// (or leave()), command 8 and command 2 once the mouse entered.
class ConfigModeScope {
  public:
    struct Checks {
        bool statusReady = true;  // status byte 1 must be 0xAA
        bool eepromReady = true;  // and the memory-ready bit set
        // Leave also when the status was refused or not 0xAA; otherwise the mouse is left
        // alone after such a reply, as the monitor does.
        bool leaveAfterBadStatus = true;
    };

    ConfigModeScope(CommandProtocol& protocol, Checks checks);
    ConfigModeScope(CommandProtocol& protocol) : ConfigModeScope(protocol, Checks{}) {}
    ~ConfigModeScope();
    ConfigModeScope(const ConfigModeScope&) = delete;
    ConfigModeScope& operator=(const ConfigModeScope&) = delete;

    // The checks passed: the mouse is in configuration mode and ready.
    bool ready() const { return m_problem == EntryProblem::None; }
    EntryProblem problem() const { return m_problem; }
    bool entered() const { return m_entered; }
    bool statusAcknowledged() const { return m_statusAcknowledged; }
    // The status reply (reply byte 1, chip code …), as the query left it.
    const std::array<std::uint8_t, 8>& statusReply() const { return m_statusReply; }

    // Commands 8 and 2 now, once; later calls (and the destructor) send nothing and return the
    // first result.
    LeaveResult leave();
    const LeaveResult& leaveResult() const { return m_leave; }

  private:
    bool shouldLeave() const;

    CommandProtocol& m_protocol;
    Checks m_checks;
    EntryProblem m_problem = EntryProblem::None;
    bool m_entered = false;
    bool m_statusAcknowledged = false;
    bool m_left = false;
    std::array<std::uint8_t, 8> m_statusReply{};
    LeaveResult m_leave;
};

}  // namespace vornik

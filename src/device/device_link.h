#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/hid_platform.h"

namespace vornik {

inline constexpr std::uint32_t kMouseVendorId = 0x2C4E;
inline constexpr std::uint32_t kMouseProductId = 0x0B17;
inline constexpr std::uint32_t kMouseVersion = 0x0104;
inline constexpr std::uint16_t kMouseFeatureLen = 8;

struct DevId {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
};

// One HID interface as discovery saw it, for diagnostics.
struct InterfaceReport {
    InterfacePath path;
    bool opened = false;  // false: could not be opened, nothing else is known
    bool hasAttributes = false;
    HidAttributes attributes;
    bool hasFeatureLen = false;
    std::uint16_t featureLen = 0;
    bool isMouse = false;  // the interface openMouse would take
};

// Finds and opens the mouse and the companion driver, and moves feature reports. Holds the only
// handles to the hardware. Not thread-safe: one user at a time.
class DeviceLink {
  public:
    explicit DeviceLink(HidPlatform& platform);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // The number of present HID interfaces that can be opened now.
    int deviceCount();

    // Opens the last interface whose ids match, whose version number equals `version` and whose
    // feature report is exactly 8 bytes; earlier matches and a previously open mouse are closed.
    // On success `version` receives the interface's version number.
    bool openMouse(std::uint32_t vendorId, std::uint32_t productId, std::uint32_t& version);

    // Opens the companion driver interface whose path carries `number` as four hexadecimal
    // characters at positions 55 to 58 (counted from 1).
    bool openDriver(std::uint32_t number);

    // One feature report of featureLength bytes; false at once, without a platform call, when the
    // handle is none.
    bool setFeatureReport(DeviceHandle handle, std::span<std::uint8_t, 8> buffer);
    bool getFeatureReport(DeviceHandle handle, std::span<std::uint8_t, 8> buffer);

    // The companion driver's I/O control on driverHandle; false when it is none.
    bool driverIoControl(std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out, std::uint32_t& returned);

    void closeMouse();
    void closeDriver();

    // Holds the open mouse against other programs until unlockMouse or closeMouse; false when
    // there is no mouse or another program holds it. Taking it again while held is a no-op.
    bool lockMouse();
    void unlockMouse();
    bool mouseLocked() const { return m_mouseLocked; }

    // Whether the interface the mouse was opened on is still among the present ones.
    bool mousePresent();

    // Every HID interface with what discovery learns of it; marks the one openMouse would
    // open with the given ids. Opens nothing for longer than the look.
    std::vector<InterfaceReport> listInterfaces(std::uint32_t vendorId, std::uint32_t productId,
                                                std::uint32_t version);

    // The HID class identifier, with the constant fallback when the platform cannot tell it.
    ClassGuid hidClass();

    DeviceHandle mouseHandle = kNoHandle;
    InterfacePath mousePath;  // the interface mouseHandle was opened on
    DeviceHandle driverHandle = kNoHandle;
    std::uint32_t currentVendorId = 0;
    std::uint32_t currentProductId = 0;
    std::uint32_t featureLength = 0;
    // Slot 0 is set at start-up; a slot with a zero id is never tried.
    std::array<DevId, 2> deviceIds{};

  private:
    void releaseMouseLock();

    HidPlatform& m_platform;
    bool m_mouseLocked = false;
};

// Holds the mouse for one operation: locked when constructed (if it can be), unlocked when it
// goes. The mouse may be opened after construction; lock() then takes it.
class MouseLock {
  public:
    explicit MouseLock(DeviceLink& link) : m_link(link) { lock(); }
    ~MouseLock() {
        if (m_took) m_link.unlockMouse();
    }
    MouseLock(const MouseLock&) = delete;
    MouseLock& operator=(const MouseLock&) = delete;

    // False when there is no mouse or another program holds it.
    bool lock() {
        if (!m_link.mouseLocked()) m_took = m_link.lockMouse();
        return m_link.mouseLocked();
    }

  private:
    DeviceLink& m_link;
    bool m_took = false;
};

// Reads four hexadecimal characters at positions 55 to 58 of a driver path; -1 when the path
// is too short or the characters are not all hexadecimal digits.
long driverNumberOfPath(const std::string& path);

}  // namespace vornik

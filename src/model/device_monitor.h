#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

namespace vornik {

class ConfigModeScope;
class DeviceSession;

// What the monitor asks of the window.
class MonitorUi {
  public:
    virtual ~MonitorUi() = default;
    virtual void setDeviceTimer(bool on) = 0;
    // Enter the no-device state and show the no-device message.
    virtual void showNoDevice() = 0;
    // A plain message box with the text of a language key; returns when it is closed.
    virtual void messageBox(std::string_view key) = 0;
    // The identification bytes read from the mouse, for the engineer page.
    virtual void showIdBytes(std::uint8_t vendor, std::uint8_t product) = 0;
    // The full read into the pages, inside the configuration mode `scope` entered.
    virtual void readImage(ConfigModeScope& scope) = 0;
};

// Watches the number of HID interfaces and opens, identifies and reads the mouse when it
// appears; drops it when it goes. Runs on the window's thread, one tick per second.
class DeviceMonitor {
  public:
    DeviceMonitor(DeviceSession& device, MonitorUi& ui);

    // One tick of the device timer; does nothing while another device operation runs.
    void tick();
    // Checks the open mouse's status and identification bytes and reads it when they fit.
    void identifyAndRead();

    // The identification pairs a mouse may carry: the default image's and the reserve pair.
    std::pair<std::uint8_t, std::uint8_t> expectedPair{0xFF, 0xFF};
    std::pair<std::uint8_t, std::uint8_t> reservePair{0, 0};

    int lastDeviceCount = 0;

  private:
    int sampleCount(bool& confirmed);

    DeviceSession& m_device;
    MonitorUi& m_ui;
};

}  // namespace vornik

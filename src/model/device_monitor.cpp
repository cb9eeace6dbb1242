#include "model/device_monitor.h"

#include <array>

#include "formats/language_keys.h"
#include "image/memory_map.h"
#include "model/device_session.h"

namespace vornik {

DeviceMonitor::DeviceMonitor(DeviceSession& device, MonitorUi& ui) : m_device(device), m_ui(ui) {}

int DeviceMonitor::sampleCount(bool& confirmed) {
    DeviceLink& link = m_device.link();
    int stable = 0;
    int n = 0;
    for (int sample = 0; sample < 5; ++sample) {
        const int first = link.deviceCount();
        const int second = link.deviceCount();
        if (first == second) ++stable;
        n = first;
    }
    confirmed = stable >= 2;
    return n;
}

void DeviceMonitor::tick() {
    DeviceSession::Guard guard(m_device);
    if (!guard.acquired()) return;
    // While another program holds the mouse its memory is changing under it: leave it alone.
    if (m_device.mouseConnected() && !guard.holdMouse()) return;
    DeviceLink& link = m_device.link();
    Clock& clock = m_device.clock();
    bool confirmed = false;
    const int n = sampleCount(confirmed);
    if (!confirmed || n == lastDeviceCount) return;
    if (n < lastDeviceCount) {
        // Another device going away must not drop a mouse that is still there.
        if (!m_device.mouseConnected() || !link.mousePresent()) {
            m_ui.showNoDevice();
            link.closeMouse();
        }
    } else {
        for (const DevId& slot : link.deviceIds) {
            if (slot.vendorId == 0 || slot.productId == 0) continue;
            for (int i = 0; i < 21; ++i) {
                clock.sleepMs(100);
                clock.processEvents();
            }
            std::uint32_t version = kMouseVersion;
            if (link.openMouse(slot.vendorId, slot.productId, version)) {
                if (!guard.holdMouse()) {
                    // Read once the other program is done: a later tick sees the count grown
                    // again.
                    link.closeMouse();
                    return;
                }
                link.currentVendorId = slot.vendorId;
                link.currentProductId = slot.productId;
                identifyAndRead();
                break;
            }
            m_ui.showNoDevice();
        }
    }
    lastDeviceCount = n;
}

void DeviceMonitor::identifyAndRead() {
    CommandProtocol& p = m_device.protocol();
    // A mouse that refuses the status query or is not ready is left as it is.
    ConfigModeScope scope(p,
                          {.statusReady = true, .eepromReady = true, .leaveAfterBadStatus = false});
    if (scope.problem() == EntryProblem::EepromNotReady) {
        scope.leave();
        m_device.link().closeMouse();
        m_ui.messageBox(textkey::kFindingDevice);
        m_ui.setDeviceTimer(true);
        return;
    }
    if (!scope.ready()) return;
    std::array<std::uint8_t, 2> id{};
    p.readBlockQuietly(kDevIdAddress, 2, id);
    m_ui.showIdBytes(id[0], id[1]);
    const std::pair<std::uint8_t, std::uint8_t> pair{id[0], id[1]};
    if (pair == expectedPair || pair == reservePair) {
        m_ui.readImage(scope);
        return;
    }
    m_ui.setDeviceTimer(false);
    scope.leave();
    m_ui.messageBox(textkey::kWrongIdentification);
    m_ui.setDeviceTimer(true);
}

}  // namespace vornik

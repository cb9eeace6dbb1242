#include "app/device_monitor.h"

#include <array>

#include "app/app_session.h"

namespace vornik {

DeviceMonitor::DeviceMonitor(AppSession& session, MonitorUi& ui) : m_session(session), m_ui(ui) {}

int DeviceMonitor::sampleCount(bool& confirmed) {
    int stable = 0;
    int n = 0;
    for (int sample = 0; sample < 5; ++sample) {
        const int first = m_session.link.GetDevCount();
        const int second = m_session.link.GetDevCount();
        if (first == second) ++stable;
        n = first;
    }
    confirmed = stable >= 2;
    return n;
}

void DeviceMonitor::DevTimerTimer() {
    if (DevTimerBusy) return;
    DeviceOperation operation(m_session);
    if (!operation.acquired()) return;
    // While another program holds the mouse its memory is changing under it: leave it alone.
    if (m_session.mouseConnected() && !operation.holdMouse()) return;
    DevTimerBusy = true;
    bool confirmed = false;
    const int n = sampleCount(confirmed);
    if (confirmed && n != LastDevCount) {
        if (n < LastDevCount) {
            // Another device going away must not drop a mouse that is still there.
            if (!m_session.mouseConnected() || !m_session.link.MousePresent()) {
                m_ui.ShowNoDevice();
                m_session.link.CloseMouse();
            }
        } else {
            for (const DevId& slot : m_session.link.DevIdTable) {
                if (slot.vendorId == 0 || slot.productId == 0) continue;
                for (int i = 0; i < 21; ++i) {
                    m_session.clock.sleepMs(100);
                    m_session.clock.processEvents();
                }
                std::uint32_t version = kMouseVersion;
                if (m_session.link.OpenMouseDev(slot.vendorId, slot.productId, version)) {
                    if (!operation.holdMouse()) {
                        // Read once the other program is done: a later tick sees the count
                        // grown again.
                        m_session.link.CloseMouse();
                        DevTimerBusy = false;
                        return;
                    }
                    m_session.link.CurVendorId = slot.vendorId;
                    m_session.link.CurProductId = slot.productId;
                    ReadDevInfo();
                    break;
                }
                m_ui.ShowNoDevice();
            }
        }
        LastDevCount = n;
    }
    DevTimerBusy = false;
}

void DeviceMonitor::ReadDevInfo() {
    CommandProtocol& p = m_session.protocol;
    if (!p.SendCmd(cmd::kEnterConfig)) return;
    p.EepromReady = false;
    p.ChipType = 0;
    if (!p.SendCmd(cmd::kStatus)) return;
    if (p.FeatureReport[1] != kStatusReady) return;
    if (!p.EepromReady) {
        p.SendCmd(cmd::kReload);
        p.SendCmd(cmd::kLeaveConfig);
        m_session.link.CloseMouse();
        m_ui.messageBox("Str020");
        m_ui.setDevTimer(true);
        return;
    }
    std::array<std::uint8_t, 2> id{};
    p.ReadBlockQuiet(0x36, 2, id);
    m_ui.showIdBytes(id[0], id[1]);
    const std::pair<std::uint8_t, std::uint8_t> pair{id[0], id[1]};
    if (pair == expectedPair || pair == reservePair) {
        m_ui.Btn_Read();
        return;
    }
    m_ui.setDevTimer(false);
    p.SendCmd(cmd::kReload);
    p.SendCmd(cmd::kLeaveConfig);
    m_ui.messageBox("Str107");
    m_ui.setDevTimer(true);
}

}  // namespace vornik

#include "model/device_session.h"

namespace vornik {

DeviceSession::DeviceSession(std::unique_ptr<HidPlatform> platform, Clock& clock)
    : m_ownedPlatform(std::move(platform)),
      m_platform(*m_ownedPlatform),
      m_clock(clock),
      m_link(m_platform),
      m_protocol(m_link, clock) {
    m_link.deviceIds[0] = {kMouseVendorId, kMouseProductId};
}

DeviceSession::DeviceSession(HidPlatform& platform, Clock& clock)
    : m_platform(platform), m_clock(clock), m_link(m_platform), m_protocol(m_link, clock) {
    m_link.deviceIds[0] = {kMouseVendorId, kMouseProductId};
}

DeviceSession::Guard::Guard(DeviceSession& session)
    : m_session(session), m_acquired(!session.m_busy), m_mouse(session.m_link) {
    if (m_acquired) m_session.m_busy = true;
}

DeviceSession::Guard::~Guard() {
    if (m_acquired) m_session.m_busy = false;
}

ConfigModeScope::ConfigModeScope(CommandProtocol& protocol, Checks checks)
    : m_protocol(protocol), m_checks(checks) {
    if (!m_protocol.sendCommand(cmd::kEnterConfig)) {
        m_problem = EntryProblem::EnterRefused;
        return;
    }
    m_entered = true;
    // What an earlier query said must not pass for this mouse's answer.
    m_protocol.setEepromReady(false);
    m_protocol.setChipType(0);
    m_statusAcknowledged = m_protocol.sendCommand(cmd::kStatus);
    m_statusReply = m_protocol.report();
    if (!m_statusAcknowledged)
        m_problem = EntryProblem::StatusRefused;
    else if (m_checks.statusReady && m_statusReply[1] != kStatusReady)
        m_problem = EntryProblem::NotReady;
    else if (m_checks.eepromReady && !m_protocol.eepromReady())
        m_problem = EntryProblem::EepromNotReady;
}

ConfigModeScope::~ConfigModeScope() {
    if (shouldLeave()) leave();
}

bool ConfigModeScope::shouldLeave() const {
    if (!m_entered || m_left) return false;
    if (m_checks.leaveAfterBadStatus) return true;
    return m_statusAcknowledged && m_statusReply[1] == kStatusReady;
}

LeaveResult ConfigModeScope::leave() {
    if (m_left || !m_entered) return m_leave;
    m_left = true;
    m_leave.entered = true;
    m_leave.reloadAcknowledged = m_protocol.sendCommand(cmd::kReload);
    m_leave.leaveAcknowledged = m_protocol.sendCommand(cmd::kLeaveConfig);
    return m_leave;
}

}  // namespace vornik

#include "app/device_buttons.h"

#include <QWidget>

#include "app/app_session.h"
#include "app/main_window.h"
#include "formats/language_keys.h"
#include "image/defaults.h"
#include "ui/skin/skin.h"

namespace vornik {

DeviceButtons::DeviceButtons(AppSession& session, MainWindow& window, ImageFlows& flows,
                             DeviceMonitor& monitor)
    : m_session(session), m_window(window), m_flows(flows), m_monitor(monitor) {}

void DeviceButtons::pause110() {
    for (int i = 0; i < 11; ++i) {
        m_session.clock.sleepMs(10);
        m_session.clock.processEvents();
    }
}

void DeviceButtons::setPressed(ButtonRole role, bool pressed) {
    for (const CommonPage& page : m_window.commonPages())
        page.button(role).image->setSkin(pressed ? "BtnS_03" : "BtnS_01");
}

bool DeviceButtons::prologue(ButtonRole role, bool wait, DeviceSession::Guard& operation) {
    setPressed(role, true);
    if (wait) pause110();
    if (!m_session.mouseConnected()) {
        m_window.messageBox(textkey::kFindingDevice);
        release(role);
        return false;
    }
    if (!operation.holdMouse()) {
        m_window.errorMessage(kMouseInUseText);
        release(role);
        return false;
    }
    return true;
}

void DeviceButtons::release(ButtonRole role) { setPressed(role, false); }

void DeviceButtons::sendReload() { m_session.device.protocol().sendCommand(cmd::kReload); }

void DeviceButtons::readImage() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    if (!prologue(ButtonRole::Read, false, operation)) return;
    m_monitor.identifyAndRead();
    release(ButtonRole::Read);
}

WriteOutcome DeviceButtons::writeSettings() {
    m_window.hideAllMenu();
    OperationFrame frame(m_window, m_session.clock);
    m_session.model.storeToImage(m_window.joinHooks());
    m_window.showLoadingWindow();
    m_window.applyPointerSettings();
    return m_flows.writeImage(false);
}

void DeviceButtons::reportSkipped(const WriteOutcome& outcome) {
    // A write that did not happen is said, so that edits are not thought to be in the mouse.
    // A refused snapshot has said so already.
    if (outcome.result == WriteResult::NotWritten && outcome.reason != SkipReason::SnapshotFailed)
        m_window.messageBox(textkey::kFindingDevice);
}

bool DeviceButtons::refuseIncompleteImage(ButtonRole role) {
    // Written back, the gaps of a failed read would replace the mouse's macros and fire data
    // with 0xFF or defaults; only a complete read, a profile or a default image is written.
    if (!m_session.model.image().incomplete) return false;
    m_lastWrite = {};
    m_window.messageDialog(textkey::kFail);
    release(role);
    return true;
}

bool DeviceButtons::applySettings() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return false;
    if (!prologue(ButtonRole::Apply, true, operation) || refuseIncompleteImage(ButtonRole::Apply))
        return false;
    m_lastWrite = writeSettings();
    reportSkipped(m_lastWrite);
    release(ButtonRole::Apply);
    return m_lastWrite.result == WriteResult::Verified;
}

void DeviceButtons::confirmSettings() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    if (!prologue(ButtonRole::Confirm, true, operation) ||
        refuseIncompleteImage(ButtonRole::Confirm))
        return;
    m_lastWrite = writeSettings();
    reportSkipped(m_lastWrite);
    release(ButtonRole::Confirm);
    if (m_lastWrite.result != WriteResult::Verified) return;
    pause110();
    m_window.close();
}

void DeviceButtons::confirmFire() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    m_lastFireWrite = {};
    if (!m_session.mouseConnected()) {
        m_session.model.commitFire();
        m_window.messageDialog(textkey::kFail);
        return;
    }
    if (!operation.holdMouse()) {
        m_session.model.commitFire();
        m_window.errorMessage(kMouseInUseText);
        return;
    }
    m_lastFireWrite = m_flows.confirmFire();
}

void DeviceButtons::restoreDefault(int n) {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    const ButtonRole role = defaultRestoreRole(n);
    if (!prologue(role, true, operation)) return;
    const std::string prefix = macroLibraryPrefix(m_session.options.path, m_session.programDir);
    m_lastWrite =
        m_flows.restoreDefaultImage(prefix, kDefaultImageFiles[static_cast<std::size_t>(n - 1)]);
    release(role);
}

void DeviceButtons::restoreEngineerDefault() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    QWidget* result = m_window.findChild<QWidget*>("Img_Result");
    if (result) result->hide();
    pause110();
    if (!m_session.mouseConnected()) return;
    if (!operation.holdMouse()) {
        m_window.errorMessage(kMouseInUseText);
        return;
    }
    const std::string prefix = macroLibraryPrefix(m_session.options.path, m_session.programDir);
    m_lastWrite = m_flows.restoreDefaultImage(prefix, kDefaultImageFiles[0]);
    if (result) result->show();
}

}  // namespace vornik

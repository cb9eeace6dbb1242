#include "app/device_buttons.h"

#include <QWidget>

#include "app/app_session.h"
#include "app/main_window.h"
#include "formats/language_keys.h"
#include "image/defaults.h"
#include "ui/skin/skin.h"

namespace vornik {

DeviceButtons::DeviceButtons(AppSession& session, TForm1& window, ImageFlows& flows,
                             DeviceMonitor& monitor)
    : m_session(session), m_window(window), m_flows(flows), m_monitor(monitor) {}

void DeviceButtons::pause110() {
    for (int i = 0; i < 11; ++i) {
        m_session.clock.sleepMs(10);
        m_session.clock.processEvents();
    }
}

bool DeviceButtons::prologue(const QString& role, bool wait, DeviceSession::Guard& operation) {
    for (auto& page : m_window.pages().common) {
        auto it = page.buttons.find(role);
        if (it != page.buttons.end()) it->second.image->setSkin("BtnS_03");
    }
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

void DeviceButtons::release(const QString& role) {
    for (auto& page : m_window.pages().common) {
        auto it = page.buttons.find(role);
        if (it != page.buttons.end()) it->second.image->setSkin("BtnS_01");
    }
}

void DeviceButtons::SystemReloadCmd_OnClick() { m_session.device.protocol().SendCmd(cmd::kReload); }

void DeviceButtons::Btn_Read_0Click() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    if (!prologue("Read", false, operation)) return;
    m_monitor.identifyAndRead();
    release("Read");
}

WriteOutcome DeviceButtons::DownloadParameter() {
    m_window.hideAllMenu();
    OperationFrame frame(m_window, m_session.clock);
    m_window.uiToDataBuf();
    m_session.model.storeToImage(m_window.joinHooks());
    m_window.showLoadingWindow();
    m_window.applyPointerSettings();
    return m_flows.writeImage(false);
}

void DeviceButtons::reportSkipped(const WriteOutcome& outcome) {
    // A write that did not happen is said, so that edits are not thought to be in the mouse.
    if (outcome.result == WriteResult::NotWritten) m_window.messageBox(textkey::kFindingDevice);
}

bool DeviceButtons::refuseIncompleteImage(const QString& role) {
    // Written back, the gaps of a failed read would replace the mouse's macros and fire data
    // with 0xFF or defaults; only a complete read, a profile or a default image is written.
    if (!m_session.model.image().incomplete) return false;
    m_lastWrite = {};
    m_window.messageDialog(textkey::kFail);
    release(role);
    return true;
}

bool DeviceButtons::Btn_Apply_0Click() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return false;
    if (!prologue("Apply", true, operation) || refuseIncompleteImage("Apply")) return false;
    m_lastWrite = DownloadParameter();
    reportSkipped(m_lastWrite);
    release("Apply");
    return m_lastWrite.result == WriteResult::Verified;
}

void DeviceButtons::Btn_Confirm_0Click() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    if (!prologue("Confirm", true, operation) || refuseIncompleteImage("Confirm")) return;
    m_lastWrite = DownloadParameter();
    reportSkipped(m_lastWrite);
    release("Confirm");
    if (m_lastWrite.result != WriteResult::Verified) return;
    pause110();
    m_window.close();
}

void DeviceButtons::restoreDefault(int n) {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    const QString role = QString("Confirm%1").arg(n);
    if (!prologue(role, true, operation)) return;
    const std::string prefix = MacroLibraryPrefix(m_session.options.path, m_session.programDir);
    m_lastWrite =
        m_flows.restoreDefaultImage(prefix, kDefaultImageFiles[static_cast<std::size_t>(n - 1)]);
    release(role);
}

void DeviceButtons::Btn_DefaultClick() {
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
    const std::string prefix = MacroLibraryPrefix(m_session.options.path, m_session.programDir);
    m_lastWrite = m_flows.restoreDefaultImage(prefix, kDefaultImageFiles[0]);
    if (result) result->show();
}

}  // namespace vornik

#pragma once

#include <QObject>
#include <QString>

#include "model/config_flows.h"
#include "model/device_session.h"
#include "ui/page_controls.h"

namespace vornik {

struct AppSession;
class DeviceMonitor;
class MainWindow;

// Read, Apply, Confirm and the default restores: the buttons every page carries that read or
// write the mouse.
class DeviceButtons : public QObject {
    Q_OBJECT

  public:
    DeviceButtons(AppSession& session, MainWindow& window, ImageFlows& flows,
                  DeviceMonitor& monitor);

    void Btn_Read_0Click() { readImage(); }
    bool Btn_Apply_0Click() { return applySettings(); }
    void Btn_Confirm_0Click() { confirmSettings(); }
    // Read: the identification check and the full read, as when the mouse is found.
    void readImage();
    // False when nothing was written and verified (the window then stays open on Confirm).
    bool applySettings();
    // Apply, and once the write is verified the window closes.
    void confirmSettings();
    void Btn_Confirm1_1Click() { restoreDefault(1); }
    void Btn_Confirm2_1Click() { restoreDefault(2); }
    void Btn_Confirm3_1Click() { restoreDefault(3); }
    // The engineer page's default restore: default image 1, with the result image shown after.
    void Btn_DefaultClick() { restoreEngineerDefault(); }
    void restoreEngineerDefault();

    // Fire Confirm's device part (see ImageFlows::confirmFire); without a mouse Str109 says
    // that nothing reached it.
    void confirmFire();
    const BlockWriteOutcome& lastFireWrite() const { return m_lastFireWrite; }

    // The write in configuration-memory mode.
    WriteOutcome writeSettings();
    // Command 8: the mouse reloads its configuration.
    void sendReload();

    // What the last Apply, Confirm or default restore did.
    const WriteOutcome& lastWrite() const { return m_lastWrite; }

  private:
    // The pressed image, the 110 ms wait (Apply, Confirm, defaults) and the no-mouse message.
    bool prologue(ButtonRole role, bool wait, DeviceSession::Guard& operation);
    void release(ButtonRole role);
    void setPressed(ButtonRole role, bool pressed);
    void pause110();
    void restoreDefault(int n);
    // An incomplete image is never written: Str109 instead, and true.
    bool refuseIncompleteImage(ButtonRole role);
    void reportSkipped(const WriteOutcome& outcome);

    AppSession& m_session;
    MainWindow& m_window;
    ImageFlows& m_flows;
    DeviceMonitor& m_monitor;
    WriteOutcome m_lastWrite;
    BlockWriteOutcome m_lastFireWrite;
};

}  // namespace vornik

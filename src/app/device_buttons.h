#pragma once

#include <QObject>
#include <QString>

#include "model/config_flows.h"
#include "model/device_session.h"

namespace vornik {

struct AppSession;
class DeviceMonitor;
class TForm1;

// Read, Apply, Confirm and the default restores: the buttons every page carries that read or
// write the mouse.
class DeviceButtons : public QObject {
    Q_OBJECT

  public:
    DeviceButtons(AppSession& session, TForm1& window, ImageFlows& flows, DeviceMonitor& monitor);

    void Btn_Read_0Click();
    // False when nothing was written and verified (the window then stays open on Confirm).
    bool Btn_Apply_0Click();
    void Btn_Confirm_0Click();
    void Btn_Confirm1_1Click() { restoreDefault(1); }
    void Btn_Confirm2_1Click() { restoreDefault(2); }
    void Btn_Confirm3_1Click() { restoreDefault(3); }
    void Btn_DefaultClick();

    // The write in configuration-memory mode.
    WriteOutcome DownloadParameter();
    void SystemReloadCmd_OnClick();

    // What the last Apply, Confirm or default restore did.
    const WriteOutcome& lastWrite() const { return m_lastWrite; }

  private:
    // The pressed image, the 110 ms wait (Apply, Confirm, defaults) and the no-mouse message.
    bool prologue(const QString& role, bool wait, DeviceSession::Guard& operation);
    void release(const QString& role);
    void pause110();
    void restoreDefault(int n);
    // An incomplete image is never written: Str109 instead, and true.
    bool refuseIncompleteImage(const QString& role);
    void reportSkipped(const WriteOutcome& outcome);

    AppSession& m_session;
    TForm1& m_window;
    ImageFlows& m_flows;
    DeviceMonitor& m_monitor;
    WriteOutcome m_lastWrite;
};

}  // namespace vornik

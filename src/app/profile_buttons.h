#pragma once

#include <QObject>
#include <QString>

#include "model/config_flows.h"
#include "model/device_session.h"
#include "ui/page_controls.h"

namespace vornik {

struct AppSession;
class Dialogs;
class MainWindow;

// Save and Load on pages 1 to 4 and on the engineer page: whole configurations to and from
// profile files chosen in the file dialogs; and the engineer page's base macro import.
class ProfileButtons : public QObject {
    Q_OBJECT

  public:
    ProfileButtons(AppSession& session, MainWindow& window, ImageFlows& flows, Dialogs& dialogs);

    void Btn_Save_0Click() { saveProfile(); }
    void Btn_Load_0Click() { loadProfile(); }
    // What the mouse holds, read again into a buffer of its own, goes into the file the save
    // dialog names; the pages keep whatever the user has not written yet. A read that does not
    // complete saves nothing.
    void saveProfile();
    // The file's first 2048 bytes over the image (a shorter file leaves the rest as it was),
    // shown on the pages and written to a mouse that reports ready with chip type 0x98.
    void loadProfile();
    // The engineer page's base macro import: the first 1024 bytes of the chosen file (a raw copy
    // of macro slots 1-4) into the slots and straight into the mouse.
    void importBaseMacros();

  private:
    // The pressed image, the function menus closed, the no-mouse message and the hold on the
    // mouse; false when the operation stops there.
    bool begin(ButtonRole role, DeviceSession::Guard& operation);
    void setPressed(ButtonRole role, bool pressed);

    AppSession& m_session;
    MainWindow& m_window;
    ImageFlows& m_flows;
    Dialogs& m_dialogs;
};

inline constexpr const char* kSaveFilter = "SaveFile (*.bin)";
inline constexpr const char* kLoadFilter = "LoadFile (*.bin)";

}  // namespace vornik

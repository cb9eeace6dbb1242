#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "formats/language.h"
#include "formats/text_lookup.h"
#include "model/config_flows.h"
#include "model/config_model.h"
#include "model/device_monitor.h"
#include "model/settings_values.h"
#include "ui/layout_pass.h"
#include "ui/navigation.h"
#include "ui/page.h"
#include "ui/page_controls.h"
#include "ui/window_state.h"

class QSystemTrayIcon;

namespace vornik {

struct AppSession;
class AdvancedPage;
class ButtonEditor;
class ButtonPage;
class DeviceButtons;
class Dialogs;
class EngineerPage;
class FirePage;
class LightPage;
class LoadingWindow;
class MacroLibraryFile;
class MacroPage;
class ProfileButtons;

inline constexpr const char* kWindowCaption = "Vornik Gaming Mouse v1.0";
inline constexpr const char* kApplicationTitle = "Vornik Gaming Mouse";

// The one skinned window in which everything is edited. It composes the pages and the controls
// they share, keeps its own state and runs the device operations over the session. The
// configuration model is the truth: pages show it and write their edits into it, and every
// change the model tells reaches every page that shows it.
class MainWindow : public QWidget,
                   public ConfigModel::Listener,
                   public PageEditor,
                   public FlowHooks,
                   public MessageSink,
                   public MonitorUi,
                   public NavigationHost {
    Q_OBJECT

  public:
    MainWindow(AppSession& session, Dialogs& dialogs);
    ~MainWindow() override;

    // The loading window is created second; creating it switches the device timer on.
    void attachLoadingWindow(LoadingWindow* loading);
    LoadingWindow* loadingWindow() const { return m_loading; }

    bool pagesLocked() const;

    // `text` in a modal dialog with one OK button, in the current language's font.
    void showMessage(const QString& text);
    // The text of a key in the current language.
    QString text(std::string_view key) const override;
    const LanguageTable& language() const;

    // The language buttons, all copies: the language with its layout.
    void Btn_Lang1_0Click() { switchLanguage(1); }
    void Btn_Lang2_0Click() { switchLanguage(2); }
    void Btn_Lang3_0Click() { switchLanguage(3); }
    void switchLanguage(int n);

    void Btn_Exit_0Click() { close(); }
    void Btn_Minimize_0Click() { showMinimized(); }
    // A press on a page background, the engineer logo or the engineer page control: the
    // borderless window follows the mouse.
    void Img_BaseMouseDown() { startDrag(); }
    void startDrag();

    // The no-device state: the built-in image on the pages, page 1, the page buttons refused.
    void showNoDeviceState();
    // The built-in image into the working copies and onto the pages.
    void loadBuiltInImage();
    // Key mode 1 (Office) or 2 (Game) chosen on the page buttons: the model takes it, the
    // button page and the engineer page's cb_KeyMode show it.
    void showKeyMode(int keyMode) override;
    const KeyModeView& keyModeView() const;

    // What the join stores besides the model's sections.
    JoinHooks joinHooks();
    // Applies the pointer settings of the Advanced page to the system.
    void applyPointerSettings();

    const WindowState& state() const { return m_state; }
    const LayoutReport& lastLayout() const { return m_lastLayout; }
    Navigation& navigation() { return *m_navigation; }
    DeviceButtons& deviceButtons() { return *m_buttons; }
    ProfileButtons& profileButtons() { return *m_profiles; }
    DeviceMonitor& monitor() { return m_monitor; }
    const std::array<CommonPage, 4>& commonPages() const { return m_common; }
    ButtonPage& buttonPage() { return *m_buttonPage; }
    AdvancedPage& advancedPage() { return *m_advancedPage; }
    FirePage& firePage() { return *m_firePage; }
    // The function menu's fire entry for button 1..9 of key mode 1..2: page 5 with preset 1.
    void openFirePage(int keyMode, int button);
    EngineerPage& engineerPage() { return *m_engineerPage; }
    MacroPage& macroPage() { return *m_macroPage; }
    // The PC macro library, opened at start and saved after every change.
    MacroLibraryFile& macroLibrary() { return *m_macroLibrary; }
    ButtonEditor& buttonEditor() { return *m_buttonEditor; }
    // Every page, in the order the layout and the language reach them.
    const std::vector<Page*>& pages() const { return m_pages; }
    QTimer deviceTimer;

    // FlowHooks
    void setDeviceTimer(bool on) override;
    // The input-blocking overlays of pages 1 to 4, over everything but exit and minimise.
    void lockPages() override;
    void unlockPages() override;
    void showLoadingWindow() override;
    void hideLoadingWindow() override;
    void hideAllMenu() override;
    void dataBufToUI() override { fillPages(); }
    void showMainAfterRead() override;

    // MessageSink
    void messageDialog(std::string_view key) override;
    void errorMessage(std::string_view text) override;

    // MonitorUi
    void showNoDevice() override { enterNoDeviceState(); }
    void messageBox(std::string_view key) override;
    void showIdBytes(std::uint8_t vendor, std::uint8_t product) override;
    void readImage(ConfigModeScope& scope) override;

    // NavigationHost
    bool mouseConnected() const override;
    void unlockEngineer() override;
    void unlockFireRecorder() override;

    // ConfigModel::Listener: an edit on one page shows on the others. A new image is shown
    // by the flows (dataBufToUI) once it is complete, not here.
    void modelChanged(ChangeSet changes) override;
    // PageEditor
    EditResult edit(const Page& from,
                    const std::function<EditResult(ConfigModel&)>& change) override;

  signals:
    // The window was asked to follow the mouse (startDrag).
    void dragStarted();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildPages();
    void connectPages();
    // Every page filled from the model after a read, a load or a restore.
    void fillPages();
    // What the pages are filled from now.
    PageSource source() const;
    // The engineer page's holding controls were edited: the model takes what they hold.
    void takeEngineerValues();
    // Every page but `except` shows the model again.
    void refreshPages(ChangeSet changes, const Page* except);
    void enterNoDeviceState();
    // The button page of a key mode: the key labels, the gun-key line and the height of the
    // function menus Pnl_Main and Pnl_Special, kept here for the menus.
    void showButtonKeys(int keyMode);
    void applyWindowShape();

    AppSession& m_session;
    Dialogs& m_dialogs;
    std::unique_ptr<MacroLibraryFile> m_macroLibrary;
    WindowState m_state;
    std::array<LanguageTable, 3> m_languages;
    std::array<QWidget*, 6> m_containers{};  // gbPage1 … gbPage6
    std::array<CommonPage, 4> m_common;
    ButtonPage* m_buttonPage = nullptr;
    AdvancedPage* m_advancedPage = nullptr;
    LightPage* m_lightPage = nullptr;
    MacroPage* m_macroPage = nullptr;
    FirePage* m_firePage = nullptr;
    EngineerPage* m_engineerPage = nullptr;
    ButtonEditor* m_buttonEditor = nullptr;
    // The gun list's ten codes while its file is in use, empty otherwise.
    std::vector<std::string> m_gunListCodes;
    std::vector<Page*> m_pages;
    // The page whose edit the model is taking now; it already shows the change.
    const Page* m_editingPage = nullptr;
    std::unique_ptr<Navigation> m_navigation;
    std::unique_ptr<ImageFlows> m_flows;
    DeviceMonitor m_monitor;
    LayoutReport m_lastLayout;
    std::unique_ptr<DeviceButtons> m_buttons;
    std::unique_ptr<ProfileButtons> m_profiles;
    LoadingWindow* m_loading = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
};

}  // namespace vornik

#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "model/config_flows.h"
#include "model/device_monitor.h"
#include "formats/text_lookup.h"
#include "model/settings_values.h"
#include "formats/language.h"
#include "ui/layout_pass.h"
#include "app/navigation.h"

class QSystemTrayIcon;

namespace vornik {

struct AppSession;
class Dialogs;
class TFormLoadingUI;
class DeviceButtons;

inline constexpr const char* kWindowCaption = "Vornik Gaming Mouse v1.0";
inline constexpr const char* kApplicationTitle = "Vornik Gaming Mouse";

// The one skinned window in which everything is edited. It owns the pages and the timers and
// runs the device operations over the session.
class TForm1 : public QWidget, public FlowHooks, public MessageSink, public MonitorUi {
    Q_OBJECT

  public:
    TForm1(AppSession& session, Dialogs& dialogs);
    ~TForm1() override;

    // The loading window is created second; creating it switches the device timer on.
    void attachLoadingWindow(TFormLoadingUI* loading);
    TFormLoadingUI* loadingWindow() const { return m_loading; }

    void LockPages();
    void UnlockPages();
    bool pagesLocked() const;

    void RefreshFormMessagDialog(const QString& text);
    // The text of a key in the current language.
    QString text(const QString& key) const;
    const LanguageTable& language() const;

    // Switching the language, with its layout (the language buttons, all copies).
    void Btn_Lang1_0Click() { switchLanguage(1); }
    void Btn_Lang2_0Click() { switchLanguage(2); }
    void Btn_Lang3_0Click() { switchLanguage(3); }
    void switchLanguage(int n);

    void Btn_Exit_0Click();
    void Btn_Minimize_0Click();
    // A press on a page background, the engineer logo or the engineer page control: the
    // borderless window follows the mouse.
    void Img_BaseMouseDown();

    // Entering and leaving the no-device state.
    void RefreshErrorAP();
    void InitNoDevice();
    void ShowMainAfterRead();
    // Key1..Key9 show the functions of key mode 1 or 2, named from their codes.
    void RefreshProfile1Keys();
    void RefreshProfile2Keys();
    // The button page of key mode 1 (Office) or 2 (Game): the key labels, the gun-key line
    // (Img_ComboKey3, IB_ComboKey3) and the height of the function menus Pnl_Main and
    // Pnl_Special, kept here for the menus.
    void showButtonPage(int keyMode);
    const ButtonPage& buttonPage() const { return m_buttonPage; }
    void TLRefreshProfile1Keys();
    void TLRefreshProfile2Keys();

    // What a write collects from the pages before the join, and what the join stores besides.
    void uiToDataBuf();
    JoinHooks joinHooks();
    // Applies the pointer settings of the Advanced page to the system.
    void applyPointerSettings();

    const LayoutReport& lastLayout() const { return m_lastLayout; }
    Navigation& navigation() { return *m_navigation; }
    DeviceButtons& deviceButtons() { return *m_buttons; }
    PageSet& pages() { return m_pages; }
    DeviceMonitor& monitor() { return m_monitor; }
    QTimer DevTimer;

    // FlowHooks
    void setDevTimer(bool on) override;
    void lockPages() override { LockPages(); }
    void unlockPages() override { UnlockPages(); }
    void showLoadingWindow() override;
    void hideLoadingWindow() override;
    void hideAllMenu() override {}
    void dataBufToUI() override;
    void showMainAfterRead() override { ShowMainAfterRead(); }

    // MessageSink
    void messageDialog(std::string_view key) override;
    void errorMessage(std::string_view text) override;

    // MonitorUi
    void showNoDevice() override;
    void messageBox(std::string_view key) override;
    void showIdBytes(std::uint8_t vendor, std::uint8_t product) override;
    void readImage(ConfigModeScope& scope) override;

  signals:
    // The holding controls were filled; the user pages' mirrors (sliders, bars, images)
    // follow them from here.
    void valuesRefreshed(const SettingsValues& values);
    // The window was asked to follow the mouse (Img_BaseMouseDown).
    void dragStarted();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildPages();
    // The names of the nine buttons of key mode `profile` in the current language.
    QStringList keyNames(int profile) const;
    void setKeyCaptions(int profile);
    // Whether the current layout file enables the gun-key line (ComboKey3_Enable).
    bool gunKeyLineEnabled() const;
    void applyWindowShape();

    AppSession& m_session;
    Dialogs& m_dialogs;
    std::array<LanguageTable, 3> m_languages;
    PageSet m_pages;
    std::unique_ptr<Navigation> m_navigation;
    std::unique_ptr<ImageFlows> m_flows;
    DeviceMonitor m_monitor;
    LayoutReport m_lastLayout;
    std::unique_ptr<DeviceButtons> m_buttons;
    TFormLoadingUI* m_loading = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    ButtonPage m_buttonPage;
};

}  // namespace vornik

Q_DECLARE_METATYPE(vornik::SettingsValues)

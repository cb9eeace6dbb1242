#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>

#include "ui/page_controls.h"

class QRadioButton;

namespace vornik {

struct AppSession;
class Dialogs;
class EngineerPage;

// The pages of the window and the controls that choose between them.
struct PageSet {
    std::array<QWidget*, 6> containers{};  // gbPage1 … gbPage6
    std::array<CommonPage, 4> common;      // pages 1 to 4
    std::array<SkinButton, 9> keys;        // Img_Key1/Key1 … on page 1
    SkinImage* fireBase = nullptr;         // Img_Base_5
    SkinImage* firePanel = nullptr;        // Img_P5
    QWidget* fireRecorder = nullptr;       // shown once the fire page is unlocked
    SkinButton fireConfirm;                // Btn_FireConfirm, Btn_FireCancel: back to page 1
    SkinButton fireCancel;
    EngineerPage* engineer = nullptr;
    // The navigation radios: the page the user chose, kept across language switches.
    QRadioButton* rb_1 = nullptr;
    QRadioButton* rb_2 = nullptr;
    QRadioButton* rb_4 = nullptr;
    QRadioButton* rb_5 = nullptr;
    QRadioButton* rb_6 = nullptr;
    QRadioButton* rb_7 = nullptr;
};

// Page switching, hover images and caption scrolling of the skinned window.
class Navigation : public QObject {
    Q_OBJECT

  public:
    Navigation(AppSession& session, PageSet& pages, Dialogs& dialogs, QWidget* window);

    // Hooks into editors that later layers own.
    std::function<void()> hideAllMenu = [] {};
    // Sets the button page up for key mode 1 (Office) or 2 (Game): its key labels, gun-key line
    // and menu heights.
    std::function<void(int keyMode)> showButtonPage = [](int) {};
    std::function<QString(const QString& key)> text = [](const QString& key) { return key; };

    // The page switch handlers, shared by all copies of each page button.
    void Btn_Main_0Click();
    void Btn_Second_0Click();
    void Btn_Adv_0Click();
    void Btn_Breath_0Click();
    void Btn_Macro_0Click();
    void Btn_Engineer_0Click();
    // Shows the page the navigation radios name.
    void RefreshAPPage();
    // The fire page, entered from the function menu and left by showing page 1.
    void showFirePage();

    void Img_Logo4DblClick();
    void Img_Base_5DblClick();

    // One tick of the caption scrolling timer.
    void LabelRunTimer();
    QTimer LabelRun;

    // Shows `container` (1 to 6) and hides the other five.
    void showOnly(int container);
    int visiblePage() const;

    // The start-up images: Office Mode and language 1 marked, everything else normal.
    void loadStartupImages();
    // Marks the page buttons of the no-device state (Office Mode selected).
    void showNoDevicePages();
    // After the pages were filled from an image: page 1, with the navigation radio and the page
    // buttons of the image's key mode (1 Office, 2 Game).
    void showKeyModePage(int keyMode);
    void setLanguageMarked(int language);

    // Ends any caption scrolling (after a language switch).
    void resetScrolling() { stopScrolling(); }

    void hoverEnter(ButtonLabel* label, HoverFamily family);
    void hoverLeave(ButtonLabel* label, HoverFamily family);

  private:
    void switchPage(int role);
    void markPageButtons(const QString& role);
    void setAllSkins(const QString& role, const QString& skin);
    void startScrolling(ButtonLabel* label);
    void stopScrolling();
    SkinImage* imageOf(const ButtonLabel* label) const;
    QString roleOf(const ButtonLabel* label) const;
    void connectButtons();

    AppSession& m_session;
    PageSet& m_pages;
    Dialogs& m_dialogs;
    QWidget* m_window;
    QString m_currentPageRole = "Main";
    QPointer<ButtonLabel> m_scrolling;
    QString m_captionBefore;
    int m_tick = 0;
};

}  // namespace vornik

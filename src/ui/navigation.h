#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <array>

#include "formats/options.h"
#include "ui/page_controls.h"
#include "ui/window_state.h"

class QRadioButton;

namespace vornik {

class Dialogs;

// What the navigation asks of the window it switches.
class NavigationHost {
  public:
    virtual ~NavigationHost() = default;
    virtual bool mouseConnected() const = 0;
    virtual QString text(std::string_view key) const = 0;
    // Closes the function menus and popups of the editors.
    virtual void hideAllMenu() = 0;
    // Sets the button page up for key mode 1 (Office) or 2 (Game).
    virtual void showKeyMode(int keyMode) = 0;
    // The two hidden unlocks: the engineer sheet and controls, and the fire recorder.
    virtual void unlockEngineer() = 0;
    virtual void unlockFireRecorder() = 0;
};

// The pages of the window and the buttons every page carries.
struct NavigationPages {
    std::array<QWidget*, 6> containers{};  // gbPage1 … gbPage6
    std::array<CommonPage, 4>* common = nullptr;
};

// Page switching, hover images and caption scrolling of the skinned window. The page chosen
// and the language marked are the window's state; the hidden navigation radios rb_1 … rb_7
// only show it.
class Navigation : public QObject {
    Q_OBJECT

  public:
    Navigation(WindowState& state, const AppOptions& options, NavigationHost& host,
               Dialogs& dialogs, NavigationPages pages, QWidget* window);

    // The page switch handlers, shared by all copies of each page button.
    void Btn_Main_0Click() { choosePage(NavigationChoice::Office); }
    void Btn_Second_0Click() { choosePage(NavigationChoice::Game); }
    void Btn_Adv_0Click() { choosePage(NavigationChoice::Advanced); }
    void Btn_Breath_0Click() { choosePage(NavigationChoice::Light); }
    void Btn_Macro_0Click() { choosePage(NavigationChoice::Macro); }
    void Btn_Engineer_0Click() { choosePage(NavigationChoice::Engineer); }
    // A page button: refused without a mouse and in the no-device state.
    void choosePage(NavigationChoice choice);
    // Shows the page chosen last (after a language switch); the fire page is left.
    void showChosenPage();
    // The fire page, entered from the function menu and left by showing page 1.
    void showFirePage();
    void leaveFirePage();

    void Img_Logo4DblClick() { unlockEngineer(); }
    void Img_Base_5DblClick() { unlockFireRecorder(); }
    void unlockEngineer();
    void unlockFireRecorder();

    // One tick of the caption scrolling timer.
    void scrollCaption();
    QTimer captionTimer;

    // Shows `container` (1 to 6) and hides the other five.
    void showOnly(int container);
    int visiblePage() const;

    // The start-up images: Office Mode and language 1 marked, everything else normal.
    void loadStartupImages();
    // The no-device state: page 1, Office Mode chosen.
    void showNoDevicePages();
    // After the pages were filled from an image: page 1, chosen in the image's key mode
    // (1 Office, 2 Game).
    void showKeyModePage(int keyMode);
    // Marks the current language's buttons (the state's language).
    void markLanguage();

    // Ends any caption scrolling (after a language switch).
    void resetScrolling() { stopScrolling(); }

    // A label of `family` takes its hover images and scrolls its caption.
    void addHover(ButtonLabel* label, HoverFamily family);
    void hoverEnter(ButtonLabel* label, HoverFamily family);
    void hoverLeave(ButtonLabel* label, HoverFamily family);

  private:
    void choose(NavigationChoice choice);
    void markPageButtons(ButtonRole role);
    void setAllSkins(ButtonRole role, const QString& skin);
    void startScrolling(ButtonLabel* label);
    void stopScrolling();
    SkinImage* imageOf(const ButtonLabel* label) const;
    void connectButtons();
    void buildRadios();

    WindowState& m_state;
    const AppOptions& m_options;
    NavigationHost& m_host;
    Dialogs& m_dialogs;
    NavigationPages m_pages;
    QWidget* m_window;
    // rb_1, rb_2, rb_4, rb_5, rb_6, rb_7 in the order of the choices.
    std::array<QRadioButton*, kNavigationChoices> m_radios{};
    ButtonRole m_markedPage = ButtonRole::Main;
    QPointer<ButtonLabel> m_scrolling;
    QString m_captionBefore;
    int m_tick = 0;
};

}  // namespace vornik

#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QRect>
#include <QStringList>
#include <vector>

class QListWidget;

namespace vornik {

class ButtonLabel;
class LanguageTable;

// The entries of the function menu that are no leaf of the tag table.
namespace menutag {
inline constexpr int kStandard = 1;
inline constexpr int kSpecial = 2;
inline constexpr int kMedia = 3;
inline constexpr int kWeb = 4;
inline constexpr int kMyComputer = 5;
inline constexpr int kDpiKey = 6;
inline constexpr int kMacro = 7;
inline constexpr int kFireMacro = 11;
inline constexpr int kGunKeys = 13;
inline constexpr int kAssembly = 0;
}  // namespace menutag

// Where Pnl_Main opens for a key label of the main page (window coordinates): right of and
// below the label's centre, or left of and above it where the menu would reach the window's
// right or bottom edge.
QPoint menuBesideLabel(const QRect& label, QSize menu, QSize window);
// Where Pnl_Main opens for an engineer key button, above it: `button` lies in the tab sheet
// of the page control, which lies at `pageControl` in the window.
QPoint menuAboveButton(const QRect& button, const QRect& pageControl, QSize menu);
// Where a sub-menu opens for `entry` of `parent` (both in window coordinates): right of the
// entry unless the menus up to it would reach the window's right edge (`reach` is the width of
// the menus the test adds up), then left of `parent`; level with the entry, or ending at its
// bottom where it would reach the window's bottom edge.
QPoint subMenuBeside(const QRect& entry, const QRect& parent, QSize subMenu, int reach,
                     QSize window);

// The cascading function menu: Pnl_Main with its sub-menus Pnl_MseKey, Pnl_Special (with
// Pnl_CPIKey), Pnl_Media, Pnl_WWW and Pnl_MyPC, the macro name list LB_Name and the engineer
// gun-key list LB_Script. The panels are children of the window, over every page. The menu
// only shows and reports choices; whoever opened it assigns them.
class FunctionMenu : public QObject {
    Q_OBJECT

  public:
    explicit FunctionMenu(QWidget* window);
    ~FunctionMenu() override;

    // Pnl_Main beside a main page key label (`label` in window coordinates), with the fire
    // macro entry, as high as the key mode's menus are.
    void openBesideLabel(const QRect& label);
    // Pnl_Main above an engineer key button, with the gun-key entry, at the full height.
    void openAboveButton(const QRect& button, const QRect& pageControl);
    // Closes every panel and list.
    void hideAll();
    bool isOpen() const;

    // The height of Pnl_Main and Pnl_Special when opened from the main page (170 or 194).
    void setMainPageHeight(int height) { m_mainPageHeight = height; }
    // The colours of the entry under the pointer (Color_G_SF, Color_G_SP).
    void setHoverColours(const QColor& text, const QColor& back);
    // The border of every panel and list (Color_G_Border).
    void setBorderColour(const QColor& colour);
    // The entries' captions: " * " and the name.
    void applyLanguage(const LanguageTable& language);
    // LB_Name: the macro library's names.
    void setMacroNames(const QStringList& names);
    // LB_Script: the engineer gun keys' names.
    void setGunKeyNames(const QStringList& names);

    QWidget* panel(const char* name) const;
    QListWidget* macroList() const { return m_macroList; }
    QListWidget* gunKeyList() const { return m_gunKeyList; }
    // The entry with this objectName (Key_…), for tests and the benchmark.
    ButtonLabel* entry(const QString& name) const;

  signals:
    // A leaf entry was clicked; `caption` is its caption without the " * ".
    void leafChosen(int tag, const QString& caption);
    void assemblyChosen();
    void fireMacroChosen();
    void macroChosen(int index);
    void gunKeyChosen(int index, const QString& caption);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry {
        ButtonLabel* label = nullptr;
        QWidget* panel = nullptr;
        int tag = 0;
        QPalette normal;
    };

    void build();
    QWidget* addPanel(const char* name, int width);
    void addEntry(QWidget* panel, const char* name, int tag, int row, const char* marker = nullptr);
    void open(QPoint at, int height, bool engineer);
    void enterEntry(Entry& entry);
    void leaveEntry(Entry& entry);
    void clickEntry(const Entry& entry);
    // Shows `shown` beside `entry` and hides the sub-menus and lists not in `keep`.
    void showBeside(QWidget* shown, const Entry& entry, int reach);
    void hideSubMenus(std::initializer_list<const QWidget*> keep = {});
    bool insideMenus(const QWidget* w) const;

    QWidget* m_window;
    QWidget* m_main = nullptr;     // Pnl_Main
    QWidget* m_special = nullptr;  // Pnl_Special
    QWidget* m_mouseKeys = nullptr;
    QWidget* m_dpiKeys = nullptr;
    QWidget* m_media = nullptr;
    QWidget* m_web = nullptr;
    QWidget* m_myComputer = nullptr;
    QListWidget* m_macroList = nullptr;   // LB_Name
    QListWidget* m_gunKeyList = nullptr;  // LB_Script
    std::vector<QWidget*> m_shown;        // every panel and list, in hiding order
    std::vector<Entry> m_entries;
    int m_mainPageHeight = 170;
    QColor m_hoverText{10, 12, 14};
    QColor m_hoverBack{24, 186, 235};
    bool m_watching = false;
};

}  // namespace vornik

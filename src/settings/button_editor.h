#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ui/layout_pass.h"

class QWidget;

namespace vornik {

class AssemblyKeyDialog;
class ButtonPage;
class EngineerPage;
class FunctionMenu;
class LanguageTable;
class MacroLibrary;
class MessageSink;
class PageEditor;

// The button being edited: a key label of the main page (1-9, in the key mode it shows) or an
// engineer key button (101-109, 201-209: key mode, then button).
struct EditTarget {
    enum class Source { MainPage, EngineerPage };
    Source source = Source::MainPage;
    int number = 0;
};

// What the main window gives an assignment: where a write goes and what it shows.
struct ButtonEditorParts {
    QWidget* window = nullptr;
    PageEditor* editor = nullptr;
    MessageSink* messages = nullptr;
    ButtonPage* buttons = nullptr;
    EngineerPage* engineer = nullptr;
};

// The button assignment editor: a click on a key label or an engineer key button opens the
// function menu for it; a choice gives the button its function in the model at once and shows
// its name. The menus keep every key mode with at least one left button; the assembly key and
// the engineer gun keys do not.
class ButtonEditor : public QObject {
    Q_OBJECT

  public:
    explicit ButtonEditor(const ButtonEditorParts& parts);

    // Opens the menu for key label `button` (1-9) or engineer button `number`.
    void openForKey(int button);
    void openForEngineerButton(int number);
    // Closes every menu panel and list.
    void hideAllMenu();

    // The current language and layout: menu captions, the dialog's texts and layout.
    void applyLanguage(const LanguageTable& language, int layoutNo);
    // After a layout pass: the hover colours of the menu entries.
    void applyLayout(const LayoutKept& kept);
    // The height of the menus opened from the main page (170, or 194 with the gun display).
    void setMainPageMenuHeight(int height);
    // The engineer gun keys behind LB_Script: their names and codes.
    void setGunKeys(const QStringList& names, const std::vector<std::string>& codes);
    // The PC macro library behind LB_Name (it outlives the editor; nullptr: none). Call
    // refreshMacroNames after every change of its entries.
    void setMacroLibrary(const MacroLibrary* library);
    void refreshMacroNames();

    const EditTarget& target() const { return m_target; }
    FunctionMenu& menu() const { return *m_menu; }
    AssemblyKeyDialog& assemblyDialog() const { return *m_dialog; }

  signals:
    // A menu is about to open for a key label: its hover marquee ends.
    void keyMenuOpening(int button);
    // The fire macro entry: the fire page with preset 1.
    void firePageRequested();

  private:
    void assignLeaf(int tag);
    void assignGunKey(int index);
    // Library entry `index` into a macro slot, played by the target.
    void bindMacro(int index);
    void openAssemblyDialog();
    void applyAssembly(const QString& text, const QString& code);
    // Gives the target the code `code` makes of the model's AIM index, under the menus' rule
    // when `keepLeftKey`, whose refusal says why. The labels show the model's name for the
    // code once the model tells the window of the change.
    void assign(const std::function<std::string(int aimIndex)>& code, bool keepLeftKey);
    int targetMode() const;
    int targetButton() const;

    ButtonEditorParts m_parts;
    FunctionMenu* m_menu;
    AssemblyKeyDialog* m_dialog;
    EditTarget m_target;
    const LanguageTable* m_language = nullptr;
    int m_layoutNo = 1;
    std::vector<std::string> m_gunKeyCodes;
    const MacroLibrary* m_library = nullptr;
};

}  // namespace vornik

#pragma once

#include <QObject>

#include "ui/page.h"

namespace vornik {

class Dialogs;

class Clock;
class MacroEditorView;
class MacroLibraryFile;
class MessageSink;
struct LayoutKept;

// Page 4, Macro: the macro library, the event list, recording and insertion.
class MacroPage : public QObject, public Page {
    Q_OBJECT

  public:
    // The page's controls go into `container` (gbPage4), above its panel. The library is the
    // window's; messages go to `messages`, the input dialogs open over `window`, and `clock`
    // stamps what is recorded.
    MacroPage(QWidget* container, MacroLibraryFile& library, MessageSink& messages, QWidget* window,
              Clock& clock, Dialogs& dialogs);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::F; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;
    // What the layout pass kept for the lists, and the layout the input dialogs take.
    void applyKept(const LayoutKept& kept, int layoutNo);

    // Group F over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

    MacroEditorView& editor() const { return *m_editor; }

  private:
    void fitDelayCaption(const LanguageTable& language);

    QWidget* m_container;
    MacroEditorView* m_editor;
};

}  // namespace vornik

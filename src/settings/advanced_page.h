#pragma once

#include <QObject>

#include "formats/options.h"
#include "ui/page.h"

namespace vornik {

class DpiEditorView;
class FireKeyEditor;
class Dialogs;
class MessageSink;
class PointerSettingsStore;
class PointerSettingsView;

// Page 2, Advanced: the fire key, the pointer settings, the DPI levels and the AIM key.
class AdvancedPage : public QObject, public Page {
    Q_OBJECT

  public:
    // The page's controls go into `container` (gbPage2), above its panel. Edits go into the
    // model through `editor`; the colour dialog and the messages through `dialogs` and
    // `messages`. The pointer settings are the desktop's, through `pointerStore` (null: none).
    AdvancedPage(QWidget* container, PageEditor& editor, Dialogs& dialogs, MessageSink& messages,
                 const AppOptions& options, PointerSettingsStore* pointerStore);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::D; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group D over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

    DpiEditorView& dpiEditor() const { return *m_dpi; }
    FireKeyEditor& fireKeyEditor() const { return *m_fireKey; }
    PointerSettingsView& pointerSettings() const { return *m_pointer; }
    // The windowed controls take the mouse above the page's input-blocking overlay.
    void raiseWindowedControls();

  private:
    QWidget* m_container;
    DpiEditorView* m_dpi;
    FireKeyEditor* m_fireKey;
    PointerSettingsView* m_pointer;
};

}  // namespace vornik

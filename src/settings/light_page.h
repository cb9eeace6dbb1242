#pragma once

#include <QObject>

#include "formats/engineer_terms.h"
#include "formats/options.h"
#include "ui/page.h"

namespace vornik {

class LightEditorView;

// Page 3, Light: the lighting switches, modes and the two light bars.
class LightPage : public QObject, public Page {
    Q_OBJECT

  public:
    // The page's controls go into `container` (gbPage3), above its panel. Edits go into the
    // model through `editor`. `terms` is the engineer page's column of the engineer terms.
    LightPage(QWidget* container, PageEditor& editor, const AppOptions& options, TermColumn terms);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::E; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group E over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

    LightEditorView& lightEditor() const { return *m_light; }

  private:
    QWidget* m_container;
    LightEditorView* m_light;
};

}  // namespace vornik

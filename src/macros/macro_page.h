#pragma once

#include <QObject>

#include "ui/page.h"

namespace vornik {

// Page 4, Macro: the macro library, the event list, recording and insertion.
class MacroPage : public QObject, public Page {
    Q_OBJECT

  public:
    // The page's controls go into `container` (gbPage4), above its panel.
    explicit MacroPage(QWidget* container);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::F; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group F over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

  private:
    QWidget* m_container;
};

}  // namespace vornik

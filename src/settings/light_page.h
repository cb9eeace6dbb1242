#pragma once

#include <QObject>

#include "ui/page.h"

namespace vornik {

// Page 3, Light: the lighting switches, modes and the two light bars.
class LightPage : public QObject, public Page {
    Q_OBJECT

  public:
    // The page's controls go into `container` (gbPage3), above its panel.
    explicit LightPage(QWidget* container);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::E; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group E over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

  private:
    QWidget* m_container;
};

}  // namespace vornik

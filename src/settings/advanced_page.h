#pragma once

#include <QObject>

#include "ui/page.h"

namespace vornik {

// Page 2, Advanced: the fire key, the pointer settings, the DPI levels and the AIM key.
class AdvancedPage : public QObject, public Page {
    Q_OBJECT

  public:
    // The page's controls go into `container` (gbPage2), above its panel.
    explicit AdvancedPage(QWidget* container);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::D; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group D over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

  private:
    QWidget* m_container;
};

}  // namespace vornik

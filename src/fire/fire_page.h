#pragma once

#include <QObject>
#include <array>

#include "ui/page.h"
#include "ui/page_controls.h"

namespace vornik {

// Page 5, the fire page: the seven gun presets, the row markers of presets 6 and 7, its
// Confirm and Cancel (both lead back to page 1) and the fire recorder, hidden until the
// page's background is double-clicked.
class FirePage : public QObject, public Page {
    Q_OBJECT

  public:
    // Builds the page in `container` (gbPage5): background, panel and controls.
    explicit FirePage(QWidget* container);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::J; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group J over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

    // Shows the fire recorder controls for the rest of the run.
    void unlockRecorder();

    SkinImage* base() const { return m_base; }
    const SkinButton& confirm() const { return m_confirm; }
    const SkinButton& cancel() const { return m_cancel; }
    QWidget* recorder() const { return m_recorder; }

  private:
    QWidget* m_container;
    SkinImage* m_base;                       // Img_Base_5
    SkinImage* m_panel;                      // Img_P5
    std::array<SkinButton, 7> m_presets;     // Img_Fire<n> / Btn_Fire<n>
    std::array<SkinImage*, 5> m_gunModes{};  // Img_GunMode<n>
    SkinButton m_confirm;                    // Img_FireConfirm / Btn_FireConfirm
    SkinButton m_cancel;                     // Img_FireCancel / Btn_FireCancel
    QWidget* m_recorder;                     // gbFireRecorder
};

}  // namespace vornik

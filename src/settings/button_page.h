#pragma once

#include <QObject>
#include <array>

#include "formats/options.h"
#include "model/settings_values.h"
#include "ui/page.h"
#include "ui/page_controls.h"

namespace vornik {

// Page 1, the mouse's nine buttons in either key mode: the key labels Key1..Key9 over their
// images, and the three key-mode switch options. One page serves both key modes; which one it
// shows is the window's choice (showKeyMode).
class ButtonPage : public QObject, public Page {
    Q_OBJECT

  public:
    // Builds the key labels and the switch options in `container` (gbPage1), above its panel;
    // the options write into the model through `editor`.
    ButtonPage(QWidget* container, PageEditor& editor, const AppOptions& options);

    QWidget* widget() const override { return m_container; }
    // The captions of the key mode shown, named from its codes in the current language, and the
    // switch options' check images.
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::C; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group C over the controls found by name: the key labels and the mode-switch options.
    static void placeControls(layout_detail::LayoutPass& pass);

    // Shows key mode 1 (Office) or 2 (Game) of `model` with layout `layoutNo`'s gun-key line;
    // returns how it is shown, the function menus' height among it.
    const KeyModeView& showKeyMode(int keyMode, int layoutNo, const PageSource& model);
    const KeyModeView& view() const { return m_view; }

    const std::array<SkinButton, 9>& keys() const { return m_keys; }
    const std::array<SkinButton, 3>& switchOptions() const { return m_switchOptions; }

    // The key-mode switch options.
    void IB_ComboKey1Click() { toggleSwitchOption(1); }
    void IB_ComboKey2Click() { toggleSwitchOption(2); }
    void IB_ComboKey3Click() { toggleSwitchOption(3); }
    void toggleSwitchOption(int option);

  private:
    void showSwitchOptions(const SettingsValues& values);

    PageEditor& m_editor;
    QWidget* m_container;
    const AppOptions& m_options;
    const LanguageTable* m_language = nullptr;
    std::array<SkinButton, 9> m_keys;           // Img_Key<n> / Key<n>
    std::array<SkinButton, 3> m_switchOptions;  // Img_ComboKey<n> / IB_ComboKey<n>
    KeyModeView m_view;
};

}  // namespace vornik

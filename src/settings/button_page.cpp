#include "settings/button_page.h"

#include <QWidget>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "formats/layout_keys.h"
#include "model/config_model.h"
#include "settings/key_names.h"
#include "ui/default_layout.h"
#include "ui/language_pass.h"
#include "ui/layout_groups.h"

namespace vornik {

using namespace layout_detail;

ButtonPage::ButtonPage(QWidget* container, PageEditor& editor, const AppOptions& options)
    : QObject(container), m_editor(editor), m_container(container), m_options(options) {
    for (int k = 0; k < 9; ++k) {
        SkinButton key;
        key.image = new SkinImage(QString("Img_Key%1").arg(k + 1), container);
        key.image->setSkin("KeyS_01");
        key.image->move(layout::kKeys + QPoint(0, k * layout::kKeyStep));
        key.label = new ButtonLabel(QString("Key%1").arg(k + 1), container);
        key.label->placeOver(key.image);
        m_keys[static_cast<std::size_t>(k)] = key;
    }
    void (ButtonPage::*const handlers[])() = {&ButtonPage::IB_ComboKey1Click,
                                              &ButtonPage::IB_ComboKey2Click,
                                              &ButtonPage::IB_ComboKey3Click};
    for (int k = 0; k < 3; ++k) {
        SkinButton option;
        option.image = new SkinImage(QString("Img_ComboKey%1").arg(k + 1), container);
        option.image->setSkin("CbS_D");
        option.image->move(30, 500 + 26 * k);
        option.label = new ButtonLabel(QString("IB_ComboKey%1").arg(k + 1), container);
        option.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        option.label->setGeometry(54, 498 + 26 * k, 500, 20);
        connect(option.label, &ButtonLabel::clicked, this, handlers[k]);
        m_switchOptions[static_cast<std::size_t>(k)] = option;
    }
}

void ButtonPage::toggleSwitchOption(int option) {
    SettingsValues changed;
    m_editor.edit(*this, [&](ConfigModel& model) {
        changed = withSwitchOptionToggled(model.values(), option);
        return model.setValues(changed);
    });
    showSwitchOptions(changed);
}

void ButtonPage::showSwitchOptions(const SettingsValues& values) {
    for (int k = 1; k <= 3; ++k)
        m_switchOptions[static_cast<std::size_t>(k - 1)].image->setSkin(
            switchOptionOn(values, k) ? "CbS_E" : "CbS_D");
}

void ButtonPage::fillFromModel(const PageSource& model) {
    showSwitchOptions(model.values);
    if (m_language == nullptr) return;
    const QStringList names = keyNames(model, m_view.profile, *m_language);
    for (int k = 0; k < 9; ++k) m_keys[static_cast<std::size_t>(k)].label->setText(names[k]);
}

const KeyModeView& ButtonPage::showKeyMode(int keyMode, int layoutNo, const PageSource& model) {
    const int n = std::clamp(layoutNo, 1, 3);
    const bool gunKeyLineEnabled =
        embeddedLayout(n).number(layoutSection(n), "ComboKey3_Enable") == 1;
    m_view = keyModeViewFor(keyMode, m_options.gunDisplay, m_options.eepromMode, gunKeyLineEnabled);
    fillFromModel(model);
    for (const char* name : {"Img_ComboKey3", "IB_ComboKey3"})
        if (QWidget* w = m_container->findChild<QWidget*>(name)) w->setVisible(m_view.gunKeyLine);
    // A caption longer than the layout's width takes the room it needs rather than being cut.
    for (const SkinButton& option : m_switchOptions)
        option.label->resize(std::max(option.label->width(), option.label->sizeHint().width()),
                             option.label->height());
    return m_view;
}

void ButtonPage::applyLayoutGroup(LayoutGroup, LayoutPass& pass) { placeControls(pass); }

void ButtonPage::applyLanguage(const LanguageTable& language) {
    m_language = &language;
    static constexpr Caption kCaptions[] = {{"IB_ComboKey1", textkey::kSwitchByMiddleKey},
                                            {"IB_ComboKey2", textkey::kSwitchByDpiKey},
                                            {"IB_ComboKey3", textkey::kSwitchByGunKey}};
    setCaptions(*m_container, kCaptions, language);
}

void ButtonPage::placeControls(LayoutPass& p) {
    std::vector<QWidget*> captions;
    for (int k = 1; k <= 9; ++k) captions.push_back(p.find(QString("Key%1").arg(k)));
    for (int k = 1; k <= 3; ++k) captions.push_back(p.find(QString("IB_ComboKey%1").arg(k)));
    applyFont(p, "Size_C", "Color_C", captions);

    p.moveTo(p.find("Img_P1"), p.position("P1", p.find("Img_P1")));

    const int keyWidth = p.width("Key_Width", p.find("Img_Key1"));
    for (int k = 1; k <= 9; ++k) {
        QWidget* image = p.find(QString("Img_Key%1").arg(k));
        QWidget* label = p.find(QString("Key%1").arg(k));
        const std::string key = "Key" + std::to_string(k);
        const bool show = p.number(key + "_Enable") == 1;
        if (image) image->setVisible(show);
        if (label) label->setVisible(show);
        if (!show) continue;
        const QPoint at = p.position(key, image);
        if (image) image->resize(keyWidth, image->height());
        if (label && !image) label->resize(keyWidth, label->height());
        p.placeOnImage(image, label, at);
    }

    // The mode-switch options: the caption offsets are read only once an option is shown.
    const int optionWidth = p.width("Combox_Width", p.find("IB_ComboKey1"));
    std::optional<QPoint> offset;
    for (int k = 1; k <= 3; ++k) {
        QWidget* image = p.find(QString("Img_ComboKey%1").arg(k));
        QWidget* label = p.find(QString("IB_ComboKey%1").arg(k));
        const std::string key = "ComboKey" + std::to_string(k);
        const bool enabled = p.number(key + "_Enable") == 1;
        // The gun-key option belongs to Game Mode with the gun display.
        const bool show = enabled && (k != 3 || (p.ctx.options.gunDisplay && p.ctx.gameMode));
        if (image) image->setVisible(show);
        if (label) label->setVisible(show);
        if (!enabled) continue;
        const QPoint at = p.position(key, image);
        if (!offset) offset = QPoint(p.number("ComboKey_D"), p.number("ComboKey_H"));
        p.moveTo(image, at);
        p.moveTo(label, at + *offset);
        if (label) label->resize(optionWidth, label->height());
    }
}

}  // namespace vornik

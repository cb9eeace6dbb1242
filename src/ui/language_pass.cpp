#include "ui/language_pass.h"

#include <QLabel>
#include <QWidget>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "ui/page.h"
#include "ui/page_controls.h"

namespace vornik {

namespace {

// The caption key of each button every page carries.
constexpr std::pair<ButtonRole, std::string_view> kButtonCaptions[] = {
    {ButtonRole::Confirm, textkey::kConfirm},   {ButtonRole::Apply, textkey::kApply},
    {ButtonRole::Read, textkey::kRead},         {ButtonRole::Confirm1, textkey::kDefault1},
    {ButtonRole::Confirm2, textkey::kDefault2}, {ButtonRole::Confirm3, textkey::kDefault3},
    {ButtonRole::Main, textkey::kOfficeMode},   {ButtonRole::Second, textkey::kGameMode},
    {ButtonRole::Adv, textkey::kAdvanced},      {ButtonRole::Breath, textkey::kLighting},
    {ButtonRole::Macro, textkey::kMacros},      {ButtonRole::Engineer, textkey::kMacros},
    {ButtonRole::Save, textkey::kSave},         {ButtonRole::Load, textkey::kLoad},
    {ButtonRole::Lang1, textkey::kLanguage1},   {ButtonRole::Lang2, textkey::kLanguage2},
    {ButtonRole::Lang3, textkey::kLanguage3},
};

bool insideAny(const QWidget* w, const std::vector<const QWidget*>& roots) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        for (const QWidget* root : roots)
            if (p == root) return true;
    return false;
}

}  // namespace

void setCaptions(QWidget& root, std::span<const Caption> captions, const LanguageTable& language) {
    for (auto [name, key] : captions)
        if (auto* label = root.findChild<QLabel*>(name))
            label->setText(QString::fromStdString(language.text(key)));
}

void applyLanguage(QWidget& window, const LanguageTable& language,
                   const std::vector<Page*>& pages) {
    for (auto [role, key] : kButtonCaptions) {
        const QString text = QString::fromStdString(language.text(key));
        for (int n = 1; n <= 4; ++n)
            if (auto* label =
                    window.findChild<QLabel*>(QString("Btn_%1_%2").arg(roleInfo(role).name).arg(n)))
                label->setText(text);
    }
    std::vector<const QWidget*> ownFonts;
    for (Page* page : pages) {
        page->applyLanguage(language);
        if (page->keepsOwnFont()) ownFonts.push_back(page->widget());
    }
    // After the captions, so that every captioned label takes the font.
    const QString fontName = QString::fromStdString(language.fontName());
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isNull() || insideAny(label, ownFonts)) continue;
        QFont font = label->font();
        font.setFamily(fontName);
        label->setFont(font);
    }
}

}  // namespace vornik

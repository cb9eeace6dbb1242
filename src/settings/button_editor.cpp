#include "settings/button_editor.h"

#include <QPushButton>
#include <QTabWidget>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "formats/layout_keys.h"
#include "image/function_code.h"
#include "image/write_verify.h"
#include "model/config_model.h"
#include "model/macro_binding.h"
#include "model/macro_library.h"
#include "settings/assembly_key_dialog.h"
#include "settings/button_page.h"
#include "settings/engineer_page.h"
#include "settings/function_menu.h"
#include "ui/page.h"

namespace vornik {

namespace {

QRect rectIn(const QWidget* w, const QWidget* ancestor) {
    return QRect(w->mapTo(ancestor, QPoint(0, 0)), w->size());
}

}  // namespace

ButtonEditor::ButtonEditor(const ButtonEditorParts& parts)
    : QObject(parts.window),
      m_parts(parts),
      m_menu(new FunctionMenu(parts.window)),
      m_dialog(new AssemblyKeyDialog(parts.window)) {
    const auto& keys = m_parts.buttons->keys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const int button = static_cast<int>(k) + 1;
        connect(keys[k].label, &ButtonLabel::clicked, this, [this, button] { openForKey(button); });
    }
    EngineerPage* e = m_parts.engineer;
    for (std::size_t k = 0; k < e->btn_Key1.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        connect(e->btn_Key1[k], &QPushButton::clicked, this,
                [this, number] { openForEngineerButton(100 + number); });
        connect(e->btn_Key2[k], &QPushButton::clicked, this,
                [this, number] { openForEngineerButton(200 + number); });
    }
    connect(m_menu, &FunctionMenu::leafChosen, this, &ButtonEditor::assignLeaf);
    connect(m_menu, &FunctionMenu::gunKeyChosen, this, &ButtonEditor::assignGunKey);
    connect(m_menu, &FunctionMenu::macroChosen, this, &ButtonEditor::bindMacro);
    connect(m_menu, &FunctionMenu::assemblyChosen, this, &ButtonEditor::openAssemblyDialog);
    connect(m_menu, &FunctionMenu::fireMacroChosen, this, &ButtonEditor::firePageRequested);
    connect(m_dialog, &AssemblyKeyDialog::confirmed, this, &ButtonEditor::applyAssembly);
}

void ButtonEditor::openForKey(int button) {
    if (button < 1 || button > 9) return;
    emit keyMenuOpening(button);
    m_target = {EditTarget::Source::MainPage, button};
    // The macro page changes the library at any time; the list shows it as it is now.
    refreshMacroNames();
    const SkinButton& key = m_parts.buttons->keys()[static_cast<std::size_t>(button - 1)];
    key.image->setSkin("KeyS_01");
    m_menu->openBesideLabel(rectIn(key.label, m_parts.window));
}

void ButtonEditor::openForEngineerButton(int number) {
    const int mode = number / 100;
    const int button = number % 100;
    if ((mode != 1 && mode != 2) || button < 1 || button > 9) return;
    m_target = {EditTarget::Source::EngineerPage, number};
    refreshMacroNames();
    EngineerPage* e = m_parts.engineer;
    const QPushButton* b =
        (mode == 1 ? e->btn_Key1 : e->btn_Key2)[static_cast<std::size_t>(button - 1)];
    // The button's group lies on a sheet of the page control.
    const QWidget* sheet = b->parentWidget()->parentWidget();
    m_menu->openAboveButton(rectIn(b, sheet), rectIn(e->Pg_Parameter, m_parts.window));
}

void ButtonEditor::hideAllMenu() { m_menu->hideAll(); }

void ButtonEditor::applyLanguage(const LanguageTable& language, int layoutNo) {
    m_language = &language;
    m_layoutNo = layoutNo;
    m_menu->applyLanguage(language);
}

void ButtonEditor::applyLayout(const LayoutKept& kept) {
    m_menu->setHoverColours(kept.menuHoverText, kept.menuHoverBack);
    if (kept.menuBorder.isValid()) m_menu->setBorderColour(kept.menuBorder);
}

void ButtonEditor::setMainPageMenuHeight(int height) { m_menu->setMainPageHeight(height); }

void ButtonEditor::setGunKeys(const QStringList& names, const std::vector<std::string>& codes) {
    m_menu->setGunKeyNames(names);
    m_gunKeyCodes = codes;
}

int ButtonEditor::targetMode() const {
    if (m_target.source == EditTarget::Source::EngineerPage) return m_target.number / 100;
    return m_parts.buttons->view().profile;
}

int ButtonEditor::targetButton() const { return m_target.number % 100; }

void ButtonEditor::assign(const std::function<std::string(int aimIndex)>& code, bool keepLeftKey) {
    if (m_target.number == 0) return;
    const int mode = targetMode();
    const int button = targetButton();
    const Page& from = m_target.source == EditTarget::Source::MainPage
                           ? static_cast<const Page&>(*m_parts.buttons)
                           : static_cast<const Page&>(*m_parts.engineer);
    const EditResult result = m_parts.editor->edit(from, [&](ConfigModel& model) {
        const std::string text = code(model.aimIndex());
        return keepLeftKey ? model.assignButtonFunction(mode, button, text)
                           : model.setButtonFunction(mode, button, text);
    });
    if (result.ok()) return;
    if (result.error == kKeepLeftKeyMessage)
        m_parts.messages->messageDialog(textkey::kKeepLeftKey);
    else
        m_parts.messages->errorMessage(result.error);
}

void ButtonEditor::assignLeaf(int tag) {
    assign([tag](int aimIndex) { return codeForTag(tag, static_cast<std::uint8_t>(aimIndex)); },
           true);
}

void ButtonEditor::assignGunKey(int index) {
    if (m_target.source != EditTarget::Source::EngineerPage || index < 0 ||
        static_cast<std::size_t>(index) >= m_gunKeyCodes.size())
        return;
    const std::string code = m_gunKeyCodes[static_cast<std::size_t>(index)];
    assign([code](int) { return code; }, false);
}

void ButtonEditor::setMacroLibrary(const MacroLibrary* library) {
    m_library = library;
    refreshMacroNames();
}

void ButtonEditor::refreshMacroNames() {
    QStringList names;
    if (m_library)
        for (const std::string& name : m_library->names()) names << QString::fromStdString(name);
    m_menu->setMacroNames(names);
}

void ButtonEditor::bindMacro(int index) {
    if (m_target.number == 0 || m_library == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= m_library->count())
        return;
    const LibraryEntry entry = m_library->entry(static_cast<std::size_t>(index));
    const int mode = targetMode();
    const int button = targetButton();
    const bool mainPage = m_target.source == EditTarget::Source::MainPage;
    const Page& from = mainPage ? static_cast<const Page&>(*m_parts.buttons)
                                : static_cast<const Page&>(*m_parts.engineer);
    const EditResult result = m_parts.editor->edit(from, [&](ConfigModel& model) {
        return bindLibraryMacro(model, mode, button, entry,
                                mainPage ? SlotRange::AllSix : SlotRange::FirstFour);
    });
    if (result.ok()) return;
    if (result.error == kKeepLeftKeyMessage)
        m_parts.messages->messageDialog(textkey::kKeepLeftKey);
    else if (result.error == kNoFreeMacroSlotMessage)
        m_parts.messages->messageDialog(textkey::kEepromSpaceShortage);
    else
        m_parts.messages->errorMessage(result.error);
}

void ButtonEditor::openAssemblyDialog() {
    if (m_language == nullptr) return;
    const int n = std::clamp(m_layoutNo, 1, 3);
    m_dialog->openOver(readDialogGroup(embeddedLayout(n), n, DialogGroup::AssemblyKey),
                       *m_language);
}

void ButtonEditor::applyAssembly(const QString&, const QString& code) {
    const std::string codeText = code.toStdString();
    assign([codeText](int) { return codeText; }, false);
}

}  // namespace vornik

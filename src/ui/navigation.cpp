#include "ui/navigation.h"

#include <QDesktopServices>
#include <QRadioButton>
#include <QUrl>

#include "formats/language_keys.h"
#include "ui/dialogs.h"

namespace vornik {

namespace {

// The page container (1 to 6) of each choice, and its navigation radio.
constexpr std::array<int, kNavigationChoices> kContainerOfChoice{1, 1, 2, 3, 4, 6};
constexpr std::array<const char*, kNavigationChoices> kRadioOfChoice{"rb_1", "rb_2", "rb_4",
                                                                     "rb_5", "rb_6", "rb_7"};

std::size_t indexOf(NavigationChoice choice) { return static_cast<std::size_t>(choice); }

QString hoverSkin(HoverFamily family, bool enter) {
    switch (family) {
        case HoverFamily::WindowButton:
            return enter ? "BtnS_02" : "BtnS_01";
        case HoverFamily::PageButton:
        case HoverFamily::Language:
            return enter ? "SetS_02" : "SetS_01";
        case HoverFamily::KeyLabel:
            return enter ? "KeyS_02" : "KeyS_01";
        case HoverFamily::Exit:
            return enter ? "ExitS_02" : "ExitS_01";
        case HoverFamily::Minimize:
            return enter ? "MiniS_02" : "MiniS_01";
        case HoverFamily::Web:
            return enter ? "WebS_03" : "WebS_01";
    }
    return {};
}

}  // namespace

Navigation::Navigation(WindowState& state, const AppOptions& options, NavigationHost& host,
                       Dialogs& dialogs, NavigationPages pages, QWidget* window)
    : m_state(state),
      m_options(options),
      m_host(host),
      m_dialogs(dialogs),
      m_pages(pages),
      m_window(window) {
    captionTimer.setInterval(200);
    connect(&captionTimer, &QTimer::timeout, this, &Navigation::scrollCaption);
    buildRadios();
    connectButtons();
}

void Navigation::buildRadios() {
    auto* radios = new QWidget(m_window);
    radios->setObjectName("gbNavigation");
    radios->hide();
    for (std::size_t i = 0; i < kNavigationChoices; ++i) {
        auto* rb = new QRadioButton(radios);
        rb->setObjectName(kRadioOfChoice[i]);
        m_radios[i] = rb;
    }
    m_radios[indexOf(m_state.choice)]->setChecked(true);
}

void Navigation::choose(NavigationChoice choice) {
    m_state.choice = choice;
    m_radios[indexOf(choice)]->setChecked(true);
}

void Navigation::addHover(ButtonLabel* label, HoverFamily family) {
    connect(label, &ButtonLabel::entered, this,
            [this, label, family] { hoverEnter(label, family); });
    connect(label, &ButtonLabel::left, this, [this, label, family] { hoverLeave(label, family); });
}

void Navigation::connectButtons() {
    using Handler = void (Navigation::*)();
    const std::array<Handler, kPageRoleCount> handlers{
        &Navigation::Btn_Main_0Click,  &Navigation::Btn_Second_0Click,
        &Navigation::Btn_Adv_0Click,   &Navigation::Btn_Breath_0Click,
        &Navigation::Btn_Macro_0Click, &Navigation::Btn_Engineer_0Click};
    for (CommonPage& page : *m_pages.common) {
        for (const ButtonRoleInfo& info : kButtonRoles)
            addHover(page.button(info.role).label, info.family);
        for (std::size_t i = 0; i < kPageRoleCount; ++i)
            connect(page.button(pageRole(i)).label, &ButtonLabel::clicked, this, handlers[i]);
        ButtonLabel* web = page.button(ButtonRole::Web).label;
        connect(web, &ButtonLabel::clicked, this, [this, web] {
            imageOf(web)->setSkin("WebS_02");
            if (m_options.webEnable && !m_options.web.empty())
                QDesktopServices::openUrl(QUrl(QString::fromStdString(m_options.web)));
        });
    }
}

SkinImage* Navigation::imageOf(const ButtonLabel* label) const {
    // The image under a label carries the label's name with "Btn_" replaced by "Img_", or, for
    // the key labels, the label's name prefixed with "Img_".
    const QString name = label->objectName();
    const QString imageName = name.startsWith("Btn_") ? "Img_" + name.mid(4) : "Img_" + name;
    return label->parentWidget()->findChild<SkinImage*>(imageName, Qt::FindDirectChildrenOnly);
}

void Navigation::setAllSkins(ButtonRole role, const QString& skin) {
    for (CommonPage& page : *m_pages.common) page.button(role).image->setSkin(skin);
}

void Navigation::markPageButtons(ButtonRole role) {
    for (std::size_t i = 0; i < kPageRoleCount; ++i) setAllSkins(pageRole(i), "SetS_01");
    setAllSkins(role, "SetS_03");
    m_markedPage = role;
}

void Navigation::markLanguage() {
    for (int n = 1; n <= 3; ++n)
        setAllSkins(languageRole(n), n == m_state.language ? "SetS_03" : "SetS_01");
}

void Navigation::loadStartupImages() {
    for (CommonPage& page : *m_pages.common)
        for (const ButtonRoleInfo& info : kButtonRoles)
            page.button(info.role).image->setSkin(info.normalSkin);
    markPageButtons(ButtonRole::Main);
    markLanguage();
}

void Navigation::showOnly(int container) {
    for (int i = 0; i < 6; ++i)
        m_pages.containers[static_cast<std::size_t>(i)]->setVisible(i + 1 == container);
}

int Navigation::visiblePage() const {
    for (int i = 0; i < 6; ++i)
        if (m_pages.containers[static_cast<std::size_t>(i)]->isVisibleTo(m_window)) return i + 1;
    return 0;
}

void Navigation::showNoDevicePages() {
    showOnly(1);
    choose(NavigationChoice::Office);
    markPageButtons(ButtonRole::Main);
}

void Navigation::showKeyModePage(int keyMode) {
    const bool game = keyMode == 2;
    choose(game ? NavigationChoice::Game : NavigationChoice::Office);
    markPageButtons(game ? ButtonRole::Second : ButtonRole::Main);
    showOnly(1);
}

void Navigation::choosePage(NavigationChoice choice) {
    if (!m_host.mouseConnected()) {
        m_dialogs.messageBox(m_window, m_host.text(textkey::kFindingDevice));
        return;
    }
    if (m_state.noDeviceShown) return;
    m_host.hideAllMenu();
    const std::size_t index = indexOf(choice);
    choose(choice);
    if (choice == NavigationChoice::Office || choice == NavigationChoice::Game)
        m_host.showKeyMode(choice == NavigationChoice::Game ? 2 : 1);
    const int container = kContainerOfChoice[index];
    showOnly(container);
    markPageButtons(pageRole(index));
    // The panel picture of the page; the engineer page takes the macro page's.
    const int back = container == 6 ? 4 : container;
    (*m_pages.common)[static_cast<std::size_t>(back - 1)].panel->setSkin(
        QString("L%1_Back%2").arg(m_state.language).arg(back));
    if (container == 6) {
        unlockEngineer();
        unlockFireRecorder();
    }
}

void Navigation::showFirePage() {
    m_host.hideAllMenu();
    showOnly(5);
}

void Navigation::leaveFirePage() {
    m_host.hideAllMenu();
    showOnly(1);
}

void Navigation::showChosenPage() {
    showOnly(m_state.noDeviceShown ? 1 : kContainerOfChoice[indexOf(m_state.choice)]);
}

void Navigation::unlockEngineer() {
    m_state.engineerUnlocked = true;
    m_host.unlockEngineer();
}

void Navigation::unlockFireRecorder() {
    m_state.fireRecorderUnlocked = true;
    m_host.unlockFireRecorder();
}

void Navigation::hoverEnter(ButtonLabel* label, HoverFamily family) {
    if (family == HoverFamily::Web && !m_host.mouseConnected()) return;
    if (SkinImage* image = imageOf(label)) image->setSkin(hoverSkin(family, true));
    if (family != HoverFamily::Web && label->isEnabled()) startScrolling(label);
}

void Navigation::hoverLeave(ButtonLabel* label, HoverFamily family) {
    if (family == HoverFamily::Web && !m_host.mouseConnected()) return;
    if (SkinImage* image = imageOf(label)) image->setSkin(hoverSkin(family, false));
    if (family == HoverFamily::PageButton && !m_state.noDeviceShown)
        setAllSkins(m_markedPage, "SetS_03");
    if (family == HoverFamily::Language) markLanguage();
    if (m_scrolling == label) stopScrolling();
}

void Navigation::startScrolling(ButtonLabel* label) {
    stopScrolling();
    if (!m_options.textRolling) return;
    m_scrolling = label;
    m_captionBefore = label->text();
    m_tick = 0;
    captionTimer.start();
}

void Navigation::stopScrolling() {
    captionTimer.stop();
    if (m_scrolling) m_scrolling->setText(m_captionBefore);
    m_scrolling = nullptr;
}

void Navigation::scrollCaption() {
    if (!m_scrolling) return;
    if (++m_tick > 20) m_tick = 2;
    const QString caption = m_scrolling->text();
    if (caption.isEmpty()) return;
    if (m_tick == 1)
        m_scrolling->setText(caption.mid(1) + "    " + caption.left(1));
    else
        m_scrolling->setText(caption.mid(1) + caption.left(1));
}

}  // namespace vornik

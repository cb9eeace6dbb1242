#include "app/navigation.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QUrl>

#include "app/app_session.h"
#include "settings/engineer_page.h"
#include "ui/dialogs.h"

namespace vornik {

namespace {

// Page container (1 to 6) and radio of each navigation role.
constexpr std::array<int, 6> kContainerOfRole{1, 1, 2, 3, 4, 6};

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

Navigation::Navigation(AppSession& session, PageSet& pages, Dialogs& dialogs, QWidget* window)
    : m_session(session), m_pages(pages), m_dialogs(dialogs), m_window(window) {
    LabelRun.setInterval(200);
    connect(&LabelRun, &QTimer::timeout, this, &Navigation::LabelRunTimer);
    connectButtons();
}

void Navigation::connectButtons() {
    using Handler = void (Navigation::*)();
    const std::array<Handler, 6> handlers{
        &Navigation::Btn_Main_0Click,  &Navigation::Btn_Second_0Click,
        &Navigation::Btn_Adv_0Click,   &Navigation::Btn_Breath_0Click,
        &Navigation::Btn_Macro_0Click, &Navigation::Btn_Engineer_0Click};
    for (auto& page : m_pages.common) {
        for (auto& [role, button] : page.buttons) {
            const auto it = std::find_if(kCommonButtonRoles.begin(), kCommonButtonRoles.end(),
                                         [&](const ButtonRole& r) { return role == r.role; });
            const HoverFamily family = it->family;
            ButtonLabel* label = button.label;
            connect(label, &ButtonLabel::entered, this,
                    [this, label, family] { hoverEnter(label, family); });
            connect(label, &ButtonLabel::left, this,
                    [this, label, family] { hoverLeave(label, family); });
        }
        for (std::size_t i = 0; i < kPageRoles.size(); ++i)
            connect(page.buttons[kPageRoles[i]].label, &ButtonLabel::clicked, this, handlers[i]);
        ButtonLabel* web = page.buttons["Web"].label;
        connect(web, &ButtonLabel::clicked, this, [this, web] {
            imageOf(web)->setSkin("WebS_02");
            if (m_session.options.webEnable && !m_session.options.web.empty())
                QDesktopServices::openUrl(QUrl(QString::fromStdString(m_session.options.web)));
        });
    }
    for (auto& key : m_pages.keys) {
        ButtonLabel* label = key.label;
        connect(label, &ButtonLabel::entered, this,
                [this, label] { hoverEnter(label, HoverFamily::KeyLabel); });
        connect(label, &ButtonLabel::left, this,
                [this, label] { hoverLeave(label, HoverFamily::KeyLabel); });
    }
    if (m_pages.fireBase)
        connect(m_pages.fireBase, &SkinImage::doubleClicked, this, &Navigation::Img_Base_5DblClick);
    for (SkinButton* b : {&m_pages.fireConfirm, &m_pages.fireCancel}) {
        if (!b->label) continue;
        ButtonLabel* label = b->label;
        connect(label, &ButtonLabel::entered, this,
                [this, label] { hoverEnter(label, HoverFamily::WindowButton); });
        connect(label, &ButtonLabel::left, this,
                [this, label] { hoverLeave(label, HoverFamily::WindowButton); });
        connect(label, &ButtonLabel::clicked, this, [this] {
            hideAllMenu();
            showOnly(1);
        });
    }
    if (auto* e = m_pages.engineer) {
        connect(e->Img_Logo4, &SkinImage::doubleClicked, this, &Navigation::Img_Logo4DblClick);
        connect(e->Btn_Main_6, &QPushButton::clicked, this, &Navigation::Btn_Main_0Click);
        connect(e->Btn_Switch_6, &QPushButton::clicked, this, &Navigation::Btn_Second_0Click);
        connect(e->Btn_Adv_6, &QPushButton::clicked, this, &Navigation::Btn_Adv_0Click);
        connect(e->Btn_Breath_6, &QPushButton::clicked, this, &Navigation::Btn_Breath_0Click);
        connect(e->Btn_Macro_6, &QPushButton::clicked, this, &Navigation::Btn_Macro_0Click);
    }
}

SkinImage* Navigation::imageOf(const ButtonLabel* label) const {
    // The image under a label carries the label's name with "Btn_" replaced by "Img_", or, for
    // the key labels, the label's name prefixed with "Img_".
    const QString name = label->objectName();
    const QString imageName = name.startsWith("Btn_") ? "Img_" + name.mid(4) : "Img_" + name;
    return label->parentWidget()->findChild<SkinImage*>(imageName, Qt::FindDirectChildrenOnly);
}

QString Navigation::roleOf(const ButtonLabel* label) const {
    const QString name = label->objectName();  // Btn_<role>_<n>
    return name.mid(4, name.lastIndexOf('_') - 4);
}

void Navigation::setAllSkins(const QString& role, const QString& skin) {
    for (auto& page : m_pages.common) {
        auto it = page.buttons.find(role);
        if (it != page.buttons.end()) it->second.image->setSkin(skin);
    }
}

void Navigation::markPageButtons(const QString& role) {
    for (const char* r : kPageRoles) setAllSkins(r, "SetS_01");
    setAllSkins(role, "SetS_03");
    m_currentPageRole = role;
}

void Navigation::setLanguageMarked(int language) {
    for (int n = 1; n <= 3; ++n)
        setAllSkins(QString("Lang%1").arg(n), n == language ? "SetS_03" : "SetS_01");
}

void Navigation::loadStartupImages() {
    for (auto& page : m_pages.common)
        for (auto& [role, button] : page.buttons) {
            const auto it = std::find_if(kCommonButtonRoles.begin(), kCommonButtonRoles.end(),
                                         [&](const ButtonRole& r) { return role == r.role; });
            button.image->setSkin(it->normalSkin);
        }
    markPageButtons("Main");
    setLanguageMarked(1);
    for (auto& key : m_pages.keys) key.image->setSkin("KeyS_01");
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
    m_pages.rb_1->setChecked(true);
    markPageButtons("Main");
}

void Navigation::showKeyModePage(int keyMode) {
    const bool game = keyMode == 2;
    (game ? m_pages.rb_2 : m_pages.rb_1)->setChecked(true);
    markPageButtons(game ? "Second" : "Main");
    showOnly(1);
}

void Navigation::switchPage(int roleIndex) {
    if (!m_session.mouseConnected()) {
        m_dialogs.messageBox(m_window, text("Str020"));
        return;
    }
    if (m_session.NoDeviceShown) return;
    hideAllMenu();
    const QString role = kPageRoles[static_cast<std::size_t>(roleIndex)];
    const std::array<QRadioButton*, 6> radios{m_pages.rb_1, m_pages.rb_2, m_pages.rb_4,
                                              m_pages.rb_5, m_pages.rb_6, m_pages.rb_7};
    radios[static_cast<std::size_t>(roleIndex)]->setChecked(true);
    if (roleIndex <= 1) {
        if (m_pages.engineer) m_pages.engineer->cb_KeyMode->setCurrentIndex(roleIndex);
        showButtonPage(roleIndex + 1);
    }
    const int container = kContainerOfRole[static_cast<std::size_t>(roleIndex)];
    showOnly(container);
    markPageButtons(role);
    // The panel picture of the page; the engineer page takes the macro page's.
    const int back = container == 6 ? 4 : container;
    m_pages.common[static_cast<std::size_t>(back - 1)].panel->setSkin(
        QString("L%1_Back%2").arg(m_session.LayoutNo).arg(back));
    if (container == 6) {
        Img_Logo4DblClick();
        Img_Base_5DblClick();
    }
}

void Navigation::Btn_Main_0Click() { switchPage(0); }
void Navigation::Btn_Second_0Click() { switchPage(1); }
void Navigation::Btn_Adv_0Click() { switchPage(2); }
void Navigation::Btn_Breath_0Click() { switchPage(3); }
void Navigation::Btn_Macro_0Click() { switchPage(4); }
void Navigation::Btn_Engineer_0Click() { switchPage(5); }

void Navigation::showFirePage() {
    hideAllMenu();
    showOnly(5);
}

void Navigation::RefreshAPPage() {
    if (m_session.NoDeviceShown) {
        showOnly(1);
        return;
    }
    const std::array<std::pair<QRadioButton*, int>, 6> byRadio{{{m_pages.rb_1, 1},
                                                                {m_pages.rb_2, 1},
                                                                {m_pages.rb_4, 2},
                                                                {m_pages.rb_5, 3},
                                                                {m_pages.rb_6, 4},
                                                                {m_pages.rb_7, 6}}};
    for (auto [radio, container] : byRadio)
        if (radio->isChecked()) return showOnly(container);
    showOnly(1);
}

void Navigation::Img_Logo4DblClick() {
    m_session.engineerUnlocked = true;
    if (m_pages.engineer) m_pages.engineer->unlock();
}

void Navigation::Img_Base_5DblClick() {
    m_session.fireRecorderUnlocked = true;
    if (m_pages.fireRecorder) m_pages.fireRecorder->show();
}

void Navigation::hoverEnter(ButtonLabel* label, HoverFamily family) {
    if (family == HoverFamily::Web && !m_session.mouseConnected()) return;
    if (SkinImage* image = imageOf(label)) image->setSkin(hoverSkin(family, true));
    if (family != HoverFamily::Web && label->isEnabled()) startScrolling(label);
}

void Navigation::hoverLeave(ButtonLabel* label, HoverFamily family) {
    if (family == HoverFamily::Web && !m_session.mouseConnected()) return;
    if (SkinImage* image = imageOf(label)) image->setSkin(hoverSkin(family, false));
    if (family == HoverFamily::PageButton && !m_session.NoDeviceShown)
        setAllSkins(m_currentPageRole, "SetS_03");
    if (family == HoverFamily::Language) setLanguageMarked(m_session.LayoutNo);
    if (m_scrolling == label) stopScrolling();
}

void Navigation::startScrolling(ButtonLabel* label) {
    stopScrolling();
    if (!m_session.options.textRolling) return;
    m_scrolling = label;
    m_captionBefore = label->text();
    m_tick = 0;
    LabelRun.start();
}

void Navigation::stopScrolling() {
    LabelRun.stop();
    if (m_scrolling) m_scrolling->setText(m_captionBefore);
    m_scrolling = nullptr;
}

void Navigation::LabelRunTimer() {
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

#include "settings/function_menu.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <algorithm>
#include <span>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "image/function_code.h"
#include "model/settings_values.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace {

constexpr int kEntryHeight = 24;
constexpr int kMarkerWidth = 16;
// Until the layout says otherwise (M_L_W, SP_L_W, O_L_W).
constexpr int kMainWidth = 230;
constexpr int kSpecialWidth = 200;
constexpr int kOtherWidth = 180;
constexpr int kListHeight = 170;

int panelHeight(int rows) { return rows * kEntryHeight + 2; }

struct Leaf {
    const char* name;
    int tag;
};

constexpr Leaf kMouseKeys[] = {
    {"Key_Left", 900}, {"Key_Right", 901}, {"Key_Middle", 902}, {"Key_B4", 903}, {"Key_B5", 904}};
constexpr Leaf kMedia[] = {{"Key_PlayPause", 1300},     {"Key_Stop", 1301},
                           {"Key_PreviousTrack", 1302}, {"Key_NextTrack", 1303},
                           {"Key_VolumePlus", 1304},    {"Key_VolumeMinus", 1305},
                           {"Key_Mute", 1306}};
constexpr Leaf kWeb[] = {{"Key_WWWHome", 1400},     {"Key_WWWSearch", 1401},
                         {"Key_WWWBack", 1402},     {"Key_WWWForward", 1403},
                         {"Key_WWWStop", 1404},     {"Key_WWWRefresh", 1405},
                         {"Key_WWWFavorites", 1406}};
constexpr Leaf kMyComputer[] = {
    {"Key_Computer", 1100}, {"Key_Calculator", 1101}, {"Key_EMail", 1102}, {"Key_Desktop", 1103}};
constexpr Leaf kDpiKeys[] = {{"Key_CPI", 2000}, {"Key_CPII", 2001}, {"Key_CPID", 2002}};

// The captions of the entries that are not leaves.
std::string_view captionKey(int tag) {
    switch (tag) {
        case menutag::kStandard:
            return textkey::kMenuStandard;
        case menutag::kSpecial:
            return textkey::kMenuSpecial;
        case menutag::kMedia:
            return textkey::kMenuMedia;
        case menutag::kWeb:
            return textkey::kMenuWeb;
        case menutag::kMyComputer:
            return textkey::kMenuMyComputer;
        case menutag::kDpiKey:
            return textkey::kMenuDpiKey;
        case menutag::kMacro:
            return textkey::kMenuMacro;
        case menutag::kFireMacro:
        case menutag::kGunKeys:
            return textkey::kMenuFireMacro;
        case menutag::kAssembly:
            return textkey::kMenuAssembly;
        default:
            return nameKeyForTag(tag);
    }
}

bool isLeaf(int tag) { return tag >= 900; }

}  // namespace

QPoint menuBesideLabel(const QRect& label, QSize menu, QSize window) {
    int left = label.x() + label.width() / 2;
    if (label.x() + label.width() + menu.width() >= window.width()) left -= menu.width();
    int top = label.y() + label.height() / 2;
    if (label.y() + label.height() + menu.height() >= window.height()) top -= menu.height();
    return {left, top};
}

QPoint menuAboveButton(const QRect& button, const QRect& pageControl, QSize menu) {
    int left = pageControl.x() + button.x() + 10;
    if (button.x() + menu.width() > pageControl.width())
        left = pageControl.x() + button.x() + button.width() - menu.width() + 10;
    return {left, button.y() + pageControl.y() - menu.height() + 38};
}

QPoint subMenuBeside(const QRect& entry, const QRect& parent, QSize subMenu, int reach,
                     QSize window) {
    const int left = parent.x() + reach < window.width()
                         ? parent.x() + entry.x() + entry.width() + 2
                         : parent.x() - subMenu.width();
    const int top = parent.y() + entry.y();
    const bool fits = top + entry.height() + subMenu.height() < window.height();
    return {left, fits ? top : top + entry.height() - subMenu.height()};
}

namespace {

void setListBorder(QListWidget* list, const QColor& colour) {
    list->setFrameShape(QFrame::Box);
    list->setFrameShadow(QFrame::Plain);
    list->setLineWidth(1);
    QPalette p = list->palette();
    p.setColor(QPalette::WindowText, colour);
    list->setPalette(p);
}

}  // namespace

FunctionMenu::FunctionMenu(QWidget* window) : QObject(window), m_window(window) { build(); }

FunctionMenu::~FunctionMenu() {
    if (m_watching) qApp->removeEventFilter(this);
}

QWidget* FunctionMenu::addPanel(const char* name, int width) {
    // No border until the layout gives its colour.
    auto* panel = new FramedPanel(name, m_window, QColor(28, 30, 36), Qt::transparent);
    panel->resize(width, kEntryHeight);
    panel->hide();
    m_shown.push_back(panel);
    return panel;
}

void FunctionMenu::addEntry(QWidget* panel, const char* name, int tag, int row,
                            const char* marker) {
    auto* label = new ButtonLabel(name, panel);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // An entry paints its own background while hovered.
    label->setAttribute(Qt::WA_TranslucentBackground, false);
    label->setAttribute(Qt::WA_NoSystemBackground, false);
    label->setGeometry(2, 1 + row * kEntryHeight, panel->width() - 4, kEntryHeight);
    if (marker) {
        auto* mark = new QLabel(QStringLiteral("\u00BB"), panel);
        mark->setObjectName(marker);
        mark->setGeometry(panel->width() - 4 - kMarkerWidth, label->y(), kMarkerWidth,
                          kEntryHeight);
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    panel->resize(panel->width(), std::max(panel->height(), panelHeight(row + 1)));
    m_entries.push_back(Entry{label, panel, tag, {}});
}

void FunctionMenu::build() {
    m_main = addPanel("Pnl_Main", kMainWidth);
    addEntry(m_main, "Key_Standard", menutag::kStandard, 0, "ST_Standard");
    addEntry(m_main, "Key_Special", menutag::kSpecial, 1, "ST_Special");
    addEntry(m_main, "Key_Media", menutag::kMedia, 2, "ST_Media");
    addEntry(m_main, "Key_WWW", menutag::kWeb, 3, "ST_WWW");
    addEntry(m_main, "Key_MyPC", menutag::kMyComputer, 4, "ST_MyPC");
    addEntry(m_main, "Key_Macro", menutag::kMacro, 5, "ST_Macro");
    addEntry(m_main, "Key_Assembly", menutag::kAssembly, 6);
    // The last row is cut off at 170 pixels: it shows with the gun display.
    addEntry(m_main, "Key_FireMacro", menutag::kFireMacro, 7);
    addEntry(m_main, "Key_TLFireMacro", menutag::kGunKeys, 7, "ST_TLFireMacro");

    m_special = addPanel("Pnl_Special", kSpecialWidth);
    const Leaf special[] = {{"Key_Fire", 1000},   {"Key_LEDSwitch", 1001}, {"Key_AIMKey", 1002},
                            {"Key_KeyOff", 1004}, {"Key_KeyMode", 1005},   {"Key_LEDMode", 1006}};
    int row = 0;
    for (const Leaf& leaf : special) addEntry(m_special, leaf.name, leaf.tag, row++);
    addEntry(m_special, "Key_CPIKey", menutag::kDpiKey, row++, "ST_CPIKey");
    addEntry(m_special, "Key_FnFire", 1003, row++);

    const auto leaves = [this](const char* name, std::span<const Leaf> list) {
        QWidget* panel = addPanel(name, kOtherWidth);
        int r = 0;
        for (const Leaf& leaf : list) addEntry(panel, leaf.name, leaf.tag, r++);
        return panel;
    };
    m_mouseKeys = leaves("Pnl_MseKey", kMouseKeys);
    m_dpiKeys = leaves("Pnl_CPIKey", kDpiKeys);
    m_media = leaves("Pnl_Media", kMedia);
    m_web = leaves("Pnl_WWW", kWeb);
    m_myComputer = leaves("Pnl_MyPC", kMyComputer);

    for (const char* name : {"LB_Name", "LB_Script"}) {
        auto* list = new QListWidget(m_window);
        list->setObjectName(name);
        list->resize(kOtherWidth, kListHeight);
        list->setFrameShape(QFrame::NoFrame);
        list->setMouseTracking(true);
        list->hide();
        m_shown.push_back(list);
        (std::string_view(name) == "LB_Name" ? m_macroList : m_gunKeyList) = list;
    }
    connect(m_macroList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = m_macroList->row(item);
        hideAll();
        emit macroChosen(index);
    });
    connect(m_gunKeyList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = m_gunKeyList->row(item);
        const QString caption = item->text();
        hideAll();
        emit gunKeyChosen(index, caption);
    });

    for (Entry& entry : m_entries) {
        Entry* e = &entry;
        connect(entry.label, &ButtonLabel::entered, this, [this, e] { enterEntry(*e); });
        connect(entry.label, &ButtonLabel::left, this, [this, e] { leaveEntry(*e); });
        connect(entry.label, &ButtonLabel::clicked, this, [this, e] { clickEntry(*e); });
    }
}

QWidget* FunctionMenu::panel(const char* name) const {
    for (QWidget* w : m_shown)
        if (w->objectName() == QLatin1String(name)) return w;
    return nullptr;
}

ButtonLabel* FunctionMenu::entry(const QString& name) const {
    for (const Entry& e : m_entries)
        if (e.label->objectName() == name) return e.label;
    return nullptr;
}

void FunctionMenu::setHoverColours(const QColor& text, const QColor& back) {
    m_hoverText = text;
    m_hoverBack = back;
}

void FunctionMenu::setBorderColour(const QColor& colour) {
    for (QWidget* w : m_shown) {
        if (auto* panel = dynamic_cast<FramedPanel*>(w))
            panel->setBorder(colour);
        else if (auto* list = qobject_cast<QListWidget*>(w)) {
            setListBorder(list, colour);
        }
    }
}

void FunctionMenu::applyLanguage(const LanguageTable& language) {
    const QString bullet = QString::fromStdString(language.text(textkey::kMenuBullet));
    for (const Entry& e : m_entries)
        e.label->setText(" " + bullet + " " +
                         QString::fromStdString(language.text(captionKey(e.tag))));
}

void FunctionMenu::setMacroNames(const QStringList& names) {
    m_macroList->clear();
    m_macroList->addItems(names);
}

void FunctionMenu::setGunKeyNames(const QStringList& names) {
    m_gunKeyList->clear();
    m_gunKeyList->addItems(names);
}

bool FunctionMenu::isOpen() const { return !m_main->isHidden(); }

void FunctionMenu::openBesideLabel(const QRect& label) {
    const QSize menu(m_main->width(), m_mainPageHeight);
    open(menuBesideLabel(label, menu, m_window->size()), m_mainPageHeight, false);
}

void FunctionMenu::openAboveButton(const QRect& button, const QRect& pageControl) {
    const QSize menu(m_main->width(), kGunMenuHeight);
    open(menuAboveButton(button, pageControl, menu), kGunMenuHeight, true);
}

void FunctionMenu::open(QPoint at, int height, bool engineer) {
    hideAll();
    for (QWidget* menu : {m_main, m_special}) menu->resize(menu->width(), height);
    entry("Key_FireMacro")->setVisible(!engineer);
    entry("Key_TLFireMacro")->setVisible(engineer);
    if (QWidget* marker = m_main->findChild<QWidget*>("ST_TLFireMacro"))
        marker->setVisible(engineer);
    m_main->move(at);
    m_main->raise();
    m_main->show();
    if (!m_watching) {
        qApp->installEventFilter(this);
        m_watching = true;
    }
}

void FunctionMenu::hideAll() {
    for (QWidget* w : m_shown) w->hide();
    for (Entry& e : m_entries)
        if (e.label->autoFillBackground()) leaveEntry(e);
    if (m_watching) {
        qApp->removeEventFilter(this);
        m_watching = false;
    }
}

void FunctionMenu::hideSubMenus(std::initializer_list<const QWidget*> keep) {
    for (QWidget* w : m_shown)
        if (w != m_main && std::find(keep.begin(), keep.end(), w) == keep.end()) w->hide();
}

void FunctionMenu::showBeside(QWidget* shown, const Entry& entry, int reach) {
    const QRect parent = entry.panel->geometry();
    shown->move(
        subMenuBeside(entry.label->geometry(), parent, shown->size(), reach, m_window->size()));
    shown->raise();
    shown->show();
}

void FunctionMenu::enterEntry(Entry& entry) {
    // Only one entry of a panel is under the pointer, whatever leave events went missing.
    for (Entry& other : m_entries)
        if (&other != &entry && other.panel == entry.panel) leaveEntry(other);
    if (!entry.label->autoFillBackground()) entry.normal = entry.label->palette();
    QPalette p = entry.normal;
    p.setColor(QPalette::Window, m_hoverBack);
    p.setColor(QPalette::WindowText, m_hoverText);
    entry.label->setPalette(p);
    entry.label->setAutoFillBackground(true);

    const int besideMain = m_main->width() + m_special->width();
    auto openFromMain = [&](QWidget* shown) {
        hideSubMenus({shown});
        showBeside(shown, entry, besideMain);
    };
    switch (entry.tag) {
        case menutag::kStandard:
            return openFromMain(m_mouseKeys);
        case menutag::kSpecial:
            return openFromMain(m_special);
        case menutag::kMedia:
            return openFromMain(m_media);
        case menutag::kWeb:
            return openFromMain(m_web);
        case menutag::kMyComputer:
            return openFromMain(m_myComputer);
        case menutag::kMacro:
            m_macroList->setCurrentRow(-1);
            return openFromMain(m_macroList);
        case menutag::kGunKeys:
            if (m_gunKeyList->count() > 0) return openFromMain(m_gunKeyList);
            return hideSubMenus();
        case menutag::kDpiKey: {
            hideSubMenus({m_special, m_dpiKeys});
            // Measured from Pnl_Main's left edge across all three menus.
            const int reach = m_main->x() - m_special->x() + besideMain + m_dpiKeys->width();
            return showBeside(m_dpiKeys, entry, reach);
        }
        case menutag::kFireMacro:
        case menutag::kAssembly:
            return hideSubMenus();
        default:
            if (entry.panel == m_special) m_dpiKeys->hide();
            return;
    }
}

void FunctionMenu::leaveEntry(Entry& entry) {
    if (!entry.label->autoFillBackground()) return;
    entry.label->setAutoFillBackground(false);
    entry.label->setPalette(entry.normal);
}

void FunctionMenu::clickEntry(const Entry& entry) {
    if (isLeaf(entry.tag)) {
        const QString caption = entry.label->text().mid(3);
        const int tag = entry.tag;
        hideAll();
        emit leafChosen(tag, caption);
    } else if (entry.tag == menutag::kAssembly) {
        hideAll();
        emit assemblyChosen();
    } else if (entry.tag == menutag::kFireMacro) {
        hideAll();
        emit fireMacroChosen();
    }
}

bool FunctionMenu::insideMenus(const QWidget* w) const {
    for (; w != nullptr; w = w->parentWidget())
        if (std::find(m_shown.begin(), m_shown.end(), w) != m_shown.end()) return true;
    return false;
}

bool FunctionMenu::eventFilter(QObject* watched, QEvent* event) {
    // A press anywhere but on the menus closes them.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        !insideMenus(static_cast<QWidget*>(watched)))
        hideAll();
    return QObject::eventFilter(watched, event);
}

}  // namespace vornik

#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QWindow>
#include <utility>

#include "app/app_session.h"
#include "app/device_buttons.h"
#include "app/profile_buttons.h"
#include "fire/fire_page.h"
#include "formats/engineer_terms.h"
#include "formats/language_keys.h"
#include "formats/layout_keys.h"
#include "image/defaults.h"
#include "macros/macro_page.h"
#include "model/macro_library_file.h"
#include "model/settings_values.h"
#include "model/slot_names.h"
#include "settings/advanced_page.h"
#include "settings/button_editor.h"
#include "settings/button_page.h"
#include "settings/engineer_page.h"
#include "settings/gun_list_view.h"
#include "settings/light_page.h"
#include "settings/pointer_settings_view.h"
#include "ui/default_layout.h"
#include "ui/dialogs.h"
#include "ui/language_pass.h"
#include "ui/loading_window.h"
#include "ui/skin/skin.h"

namespace vornik {

MainWindow::MainWindow(AppSession& session, Dialogs& dialogs)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_session(session),
      m_dialogs(dialogs),
      m_macroLibrary(std::make_unique<MacroLibraryFile>(session.macroLibraryFile.value_or(""))),
      m_monitor(session.device, *this) {
    setObjectName("Form1");
    setWindowTitle(kWindowCaption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int n = 1; n <= 3; ++n)
        m_languages[static_cast<std::size_t>(n - 1)] = LanguageTable::embedded(n);

    // The window takes the size of the page background.
    const QPixmap background = skinPixmap("L1_BackGround");
    setFixedSize(background.isNull() ? QSize(layout::kWindowWidth, layout::kWindowHeight)
                                     : background.size());
    std::string libraryError;
    if (m_session.macroLibraryFile) {
        const LibraryFileState opened = m_macroLibrary->open(libraryError);
        if (opened != LibraryFileState::NotCreated && opened != LibraryFileState::Unreadable)
            libraryError.clear();
    }
    buildPages();
    applyWindowShape();

    m_navigation = std::make_unique<Navigation>(m_state, m_session.options, *this, m_dialogs,
                                                NavigationPages{m_containers, &m_common}, this);
    m_flows = std::make_unique<ImageFlows>(m_session.device, *this, *this, m_session.model);
    if (m_session.snapshotFolder)
        m_flows->requireSnapshots(std::make_unique<SnapshotStore>(
            *m_session.snapshotFolder, [] { return std::chrono::system_clock::now(); }));
    else
        m_flows->requireSnapshots(nullptr, "the user's state folder is not known");
    m_monitor.expectedPair = expectedIdPair(builtInImage());
    m_monitor.reservePair = {static_cast<std::uint8_t>(m_session.options.revManuId),
                             static_cast<std::uint8_t>(m_session.options.revProId)};
    m_buttons = std::make_unique<DeviceButtons>(m_session, *this, *m_flows, m_monitor);
    m_profiles = std::make_unique<ProfileButtons>(m_session, *this, *m_flows, m_dialogs);
    connectPages();
    m_session.model.addListener(*this);

    deviceTimer.setInterval(1000);
    connect(&deviceTimer, &QTimer::timeout, this, [this] { m_monitor.tick(); });

    m_advancedPage->pointerSettings().readFromSystem();
    m_navigation->loadStartupImages();
    // The pages name codes in the language from the start.
    for (Page* page : m_pages) page->applyLanguage(language());
    showNoDeviceState();
    lockPages();
    switchLanguage(1);

    // The other layouts' page backgrounds, so that the first switch to them does not decode.
    QStringList backgrounds;
    for (int n = 2; n <= 3; ++n) {
        backgrounds << QString("L%1_BackGround").arg(n);
        for (int k = 1; k <= 6; ++k) backgrounds << QString("L%1_Back%2").arg(n).arg(k);
    }
    prefetchSkin(backgrounds);
    if (!libraryError.empty()) errorMessage(libraryError);

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(QIcon(skinPixmap("AppIcon")), this);
        m_tray->show();
    }
}

MainWindow::~MainWindow() { m_session.model.removeListener(*this); }

namespace {

// The engineer captions follow the system's locale, not the chosen language.
TermColumn systemTermColumn() {
    const bool chinese = QLocale::system().language() == QLocale::Chinese &&
                         QLocale::system().territory() == QLocale::China;
    return termColumnForLocale(chinese ? 2052 : 0);
}

}  // namespace

void MainWindow::buildPages() {
    for (int i = 0; i < 6; ++i) {
        auto* page = new QWidget(this);
        page->setObjectName(QString("gbPage%1").arg(i + 1));
        page->setGeometry(0, 0, width(), height());
        m_containers[static_cast<std::size_t>(i)] = page;
    }
    // Pages 1 to 4 carry the shared controls; each page's own controls lie between the panel
    // and the overlay.
    for (int n = 1; n <= 4; ++n) {
        QWidget* container = m_containers[static_cast<std::size_t>(n - 1)];
        CommonPage common = beginCommonPage(n, container);
        switch (n) {
            case 1:
                m_buttonPage = new ButtonPage(container, *this, m_session.options);
                break;
            case 2:
                m_advancedPage =
                    new AdvancedPage(container, *this, m_dialogs, *this, m_session.options,
                                     m_session.pointerSettings.get());
                break;
            case 3:
                m_lightPage =
                    new LightPage(container, *this, m_session.options, systemTermColumn());
                break;
            case 4:
                m_macroPage = new MacroPage(container, *m_macroLibrary, *this, this,
                                            m_session.clock, m_dialogs);
                break;
        }
        finishCommonPage(common);
        if (n == 2) m_advancedPage->raiseWindowedControls();
        m_common[static_cast<std::size_t>(n - 1)] = std::move(common);
    }
    m_firePage = new FirePage(m_containers[4],
                              {*this, m_dialogs, *this, [this] { m_buttons->confirmFire(); },
                               m_session.options.gun6Num, m_session.options.gun7Num});

    m_engineerPage = new EngineerPage(m_containers[5], systemTermColumn());
    // Presses on the page control's free area reach it from the pages it holds.
    m_engineerPage->Pg_Parameter->installEventFilter(this);
    connect(m_engineerPage->gunList, &GunListView::fileError, this,
            [this](const QString& text) { errorMessage(text.toStdString()); });
    m_engineerPage->gunList->load(std::filesystem::path(m_session.programDir) / kGunListFileName);

    m_pages = {m_buttonPage, m_advancedPage, m_lightPage, m_macroPage, m_firePage, m_engineerPage};
    // Last, so that the menus lie over every page.
    m_buttonEditor =
        new ButtonEditor(ButtonEditorParts{this, this, this, m_buttonPage, m_engineerPage});
    m_buttonEditor->setMacroLibrary(&m_macroLibrary->library());
    // The engineer gun keys are the gun list's entries; while its file is in use the buttons
    // with gun codes are named after its slots.
    auto offerGunKeys = [this] {
        const GunList& list = m_engineerPage->gunList->list();
        QStringList names;
        std::vector<std::string> codes;
        for (const GunList::Entry& entry : list.entries()) {
            names << QString::fromStdString(entry.name);
            codes.push_back(entry.code);
        }
        m_buttonEditor->setGunKeys(names, codes);
        m_gunListCodes.clear();
        if (list.inUse()) {
            const auto slotCodes = list.codes();
            m_gunListCodes.assign(slotCodes.begin(), slotCodes.end());
        }
    };
    connect(m_engineerPage->gunList, &GunListView::listChanged, this, [this, offerGunKeys] {
        offerGunKeys();
        refreshPages(Change::Buttons, nullptr);
    });
    offerGunKeys();
}

void MainWindow::connectPages() {
    for (CommonPage& page : m_common) {
        auto on = [&](ButtonRole role, auto handler) {
            connect(page.button(role).label, &ButtonLabel::clicked, m_buttons.get(), handler);
        };
        on(ButtonRole::Read, &DeviceButtons::Btn_Read_0Click);
        on(ButtonRole::Apply, &DeviceButtons::Btn_Apply_0Click);
        on(ButtonRole::Confirm, &DeviceButtons::Btn_Confirm_0Click);
        on(ButtonRole::Confirm1, &DeviceButtons::Btn_Confirm1_1Click);
        on(ButtonRole::Confirm2, &DeviceButtons::Btn_Confirm2_1Click);
        on(ButtonRole::Confirm3, &DeviceButtons::Btn_Confirm3_1Click);
        connect(page.button(ButtonRole::Save).label, &ButtonLabel::clicked, m_profiles.get(),
                &ProfileButtons::Btn_Save_0Click);
        connect(page.button(ButtonRole::Load).label, &ButtonLabel::clicked, m_profiles.get(),
                &ProfileButtons::Btn_Load_0Click);
        auto own = [&](ButtonRole role, void (MainWindow::*handler)()) {
            connect(page.button(role).label, &ButtonLabel::clicked, this, handler);
        };
        own(ButtonRole::Exit, &MainWindow::Btn_Exit_0Click);
        own(ButtonRole::Mini, &MainWindow::Btn_Minimize_0Click);
        own(ButtonRole::Lang1, &MainWindow::Btn_Lang1_0Click);
        own(ButtonRole::Lang2, &MainWindow::Btn_Lang2_0Click);
        own(ButtonRole::Lang3, &MainWindow::Btn_Lang3_0Click);
        connect(page.base, &SkinImage::pressed, this, &MainWindow::Img_BaseMouseDown);
    }

    for (const SkinButton& key : m_buttonPage->keys())
        m_navigation->addHover(key.label, HoverFamily::KeyLabel);

    Navigation* nav = m_navigation.get();
    connect(m_firePage->base(), &SkinImage::pressed, this, &MainWindow::startDrag);
    connect(m_firePage->base(), &SkinImage::doubleClicked, nav, &Navigation::Img_Base_5DblClick);
    for (const SkinButton& b : {m_firePage->confirm(), m_firePage->cancel()}) {
        m_navigation->addHover(b.label, HoverFamily::WindowButton);
        connect(b.label, &ButtonLabel::clicked, nav, &Navigation::leaveFirePage);
    }

    EngineerPage* e = m_engineerPage;
    connect(e->Img_Logo4, &SkinImage::pressed, this, &MainWindow::startDrag);
    connect(e->Img_Logo4, &SkinImage::doubleClicked, nav, &Navigation::Img_Logo4DblClick);
    // The engineer page's own page buttons choose what the skinned page buttons choose.
    const std::pair<QPushButton*, NavigationChoice> pageButtons[] = {
        {e->Btn_Main_6, NavigationChoice::Office},
        {e->Btn_Switch_6, NavigationChoice::Game},
        {e->Btn_Adv_6, NavigationChoice::Advanced},
        {e->Btn_Breath_6, NavigationChoice::Light},
        {e->Btn_Macro_6, NavigationChoice::Macro}};
    for (const auto& button : pageButtons) {
        const NavigationChoice choice = button.second;
        connect(button.first, &QPushButton::clicked, nav,
                [nav, choice] { nav->choosePage(choice); });
    }
    connect(e, &EngineerPage::valuesEdited, this, &MainWindow::takeEngineerValues);
    connect(m_buttonEditor, &ButtonEditor::keyMenuOpening, this,
            [this] { m_navigation->resetScrolling(); });
    // The fire page gives its preset to the button whose menu opened it.
    connect(m_buttonEditor, &ButtonEditor::firePageRequested, this, [this] {
        const EditTarget& target = m_buttonEditor->target();
        if (target.source == EditTarget::Source::EngineerPage)
            openFirePage(target.number / 100, target.number % 100);
        else
            openFirePage(m_state.keyModeShown, target.number);
    });
    connect(e->btn_Write, &QPushButton::clicked, m_buttons.get(), &DeviceButtons::applySettings);
    connect(e->Btn_Default, &QPushButton::clicked, m_buttons.get(),
            &DeviceButtons::Btn_DefaultClick);
    connect(e->Btn_Save_6, &QPushButton::clicked, m_profiles.get(),
            &ProfileButtons::Btn_Save_0Click);
    connect(e->Btn_Load_6, &QPushButton::clicked, m_profiles.get(),
            &ProfileButtons::Btn_Load_0Click);
    connect(e->Btn_ImportBaseMacro, &QPushButton::clicked, m_profiles.get(),
            &ProfileButtons::importBaseMacros);
}

void MainWindow::applyWindowShape() {
    // Skin pixels of exactly maroon are see-through.
    const QImage background = skinPixmap("L1_BackGround").toImage();
    if (background.isNull()) return;
    setMask(QBitmap::fromImage(background.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));
}

void MainWindow::attachLoadingWindow(LoadingWindow* loading) {
    m_loading = loading;
    m_session.device.protocol().setObserver(loading);
}

const LanguageTable& MainWindow::language() const {
    return m_languages[static_cast<std::size_t>(std::clamp(m_state.language, 1, 3) - 1)];
}

QString MainWindow::text(std::string_view key) const {
    return QString::fromStdString(language().text(key));
}

PageSource MainWindow::source() const {
    const ConfigModel& model = m_session.model;
    return PageSource{model.values(),   model.codes(),
                      model.sections(), m_session.options.eepromMode,
                      model.aimIndex(), m_gunListCodes};
}

void MainWindow::switchLanguage(int n) {
    if (n < 1 || n > 3) return;
    m_state.language = n;
    m_navigation->markLanguage();
    LayoutContext context{m_session.options, m_state.choice == NavigationChoice::Game};
    m_lastLayout = applyLayout(embeddedLayout(n), n, *this, context, m_pages);
    m_macroPage->applyKept(m_lastLayout.kept, n);
    m_buttonEditor->applyLayout(m_lastLayout.kept);
    // The menu captions first, so that the language's font reaches them.
    m_buttonEditor->applyLanguage(language(), n);
    applyLanguage(*this, language(), m_pages);
    // Every key label names its code in the new language, as the engineer buttons do.
    showButtonKeys(m_buttonPage->view().profile);
    m_engineerPage->showKeyNames(source());
    // The caption stays exactly the program's (a second start finds the window by it); the
    // language's title is the name shown for the window apart from it.
    setWindowIconText(QString::fromStdString(language().title()));
    m_navigation->showChosenPage();
    m_navigation->resetScrolling();
}

void MainWindow::lockPages() {
    for (auto& page : m_common) page.disableAll->show();
}

void MainWindow::unlockPages() {
    for (auto& page : m_common) page.disableAll->hide();
}

bool MainWindow::pagesLocked() const {
    return std::all_of(m_common.begin(), m_common.end(),
                       [](const CommonPage& p) { return !p.disableAll->isHidden(); });
}

void MainWindow::showMessage(const QString& message) {
    m_dialogs.messageDialog(this, message, QString::fromStdString(language().fontName()));
}

void MainWindow::startDrag() {
    hideAllMenu();
    emit dragStarted();
    if (QWindow* w = windowHandle()) w->startSystemMove();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_engineerPage && watched == m_engineerPage->Pg_Parameter &&
        event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        startDrag();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Maroon is the window's colour and its transparent key; the pages paint over it.
    QPainter(this).fillRect(rect(), QColor(128, 0, 0));
}

bool MainWindow::event(QEvent* event) {
    // The hint of the control under the pointer goes to the engineer page's note line.
    if (event->type() == QEvent::StatusTip && m_engineerPage)
        m_engineerPage->lbl_Content->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // No further device command, and the close is never refused.
    deviceTimer.stop();
    m_session.device.link().closeMouse();
    event->accept();
}

void MainWindow::setDeviceTimer(bool on) {
    if (on)
        deviceTimer.start();
    else
        deviceTimer.stop();
}

void MainWindow::showLoadingWindow() {
    if (m_loading) m_loading->showCentred();
}

void MainWindow::hideLoadingWindow() {
    if (m_loading) m_loading->hideAndReset();
}

bool MainWindow::mouseConnected() const { return m_session.mouseConnected(); }

void MainWindow::unlockEngineer() { m_engineerPage->unlock(); }

void MainWindow::unlockFireRecorder() { m_firePage->unlockRecorder(); }

void MainWindow::openFirePage(int keyMode, int button) {
    m_firePage->openForButton(keyMode, button);
    m_navigation->showFirePage();
}

void MainWindow::fillPages() {
    // The holding controls come first: what a combo box cannot show (a level beyond its list,
    // say) is what the model then holds, so that a write stores what the page shows.
    m_engineerPage->fillFromModel(source());
    takeEngineerValues();
    refreshPages(ChangeSet::everything(), m_engineerPage);
    // Last, the key mode of the image decides the button page, so that a write keeps it.
    m_navigation->showKeyModePage(m_session.model.keyMode());
}

void MainWindow::takeEngineerValues() {
    edit(*m_engineerPage,
         [this](ConfigModel& model) { return model.setValues(m_engineerPage->values()); });
}

EditResult MainWindow::edit(const Page& from,
                            const std::function<EditResult(ConfigModel&)>& change) {
    const Page* outer = std::exchange(m_editingPage, &from);
    // Restored however the change ends.
    struct Restore {
        const Page*& editing;
        const Page* outer;
        ~Restore() { editing = outer; }
    } restore{m_editingPage, outer};
    return change(m_session.model);
}

void MainWindow::modelChanged(ChangeSet changes) {
    if (changes.has(Change::Image)) return;
    refreshPages(changes, m_editingPage);
}

void MainWindow::refreshPages(ChangeSet changes, const Page* except) {
    const PageSource model = source();
    for (Page* page : m_pages)
        if (page != except && page != m_buttonPage) page->fillFromModel(model);
    // Slot names name the buttons that play them.
    // The engineer page names its key buttons too when it made the edit.
    if (changes.has(Change::KeyMode) || changes.has(Change::Buttons) ||
        changes.has(Change::MacroSlots)) {
        showButtonKeys(m_session.model.keyMode());
        if (except == m_engineerPage) m_engineerPage->showKeyNames(model);
    } else if (changes.has(Change::Values) && except != m_buttonPage)
        m_buttonPage->fillFromModel(model);
}

const KeyModeView& MainWindow::keyModeView() const { return m_buttonPage->view(); }

void MainWindow::showKeyMode(int keyMode) {
    // A changed key mode reaches every page through modelChanged.
    if (!m_session.model.setKeyMode(keyMode == 2 ? 2 : 1).changed) showButtonKeys(keyMode);
}

void MainWindow::showButtonKeys(int keyMode) {
    m_state.keyModeShown = keyMode == 2 ? 2 : 1;
    const KeyModeView& view = m_buttonPage->showKeyMode(keyMode, m_state.language, source());
    m_buttonEditor->setMainPageMenuHeight(view.menuHeight);
}

void MainWindow::hideAllMenu() {
    m_buttonEditor->hideAllMenu();
    // The macro page's popups.
    for (const char* name : {"Pnl_PCMacro", "Pnl_DevContent"})
        if (QWidget* popup = findChild<QWidget*>(name)) popup->hide();
}

void MainWindow::loadBuiltInImage() {
    m_session.model.image().bytes = builtInImage();
    m_flows->split();
    fillPages();
}

void MainWindow::showNoDeviceState() {
    loadBuiltInImage();
    m_state.noDeviceShown = true;
    m_navigation->showNoDevicePages();
}

void MainWindow::enterNoDeviceState() {
    hideAllMenu();
    m_state.noDeviceShown = false;
    showNoDeviceState();
    lockPages();
    setDeviceTimer(true);
    showMessage(text(textkey::kNoDevice) + "\n\n" + text(textkey::kCheckConnection));
}

void MainWindow::showMainAfterRead() {
    m_navigation->showOnly(1);
    m_state.noDeviceShown = false;
    if (m_state.choice == NavigationChoice::Office)
        m_navigation->choosePage(NavigationChoice::Office);
    QCoreApplication::processEvents();
    unlockPages();
}

void MainWindow::messageDialog(std::string_view key) { showMessage(text(key)); }

void MainWindow::errorMessage(std::string_view message) {
    m_dialogs.messageBox(this, QString::fromUtf8(message.data(), static_cast<int>(message.size())));
}

void MainWindow::messageBox(std::string_view key) { m_dialogs.messageBox(this, text(key)); }

void MainWindow::showIdBytes(std::uint8_t vendor, std::uint8_t product) {
    m_engineerPage->edt_VendorID_Rd->setText(QString::number(vendor));
    m_engineerPage->edt_ProductID_Rd->setText(QString::number(product));
}

void MainWindow::readImage(ConfigModeScope& scope) {
    // What arrived of a read that did not complete is shown, but it is not the mouse's image.
    if (!m_flows->readImage(scope)) messageDialog(textkey::kFail);
    m_advancedPage->pointerSettings().readFromSystem();
}

JoinHooks MainWindow::joinHooks() {
    JoinHooks hooks;
    hooks.storeAimKey = [this](Sections& sections) {
        const auto slotNames = slotNamesIn(sections);
        const NameContext context{language(), m_session.options.eepromMode, slotNames, 0, {}};
        ConfigModel& model = m_session.model;
        model.storeAimKey(static_cast<std::uint8_t>(model.aimIndex()),
                          model.values().cb_IsFireContinue, context);
    };
    return hooks;
}

void MainWindow::applyPointerSettings() { m_advancedPage->pointerSettings().apply(); }

}  // namespace vornik

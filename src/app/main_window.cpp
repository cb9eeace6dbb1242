#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QWindow>

#include "app/app_session.h"
#include "app/device_buttons.h"
#include "fire/fire_page.h"
#include "formats/language_keys.h"
#include "image/defaults.h"
#include "model/slot_names.h"
#include "settings/engineer_page.h"
#include "model/settings_values.h"
#include "ui/default_layout.h"
#include "ui/dialogs.h"
#include "formats/engineer_terms.h"
#include "app/language_pass.h"
#include "formats/layout_keys.h"
#include "ui/loading_window.h"
#include "ui/skin/skin.h"

namespace vornik {

TForm1::TForm1(AppSession& session, Dialogs& dialogs)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_session(session),
      m_dialogs(dialogs),
      m_monitor(session.device, *this) {
    setObjectName("Form1");
    setWindowTitle(kWindowCaption);
    setAttribute(Qt::WA_OpaquePaintEvent);

    // The window takes the size of the page background.
    const QPixmap background = skinPixmap("L1_BackGround");
    setFixedSize(background.isNull() ? QSize(layout::kWindowWidth, layout::kWindowHeight)
                                     : background.size());
    buildPages();
    applyWindowShape();

    m_navigation = std::make_unique<Navigation>(m_session, m_pages, m_dialogs, this);
    m_navigation->text = [this](const QString& key) { return text(key); };
    m_navigation->hideAllMenu = [this] { hideAllMenu(); };
    m_navigation->showButtonPage = [this](int keyMode) { showButtonPage(keyMode); };
    m_flows = std::make_unique<ImageFlows>(m_session.device, *this, *this, m_session.model);
    m_monitor.expectedPair = ExpectedIdPair(BuiltInImage());
    m_monitor.reservePair = {static_cast<std::uint8_t>(m_session.options.revManuId),
                             static_cast<std::uint8_t>(m_session.options.revProId)};
    for (int n = 1; n <= 3; ++n)
        m_languages[static_cast<std::size_t>(n - 1)] = LanguageTable::embedded(n);

    m_buttons = std::make_unique<DeviceButtons>(m_session, *this, *m_flows, m_monitor);
    for (auto& page : m_pages.common) {
        auto on = [&](const char* role, auto handler) {
            connect(page.buttons[role].label, &ButtonLabel::clicked, m_buttons.get(), handler);
        };
        on("Read", &DeviceButtons::Btn_Read_0Click);
        on("Apply", &DeviceButtons::Btn_Apply_0Click);
        on("Confirm", &DeviceButtons::Btn_Confirm_0Click);
        on("Confirm1", &DeviceButtons::Btn_Confirm1_1Click);
        on("Confirm2", &DeviceButtons::Btn_Confirm2_1Click);
        on("Confirm3", &DeviceButtons::Btn_Confirm3_1Click);
    }
    connect(m_pages.engineer->btn_Write, &QPushButton::clicked, m_buttons.get(),
            &DeviceButtons::Btn_Apply_0Click);
    connect(m_pages.engineer->Btn_Default, &QPushButton::clicked, m_buttons.get(),
            &DeviceButtons::Btn_DefaultClick);

    DevTimer.setInterval(1000);
    connect(&DevTimer, &QTimer::timeout, this, [this] { m_monitor.tick(); });

    m_navigation->loadStartupImages();
    RefreshErrorAP();
    LockPages();
    switchLanguage(1);

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(QIcon(skinPixmap("AppIcon")), this);
        m_tray->show();
    }
}

TForm1::~TForm1() = default;

void TForm1::buildPages() {
    for (int i = 0; i < 6; ++i) {
        auto* page = new QWidget(this);
        page->setObjectName(QString("gbPage%1").arg(i + 1));
        page->setGeometry(0, 0, width(), height());
        m_pages.containers[static_cast<std::size_t>(i)] = page;
    }
    for (int n = 1; n <= 4; ++n) {
        QWidget* container = m_pages.containers[static_cast<std::size_t>(n - 1)];
        CommonPage page = beginCommonPage(n, container);
        if (n == 1) {
            for (int k = 0; k < 9; ++k) {
                SkinButton key;
                key.image = new SkinImage(QString("Img_Key%1").arg(k + 1), container);
                key.image->setSkin("KeyS_01");
                key.image->move(layout::kKeys + QPoint(0, k * layout::kKeyStep));
                key.label = new ButtonLabel(QString("Key%1").arg(k + 1), container);
                key.label->placeOver(key.image);
                m_pages.keys[static_cast<std::size_t>(k)] = key;
            }
        }
        finishCommonPage(page);
        connect(page.base, &SkinImage::pressed, this, &TForm1::Img_BaseMouseDown);
        connect(page.buttons["Exit"].label, &ButtonLabel::clicked, this, &TForm1::Btn_Exit_0Click);
        connect(page.buttons["Mini"].label, &ButtonLabel::clicked, this,
                &TForm1::Btn_Minimize_0Click);
        m_pages.common[static_cast<std::size_t>(n - 1)] = std::move(page);
    }

    QWidget* fire = m_pages.containers[4];
    m_pages.fireBase = new SkinImage("Img_Base_5", fire);
    m_pages.fireBase->setSkin("L1_BackGround");
    connect(m_pages.fireBase, &SkinImage::pressed, this, &TForm1::Img_BaseMouseDown);
    m_pages.firePanel = new SkinImage("Img_P5", fire);
    m_pages.firePanel->setSkin("L1_Back5");
    m_pages.firePanel->move(layout::kPanel5);
    const FirePageControls fireControls = buildFirePage(fire);
    m_pages.fireConfirm = fireControls.confirm;
    m_pages.fireCancel = fireControls.cancel;
    m_pages.fireRecorder = new QWidget(fire);
    m_pages.fireRecorder->setObjectName("gbFireRecorder");
    m_pages.fireRecorder->hide();

    // The engineer captions follow the system's locale, not the chosen language.
    const bool chinese = QLocale::system().language() == QLocale::Chinese &&
                         QLocale::system().territory() == QLocale::China;
    m_pages.engineer =
        new EngineerPage(m_pages.containers[5], TermColumnForLocale(chinese ? 2052 : 0));
    connect(m_pages.engineer->Img_Logo4, &SkinImage::pressed, this, &TForm1::Img_BaseMouseDown);
    // Presses on the page control's free area reach it from the pages it holds.
    m_pages.engineer->Pg_Parameter->installEventFilter(this);

    // The navigation radios are holding controls; the page buttons show their state.
    auto* radios = new QWidget(this);
    radios->setObjectName("gbNavigation");
    radios->hide();
    auto radio = [radios](const char* name) {
        auto* rb = new QRadioButton(radios);
        rb->setObjectName(name);
        return rb;
    };
    m_pages.rb_1 = radio("rb_1");
    m_pages.rb_2 = radio("rb_2");
    m_pages.rb_4 = radio("rb_4");
    m_pages.rb_5 = radio("rb_5");
    m_pages.rb_6 = radio("rb_6");
    m_pages.rb_7 = radio("rb_7");
    m_pages.rb_1->setChecked(true);
}

void TForm1::applyWindowShape() {
    // Skin pixels of exactly maroon are see-through.
    const QImage background = skinPixmap("L1_BackGround").toImage();
    if (background.isNull()) return;
    setMask(QBitmap::fromImage(background.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));
}

void TForm1::attachLoadingWindow(TFormLoadingUI* loading) {
    m_loading = loading;
    m_session.device.protocol().setObserver(loading);
}

const LanguageTable& TForm1::language() const {
    return m_languages[static_cast<std::size_t>(std::clamp(m_session.LayoutNo, 1, 3) - 1)];
}

QString TForm1::text(const QString& key) const {
    return QString::fromStdString(language().text(key.toStdString()));
}

void TForm1::switchLanguage(int n) {
    if (n < 1 || n > 3) return;
    m_session.LayoutNo = n;
    m_navigation->setLanguageMarked(n);
    LayoutContext context{m_session.options, m_pages.rb_2->isChecked()};
    m_lastLayout = applyLayout(embeddedLayout(n), n, *this, context);
    applyLanguage(*this, language());
    // Every key label names its code in the new language, as the engineer buttons do.
    showButtonPage(m_buttonPage.profile);
    TLRefreshProfile1Keys();
    TLRefreshProfile2Keys();
    // The caption stays exactly the program's (a second start finds the window by it); the
    // language's title is the name shown for the window apart from it.
    setWindowIconText(QString::fromStdString(language().title()));
    m_navigation->RefreshAPPage();
    m_navigation->resetScrolling();
}

void TForm1::LockPages() {
    for (auto& page : m_pages.common) page.disableAll->show();
}

void TForm1::UnlockPages() {
    for (auto& page : m_pages.common) page.disableAll->hide();
}

bool TForm1::pagesLocked() const {
    return std::all_of(m_pages.common.begin(), m_pages.common.end(),
                       [](const CommonPage& p) { return !p.disableAll->isHidden(); });
}

void TForm1::RefreshFormMessagDialog(const QString& message) {
    m_dialogs.messageDialog(this, message, QString::fromStdString(language().fontName()));
}

void TForm1::Btn_Exit_0Click() { close(); }

void TForm1::Btn_Minimize_0Click() { showMinimized(); }

void TForm1::Img_BaseMouseDown() {
    hideAllMenu();
    emit dragStarted();
    if (QWindow* w = windowHandle()) w->startSystemMove();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (m_pages.engineer && watched == m_pages.engineer->Pg_Parameter &&
        event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Img_BaseMouseDown();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::paintEvent(QPaintEvent*) {
    // Maroon is the window's colour and its transparent key; the pages paint over it.
    QPainter(this).fillRect(rect(), QColor(128, 0, 0));
}

bool TForm1::event(QEvent* event) {
    // The hint of the control under the pointer goes to the engineer page's note line.
    if (event->type() == QEvent::StatusTip && m_pages.engineer)
        m_pages.engineer->lbl_Content->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return QWidget::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: no further device command, and the close is never refused.
    DevTimer.stop();
    m_session.device.link().CloseMouse();
    event->accept();
}

void TForm1::setDevTimer(bool on) {
    if (on)
        DevTimer.start();
    else
        DevTimer.stop();
}

void TForm1::showLoadingWindow() {
    if (m_loading) m_loading->showCentred();
}

void TForm1::hideLoadingWindow() {
    if (m_loading) m_loading->hideAndReset();
}

void TForm1::dataBufToUI() {
    m_pages.engineer->setValues(
        DataBufToValues(m_session.model.sections(), m_pages.engineer->values()));
    emit valuesRefreshed(m_pages.engineer->values());
    TLRefreshProfile1Keys();
    TLRefreshProfile2Keys();
    // Last, the key mode of the image decides the button page, so that a write keeps it.
    const int keyMode = m_pages.engineer->values().cb_KeyMode == 1 ? 2 : 1;
    showButtonPage(keyMode);
    m_navigation->showKeyModePage(keyMode);
}

QStringList TForm1::keyNames(int profile) const {
    const auto slotNames = m_session.model.macroSlotNames();
    const NameContext context{language(), m_session.options.eepromMode, slotNames, 0, {}};
    QStringList names;
    for (int k = 1; k <= 9; ++k)
        names << QString::fromStdString(
            NameForCode(m_session.model.buttonFunction(profile, k), context));
    return names;
}

void TForm1::TLRefreshProfile1Keys() {
    const QStringList names = keyNames(1);
    for (int k = 0; k < 9; ++k)
        m_pages.engineer->btn_Key1[static_cast<std::size_t>(k)]->setText(names[k]);
}

void TForm1::TLRefreshProfile2Keys() {
    const QStringList names = keyNames(2);
    for (int k = 0; k < 9; ++k)
        m_pages.engineer->btn_Key2[static_cast<std::size_t>(k)]->setText(names[k]);
}

void TForm1::setKeyCaptions(int profile) {
    const QStringList names = keyNames(profile);
    for (int k = 0; k < 9; ++k) m_pages.keys[static_cast<std::size_t>(k)].label->setText(names[k]);
}

void TForm1::RefreshProfile1Keys() { setKeyCaptions(1); }

void TForm1::RefreshProfile2Keys() { setKeyCaptions(2); }

bool TForm1::gunKeyLineEnabled() const {
    const int n = std::clamp(m_session.LayoutNo, 1, 3);
    return embeddedLayout(n).number(layoutSection(n), "ComboKey3_Enable") == 1;
}

void TForm1::showButtonPage(int keyMode) {
    m_buttonPage = ButtonPageFor(keyMode, m_session.options.gunDisplay,
                                 m_session.options.eepromMode, gunKeyLineEnabled());
    m_buttonPage.profile == 2 ? RefreshProfile2Keys() : RefreshProfile1Keys();
    for (const char* name : {"Img_ComboKey3", "IB_ComboKey3"})
        if (QWidget* w = findChild<QWidget*>(name)) w->setVisible(m_buttonPage.gunKeyLine);
    for (const char* name : {"Pnl_Main", "Pnl_Special"})
        if (QWidget* menu = findChild<QWidget*>(name))
            menu->resize(menu->width(), m_buttonPage.menuHeight);
}

void TForm1::InitNoDevice() {
    m_session.model.image().DataBuf = BuiltInImage();
    m_flows->split();
    dataBufToUI();
}

void TForm1::RefreshErrorAP() {
    InitNoDevice();
    m_session.NoDeviceShown = true;
    m_navigation->showNoDevicePages();
}

void TForm1::showNoDevice() {
    hideAllMenu();
    m_session.NoDeviceShown = false;
    RefreshErrorAP();
    LockPages();
    setDevTimer(true);
    RefreshFormMessagDialog(text("Str100") + "\n\n" + text("Str101"));
}

void TForm1::ShowMainAfterRead() {
    m_navigation->showOnly(1);
    m_session.NoDeviceShown = false;
    if (m_pages.rb_1->isChecked()) m_navigation->Btn_Main_0Click();
    QCoreApplication::processEvents();
    UnlockPages();
}

void TForm1::messageDialog(std::string_view key) {
    RefreshFormMessagDialog(text(QString::fromUtf8(key.data(), static_cast<int>(key.size()))));
}

void TForm1::errorMessage(std::string_view message) {
    m_dialogs.messageBox(this, QString::fromUtf8(message.data(), static_cast<int>(message.size())));
}

void TForm1::messageBox(std::string_view key) {
    m_dialogs.messageBox(this, text(QString::fromUtf8(key.data(), static_cast<int>(key.size()))));
}

void TForm1::showIdBytes(std::uint8_t vendor, std::uint8_t product) {
    m_pages.engineer->edt_VendorID_Rd->setText(QString::number(vendor));
    m_pages.engineer->edt_ProductID_Rd->setText(QString::number(product));
}

void TForm1::readImage(ConfigModeScope& scope) {
    // What arrived of a read that did not complete is shown, but it is not the mouse's image.
    if (!m_flows->readImage(scope)) messageDialog(textkey::kFail);
}

void TForm1::uiToDataBuf() {
    // The holding controls are the truth until the write.
    m_session.model.setValues(m_pages.engineer->values());
}

JoinHooks TForm1::joinHooks() {
    JoinHooks hooks;
    hooks.storeAimKey = [this](Sections& sections) {
        const auto slotNames = SlotNames(sections);
        const NameContext context{language(), m_session.options.eepromMode, slotNames, 0, {}};
        m_session.model.storeAimKey(m_session.aimIndex,
                                    m_pages.engineer->values().cb_IsFireContinue, context);
    };
    return hooks;
}

void TForm1::applyPointerSettings() {}

}  // namespace vornik

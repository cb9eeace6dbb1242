// What the X11 window system is given for the program's windows, read back from the X server
// (run under Xvfb on the xcb platform): the main window's caption and the loading window's
// shape, with and without a compositing manager.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/app_session.h"
#include "app/gui_app.h"
#include "app/main_window.h"
#include "device/sim/sim_hid_platform.h"
#include "ui/dialogs.h"
#include "ui/loading_window.h"
#include "ui/window_system.h"

namespace vornik {
namespace {

struct NoDialogs : Dialogs {
    void messageDialog(QWidget*, const QString&, const QString&) override {}
    void messageBox(QWidget*, const QString&) override {}
    std::optional<QColor> colourDialog(QWidget*, const QColor&) override { return std::nullopt; }
};

// A connection of the test's own to the X server the program draws on.
class XServer {
  public:
    XServer() : m_connection(xcb_connect(nullptr, &m_screen)) {}
    ~XServer() { xcb_disconnect(m_connection); }
    bool ok() const { return xcb_connection_has_error(m_connection) == 0; }

    xcb_atom_t atom(const std::string& name) {
        auto* reply = xcb_intern_atom_reply(
            m_connection,
            xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
            nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    }
    // A text property of a window as the server holds it.
    std::string property(xcb_window_t window, const std::string& name) {
        auto* reply = xcb_get_property_reply(m_connection,
                                             xcb_get_property(m_connection, 0, window, atom(name),
                                                              XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                                             nullptr);
        std::string value;
        if (reply)
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
        return value;
    }
    // Takes the compositing manager's selection of the screen, as a compositor does.
    void actAsCompositor() {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_owner = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_owner, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(m_connection, m_owner,
                                atom("_NET_WM_CM_S" + std::to_string(m_screen)), XCB_CURRENT_TIME);
        xcb_flush(m_connection);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection),
                                            nullptr));  // a round trip: the owner is set
    }

  private:
    int m_screen = 0;
    xcb_connection_t* m_connection;
    xcb_window_t m_owner = 0;
};

class PlatformWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under Xvfb on the xcb platform";
        ASSERT_TRUE(x.ok());
        static bool prepared = false;
        if (!prepared) prepareApplication(*qApp);
        prepared = true;
        auto platform = std::make_unique<SimHidPlatform>();
        session = std::make_unique<AppSession>(std::move(platform), clock);
        window = std::make_unique<MainWindow>(*session, dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Waits until the server holds `value` for the property, and returns what it holds.
    std::string settled(QWidget& w, const std::string& name, const std::string& value) {
        std::string held;
        for (int i = 0; i < 50; ++i) {
            QCoreApplication::processEvents();
            held = x.property(static_cast<xcb_window_t>(w.winId()), name);
            if (held == value) break;
            QTest::qWait(10);
        }
        return held;
    }

    XServer x;
    VirtualClock clock;
    NoDialogs dialogs;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;
};

TEST_F(PlatformWindowTest, TheCaptionIsExactlyTheProgramsInEveryLanguage) {
    const std::string caption = "Vornik Gaming Mouse v1.0";
    const std::pair<int, std::string> languages[] = {
        {1, "Kavo GAMING"}, {3, "Orvane Gaming Mouse"}, {2, "Kavo GAMING"}};
    for (const auto& [language, title] : languages) {
        SCOPED_TRACE(language);
        window->switchLanguage(language);
        EXPECT_EQ(settled(*window, "_NET_WM_NAME", caption), caption);
        EXPECT_EQ(settled(*window, "WM_NAME", caption), caption);
        // The language's title is what the window is called apart from its caption.
        EXPECT_EQ(settled(*window, "_NET_WM_ICON_NAME", title), title);
    }
}

TEST_F(PlatformWindowTest, WithoutACompositorTheLoadingWindowIsCutToItsCard) {
    EXPECT_FALSE(windowSystemDrawsTranslucency());  // Xvfb alone
    LoadingWindow loading(window.get(), {});
    loading.showCentred();
    const QRegion mask = loading.mask();
    EXPECT_FALSE(mask.isEmpty());
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(loading.width() - 1, loading.height() - 1)));
    EXPECT_FALSE(mask.contains(QPoint(13, 12)));  // the card's rounded corner
    EXPECT_TRUE(mask.contains(QPoint(loading.width() / 2, loading.height() / 2)));
    EXPECT_TRUE(mask.contains(QPoint(20, 100)));
    loading.hideAndReset();

    x.actAsCompositor();
    EXPECT_TRUE(windowSystemDrawsTranslucency());
    loading.showCentred();
    EXPECT_TRUE(loading.mask().isEmpty());
}

}  // namespace
}  // namespace vornik

#include "ui/window_system.h"

#include <QGuiApplication>
#include <QtGlobal>

#ifdef VORNIK_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#endif

namespace vornik {

namespace {

#ifdef VORNIK_HAVE_XCB
// The screen number of DISPLAY (":0.1" is screen 1), 0 when it names none.
int displayScreen() {
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const int colon = display.lastIndexOf(':');
    return dot > colon ? std::atoi(display.constData() + dot + 1) : 0;
}

bool compositingManagerRunning(xcb_connection_t* connection) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(displayScreen());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr);
    if (!atom) return false;
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
}
#endif

}  // namespace

bool windowSystemDrawsTranslucency() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return true;
#ifdef VORNIK_HAVE_XCB
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return compositingManagerRunning(x11->connection());
#endif
    return false;
}

}  // namespace vornik

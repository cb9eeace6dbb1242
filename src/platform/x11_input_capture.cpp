#include "platform/x11_input_capture.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>

#include "model/keysym_keys.h"

namespace vornik {

namespace {

std::optional<MouseButton> buttonOf(int detail) {
    switch (detail) {
        case 1:
            return MouseButton::Left;
        case 2:
            return MouseButton::Middle;
        case 3:
            return MouseButton::Right;
        case 8:
            return MouseButton::Backward;
        case 9:
            return MouseButton::Forward;
        default:
            return std::nullopt;  // wheel steps and buttons the macros cannot play
    }
}

// Selects the four raw events on the root window, or none.
void selectRawEvents(Display* display, bool on) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
}

std::string errnoText(const char* call) { return std::string(call) + ": " + std::strerror(errno); }

}  // namespace

struct X11InputCapture::Connection {
    Clock& clock;
    Display* display = nullptr;
    int xiOpcode = 0;
    unsigned numLockMask = 0;
    int wakePipe[2] = {-1, -1};
    InputSink* sink = nullptr;
    KeyStateCounter keys;
    std::thread reader;
    std::string error;

    explicit Connection(Clock& c) : clock(c) {}
    ~Connection() {
        for (const int fd : wakePipe)
            if (fd >= 0) close(fd);
        if (display) XCloseDisplay(display);
    }

    void read();
    void handle(XIRawEvent& raw);
    std::optional<std::uint8_t> virtualKeyOf(int keycode);
};

std::unique_ptr<X11InputCapture> X11InputCapture::open(Clock& clock, std::string* error,
                                                       const char* displayName) {
    auto connection = std::make_unique<Connection>(clock);
    auto fail = [error](std::string why) {
        if (error) *error = std::move(why);
        return nullptr;
    };
    connection->display = XOpenDisplay(displayName);
    if (!connection->display)
        return fail(std::string("XOpenDisplay: cannot open display ") +
                    (displayName ? displayName : "$DISPLAY"));
    int event = 0;
    int errorBase = 0;
    if (!XQueryExtension(connection->display, "XInputExtension", &connection->xiOpcode, &event,
                         &errorBase))
        return fail("XQueryExtension: the display has no XInputExtension");
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(connection->display, &major, &minor) != Success || major < 2)
        return fail("XIQueryVersion: the display has no XInput2 2.0");
    connection->numLockMask = XkbKeysymToModifiers(connection->display, XK_Num_Lock);
    if (pipe2(connection->wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return fail(errnoText("pipe2"));
    return std::unique_ptr<X11InputCapture>(new X11InputCapture(std::move(connection)));
}

X11InputCapture::X11InputCapture(std::unique_ptr<Connection> connection)
    : m_connection(std::move(connection)) {}

X11InputCapture::~X11InputCapture() { stop(); }

std::string X11InputCapture::error() const { return m_connection->error; }

bool X11InputCapture::start(InputSink& sink) {
    Connection& c = *m_connection;
    if (c.reader.joinable()) return true;
    c.sink = &sink;
    c.keys.reset();
    selectRawEvents(c.display, true);
    // Once the server has the selection, every later event is delivered; older ones are
    // thrown away.
    XSync(c.display, True);
    c.reader = std::thread([&c] { c.read(); });
    return true;
}

void X11InputCapture::stop() {
    Connection& c = *m_connection;
    if (!c.reader.joinable()) return;
    const char wake = 1;
    while (write(c.wakePipe[1], &wake, 1) < 0 && errno == EINTR) {
    }
    c.reader.join();
    char drained[16];
    while (::read(c.wakePipe[0], drained, sizeof drained) > 0) {
    }
    selectRawEvents(c.display, false);
    XSync(c.display, True);
    c.sink = nullptr;
}

void X11InputCapture::Connection::read() {
    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MappingNotify) {
                XRefreshKeyboardMapping(&event.xmapping);
                continue;
            }
            XGenericEventCookie& cookie = event.xcookie;
            if (cookie.type != GenericEvent || cookie.extension != xiOpcode) continue;
            if (!XGetEventData(display, &cookie)) continue;
            handle(*static_cast<XIRawEvent*>(cookie.data));
            XFreeEventData(display, &cookie);
        }
        if (poll(fds, 2, -1) < 0 && errno != EINTR) {
            error = errnoText("poll");
            return;
        }
        if (fds[1].revents != 0) return;
        if (fds[0].revents & (POLLERR | POLLHUP)) {
            error = "the X connection was closed";
            return;
        }
    }
}

void X11InputCapture::Connection::handle(XIRawEvent& raw) {
    const std::uint64_t now = clock.nowMs();
    switch (raw.evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease: {
            // Every key counts towards the held-down state, also one that is left out.
            const KeyState state = raw.evtype == XI_RawKeyPress ? keys.down() : keys.up();
            if (const auto vk = virtualKeyOf(raw.detail))
                sink->post(InputEvent::key(*vk, state, now));
            break;
        }
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            if (const auto button = buttonOf(raw.detail))
                sink->post(InputEvent::mouse(*button, raw.evtype == XI_RawButtonPress, now));
            break;
        default:
            break;
    }
}

std::optional<std::uint8_t> X11InputCapture::Connection::virtualKeyOf(int keycode) {
    const auto code = static_cast<KeyCode>(keycode);
    KeySym keysym = XkbKeycodeToKeysym(display, code, 0, 0);
    // Raw events carry no modifier state; the keypad's second level is its digits.
    const KeySym shifted = XkbKeycodeToKeysym(display, code, 0, 1);
    if (numLockMask != 0 && IsKeypadKey(shifted) && shifted != keysym) {
        XkbStateRec state;
        if (XkbGetState(display, XkbUseCoreKbd, &state) == Success &&
            (state.locked_mods & numLockMask) != 0)
            keysym = shifted;
    }
    return virtualKeyFromKeysym(static_cast<std::uint32_t>(keysym));
}

}  // namespace vornik

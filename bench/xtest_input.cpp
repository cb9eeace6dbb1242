#include "xtest_input.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

::Display* display(void* d) { return static_cast<::Display*>(d); }

}  // namespace

std::unique_ptr<XTestInput> XTestInput::open(std::string& why) {
    ::Display* d = XOpenDisplay(nullptr);
    if (!d) {
        why = "XOpenDisplay: cannot open display $DISPLAY";
        return nullptr;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor)) {
        why = "XTestQueryExtension: the display has no XTEST";
        XCloseDisplay(d);
        return nullptr;
    }
    std::unique_ptr<XTestInput> input(new XTestInput(d));
    input->m_keyA = XKeysymToKeycode(d, 'a');
    return input;
}

XTestInput::XTestInput(void* d) : m_display(d) {}

XTestInput::~XTestInput() { XCloseDisplay(display(m_display)); }

void XTestInput::keyA(bool press) {
    XTestFakeKeyEvent(display(m_display), m_keyA, press, CurrentTime);
    XFlush(display(m_display));
}

void XTestInput::leftButton(bool press) {
    XTestFakeButtonEvent(display(m_display), 1, press, CurrentTime);
    XFlush(display(m_display));
}

#include "platform/windows_input_capture.h"

#include <windows.h>

#include <cstdint>
#include <future>
#include <optional>
#include <thread>

namespace vornik {

namespace {

constexpr wchar_t kWindowClass[] = L"VornikInputCapture";

std::string callError(const char* call) {
    return std::string(call) + ": error " + std::to_string(GetLastError());
}

struct ButtonMessage {
    MouseButton button;
    bool press;
};

std::optional<ButtonMessage> buttonMessage(WPARAM message, const MSLLHOOKSTRUCT& info) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return ButtonMessage{MouseButton::Left, true};
        case WM_LBUTTONUP:
            return ButtonMessage{MouseButton::Left, false};
        case WM_RBUTTONDOWN:
            return ButtonMessage{MouseButton::Right, true};
        case WM_RBUTTONUP:
            return ButtonMessage{MouseButton::Right, false};
        case WM_MBUTTONDOWN:
            return ButtonMessage{MouseButton::Middle, true};
        case WM_MBUTTONUP:
            return ButtonMessage{MouseButton::Middle, false};
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP: {
            const bool press = message == WM_XBUTTONDOWN;
            switch (HIWORD(info.mouseData)) {
                case XBUTTON1:
                    return ButtonMessage{MouseButton::Backward, press};
                case XBUTTON2:
                    return ButtonMessage{MouseButton::Forward, press};
                default:
                    return std::nullopt;
            }
        }
        default:
            return std::nullopt;
    }
}

// The record after `raw` in a buffered read: records lie at 8-byte boundaries.
const RAWINPUT* nextRawInput(const RAWINPUT* raw) {
    const auto end = reinterpret_cast<std::uintptr_t>(raw) + raw->header.dwSize;
    return reinterpret_cast<const RAWINPUT*>((end + 7) & ~std::uintptr_t{7});
}

}  // namespace

struct WindowsInputCapture::Listener {
    Clock& clock;
    InputSink* sink = nullptr;
    KeyStateCounter keys;
    std::thread thread;
    HWND window = nullptr;
    std::string error;

    // The hook procedure has no context of its own; it runs on the thread that installed it.
    static thread_local Listener* current;

    explicit Listener(Clock& c) : clock(c) {}

    void run(std::promise<std::string>& started);
    void keyboardInput(HRAWINPUT input);
    void keyboardRecord(const RAWKEYBOARD& key);
    void queuedKeyboardInput();
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK mouseHook(int code, WPARAM w, LPARAM l);
};

thread_local WindowsInputCapture::Listener* WindowsInputCapture::Listener::current = nullptr;

WindowsInputCapture::WindowsInputCapture(Clock& clock)
    : m_listener(std::make_unique<Listener>(clock)) {}

WindowsInputCapture::~WindowsInputCapture() { stop(); }

std::string WindowsInputCapture::error() const { return m_listener->error; }

bool WindowsInputCapture::start(InputSink& sink) {
    Listener& l = *m_listener;
    if (l.thread.joinable()) return true;
    l.sink = &sink;
    l.keys.reset();
    std::promise<std::string> started;
    std::future<std::string> result = started.get_future();
    // The thread owns the promise, so nothing of it is left here once the answer is read.
    l.thread = std::thread([&l, started = std::move(started)]() mutable { l.run(started); });
    l.error = result.get();
    if (l.error.empty()) return true;
    l.thread.join();
    l.sink = nullptr;
    return false;
}

void WindowsInputCapture::stop() {
    Listener& l = *m_listener;
    if (!l.thread.joinable()) return;
    PostMessageW(l.window, WM_CLOSE, 0, 0);
    l.thread.join();
    l.sink = nullptr;
}

void WindowsInputCapture::Listener::run(std::promise<std::string>& started) {
    current = this;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        started.set_value(callError("RegisterClassExW"));
        return;
    }
    window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                             nullptr);
    if (!window) {
        started.set_value(callError("CreateWindowExW"));
        return;
    }
    // Generic desktop page, keyboard usage; input also while another window has the focus.
    RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_INPUTSINK, window};
    if (!RegisterRawInputDevices(&keyboard, 1, sizeof keyboard)) {
        started.set_value(callError("RegisterRawInputDevices"));
        DestroyWindow(window);
        return;
    }
    const HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, instance, 0);
    if (!hook) {
        started.set_value(callError("SetWindowsHookExW"));
        keyboard.dwFlags = RIDEV_REMOVE;
        keyboard.hwndTarget = nullptr;
        RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
        DestroyWindow(window);
        return;
    }
    started.set_value({});

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);

    UnhookWindowsHookEx(hook);
    keyboard.dwFlags = RIDEV_REMOVE;
    keyboard.hwndTarget = nullptr;
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
    DestroyWindow(window);
    window = nullptr;
}

void WindowsInputCapture::Listener::keyboardInput(HRAWINPUT input) {
    // A record that cannot be read is dropped.
    RAWINPUTHEADER header;
    UINT size = sizeof header;
    if (GetRawInputData(input, RID_HEADER, &header, &size, sizeof(RAWINPUTHEADER)) ==
            static_cast<UINT>(-1) ||
        header.dwType != RIM_TYPEKEYBOARD)
        return;
    RAWINPUT raw;
    size = sizeof raw;
    if (GetRawInputData(input, RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) ==
        static_cast<UINT>(-1))
        return;
    keyboardRecord(raw.data.keyboard);
}

void WindowsInputCapture::Listener::keyboardRecord(const RAWKEYBOARD& key) {
    KeyState state;
    if (key.Message == WM_KEYDOWN || key.Message == WM_SYSKEYDOWN)
        state = keys.down();
    else if (key.Message == WM_KEYUP || key.Message == WM_SYSKEYUP)
        state = keys.up();
    else
        return;
    sink->post(InputEvent::key(static_cast<std::uint8_t>(key.VKey & 0xFF), state, clock.nowMs()));
}

// The hook is called ahead of the messages posted to this thread, so keyboard input that came
// before a button event may still wait in the queue: it is taken first (and its WM_INPUT
// messages with it), so that the events keep their order.
void WindowsInputCapture::Listener::queuedKeyboardInput() {
    alignas(RAWINPUT) BYTE buffer[16 * sizeof(RAWINPUT)];
    for (;;) {
        UINT size = sizeof buffer;
        const UINT count =
            GetRawInputBuffer(reinterpret_cast<RAWINPUT*>(buffer), &size, sizeof(RAWINPUTHEADER));
        if (count == 0 || count == static_cast<UINT>(-1)) return;
        const RAWINPUT* raw = reinterpret_cast<const RAWINPUT*>(buffer);
        for (UINT i = 0; i < count; ++i) {
            if (raw->header.dwType == RIM_TYPEKEYBOARD) keyboardRecord(raw->data.keyboard);
            raw = nextRawInput(raw);
        }
    }
}

LRESULT CALLBACK WindowsInputCapture::Listener::windowProc(HWND window, UINT message, WPARAM w,
                                                           LPARAM l) {
    switch (message) {
        case WM_INPUT:
            if (current) current->keyboardInput(reinterpret_cast<HRAWINPUT>(l));
            break;  // the default handling frees the input
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, w, l);
}

LRESULT CALLBACK WindowsInputCapture::Listener::mouseHook(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && current) {
        const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(l);
        if (const auto b = buttonMessage(w, info)) {
            current->queuedKeyboardInput();
            current->sink->post(InputEvent::mouse(b->button, b->press, current->clock.nowMs()));
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace vornik

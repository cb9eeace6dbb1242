#pragma once

#include <memory>
#include <string>

#include "device/clock.h"
#include "model/input_capture.h"

namespace vornik {

// Key and button events of the whole X11 desktop, from XInput2 raw events (XTEST's events
// too), read on a thread of its own that sleeps until the X connection or stop() wakes it. Keys
// are named through their keysym on the first layout, unshifted (the keypad's digits while
// Num Lock is on); keys without a virtual-key code are left out. Buttons are the physical ones.
class X11InputCapture final : public InputCapture {
  public:
    // nullptr when the display cannot be opened or has no XInput2 2.0; `error` says which.
    // `displayName` nullptr: $DISPLAY.
    static std::unique_ptr<X11InputCapture> open(Clock& clock, std::string* error = nullptr,
                                                 const char* displayName = nullptr);
    ~X11InputCapture() override;
    X11InputCapture(const X11InputCapture&) = delete;
    X11InputCapture& operator=(const X11InputCapture&) = delete;

    bool start(InputSink& sink) override;
    void stop() override;
    bool coversDesktop() const override { return true; }
    // Why the reader ended on its own; read it after stop().
    std::string error() const override;

  private:
    struct Connection;
    explicit X11InputCapture(std::unique_ptr<Connection> connection);

    std::unique_ptr<Connection> m_connection;
};

}  // namespace vornik

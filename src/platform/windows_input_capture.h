#pragma once

#include <memory>
#include <string>

#include "device/clock.h"
#include "model/input_capture.h"

namespace vornik {

// Key and button events of the whole Windows desktop: raw keyboard input (also while another
// window has the focus) and the low-level mouse hook, both delivered to a message-only window
// on a thread of its own. The hook exists only between start() and stop() and never swallows
// a message.
class WindowsInputCapture final : public InputCapture {
  public:
    explicit WindowsInputCapture(Clock& clock);
    ~WindowsInputCapture() override;
    WindowsInputCapture(const WindowsInputCapture&) = delete;
    WindowsInputCapture& operator=(const WindowsInputCapture&) = delete;

    bool start(InputSink& sink) override;
    void stop() override;
    bool coversDesktop() const override { return true; }
    std::string error() const override;

  private:
    struct Listener;
    std::unique_ptr<Listener> m_listener;
};

}  // namespace vornik

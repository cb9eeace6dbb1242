#pragma once

#include "device/clock.h"

namespace vornik {

// What the window does around every device operation. The GUI implements it; the command-line
// tool and the tests take the defaults or record the calls.
class FrameHooks {
  public:
    virtual ~FrameHooks() = default;
    virtual void setDeviceTimer(bool on) { (void)on; }
    virtual void lockPages() {}
    virtual void unlockPages() {}
    virtual void showLoadingWindow() {}
    virtual void hideLoadingWindow() {}

  private:
    friend class OperationFrame;
    int m_frameDepth = 0;
};

// The frame of a device operation: device timer off, pages locked, loading window shown; on
// leaving, by any path, the loading window hidden, pending messages run, the timer on and the
// pages unlocked. A frame inside another one does nothing, so each of these happens once.
class OperationFrame {
  public:
    OperationFrame(FrameHooks& hooks, Clock& clock);
    ~OperationFrame();
    OperationFrame(const OperationFrame&) = delete;
    OperationFrame& operator=(const OperationFrame&) = delete;

    bool outermost() const { return m_outermost; }

  private:
    FrameHooks& m_hooks;
    Clock& m_clock;
    bool m_outermost;
};

}  // namespace vornik

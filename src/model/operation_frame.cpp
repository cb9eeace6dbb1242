#include "model/operation_frame.h"

namespace vornik {

namespace {

// A restore that throws must not keep the others from running, nor leave the destructor.
template <typename F>
void restore(F&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

OperationFrame::OperationFrame(FrameHooks& hooks, Clock& clock)
    : m_hooks(hooks), m_clock(clock), m_outermost(hooks.m_frameDepth == 0) {
    ++m_hooks.m_frameDepth;
    if (!m_outermost) return;
    try {
        m_hooks.setDeviceTimer(false);
        m_hooks.lockPages();
        m_hooks.showLoadingWindow();
    } catch (...) {
        // The destructor does not run for a constructor that throws.
        --m_hooks.m_frameDepth;
        restore([&] { m_hooks.hideLoadingWindow(); });
        restore([&] { m_hooks.setDeviceTimer(true); });
        restore([&] { m_hooks.unlockPages(); });
        throw;
    }
}

OperationFrame::~OperationFrame() {
    --m_hooks.m_frameDepth;
    if (!m_outermost) return;
    restore([&] { m_hooks.hideLoadingWindow(); });
    restore([&] { m_clock.processEvents(); });
    restore([&] { m_hooks.setDeviceTimer(true); });
    restore([&] { m_hooks.unlockPages(); });
}

}  // namespace vornik

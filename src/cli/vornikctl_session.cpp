// What every vornikctl run shares: the platform, the simulated mouse's state, the trace, the
// lock on the mouse and the progress bar.
#include "cli/vornikctl_session.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "device/sim/sim_state.h"
#include "formats/text_lookup.h"
#include "image/defaults.h"

namespace vornik::ctl {

namespace {

constexpr std::size_t kBarWidth = 30;

const char* phaseName(TransferPhase phase) {
    switch (phase) {
        case TransferPhase::Read:
            return "read";
        case TransferPhase::Write:
            return "write";
        case TransferPhase::ReadBack:
            return "read back";
        case TransferPhase::Repair:
            return "repair";
    }
    return "";
}

}  // namespace

void ProgressBar::transferPhase(TransferPhase phase, std::size_t chunks) {
    endLine();
    m_phase = phaseName(phase);
    m_done = 0;
    m_total = chunks;
    if (m_total > 0) draw();
}

void ProgressBar::transferProgress(std::size_t, std::size_t) {
    // Counted here rather than taken from the block: a repair is many one-chunk blocks.
    if (m_total == 0 || m_done >= m_total) return;
    ++m_done;
    draw();
    if (m_done == m_total) endLine();
}

void ProgressBar::draw() {
    const std::size_t filled = m_done * kBarWidth / m_total;
    m_err << '\r' << m_phase
          << std::string(10 - std::min<std::size_t>(9, std::strlen(m_phase)), ' ') << '['
          << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] " << m_done
          << " of " << m_total << " chunks" << std::flush;
    m_lineOpen = true;
}

void ProgressBar::endLine() {
    if (!m_lineOpen) return;
    m_err << '\n' << std::flush;
    m_lineOpen = false;
}

std::ostream& PrintedMessages::err() {
    if (m_progress) m_progress->endLine();
    return m_err;
}

void PrintedMessages::messageDialog(std::string_view key) {
    err() << "vornikctl: message \"" << EnglishTexts().text(key) << "\" (" << key << ")\n";
}

void PrintedMessages::errorMessage(std::string_view text) {
    err() << "vornikctl: " << text << "\n";
}

Session::Session(const Options& options, CtlEnvironment& env)
    : m_options(options),
      m_env(env),
      m_progress(env.err),
      m_messages(env.err, env.progress ? &m_progress : nullptr) {}

Session::~Session() = default;

std::ostream& Session::err() {
    m_progress.endLine();
    return m_env.err;
}

bool Session::startSimulation(std::string& error) {
    auto sim = std::make_unique<SimHidPlatform>();
    plugOtherDevices(*sim);
    m_mouse = plugDefaultMouse(*sim);
    m_mouse->faults() = m_options.faults;
    m_mouse->setClock(&m_env.clock);
    // A new simulated mouse leaves the factory with the built-in configuration.
    std::copy(builtInImage().begin(), builtInImage().end(), m_mouse->memory().begin());
    const std::filesystem::path state = *m_options.simulate;
    std::error_code ec;
    if (!std::filesystem::exists(state, ec) && !ec && !saveSimState(state, *m_mouse, error))
        return false;
    // The memory file is the mouse: whoever holds its lock owns the mouse, and reads it only
    // once it holds it, so that another run's write is not lost.
    switch (m_stateLock.tryLock(state, error)) {
        case ExclusiveFileLock::Result::Taken:
            if (!loadSimState(state, *m_mouse, error)) return false;
            break;
        case ExclusiveFileLock::Result::HeldElsewhere:
            break;
        case ExclusiveFileLock::Result::Failed:
            return false;
    }
    sim->heldElsewhere = [this] { return !m_stateLock.held(); };
    m_platform = std::move(sim);
    return true;
}

bool Session::start(std::string& error) {
    if (m_options.simulate) {
        if (!startSimulation(error)) return false;
    } else {
        m_platform = m_env.nativePlatform();
    }
    HidPlatform* platform = m_platform.get();
    if (m_options.trace) {
        // Kept in memory and written at the end, atomically like every other file; an empty
        // trace now tells at once whether it can be written at all.
        if (!writeFileAtomically(*m_options.trace, {}, error)) return false;
        m_tracing = std::make_unique<TracingHidPlatform>(
            *platform, m_env.clock,
            [this](const Exchange& e) { (m_trace += formatExchange(e)) += '\n'; });
        platform = m_tracing.get();
    }
    m_device = std::make_unique<DeviceSession>(*platform, m_env.clock);
    m_guard = std::make_unique<DeviceSession::Guard>(*m_device);
    protocol().setCancellation(m_env.cancellation);
    if (m_env.progress) protocol().setObserver(&m_progress);
    // As in the window at start-up, the image holds the built-in image until something replaces it.
    m_model.image().bytes = builtInImage();
    m_flows = std::make_unique<ImageFlows>(*m_device, m_hooks, m_messages, m_model);
    if (!m_env.snapshots) {
    } else if (m_env.snapshotFolder)
        m_flows->requireSnapshots(std::make_unique<SnapshotStore>(
            *m_env.snapshotFolder, [] { return std::chrono::system_clock::now(); }));
    else
        m_flows->requireSnapshots(nullptr,
                                  "the user's state folder is not known: set XDG_STATE_HOME or "
                                  "HOME");
    return true;
}

bool Session::finish(std::string& error) {
    m_progress.endLine();
    m_flows.reset();
    m_guard.reset();
    m_device.reset();
    bool ok = true;
    if (m_options.trace) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(m_trace.data());
        ok = writeFileAtomically(*m_options.trace, std::span(bytes, m_trace.size()), error);
    }
    // Only the run that held the mouse may write its memory back.
    if (ok && m_mouse && m_stateLock.held())
        ok = saveSimState(*m_options.simulate, *m_mouse, error);
    m_stateLock.unlock();
    return ok;
}

bool Session::openMouse() {
    if (link().mouseHandle != kNoHandle && link().mouseLocked()) return true;
    std::uint32_t version = kMouseVersion;
    if (!link().openMouse(kMouseVendorId, kMouseProductId, version)) {
        err() << "vornikctl: no mouse found (" << mouseIds() << ")\n";
        return false;
    }
    if (!m_guard->holdMouse()) {
        err() << "vornikctl: the mouse is in use by another program\n";
        link().closeMouse();
        return false;
    }
    return true;
}

void Session::warnIfLeaveRefused(const LeaveResult& leave) {
    if (!leave.entered) return;
    if (!leave.reloadAcknowledged)
        err() << "vornikctl: warning: the mouse did not acknowledge command 8 (reload); it may "
                 "not use its stored configuration until it is plugged in again\n";
    if (!leave.leaveAcknowledged)
        err() << "vornikctl: warning: the mouse did not acknowledge command 2 (leave "
                 "configuration mode); it may still be in configuration mode until it is "
                 "plugged in again\n";
}

bool Session::checkEntry(ConfigModeScope& scope) {
    std::string reason;
    switch (scope.problem()) {
        case EntryProblem::None:
            return true;
        case EntryProblem::EnterRefused:
            reason = "the mouse did not acknowledge command 1 (enter configuration mode)";
            break;
        case EntryProblem::StatusRefused:
            reason = "the mouse did not acknowledge command 3 (status)";
            break;
        case EntryProblem::NotReady:
            reason = fmt::format("the mouse is not ready (status byte 1 is 0x{:02X})",
                                 scope.statusReply()[1]);
            break;
        case EntryProblem::EepromNotReady:
            reason = "the mouse's memory is not ready";
            break;
    }
    err() << "vornikctl: " << reason << "\n";
    warnIfLeaveRefused(scope.leave());
    return false;
}

}  // namespace vornik::ctl

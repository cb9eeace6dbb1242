#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/config_flows.h"
#include "cli/vornikctl.h"
#include "device/device_link.h"
#include "device/protocol.h"
#include "device/sim/sim_faults.h"
#include "device/sim/sim_hid_platform.h"
#include "device/trace.h"
#include "image/atomic_file.h"

namespace vornik::ctl {

struct Options {
    std::string command;
    std::vector<std::string> operands;
    std::optional<std::string> simulate;
    SimFaults faults;
    bool anyFault = false;
    std::optional<std::string> trace;
    std::optional<std::string> out;
    bool json = false;
    bool device = false;
    bool help = false;
    bool version = false;
};

// A progress bar on a terminal: the phase and the chunks done of the phase's chunks. A line
// that is drawn is ended before anything else is printed.
class ProgressBar : public TransferObserver {
  public:
    explicit ProgressBar(std::ostream& err) : m_err(err) {}
    void transferPhase(TransferPhase phase, std::size_t chunks) override;
    void transferProgress(std::size_t chunksDone, std::size_t chunksTotal) override;
    void endLine();

  private:
    void draw();

    std::ostream& m_err;
    const char* m_phase = "";
    std::size_t m_done = 0;
    std::size_t m_total = 0;
    bool m_lineOpen = false;
};

// Prints what the window would show in its message dialog.
class PrintedMessages : public MessageSink {
  public:
    PrintedMessages(std::ostream& err, ProgressBar* progress) : m_err(err), m_progress(progress) {}
    void messageDialog(std::string_view key) override;
    void errorMessage(std::string_view text) override;

  private:
    std::ostream& err();
    std::ostream& m_err;
    ProgressBar* m_progress;
};

// The platform, link and protocol of one run, with the trace and the simulated state.
class Session {
  public:
    Session(const Options& options, CtlEnvironment& env);
    ~Session();

    bool start(std::string& error);
    // Saves the simulated memory and the trace; false with `error` when that fails.
    bool finish(std::string& error);

    DeviceLink& link() { return *m_link; }
    CommandProtocol& protocol() { return *m_protocol; }
    ImageFlows& flows() { return *m_flows; }
    ImageSession& image() { return m_image; }
    MessageSink& messages() { return m_messages; }
    // The error stream, with any progress line ended first.
    std::ostream& err();

    // Opens the mouse and holds it against other programs until the run ends; false (reason
    // printed) when there is none or another program holds it.
    bool openMouse();
    // Opens the mouse and enters configuration mode with the status test: command 1, then
    // command 3 answering 0xAA (and, when `needReady`, with EepromReady set). On failure the
    // reason is printed, configuration mode is left and false returned.
    bool enter(bool needReady);
    // Commands 8 and 2, with a warning for each the mouse refused.
    void leave();
    // A warning for each of commands 8 and 2 the mouse refused; the exit code stays.
    void warnIfLeaveRefused(const LeaveResult& leave);

  private:
    bool startSimulation(std::string& error);

    const Options& m_options;
    CtlEnvironment& m_env;
    std::unique_ptr<HidPlatform> m_platform;
    std::shared_ptr<SimMouse> m_mouse;
    ExclusiveFileLock m_stateLock;
    std::string m_trace;
    std::unique_ptr<TracingHidPlatform> m_tracing;
    std::unique_ptr<DeviceLink> m_link;
    std::unique_ptr<CommandProtocol> m_protocol;
    FlowHooks m_hooks;
    ProgressBar m_progress;
    PrintedMessages m_messages;
    ImageSession m_image;
    std::unique_ptr<ImageFlows> m_flows;
};

std::string hex(unsigned value, int digits);
std::string mouseIds();

int runList(Session& session, const Options& options, CtlEnvironment& env);
int runStatus(Session& session, const Options& options, CtlEnvironment& env);
int runRead(Session& session, const Options& options, CtlEnvironment& env);
int runRestore(Session& session, const Options& options, CtlEnvironment& env);
int runDefault(Session& session, const Options& options, CtlEnvironment& env);
int runDump(Session& session, const Options& options, CtlEnvironment& env);

}  // namespace vornik::ctl

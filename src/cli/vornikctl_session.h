#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/vornikctl.h"
#include "device/device_link.h"
#include "device/protocol.h"
#include "device/sim/sim_faults.h"
#include "device/sim/sim_hid_platform.h"
#include "device/trace.h"
#include "image/atomic_file.h"
#include "model/config_flows.h"
#include "model/config_model.h"
#include "model/device_session.h"

namespace vornik::ctl {

struct Options {
    std::string command;
    std::vector<std::string> operands;
    std::optional<std::string> simulate;
    SimFaults faults;
    bool anyFault = false;
    std::optional<std::string> trace;
    std::optional<std::string> out;
    std::optional<std::string> from;
    bool json = false;
    bool device = false;
    bool dryRun = false;
    std::optional<std::string> macroName;  // macro put --name
    std::optional<std::string> release;    // macro put --release
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

    DeviceLink& link() { return m_device->link(); }
    CommandProtocol& protocol() { return m_device->protocol(); }
    ImageFlows& flows() { return *m_flows; }
    ConfigModel& model() { return m_model; }
    ImageSession& image() { return m_model.image(); }
    MessageSink& messages() { return m_messages; }
    // The error stream, with any progress line ended first.
    std::ostream& err();

    // Opens the mouse and holds it against other programs until the run ends; false (reason
    // printed) when there is none or another program holds it.
    bool openMouse();
    // Whether `scope` found the mouse ready; if not, the reason is printed and configuration
    // mode left (with a warning for each leaving command refused).
    bool checkEntry(ConfigModeScope& scope);
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
    std::unique_ptr<DeviceSession> m_device;
    // Held for the whole run: one device user at a time, and the mouse kept from other programs.
    std::unique_ptr<DeviceSession::Guard> m_guard;
    FlowHooks m_hooks;
    ProgressBar m_progress;
    PrintedMessages m_messages;
    ConfigModel m_model;
    std::unique_ptr<ImageFlows> m_flows;
};

std::string hex(unsigned value, int digits);
std::string mouseIds();

// Shared by the commands: what became of a write as an exit code (reason printed); the mouse
// read into the model (nullopt, or the exit code of the failure with its reason printed); a
// profile file loaded into the model over the built-in image; the repaired sections.
int reportWrite(const WriteOutcome& outcome, Session& session, CtlEnvironment& env);
std::optional<int> readMouse(Session& session);
bool loadProfileIntoModel(Session& session, const std::string& path);
void printRepairs(const RepairReport& repairs, std::ostream& out);

int runList(Session& session, const Options& options, CtlEnvironment& env);
int runStatus(Session& session, const Options& options, CtlEnvironment& env);
int runRead(Session& session, const Options& options, CtlEnvironment& env);
int runSnapshots(Session& session, const Options& options, CtlEnvironment& env);
int runRestore(Session& session, const Options& options, CtlEnvironment& env);
int runDefault(Session& session, const Options& options, CtlEnvironment& env);
int runDump(Session& session, const Options& options, CtlEnvironment& env);
int runGet(Session& session, const Options& options, CtlEnvironment& env);
int runSet(Session& session, const Options& options, CtlEnvironment& env);
int runMacro(Session& session, const Options& options, CtlEnvironment& env);

}  // namespace vornik::ctl

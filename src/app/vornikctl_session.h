#pragma once

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/config_flows.h"
#include "app/vornikctl.h"
#include "device/device_link.h"
#include "device/protocol.h"
#include "device/sim/sim_faults.h"
#include "device/sim/sim_hid_platform.h"
#include "device/trace.h"

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

// Prints what the window would show in its message dialog.
class PrintedMessages : public MessageSink {
  public:
    explicit PrintedMessages(std::ostream& err) : m_err(err) {}
    void messageDialog(std::string_view key) override;
    void errorMessage(std::string_view text) override;

  private:
    std::ostream& m_err;
};

// The platform, link and protocol of one run, with the trace and the simulated state.
class Session {
  public:
    Session(const Options& options, CtlEnvironment& env);
    ~Session();

    bool start(std::string& error);
    // Saves the simulated memory; false with `error` when that fails.
    bool finish(std::string& error);

    DeviceLink& link() { return *m_link; }
    CommandProtocol& protocol() { return *m_protocol; }
    ImageFlows& flows() { return *m_flows; }
    ImageSession& image() { return m_image; }
    MessageSink& messages() { return m_messages; }

    // Opens the mouse and enters configuration mode with the status test: command 1, then
    // command 3 answering 0xAA (and, when `needReady`, with EepromReady set). On failure the
    // reason is printed, configuration mode is left and false returned.
    bool enter(bool needReady);

  private:
    const Options& m_options;
    CtlEnvironment& m_env;
    std::unique_ptr<HidPlatform> m_platform;
    std::shared_ptr<SimMouse> m_mouse;
    std::ofstream m_traceFile;
    std::unique_ptr<TracingHidPlatform> m_tracing;
    std::unique_ptr<DeviceLink> m_link;
    std::unique_ptr<CommandProtocol> m_protocol;
    FlowHooks m_hooks;
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

#include "app/vornikctl.h"

#include <cstdio>

#include "app/sim_state.h"
#include "app/vornikctl_session.h"
#include "image/defaults.h"
#include "image/text_lookup.h"
#include "version/version.h"

namespace vornik {

namespace ctl {

namespace {

constexpr const char* kUsage =
    "usage: vornikctl [options] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  list             every HID interface with vendor, product, version and feature\n"
    "                   report length; '*' marks the one the mouse is opened on\n"
    "  status           enter configuration mode, query the status, leave; prints reply\n"
    "                   byte 1, EepromReady, ChipType and the button-state word\n"
    "  read --out FILE  read the whole configuration memory into a profile file\n"
    "  restore FILE     load a profile file and write it to the mouse, verified (only to a\n"
    "                   mouse that reports ready with chip type 0x98)\n"
    "  default N        restore default image N (1 to 3): TamselData_CfgN.bin beside the\n"
    "                   program, else the built-in image\n"
    "  dump FILE|--device [--json]\n"
    "                   the configuration of a profile file or of the mouse, decoded\n"
    "\n"
    "Options:\n"
    "  --simulate STATEFILE  use the simulated mouse; its memory is kept in STATEFILE\n"
    "                        (2048 bytes, created with the built-in image when missing)\n"
    "  --fault FAULT         a fault of the simulated mouse (repeatable; FAULT may list several,\n"
    "                        separated by commas):\n"
    "                          noack         never acknowledge\n"
    "                          ack=V         acknowledge with V instead of 0xCC\n"
    "                          drop-chunk=N  never answer chunk N (from 1) of a block read\n"
    "                          stuck=ADDR    writes to ADDR never store\n"
    "                          refuse=CMD    never acknowledge command CMD\n"
    "                          vanish=N      unplug after N exchanges\n"
    "                          slow=K        K polls before each acknowledge\n"
    "                          notready      clear the ready bit of the status\n"
    "                          chip=TYPE     report chip type 0x90, 0x98 or 0x99 (other values:\n"
    "                                        the raw chip-type code)\n"
    "                          status=V      answer V in status byte 1 instead of 0xAA\n"
    "  --trace FILE          write every feature-report exchange to FILE, one per line:\n"
    "                        milliseconds, SET or GET, the 8 bytes in hex\n"
    "  -h, --help            show this text\n"
    "  --version             show the version\n";

// Parses the command line; an error message on failure.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--simulate" || arg == "--trace" || arg == "--out") {
            const std::string* v = value();
            if (!v || v->empty()) return arg + " needs a file name";
            (arg == "--simulate" ? options.simulate
             : arg == "--trace"  ? options.trace
                                 : options.out) = *v;
        } else if (arg == "--fault") {
            const std::string* v = value();
            if (!v) return "--fault needs a fault, one of: " + std::string(kFaultSyntax);
            std::string error;
            if (!parseFaults(*v, options.faults, error)) return error;
            options.anyFault = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--device") {
            options.device = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.operands.push_back(arg);
        }
    }
    if (options.anyFault && !options.simulate) return "--fault needs --simulate";
    return std::nullopt;
}

struct Command {
    const char* name;
    int (*run)(Session&, const Options&, CtlEnvironment&);
    std::size_t minOperands;
    std::size_t maxOperands;
    bool takesOut;
    bool takesJson;
    bool takesDevice;
};

constexpr Command kCommands[] = {
    {"list", runList, 0, 0, false, false, false},
    {"status", runStatus, 0, 0, false, false, false},
    {"read", runRead, 0, 0, true, false, false},
    {"restore", runRestore, 1, 1, false, false, false},
    {"default", runDefault, 1, 1, false, false, false},
    {"dump", runDump, 0, 1, false, true, true},
};

// What is wrong with the command's arguments, if anything.
std::optional<std::string> checkArguments(const Command& c, const Options& o) {
    if (o.operands.size() < c.minOperands) return std::string(c.name) + " needs an argument";
    if (o.operands.size() > c.maxOperands)
        return "unexpected argument " + o.operands[c.maxOperands];
    if (o.out && !c.takesOut) return std::string("--out does not go with ") + c.name;
    if (o.json && !c.takesJson) return std::string("--json does not go with ") + c.name;
    if (o.device && !c.takesDevice) return std::string("--device does not go with ") + c.name;
    if (c.takesOut && !o.out) return std::string(c.name) + " needs --out FILE";
    if (c.takesDevice && o.device == !o.operands.empty())
        return std::string(c.name) + " needs either a FILE or --device";
    return std::nullopt;
}

}  // namespace

std::string hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

std::string mouseIds() {
    return "vendor " + hex(kMouseVendorId, 4) + ", product " + hex(kMouseProductId, 4) +
           ", version " + hex(kMouseVersion, 4) + ", 8-byte feature report";
}

void PrintedMessages::messageDialog(std::string_view key) {
    m_err << "vornikctl: message \"" << EnglishTexts().text(key) << "\" (" << key << ")\n";
}

void PrintedMessages::errorMessage(std::string_view text) {
    m_err << "vornikctl: " << text << "\n";
}

Session::Session(const Options& options, CtlEnvironment& env)
    : m_options(options), m_env(env), m_messages(env.err) {}

Session::~Session() = default;

bool Session::start(std::string& error) {
    if (m_options.simulate) {
        auto sim = std::make_unique<SimHidPlatform>();
        plugOtherDevices(*sim);
        m_mouse = plugDefaultMouse(*sim);
        m_mouse->faults() = m_options.faults;
        m_mouse->setClock(&m_env.clock);
        // A new simulated mouse leaves the factory with the built-in configuration.
        std::copy(BuiltInImage().begin(), BuiltInImage().end(), m_mouse->memory().begin());
        if (!loadSimState(*m_options.simulate, *m_mouse, error)) return false;
        m_platform = std::move(sim);
    } else {
        m_platform = m_env.nativePlatform();
    }
    HidPlatform* platform = m_platform.get();
    if (m_options.trace) {
        m_traceFile.open(*m_options.trace, std::ios::trunc);
        if (!m_traceFile) {
            error = "cannot create \"" + *m_options.trace + "\"";
            return false;
        }
        m_tracing = std::make_unique<TracingHidPlatform>(
            *platform, m_env.clock,
            [this](const Exchange& e) { m_traceFile << formatExchange(e) << '\n'; });
        platform = m_tracing.get();
    }
    m_link = std::make_unique<DeviceLink>(*platform);
    m_link->DevIdTable[0] = {kMouseVendorId, kMouseProductId};
    m_protocol = std::make_unique<CommandProtocol>(*m_link, m_env.clock);
    // As in the window at start-up, DataBuf holds the built-in image until something replaces it.
    m_image.DataBuf = BuiltInImage();
    m_flows = std::make_unique<ImageFlows>(*m_protocol, m_env.clock, m_hooks, m_messages, m_image);
    return true;
}

bool Session::finish(std::string& error) {
    m_flows.reset();
    m_protocol.reset();
    m_link.reset();
    m_traceFile.flush();
    if (m_options.trace && !m_traceFile) {
        error = "cannot write \"" + *m_options.trace + "\"";
        return false;
    }
    if (m_mouse && !saveSimState(*m_options.simulate, *m_mouse, error)) return false;
    return true;
}

bool Session::enter(bool needReady) {
    std::uint32_t version = kMouseVersion;
    if (!m_link->OpenMouseDev(kMouseVendorId, kMouseProductId, version)) {
        m_env.err << "vornikctl: no mouse found (" << mouseIds() << ")\n";
        return false;
    }
    auto& p = *m_protocol;
    if (!p.SendCmd(cmd::kEnterConfig)) {
        m_env.err
            << "vornikctl: the mouse did not acknowledge command 1 (enter configuration mode)\n";
        return false;
    }
    p.EepromReady = false;
    p.ChipType = 0;
    std::string reason;
    if (!p.SendCmd(cmd::kStatus))
        reason = "the mouse did not acknowledge command 3 (status)";
    else if (p.FeatureReport[1] != kStatusReady)
        reason = "the mouse is not ready (status byte 1 is 0x" + hex(p.FeatureReport[1], 2) + ")";
    else if (needReady && !p.EepromReady)
        reason = "the mouse's memory is not ready";
    if (reason.empty()) return true;
    m_env.err << "vornikctl: " << reason << "\n";
    p.SendCmd(cmd::kReload);
    p.SendCmd(cmd::kLeaveConfig);
    return false;
}

int runList(Session& session, const Options&, CtlEnvironment& env) {
    const auto reports =
        session.link().ListInterfaces(kMouseVendorId, kMouseProductId, kMouseVersion);
    env.out << "HID interfaces: " << reports.size() << "\n";
    env.out << "  VID  PID  VER   FEATURE  PATH\n";
    bool mouse = false;
    for (const auto& r : reports) {
        std::string line = r.isMouse ? "* " : "  ";
        if (!r.opened) {
            line += "(cannot be opened)      ";
        } else {
            line += r.hasAttributes
                        ? hex(r.attributes.vendorId, 4) + " " + hex(r.attributes.productId, 4) +
                              " " + hex(r.attributes.versionNumber, 4)
                        : "---- ---- ----";
            std::string feature = r.hasFeatureLen ? std::to_string(r.featureLen) : "?";
            line += "  " + std::string(7 - std::min<std::size_t>(7, feature.size()), ' ') +
                    feature + "  ";
        }
        line += r.path.path;
        if (r.path.collection > 0)
            line += " [collection " + std::to_string(r.path.collection) + "]";
        env.out << line << "\n";
        mouse |= r.isMouse;
    }
    env.out << (mouse ? "* the mouse (" + mouseIds() + ")\n" : "no mouse (" + mouseIds() + ")\n");
    return kExitOk;
}

int runStatus(Session& session, const Options&, CtlEnvironment& env) {
    std::uint32_t version = kMouseVersion;
    if (!session.link().OpenMouseDev(kMouseVendorId, kMouseProductId, version)) {
        env.err << "vornikctl: no mouse found (" << mouseIds() << ")\n";
        return kExitFailure;
    }
    auto& protocol = session.protocol();
    if (!protocol.SendCmd(cmd::kEnterConfig)) {
        env.err
            << "vornikctl: the mouse did not acknowledge command 1 (enter configuration mode)\n";
        return kExitFailure;
    }
    protocol.EepromReady = false;
    protocol.ChipType = 0;
    const bool acknowledged = protocol.SendCmd(cmd::kStatus);
    const auto reply = protocol.FeatureReport;
    protocol.SendCmd(cmd::kLeaveConfig);
    if (!acknowledged) {
        env.err << "vornikctl: the mouse did not acknowledge command 3 (status)\n";
        return kExitFailure;
    }
    env.out << "mouse: " << hex(session.link().CurVendorId, 4) << ":"
            << hex(session.link().CurProductId, 4) << " version " << hex(version, 4) << "\n";
    env.out << "reply byte 1: 0x" << hex(reply[1], 2)
            << (reply[1] == kStatusReady ? " (ready)" : " (not ready)") << "\n";
    env.out << "EepromReady: " << (protocol.EepromReady ? "yes" : "no") << "\n";
    env.out << "ChipType: "
            << (protocol.ChipType ? "0x" + hex(static_cast<unsigned>(protocol.ChipType), 2)
                                  : "unknown (code 0x" + hex(reply[3], 2) + ")")
            << "\n";
    env.out << "button state: 0x" << hex(static_cast<unsigned>(reply[6] << 8 | reply[5]), 4)
            << "\n";
    return kExitOk;
}

}  // namespace ctl

int runVornikctl(const std::vector<std::string>& args, CtlEnvironment& env) {
    using namespace ctl;
    Options options;
    if (auto error = parseOptions(args, options)) {
        env.err << "vornikctl: " << *error << "\n"
                << "Try 'vornikctl --help'.\n";
        return kExitUsage;
    }
    if (options.help) {
        env.out << kUsage;
        return kExitOk;
    }
    if (options.version) {
        env.out << "vornikctl " << kVersion << "\n";
        return kExitOk;
    }
    const Command* command = nullptr;
    for (const auto& c : kCommands)
        if (options.command == c.name) command = &c;
    std::optional<std::string> problem;
    if (!command)
        problem =
            options.command.empty() ? "no command given" : "unknown command " + options.command;
    else
        problem = checkArguments(*command, options);
    if (problem) {
        env.err << "vornikctl: " << *problem << "\n"
                << "Try 'vornikctl --help'.\n";
        return kExitUsage;
    }
    Session session(options, env);
    std::string error;
    if (!session.start(error)) {
        env.err << "vornikctl: " << error << "\n";
        return kExitFailure;
    }
    int code = command->run(session, options, env);
    if (!session.finish(error)) {
        env.err << "vornikctl: " << error << "\n";
        if (code == kExitOk) code = kExitFailure;
    }
    return code;
}

}  // namespace vornik

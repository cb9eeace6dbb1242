#include "app/vornikctl.h"

#include <cstdio>
#include <fstream>
#include <optional>

#include "app/sim_state.h"
#include "device/device_link.h"
#include "device/protocol.h"
#include "device/sim/sim_faults.h"
#include "device/sim/sim_hid_platform.h"
#include "device/trace.h"

namespace vornik {

namespace {

constexpr const char* kUsage =
    "usage: vornikctl [options] COMMAND\n"
    "\n"
    "Commands:\n"
    "  list      every HID interface with vendor, product, version and feature report\n"
    "            length; '*' marks the one the mouse is opened on\n"
    "  status    enter configuration mode, query the status, leave; prints reply byte 1,\n"
    "            EepromReady, ChipType and the button-state word\n"
    "\n"
    "Options:\n"
    "  --simulate STATEFILE  use the simulated mouse; its memory is kept in STATEFILE\n"
    "                        (2048 bytes, created when missing)\n"
    "  --fault SPEC          a fault of the simulated mouse (repeatable; SPEC may list several,\n"
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
    "  -h, --help            show this text\n";

std::string hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

struct Options {
    std::string command;
    std::optional<std::string> simulate;
    SimFaults faults;
    bool anyFault = false;
    std::optional<std::string> trace;
    bool help = false;
};

// Parses the command line; an error message on failure.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--simulate" || arg == "--trace") {
            const std::string* v = value();
            if (!v || v->empty()) return arg + " needs a file name";
            (arg == "--simulate" ? options.simulate : options.trace) = *v;
        } else if (arg == "--fault") {
            const std::string* v = value();
            if (!v) return "--fault needs a fault, one of: " + std::string(kFaultSyntax);
            std::string error;
            if (!parseFaults(*v, options.faults, error)) return error;
            options.anyFault = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            return "unexpected argument " + arg;
        }
    }
    if (options.anyFault && !options.simulate) return "--fault needs --simulate";
    return std::nullopt;
}

// The platform, link and protocol of one run, with the trace and the simulated state.
class Session {
  public:
    Session(const Options& options, CtlEnvironment& env) : m_options(options), m_env(env) {}

    bool start(std::string& error) {
        if (m_options.simulate) {
            auto sim = std::make_unique<SimHidPlatform>();
            plugOtherDevices(*sim);
            m_mouse = plugDefaultMouse(*sim);
            m_mouse->faults() = m_options.faults;
            m_mouse->setClock(&m_env.clock);
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
        return true;
    }

    // Saves the simulated memory; false with `error` when that fails.
    bool finish(std::string& error) {
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

    DeviceLink& link() { return *m_link; }
    CommandProtocol& protocol() { return *m_protocol; }

  private:
    const Options& m_options;
    CtlEnvironment& m_env;
    std::unique_ptr<HidPlatform> m_platform;
    std::shared_ptr<SimMouse> m_mouse;
    std::ofstream m_traceFile;
    std::unique_ptr<TracingHidPlatform> m_tracing;
    std::unique_ptr<DeviceLink> m_link;
    std::unique_ptr<CommandProtocol> m_protocol;
};

std::string mouseIds() {
    return "vendor " + hex(kMouseVendorId, 4) + ", product " + hex(kMouseProductId, 4) +
           ", version " + hex(kMouseVersion, 4) + ", 8-byte feature report";
}

int runList(Session& session, CtlEnvironment& env) {
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

int runStatus(Session& session, CtlEnvironment& env) {
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

}  // namespace

int runVornikctl(const std::vector<std::string>& args, CtlEnvironment& env) {
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
    using Command = int (*)(Session&, CtlEnvironment&);
    Command command = nullptr;
    if (options.command == "list") command = runList;
    if (options.command == "status") command = runStatus;
    if (!command) {
        env.err << "vornikctl: "
                << (options.command.empty() ? "no command given"
                                            : "unknown command " + options.command)
                << "\n"
                << "Try 'vornikctl --help'.\n";
        return kExitUsage;
    }
    Session session(options, env);
    std::string error;
    if (!session.start(error)) {
        env.err << "vornikctl: " << error << "\n";
        return kExitFailure;
    }
    int code = command(session, env);
    if (!session.finish(error)) {
        env.err << "vornikctl: " << error << "\n";
        if (code == kExitOk) code = kExitFailure;
    }
    return code;
}

}  // namespace vornik

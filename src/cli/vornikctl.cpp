#include "cli/vornikctl.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/vornikctl_session.h"
#include "image/defaults.h"
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
    "                   mouse that reports ready with chip type 0x98); a file shorter than\n"
    "                   2048 bytes is laid over the mouse's own image, read first\n"
    "  default N        restore default image N (1 to 3): TamselData_CfgN.bin beside the\n"
    "                   program, else (when there is no such file) the built-in image\n"
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
    "                          drop-chunk=N  never answer chunk N (from 1) of a block read; the\n"
    "                                        rest of that read is held up behind it\n"
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
    "  --version             show the version\n"
    "\n"
    "The mouse is held for the whole run; Ctrl-C stops a transfer after the chunk in flight\n"
    "and leaves configuration mode. Exit codes: 0 done, 1 the mouse or a file failed, 2 wrong\n"
    "usage, 130 interrupted.\n";

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

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    // Both there: the same device and inode, whatever the names.
    if (std::filesystem::equivalent(a, b, ec)) return true;
    std::error_code ecA, ecB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ecA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ecB);
    return !ecA && !ecB && canonicalA == canonicalB;
}

// A file the run writes must not be one it also reads or writes in another role: the trace
// would truncate a profile before it is read, --out would be overwritten by the saved state.
std::optional<std::string> checkFiles(const Command& c, const Options& o,
                                      const CtlEnvironment& env) {
    struct Use {
        std::string path;
        std::string role;
    };
    std::vector<Use> uses;
    if (o.simulate) uses.push_back({*o.simulate, "the simulated memory file"});
    if (o.out) uses.push_back({*o.out, "the file " + std::string(c.name) + " writes"});
    if (!o.operands.empty() && (c.run == runRestore || c.run == runDump))
        uses.push_back({o.operands[0], "the file " + std::string(c.name) + " reads"});
    if (c.run == runDefault && o.operands[0].size() == 1 && o.operands[0][0] >= '1' &&
        o.operands[0][0] <= '3')
        uses.push_back({MacroLibraryPrefix("", env.programDir) +
                            kDefaultImageFiles[static_cast<std::size_t>(o.operands[0][0] - '1')],
                        "the default image file"});
    auto clash = [](const std::string& option, const Use& use) {
        return option + " names \"" + use.path + "\", " + use.role + "; choose another file";
    };
    for (const Use& use : uses)
        if (o.trace && sameFile(*o.trace, use.path)) return clash("--trace", use);
    if (o.out && o.simulate && sameFile(*o.out, *o.simulate)) return clash("--out", uses[0]);
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
    if (!session.openMouse()) return kExitFailure;
    auto& protocol = session.protocol();
    if (!protocol.SendCmd(cmd::kEnterConfig)) {
        session.err()
            << "vornikctl: the mouse did not acknowledge command 1 (enter configuration mode)\n";
        return kExitFailure;
    }
    protocol.EepromReady = false;
    protocol.ChipType = 0;
    const bool acknowledged = protocol.SendCmd(cmd::kStatus);
    const auto reply = protocol.FeatureReport;
    session.leave();
    if (!acknowledged) {
        session.err() << "vornikctl: the mouse did not acknowledge command 3 (status)\n";
        return kExitFailure;
    }
    env.out << "mouse: " << hex(session.link().CurVendorId, 4) << ":"
            << hex(session.link().CurProductId, 4) << " version " << hex(kMouseVersion, 4) << "\n";
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
    if (!problem) problem = checkFiles(*command, options, env);
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

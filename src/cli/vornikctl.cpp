#include "cli/vornikctl.h"

#include <fmt/format.h>

#include <filesystem>
#include <system_error>

#include "cli/vornikctl_session.h"
#include "image/defaults.h"
#include "model/config_keys.h"
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
    "  restore FILE|N   load a profile file and write it to the mouse, verified (only to a\n"
    "                   mouse that reports ready with chip type 0x98); a file shorter than\n"
    "                   2048 bytes is laid over the mouse's own image, read first. A number\n"
    "                   N restores snapshot N of 'snapshots' (a file named by digits only is\n"
    "                   given as ./N)\n"
    "  snapshots        the images the mouse held before each write (the newest 20, kept in\n"
    "                   the user's state folder), newest first, with what differs from the\n"
    "                   mouse now\n"
    "  default N        restore default image N (1 to 3): TamselData_CfgN.bin beside the\n"
    "                   program, else (when there is no such file) the built-in image\n"
    "  dump FILE|--device [--json]\n"
    "                   the configuration of a profile file or of the mouse, decoded\n"
    "  get [KEY...] [--from FILE] [--json]\n"
    "                   the values of settings (all without KEY) from the mouse, or from a\n"
    "                   profile file; one KEY prints its value, several print KEY=VALUE\n"
    "  set KEY=VALUE... [--dry-run]\n"
    "                   read the mouse, change the settings, write it back verified and\n"
    "                   print what changed; --dry-run prints the addresses and bytes that\n"
    "                   would change and writes nothing. A value the setting does not take\n"
    "                   is refused (exit code 2) and nothing is written\n"
    "  macro get SLOT [--from FILE]\n"
    "                   macro slot SLOT (1 to 6) as a script: '# name:' and '# release:'\n"
    "                   lines, the header (00, 10, or 01 and a delay), one event per line\n"
    "  macro put SLOT FILE [--name NAME] [--release stop|continue] [--dry-run]\n"
    "                   encode the script FILE (as macro get prints it) into slot SLOT and\n"
    "                   write it, verified; a script that does not fit is refused (exit\n"
    "                   code 2) and nothing is written. Buttons that play the slot follow\n"
    "                   its release mode\n"
    "  macro clear SLOT [--dry-run]\n"
    "                   empty slot SLOT (name and content)\n"
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
    "%KEYS%"
    "Before every write the mouse's image is kept as a snapshot; when it cannot be kept,\n"
    "nothing is written. The mouse is held for the whole run; Ctrl-C stops a transfer after\n"
    "the chunk in flight and leaves configuration mode. Exit codes: 0 done, 1 the mouse or a\n"
    "file failed, 2 wrong usage, 130 interrupted.\n";

// The name with every run of digits as '#': keys of one family share it.
std::string familyOf(const std::string& name) {
    std::string family;
    for (char c : name)
        if (c < '0' || c > '9')
            family += c;
        else if (family.empty() || family.back() != '#')
            family += '#';
    return family;
}

// The keys get and set take, from the registry; a numbered family as one entry.
std::string keysHelp() {
    std::string text = "Keys of get and set:\n";
    const ConfigKeyRegistry registry = allConfigKeys();
    const auto& keys = registry.keys();
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t last = i;
        while (last + 1 < keys.size() && familyOf(keys[last + 1].name) == familyOf(keys[i].name) &&
               keys[last + 1].values == keys[i].values)
            ++last;
        const std::string name =
            last == i ? keys[i].name : fmt::format("{} ... {}", keys[i].name, keys[last].name);
        text += name.size() < 20 ? fmt::format("  {:<20} {}\n", name, keys[i].values)
                                 : fmt::format("  {}\n  {:<20} {}\n", name, "", keys[i].values);
        i = last + 1;
    }
    return text + "\n";
}

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
        } else if (arg == "--simulate" || arg == "--trace" || arg == "--out" || arg == "--from") {
            const std::string* v = value();
            if (!v || v->empty()) return arg + " needs a file name";
            (arg == "--simulate" ? options.simulate
             : arg == "--trace"  ? options.trace
             : arg == "--out"    ? options.out
                                 : options.from) = *v;
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
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--name" || arg == "--release") {
            const std::string* v = value();
            if (!v) return arg + (arg == "--name" ? " needs a name" : " needs stop or continue");
            (arg == "--name" ? options.macroName : options.release) = *v;
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

constexpr std::size_t kAny = static_cast<std::size_t>(-1);

struct Command {
    const char* name;
    int (*run)(Session&, const Options&, CtlEnvironment&);
    std::size_t minOperands;
    std::size_t maxOperands;
    bool takesOut;
    bool takesJson;
    bool takesDevice;
    bool takesFrom = false;
    bool takesDryRun = false;
};

constexpr Command kCommands[] = {
    {"list", runList, 0, 0, false, false, false},
    {"status", runStatus, 0, 0, false, false, false},
    {"read", runRead, 0, 0, true, false, false},
    {"restore", runRestore, 1, 1, false, false, false},
    {"snapshots", runSnapshots, 0, 0, false, false, false},
    {"default", runDefault, 1, 1, false, false, false},
    {"dump", runDump, 0, 1, false, true, true},
    {"get", runGet, 0, kAny, false, true, false, true, false},
    {"set", runSet, 1, kAny, false, false, false, false, true},
    // The macro actions check their own operands and options.
    {"macro", runMacro, 1, 3, false, false, false, true, true},
};

// What is wrong with the command's arguments, if anything.
std::optional<std::string> checkArguments(const Command& c, const Options& o) {
    if (o.operands.size() < c.minOperands) return std::string(c.name) + " needs an argument";
    if (o.operands.size() > c.maxOperands)
        return "unexpected argument " + o.operands[c.maxOperands];
    if (o.out && !c.takesOut) return std::string("--out does not go with ") + c.name;
    if (o.json && !c.takesJson) return std::string("--json does not go with ") + c.name;
    if (o.device && !c.takesDevice) return std::string("--device does not go with ") + c.name;
    if (o.from && !c.takesFrom) return std::string("--from does not go with ") + c.name;
    if (o.dryRun && !c.takesDryRun) return std::string("--dry-run does not go with ") + c.name;
    if ((o.macroName || o.release) && c.run != runMacro)
        return std::string("--name and --release do not go with ") + c.name;
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
    if (o.from) uses.push_back({*o.from, "the file " + std::string(c.name) + " reads"});
    if (!o.operands.empty() && (c.run == runRestore || c.run == runDump))
        uses.push_back({o.operands[0], "the file " + std::string(c.name) + " reads"});
    if (c.run == runMacro && o.operands.size() == 3)
        uses.push_back({o.operands[2], "the script macro put reads"});
    if (c.run == runDefault && o.operands[0].size() == 1 && o.operands[0][0] >= '1' &&
        o.operands[0][0] <= '3')
        uses.push_back({macroLibraryPrefix("", env.programDir) +
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

std::string hex(unsigned value, int digits) { return fmt::format("{:0{}X}", value, digits); }

std::string mouseIds() {
    return fmt::format("vendor {:04X}, product {:04X}, version {:04X}, 8-byte feature report",
                       kMouseVendorId, kMouseProductId, kMouseVersion);
}

int runList(Session& session, const Options&, CtlEnvironment& env) {
    const auto reports =
        session.link().listInterfaces(kMouseVendorId, kMouseProductId, kMouseVersion);
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
    // Whatever the status says is printed, so nothing is required of it.
    ConfigModeScope scope(protocol, {.statusReady = false, .eepromReady = false});
    if (scope.problem() == EntryProblem::EnterRefused) {
        session.err()
            << "vornikctl: the mouse did not acknowledge command 1 (enter configuration mode)\n";
        return kExitFailure;
    }
    const auto reply = scope.statusReply();
    session.warnIfLeaveRefused(scope.leave());
    if (!scope.statusAcknowledged()) {
        session.err() << "vornikctl: the mouse did not acknowledge command 3 (status)\n";
        return kExitFailure;
    }
    env.out << "mouse: " << hex(session.link().currentVendorId, 4) << ":"
            << hex(session.link().currentProductId, 4) << " version " << hex(kMouseVersion, 4)
            << "\n";
    env.out << "reply byte 1: 0x" << hex(reply[1], 2)
            << (reply[1] == kStatusReady ? " (ready)" : " (not ready)") << "\n";
    env.out << "EepromReady: " << (protocol.eepromReady() ? "yes" : "no") << "\n";
    env.out << "ChipType: "
            << (protocol.chipType() ? "0x" + hex(static_cast<unsigned>(protocol.chipType()), 2)
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
        const std::string usage = kUsage;
        const auto at = usage.find("%KEYS%");
        env.out << usage.substr(0, at) << keysHelp() << usage.substr(at + 6);
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

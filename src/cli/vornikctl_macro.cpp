// vornikctl macro get|put|clear: the mouse's six macro slots as script text.

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <string_view>

#include "cli/vornikctl_session.h"
#include "formats/language_keys.h"
#include "formats/text_lookup.h"
#include "image/atomic_file.h"
#include "model/macro_content.h"
#include "model/macro_slots.h"
#include "model/slot_names.h"
#include "model/snapshots.h"

namespace vornik::ctl {

namespace {

// A script file is small text; anything far larger is not one.
constexpr std::size_t kMaxScriptFileSize = 1 << 20;
constexpr std::string_view kNameComment = "# name:";
constexpr std::string_view kReleaseComment = "# release:";

std::optional<int> slotNumber(std::string_view text) {
    int slot = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), slot);
    if (ec != std::errc() || end != text.data() + text.size() || slot < 1 ||
        slot > static_cast<int>(kMacroSlotCount))
        return std::nullopt;
    return slot;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool allZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::optional<bool> releaseStopsFrom(std::string_view text) {
    if (text == "stop") return true;
    if (text == "continue") return false;
    return std::nullopt;
}

// A script file: the header first, one event per line. Lines starting with '#' are comments;
// "# name:" and "# release:" give the defaults `macro get` wrote. Blank lines are skipped.
struct ScriptFile {
    MacroScript script;
    std::optional<std::string> name;
    std::optional<bool> releaseStops;
};

std::optional<ScriptFile> parseScriptFile(std::string_view text, std::string& error) {
    ScriptFile file;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        const std::string_view line = trimmed(raw);
        if (line.empty()) continue;
        if (line.starts_with(kNameComment)) {
            file.name = std::string(trimmed(line.substr(kNameComment.size())));
            continue;
        }
        if (line.starts_with(kReleaseComment)) {
            const std::string_view value = trimmed(line.substr(kReleaseComment.size()));
            file.releaseStops = releaseStopsFrom(value);
            if (!file.releaseStops) {
                error = fmt::format("line {}: release is \"stop\" or \"continue\"", lineNumber);
                return std::nullopt;
            }
            continue;
        }
        if (line.front() == '#') continue;
        if (file.script.empty()) {
            // The header: "00" no delay, "10" recorded delays, "01" and a fixed delay.
            const bool header = line == "00" || line == "10" ||
                                (line.size() > 2 && line.starts_with("01") &&
                                 std::all_of(line.begin() + 2, line.end(),
                                             [](char c) { return c >= '0' && c <= '9'; }));
            if (!header) {
                error = fmt::format(
                    "line {}: a script starts with its header (00, 10, or 01 and a delay), not "
                    "\"{}\"",
                    lineNumber, line);
                return std::nullopt;
            }
        } else if (!lineKind(line)) {
            error = fmt::format("line {}: \"{}\" is not a macro line", lineNumber, line);
            return std::nullopt;
        }
        file.script.emplace_back(line);
    }
    if (file.script.empty()) {
        error = "the file holds no script (its first line is the header, e.g. 00)";
        return std::nullopt;
    }
    return file;
}

// Reads the mouse (or, for get, a profile file) into the model.
std::optional<int> loadSource(Session& session, const Options& options) {
    if (options.from) {
        if (!loadProfileIntoModel(session, *options.from)) return kExitFailure;
        return std::nullopt;
    }
    return readMouse(session);
}

int macroGet(Session& session, const Options& options, CtlEnvironment& env, int slot) {
    if (auto failed = loadSource(session, options)) return *failed;
    const DeviceMacroSlot stored = session.model().macroSlots()[static_cast<std::size_t>(slot - 1)];
    if (!allZero(stored.content) && !deviceMacroValid(stored.content)) {
        session.err() << fmt::format(
            "vornikctl: macro slot {} fails its check; its bytes are not a macro\n", slot);
        return kExitFailure;
    }
    const DecodedMacro decoded = decodeContent(stored.content, MacroForm::Device);
    env.out << kNameComment << " " << macroNameToUtf8(stored.name) << "\n";
    env.out << kReleaseComment << " "
            << (decoded.releaseStops.value_or(false) ? "stop" : "continue") << "\n";
    if (decoded.script.empty())
        env.out << headerLine({}) << "\n";
    else
        for (const std::string& line : decoded.script) env.out << line << "\n";
    return kExitOk;
}

// Writes what the model holds, or on --dry-run says what would change.
int writeSlots(Session& session, const Options& options, CtlEnvironment& env,
               const ConfigImage& before) {
    session.model().storeToImage();
    const ConfigImage& after = session.model().image().bytes;
    const ImageDifference difference = imageDifference(before, after);
    if (difference.empty()) {
        env.out << "the mouse holds this already; nothing written\n";
        return kExitOk;
    }
    env.out << differenceText(difference) << "\n";
    if (options.dryRun) {
        env.out << "dry run: nothing written\n";
        return kExitOk;
    }
    return reportWrite(session.flows().writeImage(false), session, env);
}

// The buttons that play `slot`, as "key mode 1 button 4" texts.
std::vector<std::string> buttonsPlaying(const ConfigModel& model, int slot) {
    const std::string address =
        fmt::format("{:04X}", kMacroSlotAddresses[static_cast<std::size_t>(slot - 1)]);
    std::vector<std::string> out;
    for (int mode = 1; mode <= ProfileCodes::kProfiles; ++mode)
        for (int button = 1; button <= ProfileCodes::kButtons; ++button) {
            const std::string& code = model.buttonFunction(mode, button);
            if (code.size() == 6 && code.substr(2) == address &&
                (code.starts_with("06") || code.starts_with("0E")))
                out.push_back(fmt::format("key mode {} button {}", mode, button));
        }
    return out;
}

int macroPut(Session& session, const Options& options, CtlEnvironment& env, int slot,
             const std::string& path) {
    std::string error;
    std::uintmax_t size = 0;
    const auto bytes = readFilePrefix(path, kMaxScriptFileSize, error, &size);
    if (!bytes) {
        session.err() << "vornikctl: " << error << "\n";
        return kExitFailure;
    }
    if (size > kMaxScriptFileSize) {
        session.err() << fmt::format(
            "vornikctl: \"{}\" has {} bytes; a script file has at most {}\n", path, size,
            kMaxScriptFileSize);
        return kExitUsage;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    auto file = parseScriptFile(text, error);
    if (!file) {
        session.err() << fmt::format("vornikctl: \"{}\": {}; nothing written\n", path, error);
        return kExitUsage;
    }
    std::optional<bool> releaseStops = file->releaseStops;
    if (options.release) releaseStops = releaseStopsFrom(*options.release);

    const EncodedMacro encoded =
        encodeScript(file->script, releaseStops.value_or(false), MacroForm::Device);
    if (encoded.status == EncodeStatus::TooLong) {
        session.err() << fmt::format(
            "vornikctl: message \"{}\" ({}): the script needs {} event bytes, a slot holds {}; "
            "nothing written\n",
            EnglishTexts().text(textkey::kMacroLengthOutOfRange), textkey::kMacroLengthOutOfRange,
            encoded.eventBytes, eventCapacity(MacroForm::Device));
        return kExitUsage;
    }
    if (!encoded.ok()) {
        session.err() << fmt::format(
            "vornikctl: \"{}\": script line {} cannot be encoded: \"{}\"; "
            "nothing written\n",
            path, encoded.badLine + 1, file->script[encoded.badLine]);
        return kExitUsage;
    }

    if (auto failed = readMouse(session)) return *failed;
    printRepairs(session.image().lastRepairs, env.out);
    const ConfigImage before = session.model().image().bytes;
    // The name given, else the file's, else the slot keeps its own, else the file's stem.
    std::string name = options.macroName ? *options.macroName : file->name.value_or("");
    if (!options.macroName && !file->name) {
        name = session.model().macroSlotNames()[static_cast<std::size_t>(slot - 1)];
        if (name.empty()) name = std::filesystem::path(path).stem().string();
    }
    DeviceMacroSlot content;
    content.name = encodeMacroName(name);
    std::copy(encoded.content.begin(), encoded.content.end(), content.content.begin());
    const EditResult result = session.model().setMacroSlot(slot, content);
    if (!result.ok()) {
        session.err() << "vornikctl: " << result.error << "; nothing written\n";
        return kExitUsage;
    }
    env.out << fmt::format(
        "slot {}: \"{}\", {} of {} event bytes, {}\n", slot, name, encoded.eventBytes,
        eventCapacity(MacroForm::Device),
        releaseStops.value_or(false) ? "stops when the button is released" : "runs to its end");
    for (const std::string& button : buttonsPlaying(session.model(), slot))
        env.out << "  played by " << button << "\n";
    return writeSlots(session, options, env, before);
}

int macroClear(Session& session, const Options& options, CtlEnvironment& env, int slot) {
    if (auto failed = readMouse(session)) return *failed;
    printRepairs(session.image().lastRepairs, env.out);
    const ConfigImage before = session.model().image().bytes;
    const EditResult result = session.model().setMacroSlot(slot, DeviceMacroSlot{});
    if (!result.ok()) {
        session.err() << "vornikctl: " << result.error << "; nothing written\n";
        return kExitUsage;
    }
    for (const std::string& button : buttonsPlaying(session.model(), slot))
        session.err() << "vornikctl: note: " << button << " plays slot " << slot
                      << ", which is now empty\n";
    return writeSlots(session, options, env, before);
}

}  // namespace

int runMacro(Session& session, const Options& options, CtlEnvironment& env) {
    const std::string& action = options.operands[0];
    const std::size_t operands = options.operands.size();
    auto usage = [&](const std::string& text) {
        session.err() << "vornikctl: " << text << "\n";
        return kExitUsage;
    };
    const bool put = action == "put";
    if (action != "get" && !put && action != "clear")
        return usage("macro takes get SLOT, put SLOT FILE or clear SLOT, not \"" + action + "\"");
    if (operands != (put ? 3u : 2u))
        return usage(put ? "macro put needs SLOT and FILE" : "macro " + action + " needs SLOT");
    const auto slot = slotNumber(options.operands[1]);
    if (!slot) return usage("a macro slot is 1 to 6, not \"" + options.operands[1] + "\"");
    if ((options.macroName || options.release) && !put)
        return usage("--name and --release go with macro put");
    if (options.release && !releaseStopsFrom(*options.release))
        return usage("--release is stop or continue, not \"" + *options.release + "\"");
    if (options.from && action != "get") return usage("--from goes with macro get");
    if (options.dryRun && action == "get") return usage("--dry-run does not go with macro get");

    if (action == "get") return macroGet(session, options, env, *slot);
    if (put) return macroPut(session, options, env, *slot, options.operands[2]);
    return macroClear(session, options, env, *slot);
}

}  // namespace vornik::ctl

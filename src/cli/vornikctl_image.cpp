// The vornikctl commands that move or show a whole configuration image.
#include <fmt/format.h>

#include <algorithm>
#include <chrono>

#include "cli/vornikctl_session.h"
#include "formats/text_lookup.h"
#include "image/defaults.h"
#include "image/profile_file.h"
#include "model/image_dump.h"
#include "model/snapshots.h"

namespace vornik::ctl {

namespace {

constexpr std::size_t kImageChunks = chunkCount(kImageSize);

std::string chunkText(const BlockReport& block) {
    return "chunk " + std::to_string(block.chunksDone) + " of " + std::to_string(block.chunks);
}

// How a block transfer that ended early ended.
std::string blockEndText(const BlockReport& block, const char* begin) {
    switch (block.end) {
        case BlockEnd::BeginRefused:
            return std::string("the mouse did not acknowledge ") + begin;
        case BlockEnd::LinkLost:
            return "the mouse stopped answering after " + chunkText(block);
        case BlockEnd::GaveUp:
            return "the mouse did not acknowledge " + std::to_string(kMaxFailedChunksInARow) +
                   " chunks in a row (up to " + chunkText(block) + ")";
        case BlockEnd::Complete:
        case BlockEnd::Interrupted:
            break;
    }
    return "the transfer did not complete";
}

// What the mouse's memory may hold after a write stopped on request.
std::string interruptedWriteText(const VerifyRecord& r) {
    const BlockReport& block = r.failedBlock;
    if (r.failedPhase == TransferPhase::Write) {
        if (block.chunksDone == 0) return "before anything was written: the memory is unchanged";
        const std::size_t bytes = std::min(kImageSize, block.chunksDone * kChunkSize);
        return "during the write after " + chunkText(block) + ": bytes 0 to " +
               std::to_string(bytes - 1) + " may hold the new image, the rest the old one";
    }
    if (r.passes == 0)
        return "while reading back: the whole image was written but it is not verified";
    return "during repair pass " + std::to_string(r.passes) +
           ": the image was written, bytes in doubt were being rewritten; it is not verified";
}

}  // namespace

// Prints what became of a write and turns it into the exit code.
int reportWrite(const WriteOutcome& outcome, Session& session, CtlEnvironment& env) {
    const VerifyRecord& r = outcome.verify;
    int code = kExitFailure;
    switch (outcome.result) {
        case WriteResult::Verified:
            env.out << "written and verified";
            if (r.passes > 0)
                env.out << " (" << addressesToRewrite(r, 1).size() << " bytes rewritten in "
                        << r.passes << " repair passes)";
            env.out << "\n";
            code = kExitOk;
            break;
        case WriteResult::NotWritten:
            session.err() << "vornikctl: not written: " << skipReasonText(outcome.reason);
            if (outcome.reason == SkipReason::WrongChip)
                session.err() << " (it reports 0x"
                              << hex(static_cast<unsigned>(outcome.chipType), 2) << ")";
            session.err() << "; the mouse keeps its configuration\n";
            break;
        case WriteResult::Interrupted:
            session.err() << "vornikctl: interrupted " << interruptedWriteText(r)
                          << "; run the command again to finish it\n";
            code = kExitInterrupted;
            break;
        case WriteResult::Failed: {
            std::vector<std::string> reasons;
            if (r.transferFailed) {
                const char* what = r.failedPhase == TransferPhase::Write    ? "the write"
                                   : r.failedPhase == TransferPhase::Repair ? "a repair write"
                                                                            : "the read back";
                const char* begin =
                    r.failedPhase == TransferPhase::ReadBack ? "command 4" : "command 6";
                reasons.push_back(std::string(what) +
                                  " was not completed: " + blockEndText(r.failedBlock, begin));
            } else {
                const auto last = static_cast<std::size_t>(r.passes);
                auto count = [&](std::size_t n, const char* one, const char* many) {
                    if (n > 0)
                        reasons.push_back(std::to_string(n) + (n == 1 ? " byte " : " bytes ") +
                                          (n == 1 ? one : many));
                };
                count(r.mismatches[last].size(), "still differs after three repair passes",
                      "still differ after three repair passes");
                count(r.unreadable[last].size(), "could not be read back",
                      "could not be read back");
                count(r.unacknowledged[last].size(), "was written but not acknowledged",
                      "were written but not acknowledged");
            }
            session.err() << "vornikctl: write failed: ";
            for (std::size_t i = 0; i < reasons.size(); ++i)
                session.err() << (i ? "; " : "") << reasons[i];
            session.err() << "\n";
            break;
        }
    }
    session.warnIfLeaveRefused(outcome.leave);
    return code;
}

// Reads the mouse into the session's image; the exit code of the failure (reason printed) when
// it could not, nullopt when it did.
std::optional<int> readMouse(Session& session) {
    if (!session.openMouse()) return kExitFailure;
    ConfigModeScope scope(session.protocol());
    if (!session.checkEntry(scope)) return kExitFailure;
    const bool complete = session.flows().readImage(scope);
    session.warnIfLeaveRefused(session.flows().lastLeave());
    if (complete) return std::nullopt;
    const BlockReport& block = session.protocol().lastBlock();
    if (block.end == BlockEnd::Interrupted) {
        session.err() << "vornikctl: interrupted while reading (" << chunkText(block)
                      << "); the mouse's memory is unchanged\n";
        return kExitInterrupted;
    }
    if (block.end == BlockEnd::Complete)
        session.err() << "vornikctl: the read was incomplete: " << block.failedChunks.size()
                      << " of " << kImageChunks << " chunks were not returned\n";
    else
        session.err() << "vornikctl: the read was not completed: "
                      << blockEndText(block, "command 4") << "\n";
    return kExitFailure;
}

// Loads a profile file into `image`; its size in `size`. False (reason printed) when it cannot.
bool loadFile(Session& session, const std::string& path, ConfigImage& image, std::uintmax_t& size) {
    std::string error;
    if (loadProfileFile(path, image, error, &size)) return true;
    session.err() << "vornikctl: " << error << "\n";
    return false;
}

void noteLongFile(Session& session, const std::string& path, std::uintmax_t size) {
    if (size > kImageSize)
        session.err() << "vornikctl: note: \"" << path << "\" has " << size
                      << " bytes; only the first 2048 are used\n";
}

bool loadProfileIntoModel(Session& session, const std::string& path) {
    std::uintmax_t size = 0;
    session.image().bytes = builtInImage();
    if (!loadFile(session, path, session.image().bytes, size)) return false;
    noteLongFile(session, path, size);
    if (size < kImageSize)
        session.err() << "vornikctl: note: \"" << path << "\" has " << size
                      << " bytes; the rest comes from the built-in image\n";
    session.flows().split();
    return true;
}

void printRepairs(const RepairReport& repairs, std::ostream& out) {
    const auto names = repairedSectionNames(repairs);
    if (names.empty()) return;
    out << "integrity check failed, shown from defaults:";
    for (const auto& name : names) out << " " << name << ";";
    out << "\n";
}

int runRead(Session& session, const Options& options, CtlEnvironment& env) {
    if (auto failed = readMouse(session)) return *failed;
    printRepairs(session.image().lastRepairs, env.out);
    std::string error;
    if (!saveProfileFile(*options.out, session.image().bytes, error)) {
        session.err() << "vornikctl: " << error << "\n";
        return kExitFailure;
    }
    env.out << "read 2048 bytes into \"" << *options.out << "\"\n";
    return kExitOk;
}

namespace {

bool isSnapshotNumber(const std::string& operand) {
    return !operand.empty() && operand.size() <= 4 &&
           std::all_of(operand.begin(), operand.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const SnapshotStore* snapshotStore(Session& session) {
    const SnapshotStore* store = session.flows().snapshots();
    if (!store)
        session.err() << "vornikctl: there are no snapshots: the user's state folder is not known "
                         "(set XDG_STATE_HOME or HOME)\n";
    return store;
}

std::string snapshotTimeText(std::chrono::system_clock::time_point time) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(time);
    const auto day = std::chrono::floor<std::chrono::days>(seconds);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{seconds - day};
    return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02} UTC", static_cast<int>(date.year()),
                       static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                       clock.hours().count(), clock.minutes().count(), clock.seconds().count());
}

int restoreSnapshot(Session& session, int number, CtlEnvironment& env) {
    const SnapshotStore* store = snapshotStore(session);
    if (!store) return kExitFailure;
    std::string error;
    const auto image = store->load(number, error);
    if (!image) {
        session.err() << "vornikctl: " << error << "\n";
        return kExitFailure;
    }
    if (!session.openMouse()) return kExitFailure;
    session.image().bytes = *image;
    const WriteOutcome outcome = session.flows().writeLoadedImage();
    printRepairs(session.image().lastRepairs, env.out);
    return reportWrite(outcome, session, env);
}

}  // namespace

int runSnapshots(Session& session, const Options&, CtlEnvironment& env) {
    const SnapshotStore* store = snapshotStore(session);
    if (!store) return kExitFailure;
    std::string error;
    if (store->list(std::nullopt, error).empty()) {
        if (!error.empty()) {
            session.err() << "vornikctl: " << error << "\n";
            return kExitFailure;
        }
        env.out << "no snapshots in \"" << store->folder().string() << "\"\n";
        return kExitOk;
    }
    // Each is compared with what the mouse holds now; without the mouse they are only listed.
    if (auto failed = readMouse(session)) {
        if (*failed == kExitInterrupted) return *failed;
        session.err() << "vornikctl: note: listed without their differences from the mouse\n";
    }
    const auto snapshots = store->list(session.flows().mouseImage(), error);
    env.out << "snapshots in \"" << store->folder().string() << "\", newest first:\n";
    for (const Snapshot& s : snapshots) {
        env.out << fmt::format("{:3}  {}  {}", s.number, snapshotTimeText(s.time),
                               s.file.filename().string());
        if (s.difference)
            env.out << "  " << differenceText(*s.difference);
        else if (!s.problem.empty())
            env.out << "  " << s.problem;
        env.out << "\n";
    }
    if (!error.empty()) session.err() << "vornikctl: " << error << "\n";
    return error.empty() ? kExitOk : kExitFailure;
}

int runRestore(Session& session, const Options& options, CtlEnvironment& env) {
    const std::string& path = options.operands[0];
    if (isSnapshotNumber(path)) return restoreSnapshot(session, std::stoi(path), env);
    ConfigImage file{};
    std::uintmax_t size = 0;
    if (!loadFile(session, path, file, size) || !session.openMouse()) return kExitFailure;
    noteLongFile(session, path, size);
    auto& image = session.image().bytes;
    if (size < kImageSize) {
        // A short profile only names its first bytes; the rest must stay what the mouse holds,
        // so the mouse is read first, completely, or nothing is written.
        session.err() << "vornikctl: note: \"" << path << "\" has " << size << " bytes; bytes "
                      << size << " to 2047 are kept from the mouse\n";
        if (auto failed = readMouse(session)) {
            if (*failed != kExitInterrupted)
                session.err() << "vornikctl: not written: without the mouse's whole image the "
                                 "short profile cannot be laid over it\n";
            return *failed;
        }
    }
    std::copy_n(file.begin(), std::min<std::uintmax_t>(size, kImageSize), image.begin());
    const WriteOutcome outcome = session.flows().writeLoadedImage();
    printRepairs(session.image().lastRepairs, env.out);
    return reportWrite(outcome, session, env);
}

int runDefault(Session& session, const Options& options, CtlEnvironment& env) {
    const std::string& n = options.operands[0];
    if (n.size() != 1 || n[0] < '1' || n[0] > '3') {
        session.err() << "vornikctl: default takes 1, 2 or 3, not \"" << n << "\"\n";
        return kExitUsage;
    }
    if (!session.openMouse()) return kExitFailure;
    const std::string fileName = kDefaultImageFiles[static_cast<std::size_t>(n[0] - '1')];
    const std::string prefix = macroLibraryPrefix("", env.programDir);
    bool fromFile = false;
    const WriteOutcome outcome = session.flows().restoreDefaultImage(prefix, fileName, &fromFile);
    if (outcome.reason != SkipReason::FileUnreadable)
        env.out << "default image: " << (fromFile ? "\"" + prefix + fileName + "\"" : "built-in")
                << "\n";
    printRepairs(session.image().lastRepairs, env.out);
    return reportWrite(outcome, session, env);
}

int runDump(Session& session, const Options& options, CtlEnvironment& env) {
    if (options.device) {
        if (auto failed = readMouse(session)) return *failed;
    } else if (!loadProfileIntoModel(session, options.operands[0])) {
        return kExitFailure;
    }
    const EnglishTexts texts;
    const ImageSummary summary =
        summarize(session.image().sections, session.image().lastRepairs, texts);
    env.out << (options.json ? summaryJson(summary) : summaryText(summary));
    return kExitOk;
}

}  // namespace vornik::ctl

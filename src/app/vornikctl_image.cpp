// The vornikctl commands that move or show a whole configuration image.
#include "app/image_dump.h"
#include "app/vornikctl_session.h"
#include "image/defaults.h"
#include "image/profile_file.h"
#include "image/text_lookup.h"

namespace vornik::ctl {

namespace {

void printRepairs(const RepairReport& repairs, std::ostream& out) {
    const auto names = repairedSectionNames(repairs);
    if (names.empty()) return;
    out << "integrity check failed, shown from defaults:";
    for (const auto& name : names) out << " " << name << ";";
    out << "\n";
}

// Prints what became of a write and turns it into the exit code.
int reportWrite(const WriteOutcome& outcome, CtlEnvironment& env) {
    switch (outcome.result) {
        case WriteResult::Verified:
            env.out << "written and verified";
            if (outcome.verify.passes > 0)
                env.out << " (" << outcome.verify.MismatchList[0].size() << " bytes rewritten in "
                        << outcome.verify.passes << " repair passes)";
            env.out << "\n";
            return kExitOk;
        case WriteResult::NotWritten:
            env.err << "vornikctl: not written: " << skipReasonText(outcome.reason);
            if (outcome.reason == SkipReason::WrongChip)
                env.err << " (it reports 0x" << hex(static_cast<unsigned>(outcome.chipType), 2)
                        << ")";
            env.err << "; the mouse keeps its configuration\n";
            return kExitFailure;
        case WriteResult::Failed:
            if (outcome.verify.transferFailed)
                env.err << "vornikctl: write failed: a transfer was not completed\n";
            else
                env.err << "vornikctl: write failed: " << outcome.verify.MismatchList[3].size()
                        << " bytes still differ after three repair passes\n";
            return kExitFailure;
    }
    return kExitFailure;
}

// Reads the mouse into the session's image; false (reason printed) when it could not.
bool readMouse(Session& session, CtlEnvironment& env) {
    if (!session.enter(true)) return false;
    if (!session.flows().Btn_Read()) {
        const auto failed = session.protocol().lastBlockFailedChunks();
        if (failed > 0)
            env.err << "vornikctl: the read was incomplete: " << failed
                    << " of 342 chunks were not returned\n";
        else
            env.err << "vornikctl: the mouse did not complete the read\n";
        return false;
    }
    return true;
}

// Loads a profile file over the built-in image (a short file leaves the rest of it).
bool loadFile(Session& session, const std::string& path, CtlEnvironment& env) {
    session.image().DataBuf = BuiltInImage();
    std::string error;
    std::uintmax_t size = 0;
    if (!LoadProfileFile(path, session.image().DataBuf, error, &size)) {
        env.err << "vornikctl: " << error << "\n";
        return false;
    }
    if (size < kImageSize)
        env.err << "vornikctl: note: \"" << path << "\" has " << size
                << " bytes; the rest comes from the built-in image\n";
    else if (size > kImageSize)
        env.err << "vornikctl: note: \"" << path << "\" has " << size
                << " bytes; only the first 2048 are used\n";
    return true;
}

bool openMouse(Session& session, CtlEnvironment& env) {
    std::uint32_t version = kMouseVersion;
    if (session.link().OpenMouseDev(kMouseVendorId, kMouseProductId, version)) return true;
    env.err << "vornikctl: no mouse found (" << mouseIds() << ")\n";
    return false;
}

}  // namespace

int runRead(Session& session, const Options& options, CtlEnvironment& env) {
    if (!readMouse(session, env)) return kExitFailure;
    printRepairs(session.image().lastRepairs, env.out);
    std::string error;
    if (!SaveProfileFile(*options.out, session.image().DataBuf, error)) {
        env.err << "vornikctl: " << error << "\n";
        return kExitFailure;
    }
    env.out << "read 2048 bytes into \"" << *options.out << "\"\n";
    return kExitOk;
}

int runRestore(Session& session, const Options& options, CtlEnvironment& env) {
    if (!openMouse(session, env)) return kExitFailure;
    if (!loadFile(session, options.operands[0], env)) return kExitFailure;
    const WriteOutcome outcome = session.flows().MemoToDataBuf_OnClick();
    printRepairs(session.image().lastRepairs, env.out);
    return reportWrite(outcome, env);
}

int runDefault(Session& session, const Options& options, CtlEnvironment& env) {
    const std::string& n = options.operands[0];
    if (n.size() != 1 || n[0] < '1' || n[0] > '3') {
        env.err << "vornikctl: default takes 1, 2 or 3, not \"" << n << "\"\n";
        return kExitUsage;
    }
    if (!openMouse(session, env)) return kExitFailure;
    const std::string fileName = kDefaultImageFiles[static_cast<std::size_t>(n[0] - '1')];
    const std::string prefix = MacroLibraryPrefix("", env.programDir);
    std::error_code ec;
    const bool fromFile = std::filesystem::is_regular_file(prefix + fileName, ec);
    env.out << "default image: " << (fromFile ? "\"" + prefix + fileName + "\"" : "built-in")
            << "\n";
    const WriteOutcome outcome = session.flows().TLDefaultParameter(prefix, fileName);
    printRepairs(session.image().lastRepairs, env.out);
    return reportWrite(outcome, env);
}

int runDump(Session& session, const Options& options, CtlEnvironment& env) {
    if (options.device) {
        if (!readMouse(session, env)) return kExitFailure;
    } else {
        if (!loadFile(session, options.operands[0], env)) return kExitFailure;
        session.flows().split();
    }
    const EnglishTexts texts;
    const ImageSummary summary =
        summarize(session.image().sections, session.image().lastRepairs, texts);
    env.out << (options.json ? summaryJson(summary) : summaryText(summary));
    return kExitOk;
}

}  // namespace vornik::ctl

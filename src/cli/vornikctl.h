#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/hid_platform.h"
#include "device/protocol.h"

namespace vornik {

// What the command-line companion runs on; main() passes the real platform, tests a fake.
struct CtlEnvironment {
    std::function<std::unique_ptr<HidPlatform>()> nativePlatform;
    Clock& clock;
    std::ostream& out;
    std::ostream& err;
    // Where the default image files are looked for (the program's own directory).
    std::string programDir;
    // Asked between chunks whether the user interrupted the run (Ctrl-C, SIGTERM).
    const Cancellation* cancellation = nullptr;
    // Whether transfers draw a progress bar on `err` (when it is a terminal).
    bool progress = false;
    // Where the mouse's image is kept before every write; nullopt when the user's state folder
    // is not known, and then nothing is written.
    std::optional<std::filesystem::path> snapshotFolder = std::nullopt;
    // Off only in tests of what a write does to a mouse that cannot be read first.
    bool snapshots = true;
};

// Exit codes: 0 done, 1 the device or a file failed, 2 the command line is wrong, 130 the user
// interrupted a transfer.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

int runVornikctl(const std::vector<std::string>& args, CtlEnvironment& env);

}  // namespace vornik

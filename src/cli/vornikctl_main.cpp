#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/vornikctl.h"
#include "device/native_platform.h"
#include "model/user_folders.h"

namespace {

// Set by the signal handler, read between chunks: the only thing a handler may safely do.
std::atomic<bool> interruptRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int) { interruptRequested.store(true, std::memory_order_relaxed); }

class SignalCancellation : public vornik::Cancellation {
  public:
    bool requested() const override { return interruptRequested.load(std::memory_order_relaxed); }
};

// Ctrl-C and SIGTERM let the chunk in flight finish and the mouse leave configuration mode.
void catchInterrupts() {
#ifdef _WIN32
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#else
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

// "snapshots" in the user's state folder, as the window keeps them (the platform library
// would bring the GUI toolkit with it, so the environment is read here).
std::optional<std::filesystem::path> snapshotFolder() {
    const auto state = vornik::userStateFolder(
        [](const char* name) -> std::optional<std::string> {
            const char* value = std::getenv(name);
            if (!value) return std::nullopt;
            return std::string(value);
        },
#ifdef _WIN32
        vornik::FolderConvention::Windows);
#else
        vornik::FolderConvention::Xdg);
#endif
    if (!state) return std::nullopt;
    return std::filesystem::path(*state) / "snapshots";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    catchInterrupts();
    SignalCancellation cancellation;
    auto clock = vornik::createNativeClock();
    vornik::CtlEnvironment env{[] { return vornik::createNativeHidPlatform(); }, *clock, std::cout,
                               std::cerr, vornik::programDirectory()};
    env.cancellation = &cancellation;
    env.progress = stderrIsTerminal();
    env.snapshotFolder = snapshotFolder();
    return vornik::runVornikctl(args, env);
}

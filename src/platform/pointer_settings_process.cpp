#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/pointer_settings_gnome.h"

extern char** environ;

namespace vornik {

namespace {

// gsettings answers at once; a settings service that hangs must not hang the window.
constexpr std::chrono::milliseconds kTimeLimit{10000};

class Pipe {
  public:
    bool open() { return ::pipe2(m_fds, O_CLOEXEC) == 0; }
    ~Pipe() { closeBoth(); }
    int readEnd() const { return m_fds[0]; }
    int writeEnd() const { return m_fds[1]; }
    void closeWriteEnd() { closeOne(1); }

  private:
    void closeOne(int i) {
        if (m_fds[i] >= 0) ::close(m_fds[i]);
        m_fds[i] = -1;
    }
    void closeBoth() {
        closeOne(0);
        closeOne(1);
    }
    int m_fds[2] = {-1, -1};
};

class ProcessRunner : public CommandRunner {
  public:
    CommandResult run(const std::vector<std::string>& argv) override {
        CommandResult result;
        if (argv.empty()) return result;
        Pipe out;
        Pipe err;
        if (!out.open() || !err.open()) return result;

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out.writeEnd(), 1);
        posix_spawn_file_actions_adddup2(&actions, err.writeEnd(), 2);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        pid_t pid = 0;
        const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) return result;
        result.started = true;
        out.closeWriteEnd();
        err.closeWriteEnd();

        const bool finished = collect(out.readEnd(), err.readEnd(), result);
        if (!finished) ::kill(pid, SIGKILL);
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.exitCode = finished && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

  private:
    // Reads both pipes until both are closed; false when the time limit passed first.
    static bool collect(int outFd, int errFd, CommandResult& result) {
        const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
        pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
        std::string* sinks[2] = {&result.output, &result.errors};
        int open = 2;
        while (open > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            const int ready = ::poll(fds, 2, static_cast<int>(left.count()));
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return false;
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || fds[i].revents == 0) continue;
                char buffer[4096];
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) {
                    sinks[i]->append(buffer, static_cast<std::size_t>(n));
                } else if (n == 0 || errno != EINTR) {
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
        return true;
    }
};

}  // namespace

std::unique_ptr<CommandRunner> createProcessRunner() { return std::make_unique<ProcessRunner>(); }

}  // namespace vornik

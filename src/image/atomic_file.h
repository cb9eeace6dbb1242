#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornik {

// The program's file access, the one place in the core that calls the operating system (one
// implementation per platform). Errors name the file and say what went wrong.

// Writes `bytes` to `path` so that nobody sees a half-written file and a crash or power cut
// leaves the old one: an exclusive new temporary file (mode 0600) beside the target, flushed,
// given the target's final mode, renamed over it, and the folder flushed. A symbolic link is
// written through to the file it names; a target that is not a regular file (a directory, FIFO,
// device or socket) is refused. An existing file keeps its permission bits; a new one gets
// 0666 less the umask.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

// Reads at most `maxBytes` from the start of a regular file (links are followed); anything else
// is refused without being opened for reading in a way that could block. `totalSize` (when
// given) receives the file's full size.
std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::filesystem::path& path,
                                                        std::size_t maxBytes, std::string& error,
                                                        std::uintmax_t* totalSize = nullptr);

// An exclusive advisory lock that other processes of this program respect, taken without
// waiting: flock(2) on the file itself on POSIX (which must exist), a named mutex for the path on
// Windows. Released by unlock() or the destructor.
class ExclusiveFileLock {
  public:
    enum class Result { Taken, HeldElsewhere, Failed };

    ExclusiveFileLock() = default;
    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

    Result tryLock(const std::filesystem::path& path, std::string& error);
    void unlock();
    bool held() const { return m_handle != kNone; }

  private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

}  // namespace vornik

// File access on POSIX systems.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "image/atomic_file.h"

namespace vornik {

namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::string failure(std::string_view what, const fs::path& path, int error) {
    return std::string(what) + " " + quoted(path) + ": " + std::strerror(error);
}

// What a file that is not a regular one is, for the message that refuses it.
const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// "cannot read "x": it is a FIFO, not a regular file"
std::string notRegular(std::string_view what, const fs::path& path, mode_t mode) {
    return std::string(what) + " " + quoted(path) + ": it is " + kindOf(mode) +
           ", not a regular file";
}

int retryOnInterrupt(auto call) {
    int result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    // Closes and reports the result: a delayed write error shows up here.
    bool close() { return ::close(release()) == 0; }

  private:
    int m_fd;
};

// The file `path` names once its symbolic links are followed; it need not exist. A relative
// link is taken from the folder of the link.
std::optional<fs::path> followLinks(fs::path path, std::string& error) {
    constexpr int kMaxLinks = 40;  // as the kernel's own limit
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) return path;
            error = failure("cannot look at", path, errno);
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) return path;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
            error = failure("cannot follow the link", path, n < 0 ? errno : ENAMETOOLONG);
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(n));
        const fs::path next(target);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = failure("cannot follow the link", path, ELOOP);
    return std::nullopt;
}

// The mode a newly created file gets: 0666 less the umask. umask(2) can only be read by setting
// it; it is set back at once, and meanwhile it is the strict 077 so that nothing created by
// another thread in between comes out more open than it should.
mode_t newFileMode() {
    const mode_t mask = ::umask(0077);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

// After a rename the new directory entry is only durable once the folder is flushed too. Some
// file systems cannot flush a folder; the file itself is safe by then, so that is not an error.
void flushFolder(const fs::path& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// Opens a regular file for reading without blocking; anything else is refused before it is
// opened, since opening a FIFO or a device can block or act on the device. `st` describes what
// was opened. -1 with `error` ("<what> "x": …") on failure.
int openRegularFile(const fs::path& path, std::string_view what, struct stat& st,
                    std::string& error) {
    if (::stat(path.c_str(), &st) != 0) {
        error = failure(what, path, errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = notRegular(what, path, st.st_mode);
        return -1;
    }
    Descriptor fd(retryOnInterrupt(
        [&] { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }));
    if (fd.get() < 0) {
        error = failure(what, path, errno);
        return -1;
    }
    // The name may have been swapped for something else since it was looked at.
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = notRegular(what, path, st.st_mode);
        return -1;
    }
    return fd.release();
}

}  // namespace

bool writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    const auto resolved = followLinks(path, error);
    if (!resolved) return false;
    const fs::path& target = *resolved;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        error = notRegular("cannot write", path, existing.st_mode) + "; it is left as it is";
        return false;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string name = (folder / (target.filename().string() + ".tmpXXXXXX")).string();
    // mkostemp creates the name exclusively with mode 0600 and never follows a planted link.
    Descriptor fd(::mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        error = failure("cannot create", path, errno);
        return false;
    }
    const fs::path temporary(name);
    auto abandon = [&](std::string_view what, int code) {
        ::unlink(temporary.c_str());
        error = failure(what, path, code);
        return false;
    };
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Root replacing a user's file leaves it the user's; anyone else keeps what it can.
        (void)::fchown(fd.get(), existing.st_uid, existing.st_gid);
    }
    const mode_t mode = exists ? (existing.st_mode & 0777) : newFileMode();
    if (!writeAll(fd.get(), bytes)) return abandon("cannot write", errno);
    if (::fchmod(fd.get(), mode) != 0) return abandon("cannot set the mode of", errno);
    if (::fsync(fd.get()) != 0) return abandon("cannot write", errno);
    if (!fd.close()) return abandon("cannot write", errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon("cannot replace", errno);
    flushFolder(folder);
    return true;
}

std::optional<std::vector<std::uint8_t>> readFilePrefix(const fs::path& path, std::size_t maxBytes,
                                                        std::string& error,
                                                        std::uintmax_t* totalSize) {
    struct stat st {};
    Descriptor fd(openRegularFile(path, "cannot read", st, error));
    if (fd.get() < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, maxBytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = failure("cannot read", path, errno);
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    if (totalSize) *totalSize = static_cast<std::uintmax_t>(st.st_size);
    return bytes;
}

ExclusiveFileLock::~ExclusiveFileLock() { unlock(); }

ExclusiveFileLock::Result ExclusiveFileLock::tryLock(const fs::path& path, std::string& error) {
    unlock();
    // The file is replaced by renames while it is locked, so a lock taken on a file that has
    // meanwhile left its name is given up and taken again on the new one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        struct stat locked {};
        Descriptor fd(openRegularFile(path, "cannot lock", locked, error));
        if (fd.get() < 0) return Result::Failed;
        if (retryOnInterrupt([&] { return ::flock(fd.get(), LOCK_EX | LOCK_NB); }) != 0) {
            if (errno == EWOULDBLOCK) return Result::HeldElsewhere;
            error = failure("cannot lock", path, errno);
            return Result::Failed;
        }
        struct stat named {};
        if (::stat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
            locked.st_ino == named.st_ino) {
            m_handle = fd.release();
            return Result::Taken;
        }
    }
    error = failure("cannot lock", path, EAGAIN);
    return Result::Failed;
}

void ExclusiveFileLock::unlock() {
    if (m_handle == kNone) return;
    // Closing the descriptor releases the lock.
    ::close(static_cast<int>(std::exchange(m_handle, kNone)));
}

}  // namespace vornik

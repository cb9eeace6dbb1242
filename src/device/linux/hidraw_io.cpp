#include "device/linux/hidraw_io.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace vornik {
namespace {

// The ioctl number carries the length in _IOC_SIZEBITS bits; a longer buffer cannot be named.
constexpr std::size_t kMaxIoctlLength = (std::size_t{1} << _IOC_SIZEBITS) - 1;

bool lengthFits(std::size_t length) { return length != 0 && length <= kMaxIoctlLength; }

class SystemHidrawIo final : public HidrawIo {
  public:
    int open(const std::string& nodePath) override {
        int fd;
        do {
            fd = ::open(nodePath.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        } while (fd < 0 && errno == EINTR);
        return fd < 0 ? -1 : fd;
    }

    void close(int fd) override { ::close(fd); }

    int setFeature(int fd, std::span<const std::uint8_t> report) override {
        if (!lengthFits(report.size())) return -1;
        // The kernel only reads the buffer for a set, whatever the ioctl's direction bits say.
        return ::ioctl(fd, HIDIOCSFEATURE(report.size()), report.data());
    }

    int getFeature(int fd, std::span<std::uint8_t> report) override {
        if (!lengthFits(report.size())) return -1;
        return ::ioctl(fd, HIDIOCGFEATURE(report.size()), report.data());
    }

    bool tryLock(int fd) override {
        int result;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result < 0 && errno == EINTR);
        return result == 0;
    }

    void unlock(int fd) override { ::flock(fd, LOCK_UN); }
};

}  // namespace

std::unique_ptr<HidrawIo> createSystemHidrawIo() { return std::make_unique<SystemHidrawIo>(); }

}  // namespace vornik

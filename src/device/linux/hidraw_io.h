#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vornik {

// The system calls the hidraw backend makes on a device node, so that tests can stand in for
// the kernel. Results follow the calls: a file descriptor or -1, the ioctl's return value.
class HidrawIo {
  public:
    virtual ~HidrawIo() = default;

    virtual int open(const std::string& nodePath) = 0;
    virtual void close(int fd) = 0;
    // HIDIOCSFEATURE / HIDIOCGFEATURE with the report's length; byte 0 is the report id.
    virtual int setFeature(int fd, std::span<const std::uint8_t> report) = 0;
    virtual int getFeature(int fd, std::span<std::uint8_t> report) = 0;
    // An exclusive lock on the node without waiting (flock), which every other open of it
    // sees; false when it is held elsewhere. Closing the fd releases it.
    virtual bool tryLock(int fd) = 0;
    virtual void unlock(int fd) = 0;
};

// The real calls: open(2) with O_RDWR | O_CLOEXEC | O_NONBLOCK, the hidraw ioctls and flock(2).
std::unique_ptr<HidrawIo> createSystemHidrawIo();

}  // namespace vornik

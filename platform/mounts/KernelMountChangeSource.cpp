#include "platform/mounts/KernelMountChangeSource.h"

#include "platform/system/Log.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {

KernelMountChangeSource::KernelMountChangeSource(const std::string& mountinfoPath)
    : tableFd_(open(mountinfoPath.c_str(), O_RDONLY | O_CLOEXEC)), wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (tableFd_ < 0) logWarning("cannot watch the mount table " + mountinfoPath + ": " + std::strerror(errno));
}

KernelMountChangeSource::~KernelMountChangeSource() {
    if (tableFd_ >= 0) close(tableFd_);
    if (wakeFd_ >= 0) close(wakeFd_);
}

bool KernelMountChangeSource::waitForChange(std::optional<std::chrono::milliseconds> timeout) {
    pollfd fds[2] = {{tableFd_, POLLPRI, 0}, {wakeFd_, POLLIN, 0}};
    int ms = timeout ? static_cast<int>(timeout->count()) : -1;
    int ready = poll(fds, 2, ms);
    if (ready <= 0) return false;
    if (fds[1].revents & POLLIN) {
        uint64_t count = 0;
        ssize_t ignored = read(wakeFd_, &count, sizeof count);
        (void)ignored;
        return false;
    }
    return (fds[0].revents & (POLLPRI | POLLERR)) != 0;
}

void KernelMountChangeSource::interrupt() {
    uint64_t one = 1;
    ssize_t ignored = write(wakeFd_, &one, sizeof one);
    (void)ignored;
}

}  // namespace platform

#include "platform/files/FileFlags.h"

#include <linux/fs.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace platform {
namespace {

constexpr int lockFlags = FS_IMMUTABLE_FL | FS_APPEND_FL;

bool flagsUnsupported(int error) { return error == ENOTTY || error == EOPNOTSUPP || error == EINVAL; }

// Sets the lock flags to wanted; the kernel reads and writes the flags as an int whatever the
// ioctl's declared type.
bool setLockFlags(int fd, int wanted) {
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) return flagsUnsupported(errno) && wanted == 0;
    if ((flags & lockFlags) == wanted) return true;
    flags = (flags & ~lockFlags) | wanted;
    return ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
}

}  // namespace

bool clearLockFlags(int fd) { return setLockFlags(fd, 0); }

std::optional<int> lockFlagsOf(int fd) {
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) return flags & lockFlags;
    if (flagsUnsupported(errno)) return 0;
    return std::nullopt;
}

bool restoreLockFlags(int fd, int lockFlagsWanted) { return setLockFlags(fd, lockFlagsWanted & lockFlags); }

}  // namespace platform

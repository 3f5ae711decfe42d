#include "platform/files/FileFlags.h"

#include <linux/fs.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace platform {
namespace {

constexpr int lockFlags = FS_IMMUTABLE_FL | FS_APPEND_FL;

bool flagsUnsupported(int error) { return error == ENOTTY || error == EOPNOTSUPP || error == EINVAL; }

}  // namespace

bool clearLockFlags(int fd) {
    // The kernel reads and writes these flags as an int whatever the ioctl's declared type.
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) return flagsUnsupported(errno);
    if ((flags & lockFlags) == 0) return true;
    flags &= ~lockFlags;
    return ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
}

}  // namespace platform

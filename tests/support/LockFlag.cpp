#include "support/LockFlag.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace testsupport {

bool setImmutable(const std::string& path, bool on, int flag) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | flag) : (flags & ~flag);
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}

}  // namespace testsupport

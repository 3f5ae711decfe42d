#include "platform/files/MoveWithoutReplacing.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool moveWithoutReplacing(int folder, const std::string& from, const std::string& to) {
    if (renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    if (linkat(folder, from.c_str(), folder, to.c_str(), 0) != 0) return false;
    if (unlinkat(folder, from.c_str(), 0) == 0) return true;
    int error = errno;
    unlinkat(folder, to.c_str(), 0);
    errno = error;
    return false;
}

bool moveIfStill(int folder, const std::string& from, const std::string& to, const FileIdentity& expected) {
    const std::optional<FileIdentity> before = FileIdentity::ofEntryAt(folder, from);
    if (!before) return false;
    if (*before != expected) {
        errno = ESTALE;
        return false;
    }
    if (!moveWithoutReplacing(folder, from, to)) return false;
    if (FileIdentity::ofEntryAt(folder, to) == expected) return true;
    moveWithoutReplacing(folder, to, from);
    errno = ESTALE;
    return false;
}

}  // namespace platform

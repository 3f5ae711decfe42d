#include "platform/files/CreationDate.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

std::optional<timespec> creationDateOf(const std::string& path) {
    struct statx info {};
    if (path.empty() || statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &info) != 0)
        return std::nullopt;
    const struct statx_timestamp& stamp = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
    return timespec{static_cast<time_t>(stamp.tv_sec), static_cast<long>(stamp.tv_nsec)};
}

}  // namespace platform

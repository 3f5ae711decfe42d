#include "platform/files/OpenFileLimit.h"

#include "platform/system/Log.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

namespace platform {

void raiseOpenFileLimit() {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max) return;
    const rlim_t before = limit.rlim_cur;
    limit.rlim_cur = limit.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
        logWarning("open file limit stays at " + std::to_string(before) + ": " + std::strerror(errno));
}

std::size_t openFileLimit() {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::numeric_limits<std::size_t>::max();
    return static_cast<std::size_t>(limit.rlim_cur);
}

}  // namespace platform

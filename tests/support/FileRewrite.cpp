#include "support/FileRewrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

bool rewriteKeepingSizeAndDate(const std::string& path) {
    struct stat before;
    if (stat(path.c_str(), &before) != 0) return false;
    const int fd = open(path.c_str(), O_WRONLY);
    if (fd < 0) return false;
    const std::string bytes(static_cast<std::size_t>(before.st_size), 'z');
    const bool written = pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    const timespec times[2] = {before.st_atim, before.st_mtim};
    const bool dated = futimens(fd, times) == 0;
    return close(fd) == 0 && written && dated;
}

}  // namespace testsupport

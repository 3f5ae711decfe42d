#include "support/DeepTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace testsupport {
namespace {

bool writeFileAt(int folderFd, size_t size) {
    int fd = openat(folderFd, "f", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::vector<char> content(size, 'x');
    bool written = write(fd, content.data(), size) == static_cast<ssize_t>(size);
    close(fd);
    return written;
}

}  // namespace

uint64_t makeDeepTree(const std::string& folder, int levels, const std::string& levelName, size_t fileSize) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    uint64_t total = 0;
    for (int level = 0; fd >= 0 && level < levels; ++level) {
        int child = -1;
        if (mkdirat(fd, levelName.c_str(), 0755) == 0)
            child = openat(fd, levelName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = child;
        if (fd >= 0 && writeFileAt(fd, fileSize)) total += fileSize;
    }
    if (fd < 0) return 0;
    close(fd);
    return total;
}

}  // namespace testsupport

#include "platform/files/AtomicFile.h"

#include "platform/system/Log.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

bool writeAll(int fd, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        ssize_t n = write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

bool makeFolders(const std::string& path, mode_t mode) {
    if (path.empty()) return false;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    std::string parent = parentPath(path);
    if (!parent.empty() && parent != path && !makeFolders(parent, mode)) return false;
    return mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

bool writeFileAtomically(const std::string& path, const std::string& content, mode_t mode) {
    std::string folder = parentPath(path);
    if (!folder.empty() && !makeFolders(folder, 0700)) {
        logError("cannot make the folder of " + path);
        return false;
    }
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        logError("cannot write " + path + ": " + std::strerror(errno));
        return false;
    }
    bool ok = fchmod(fd, mode) == 0 && writeAll(fd, content) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(name.data(), path.c_str()) == 0) return true;
    logError("cannot write " + path + ": " + std::strerror(errno));
    unlink(name.data());
    return false;
}

}  // namespace platform

#include "platform/system/Bundle.h"

#include "platform/system/Log.h"
#include "platform/files/PathText.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {
namespace {

std::string executableFolder() {
    std::vector<char> buffer(4096);
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return ".";
    return parentPath(std::string(buffer.data(), static_cast<size_t>(length)));
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string Bundle::folder() {
    const char* overridden = std::getenv("DURIDOVE_BUNDLE_DIR");
    if (overridden && *overridden) return overridden;
    static const std::string folder = executableFolder();
    return folder;
}

std::string Bundle::resourcePath(const std::string& name, const std::string& type) {
    std::string path = joinPath(folder(), type.empty() ? name : name + "." + type);
    if (isRegularFile(path)) return path;
    logWarning("missing resource " + path);
    return "";
}

std::string Bundle::helperPath(const std::string& name) {
    std::string path = joinPath(folder(), name);
    if (isRegularFile(path) && access(path.c_str(), X_OK) == 0) return path;
    logWarning("missing helper program " + path);
    return "";
}

}  // namespace platform

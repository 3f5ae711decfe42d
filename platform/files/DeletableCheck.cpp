#include "platform/files/DeletableCheck.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool stickyRuleAllows(const struct stat& item, const struct stat& folder) {
    if ((folder.st_mode & S_ISVTX) == 0) return true;
    uid_t user = geteuid();
    return user == 0 || item.st_uid == user || folder.st_uid == user;
}

}  // namespace

bool isDeletableFileAtPath(const std::string& path) {
    std::string folder = parentPath(path);
    FileDescriptor folderFd(open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    return folderFd.isOpen() && isDeletableFileAt(folderFd.get(), lastPathComponent(path));
}

bool isDeletableFileAt(int folderFd, const std::string& name) {
    struct stat item {};
    struct stat holder {};
    if (fstatat(folderFd, name.c_str(), &item, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (fstat(folderFd, &holder) != 0) return false;
    if (faccessat(folderFd, ".", W_OK | X_OK, AT_EACCESS) != 0) return false;
    return stickyRuleAllows(item, holder);
}

}  // namespace platform

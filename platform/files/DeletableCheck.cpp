#include "platform/files/DeletableCheck.h"

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
    if (folder.empty()) folder = ".";
    struct stat item {};
    struct stat holder {};
    if (fstatat(AT_FDCWD, path.c_str(), &item, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (stat(folder.c_str(), &holder) != 0) return false;
    if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return false;
    return stickyRuleAllows(item, holder);
}

}  // namespace platform

#include "platform/files/FileManager.h"

#include "platform/files/FileWalker.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

std::string describe(const std::string& what, const std::string& path, int error) {
    return what + " " + path + ": " + std::strerror(error);
}

void keepFirstError(std::string* error, const std::string& text) {
    if (error && error->empty()) *error = text;
}

}  // namespace

bool FileManager::removeItemAtPath(const std::string& path, std::string* error) {
    if (error) error->clear();
    bool removedAll = true;
    auto removeAt = [&](const FileWalker::Visit& visit, int flags) {
        int folderFd = visit.folderDescriptor();
        if (folderFd >= 0 && unlinkat(folderFd, visit.entry().name.c_str(), flags) == 0) return;
        removedAll = false;
        keepFirstError(error, describe("cannot remove", visit.path(), folderFd < 0 ? ESTALE : errno));
    };
    FileWalker::Callbacks callbacks;
    callbacks.leaveFolder = [&](const FileWalker::Visit& visit, bool) { removeAt(visit, AT_REMOVEDIR); };
    bool found = false;
    callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
        found = true;
        if (!visit.entry().isFolder()) removeAt(visit, 0);
        return FileWalker::Step::Continue;
    };
    FileWalker::walk(path, callbacks);
    if (!found) keepFirstError(error, describe("cannot remove", path, ENOENT));
    return found && removedAll;
}

bool FileManager::setPosixPermissions(const std::string& path, mode_t mode, std::string* error) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        if (error) *error = describe("cannot read", path, errno);
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        if (error) *error = "not changing the permissions of the link " + path;
        return false;
    }
    // AT_SYMLINK_NOFOLLOW: should a link have been put in its place meanwhile, it is refused.
    if (fchmodat(AT_FDCWD, path.c_str(), mode, AT_SYMLINK_NOFOLLOW) != 0) {
        if (error) *error = describe("cannot change the permissions of", path, errno);
        return false;
    }
    return true;
}

}  // namespace platform

#include "platform/files/FileManager.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/FileFlags.h"
#include "platform/files/FileWalker.h"
#include "platform/files/PathText.h"

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

// Clears the lock flags of a file or folder in an open folder. Other kinds are never opened:
// opening a device can act on it.
void clearLockFlagsAt(int holderFd, const FileEntry& entry) {
    if (entry.kind != FileKind::File && entry.kind != FileKind::Folder) return;
    FileDescriptor item(openat(holderFd, entry.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (item.isOpen()) clearLockFlags(item.get());
}

}  // namespace

bool FileManager::removeItemAtPath(const std::string& path, std::string* error) {
    if (error) error->clear();
    const std::string folder = parentPath(path);
    FileDescriptor folderFd(open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.isOpen()) {
        keepFirstError(error, describe("cannot remove", path, errno));
        return false;
    }
    return removeItemAt(folderFd.get(), lastPathComponent(path), path, error);
}

bool FileManager::removeItemAt(int folderFd, const std::string& name, const std::string& path, std::string* error,
                               bool oneFileSystem) {
    return removeTreeAt(folderFd, name, path, error, oneFileSystem, false);
}

bool FileManager::removeUnlockedItemAt(int folderFd, const std::string& name, const std::string& path,
                                       std::string* error, bool oneFileSystem) {
    return removeTreeAt(folderFd, name, path, error, oneFileSystem, true);
}

bool FileManager::removeTreeAt(int folderFd, const std::string& name, const std::string& path, std::string* error,
                               bool oneFileSystem, bool unlock) {
    if (error) error->clear();
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        keepFirstError(error, "not an item's name: " + path);
        return false;
    }
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        keepFirstError(error, describe("cannot remove", path, errno));
        return false;
    }
    bool removedAll = true;
    auto removeAt = [&](const FileWalker::Visit& visit, int flags) {
        int holderFd = visit.folderDescriptor();
        if (holderFd >= 0 && unlinkat(holderFd, visit.entry().name.c_str(), flags) == 0) return;
        removedAll = false;
        keepFirstError(error, describe("cannot remove", visit.path(), holderFd < 0 ? ESTALE : errno));
    };
    FileWalker::Callbacks callbacks;
    callbacks.leaveFolder = [&](const FileWalker::Visit& visit, bool) { removeAt(visit, AT_REMOVEDIR); };
    callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
        if (oneFileSystem && visit.entry().device != info.st_dev) {
            removedAll = false;
            keepFirstError(error, "not removing " + visit.path() + ": it lies on another file system");
            return FileWalker::Step::Prune;
        }
        // A folder's flags go before its entries are removed from it, a file's before it goes.
        if (unlock && visit.folderDescriptor() >= 0) clearLockFlagsAt(visit.folderDescriptor(), visit.entry());
        if (!visit.entry().isFolder()) removeAt(visit, 0);
        return FileWalker::Step::Continue;
    };
    FileWalker::walkAt(folderFd, FileEntry::fromStat(name, info), path, callbacks, FileWalker::Options());
    return removedAll;
}

bool FileManager::setPosixPermissions(const std::string& path, mode_t mode, std::string* error) {
    const std::string folder = parentPath(path);
    FileDescriptor folderFd(open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.isOpen()) {
        if (error) *error = describe("cannot read", path, errno);
        return false;
    }
    return setPosixPermissionsAt(folderFd.get(), lastPathComponent(path), mode, error);
}

bool FileManager::setPosixPermissionsAt(int folderFd, const std::string& name, mode_t mode, std::string* error) {
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (error) *error = describe("cannot read", name, errno);
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        if (error) *error = "not changing the permissions of the link " + name;
        return false;
    }
    // AT_SYMLINK_NOFOLLOW: should a link have been put in its place meanwhile, it is refused.
    if (fchmodat(folderFd, name.c_str(), mode, AT_SYMLINK_NOFOLLOW) != 0) {
        if (error) *error = describe("cannot change the permissions of", name, errno);
        return false;
    }
    return true;
}

std::string FileManager::displayNameAtPath(const std::string& path) {
    std::string name = lastPathComponent(path);
    if (name.size() > 4 && endsWith(name, ".app")) name.resize(name.size() - 4);
    return name;
}

}  // namespace platform

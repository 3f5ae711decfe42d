#include "platform/files/FileManager.h"

#include "platform/files/ChosenItem.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/ItemRemoval.h"
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

}  // namespace

bool FileManager::removeItemAtPath(const std::string& path, std::string* error) {
    if (error) error->clear();
    std::optional<ChosenItem> item = ChosenItem::take(normalizedPath(path));
    ItemRemoval::Result result = item ? ItemRemoval::remove(*item) : ItemRemoval::Result{ItemRemoval::Outcome::Gone, ""};
    if (result.outcome == ItemRemoval::Outcome::Gone) result.reason = "cannot remove " + path + ": it is not there";
    if (error && !result.isRemoved()) *error = result.reason;
    return result.isRemoved();
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

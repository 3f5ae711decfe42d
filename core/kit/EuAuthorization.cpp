#include "core/kit/EuAuthorization.h"

#include "platform/files/DeletableCheck.h"
#include "platform/files/FileManager.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"
#include "platform/privileged/PrivilegedProtocol.h"
#include "platform/system/ServiceSlot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace core {
namespace {

platform::ServiceSlot<EuAuthorization>& sharedSlot() {
    static platform::ServiceSlot<EuAuthorization> slot(
        [] { return std::make_shared<EuAuthorization>(platform::PrivilegedSession::make()); });
    return slot;
}

// The item as it was before its permissions were opened, to put them back should it stay.
struct OpenedItem {
    mode_t mode;
    dev_t device;
    ino_t inode;
};

// Opens the item's own permissions to 0777 (never a link's, never its contents').
std::optional<OpenedItem> openPermissions(int folderFd, const std::string& name) {
    struct stat info;
    std::string error;
    bool readable = fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    if (!platform::FileManager::setPosixPermissionsAt(folderFd, name, 0777, &error)) {
        platform::logWarning("Set deletable attributed failed: " + error);
        return std::nullopt;
    }
    if (!readable) return std::nullopt;
    return OpenedItem{static_cast<mode_t>(info.st_mode & 07777), info.st_dev, info.st_ino};
}

// A folder of the user's own that they may not write in or search: nothing in it can go until
// it is opened, which its owner may do.
bool isClosedFolderOfUser(int folderFd, const std::string& name) {
    struct stat info;
    return fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == geteuid() && (info.st_mode & (S_IWUSR | S_IXUSR)) != (S_IWUSR | S_IXUSR);
}

void restorePermissions(int folderFd, const std::string& name, const OpenedItem& item) {
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || info.st_dev != item.device ||
        info.st_ino != item.inode)
        return;
    std::string error;
    if (!platform::FileManager::setPosixPermissionsAt(folderFd, name, item.mode, &error))
        platform::logWarning("cannot put back the permissions: " + error);
}

// A path the privileged helper would refuse (relative, not normalised, "/", longer than
// PATH_MAX, holding a NUL) fails with a log line, before the user is asked for a password.
bool isUsablePath(const std::string& path) {
    std::optional<std::string> refusal = path.find('\0') != std::string::npos
                                             ? std::optional<std::string>("holds a NUL byte")
                                             : platform::PrivilegedProtocol::refusalReason(path);
    if (refusal) platform::logWarning("not removing an unusable path (" + *refusal + "): " + path.substr(0, 200));
    return !refusal;
}

bool refusedThroughLink(const std::string& path) {
    platform::logWarning("not removing " + path + ": a folder on its way has become a link");
    return false;
}

}  // namespace

EuAuthorization::EuAuthorization(std::shared_ptr<platform::PrivilegedSession> session) : session_(std::move(session)) {}

EuAuthorization::~EuAuthorization() { freeAuthorization(); }

std::shared_ptr<EuAuthorization> EuAuthorization::shareEuAuthorization() { return sharedSlot().get(); }

void EuAuthorization::setShared(std::shared_ptr<EuAuthorization> instance) { sharedSlot().set(std::move(instance)); }

bool EuAuthorization::synFastRemovePath(const std::string& path) {
    if (!isUsablePath(path)) return false;
    platform::LinkFreePath::Parent parent = platform::LinkFreePath::openParentBelow("/", path);
    if (parent.reach == platform::LinkFreePath::Reach::ThroughLink) return refusedThroughLink(path);
    if (parent.reach == platform::LinkFreePath::Reach::Missing) return authRemoveItemAtPath(path);
    return synFastRemoveAt(parent.folder.get(), parent.name);
}

bool EuAuthorization::synFastRemoveAt(int folderFd, const std::string& name) {
    const std::optional<std::string> folder = platform::LinkFreePath::pathOfOpenFolder(folderFd);
    const std::string path = platform::joinPath(folder.value_or("(a removed folder)"), name);
    if (removeWithUserRightsAt(folderFd, name, path)) return true;
    return folder && authRemoveItemAtPath(path);
}

bool EuAuthorization::removeWithUserRightsAt(int folderFd, const std::string& name, const std::string& path) {
    std::optional<OpenedItem> opened;
    if (!platform::isDeletableFileAt(folderFd, name) || isClosedFolderOfUser(folderFd, name))
        opened = openPermissions(folderFd, name);
    std::string error;
    if (platform::FileManager::removeItemAt(folderFd, name, path, &error)) return true;
    platform::logInfo("removing with the user's rights failed: " + error);
    if (opened) restorePermissions(folderFd, name, *opened);
    return false;
}

bool EuAuthorization::removeItemAtPath(const std::string& path) {
    return shareEuAuthorization()->authRemoveItemAtPath(path);
}

bool EuAuthorization::authRemoveItemAtPath(const std::string& path) {
    // The helper's own checks, made before the user is asked for a password in vain.
    if (!isUsablePath(path)) return false;
    if (platform::LinkFreePath::reachBelow("/", path).reach == platform::LinkFreePath::Reach::ThroughLink)
        return refusedThroughLink(path);
    if (!allocAuthorization()) return false;
    std::shared_ptr<platform::PrivilegedSession> session = getAuthorizationRet();
    if (!session) return false;
    std::optional<platform::PrivilegedSession::Removal> removal = session->removeTree(path);
    if (!removal) return false;
    if (removal->exitStatus == 0 && removal->output.empty() && removal->gone) return true;
    platform::logWarning("privileged removal of " + path + " failed (status " + std::to_string(removal->exitStatus) +
                         (removal->gone ? "" : ", still there") + ")" +
                         (removal->output.empty() ? "" : ": " + removal->output));
    return false;
}

bool EuAuthorization::allocAuthorization() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (granted_ && session_->isAuthorized()) return true;
    granted_ = false;
    int status = 0;
    switch (session_->authorize(&status)) {
        case platform::PrivilegedSession::Outcome::Granted:
            granted_ = true;
            return true;
        case platform::PrivilegedSession::Outcome::Refused:
            platform::logWarning("Copy Rights failed: " + std::to_string(status));
            break;
        case platform::PrivilegedSession::Outcome::Unavailable:
            platform::logWarning("Error Creating Initial Authorization: " + std::to_string(status));
            break;
    }
    session_->release();
    return false;
}

std::shared_ptr<platform::PrivilegedSession> EuAuthorization::getAuthorizationRet() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!granted_) return nullptr;
    if (session_->isAuthorized()) return session_;
    // The privileged side went away: the right must be asked for again.
    platform::logWarning("Creat Ret failed: -1");
    granted_ = false;
    return nullptr;
}

bool EuAuthorization::freeAuthorization() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (granted_ && !session_->release()) platform::logWarning("Free Rights failed: -1");
    granted_ = false;
    return true;
}

}  // namespace core

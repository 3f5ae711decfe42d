#include "core/kit/EuAuthorization.h"

#include "platform/files/DeletableCheck.h"
#include "platform/files/FileManager.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"
#include "platform/privileged/PrivilegedProtocol.h"
#include "platform/system/Log.h"
#include "platform/system/ServiceSlot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace core {
namespace {

using platform::FileIdentity;
using Outcome = EuAuthorization::Outcome;
using Result = EuAuthorization::Result;

platform::ServiceSlot<EuAuthorization>& sharedSlot() {
    static platform::ServiceSlot<EuAuthorization> slot(
        [] { return std::make_shared<EuAuthorization>(platform::PrivilegedSession::make()); });
    return slot;
}

// The item's own permissions before they were opened, to put them back should it stay.
struct OpenedItem {
    mode_t mode;
};

bool isListedItem(const struct stat& info, const platform::ChosenItem& item) { return FileIdentity::of(info) == item.item; }

// Opens the item's own permissions to 0777 (never a link's, never its contents').
std::optional<OpenedItem> openPermissions(int folderFd, const std::string& name, const struct stat& info) {
    std::string error;
    if (!platform::FileManager::setPosixPermissionsAt(folderFd, name, 0777, &error)) {
        platform::logWarning("Set deletable attributed failed: " + error);
        return std::nullopt;
    }
    return OpenedItem{static_cast<mode_t>(info.st_mode & 07777)};
}

// A folder of the user's own that they may not write in or search: nothing in it can go until
// it is opened, which its owner may do.
bool isClosedFolderOfUser(const struct stat& info) {
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & (S_IWUSR | S_IXUSR)) != (S_IWUSR | S_IXUSR);
}

void restorePermissions(int folderFd, const std::string& name, const platform::ChosenItem& item, const OpenedItem& opened) {
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !isListedItem(info, item)) return;
    std::string error;
    if (!platform::FileManager::setPosixPermissionsAt(folderFd, name, opened.mode, &error))
        platform::logWarning("cannot put back the permissions: " + error);
}

Result privilegedResult(const platform::PrivilegedSession::Removal& removal, const std::string& path) {
    if (removal.exitStatus == 0 && removal.output.empty() && removal.gone) return {Outcome::Removed, ""};
    std::string output = removal.output;
    if (!output.empty() && output.back() == '\n') output.pop_back();
    const std::string refusedMark = "refused: ";
    if (removal.exitStatus == platform::PrivilegedProtocol::kRefusedStatus)
        return {Outcome::Refused, output.rfind(refusedMark, 0) == 0 ? output.substr(refusedMark.size()) : output};
    return {Outcome::Failed, "privileged removal of " + path + " failed (status " + std::to_string(removal.exitStatus) +
                                 (removal.gone ? "" : ", still there") + ")" + (output.empty() ? "" : ": " + output)};
}

}  // namespace

EuAuthorization::EuAuthorization(std::shared_ptr<platform::PrivilegedSession> session) : session_(std::move(session)) {}

EuAuthorization::~EuAuthorization() { freeAuthorization(); }

std::shared_ptr<EuAuthorization> EuAuthorization::shareEuAuthorization() { return sharedSlot().get(); }

void EuAuthorization::setShared(std::shared_ptr<EuAuthorization> instance) { sharedSlot().set(std::move(instance)); }

Outcome EuAuthorization::synFastRemove(const platform::ChosenItem& item, const Options& options) {
    platform::ItemRemoval::Folder folder = platform::ItemRemoval::reachFolder(item);
    Result result = folder.failure ? *folder.failure : removeWithUserRightsAt(folder.fd.get(), folder.name, item, options);
    if (result.outcome == Outcome::Failed && !folder.failure) {
        platform::logInfo("removing with the user's rights failed: " + result.reason);
        result = authRemoveAt(folder.fd.get(), folder.name, item);
    }
    logNotRemoved(result);
    return result.outcome;
}

Outcome EuAuthorization::synFastRemove(const platform::ChosenItem& item) { return synFastRemove(item, Options()); }

Result EuAuthorization::removeWithUserRightsAt(int folderFd, const std::string& name, const platform::ChosenItem& item,
                                               const Options& options) {
    struct stat info;
    std::optional<OpenedItem> opened;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && isListedItem(info, item) && !S_ISLNK(info.st_mode) &&
        (!platform::isDeletableFileAt(folderFd, name) || isClosedFolderOfUser(info)))
        opened = openPermissions(folderFd, name, info);
    Result result = platform::ItemRemoval::removeAt(folderFd, name, item.item, item.path, options);
    if (result.outcome == Outcome::Failed && opened) restorePermissions(folderFd, name, item, *opened);
    return result;
}

Result EuAuthorization::authRemoveAt(int folderFd, const std::string& name, const platform::ChosenItem& item) {
    // The helper is given the folder as the kernel names it, so it reaches the very folder held
    // open, and checks it is still that one.
    const std::optional<std::string> folder = platform::LinkFreePath::pathOfOpenFolder(folderFd);
    if (!folder) return {Outcome::Gone, ""};
    const platform::PrivilegedProtocol::Request request{platform::joinPath(*folder, name), item.folder, item.item};
    // The helper's own checks, made before the user is asked for a password in vain.
    if (std::optional<std::string> refusal = platform::PrivilegedProtocol::refusalReason(request.path))
        return {Outcome::Refused, "an unusable path (" + *refusal + "): " + request.path.substr(0, 200)};
    if (!allocAuthorization()) return {Outcome::Failed, "no administrator rights to remove " + item.path};
    std::shared_ptr<platform::PrivilegedSession> session = getAuthorizationRet();
    std::optional<platform::PrivilegedSession::Removal> removal = session ? session->removeItem(request) : std::nullopt;
    if (!removal) return {Outcome::Failed, "the administrator rights were lost before " + item.path + " was removed"};
    return privilegedResult(*removal, request.path);
}

void EuAuthorization::logNotRemoved(const Result& result) {
    if (result.outcome == Outcome::Refused) platform::logWarning("not removing " + result.reason);
    if (result.outcome == Outcome::Failed) platform::logWarning(result.reason);
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

#include "core/startup/StartupItemRemover.h"

#include "core/kit/EuAuthorization.h"
#include "platform/files/FileManager.h"
#include "platform/files/LinkFreePath.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace core::startup {
namespace {

bool alreadyGone(const std::string& path) {
    platform::logInfo("startup item already gone: " + path);
    return true;
}

bool refused(const std::string& path, const std::string& why) {
    platform::logWarning("not removing the startup item " + path + ": " + why);
    return false;
}

}  // namespace

bool StartupItemRemover::removeItem(const ASLoginStartItem& item, platform::LoginItemList& loginItems) {
    if (item.source == StartupItemSource::LoginItem) return removeLoginItem(item.path, loginItems);
    return removeFromDisk(item);
}

// Succeeds only when entries were taken out and none with the path is left.
bool StartupItemRemover::removeLoginItem(const std::string& path, platform::LoginItemList& loginItems) {
    const int removed = loginItems.removeLoginItems(path);
    const std::vector<platform::LoginItem> left = loginItems.loginItems();
    const bool remains = std::any_of(left.begin(), left.end(), [&](const auto& entry) { return entry.path == path; });
    if (removed == 0) return refused(path, "no login item has this path");
    if (remains) return refused(path, "some of its login items could not be taken out");
    return true;
}

bool StartupItemRemover::removeFromDisk(const ASLoginStartItem& item) {
    if (item.removalPath.empty()) return refused(item.path, "its folder could not be resolved when it was listed");
    const std::string& path = item.removalPath;
    platform::LinkFreePath::Parent parent = platform::LinkFreePath::openParentBelow("/", path);
    if (parent.reach == platform::LinkFreePath::Reach::ThroughLink)
        return refused(path, "a folder on its way has become a link");
    if (parent.reach == platform::LinkFreePath::Reach::Missing) return alreadyGone(path);
    struct stat info;
    if (fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? alreadyGone(path) : refused(path, std::strerror(errno));

    std::shared_ptr<EuAuthorization> remover = EuAuthorization::shareEuAuthorization();
    if (item.source == StartupItemSource::PrivilegedHelperTool)
        return remover->synFastRemoveAt(parent.folder.get(), parent.name);
    if (S_ISDIR(info.st_mode)) return refused(path, "the property list has become a folder");
    std::string error;
    if (platform::FileManager::removeItemAt(parent.folder.get(), parent.name, path, &error)) return true;
    platform::logInfo("unlinking the property list with the user's rights failed: " + error);
    return remover->synFastRemoveAt(parent.folder.get(), parent.name);
}

}  // namespace core::startup

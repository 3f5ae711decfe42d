#include "core/startup/StartupItemRemover.h"

#include "core/kit/EuAuthorization.h"
#include "platform/system/Log.h"

#include <algorithm>

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
    if (!item.chosen) return refused(item.path, "it could not be reached when it was listed");
    switch (EuAuthorization::shareEuAuthorization()->synFastRemove(*item.chosen)) {
        case EuAuthorization::Outcome::Removed: return true;
        case EuAuthorization::Outcome::Gone: return alreadyGone(item.path);
        case EuAuthorization::Outcome::Refused:
        case EuAuthorization::Outcome::Failed: break;
    }
    return false;
}

}  // namespace core::startup

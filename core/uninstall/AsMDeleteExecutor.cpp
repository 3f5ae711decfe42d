#include "core/uninstall/AsMDeleteExecutor.h"

#include "core/uninstall/AsMDeleteExecutorDelegate.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/privileged/PrivilegedProtocol.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <utility>

namespace core::uninstall {
namespace {

struct PlannedRemoval {
    AMAppItemPtr item;
    std::string path;
};

bool isGoneAt(int folderFd, const std::string& name) {
    struct stat info;
    return fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

}  // namespace

AsMDeleteExecutor::AsMDeleteExecutor(Executors executors, std::shared_ptr<platform::PrivilegedSession> session)
    : executors_(std::move(executors)), authorization_(std::move(session)) {}

AsMDeleteExecutor::~AsMDeleteExecutor() { freeAuthorization(); }

std::shared_ptr<AsMDeleteExecutor> AsMDeleteExecutor::make(Executors executors) {
    return std::make_shared<AsMDeleteExecutor>(std::move(executors), platform::PrivilegedSession::make());
}

void AsMDeleteExecutor::executeDelete(const std::vector<AMAppItemPtr>& items) {
    std::vector<PlannedRemoval> trashFiles;
    trashFiles.reserve(items.size());
    for (const AMAppItemPtr& item : items)
        trashFiles.push_back({item, platform::resolvedParentPath(item->path).value_or(item->path)});
    executors_.global([self = shared_from_this(), trashFiles = std::move(trashFiles)] {
        for (const PlannedRemoval& planned : trashFiles)
            self->report(planned.item, planned.path, self->removeTrahFile(planned.path));
    });
}

bool AsMDeleteExecutor::removeTrahFile(const std::string& path) {
    if (std::optional<std::string> refusal = platform::PrivilegedProtocol::refusalReason(path)) {
        platform::logWarning("not removing an unusable path (" + *refusal + "): " + path.substr(0, 200));
        return false;
    }
    platform::LinkFreePath::Parent parent = platform::LinkFreePath::openParentBelow("/", path);
    if (parent.reach == platform::LinkFreePath::Reach::ThroughLink) {
        platform::logWarning("not removing " + path + ": a folder on its way is a link");
        return false;
    }
    if (parent.reach == platform::LinkFreePath::Reach::Missing || isGoneAt(parent.folder.get(), parent.name))
        return true;
    if (authorization_.removeWithUserRightsAt(parent.folder.get(), parent.name, path)) return true;
    // The helper is given the folder as the kernel names it, so it reaches the very folder held open.
    const std::optional<std::string> folder = platform::LinkFreePath::pathOfOpenFolder(parent.folder.get());
    if (!folder) return isGoneAt(parent.folder.get(), parent.name);
    if (!allocAuthorization()) {
        platform::logWarning("Alloc authorization failed!!!");
        return false;
    }
    if (authDeleteAtPath(platform::joinPath(*folder, parent.name))) return true;
    platform::logWarning("Clean file by authorization failed: " + path);
    return false;
}

bool AsMDeleteExecutor::allocAuthorization() { return authorization_.allocAuthorization(); }

bool AsMDeleteExecutor::authDeleteAtPath(const std::string& path) { return authorization_.authRemoveItemAtPath(path); }

void AsMDeleteExecutor::freeAuthorization() { authorization_.freeAuthorization(); }

void AsMDeleteExecutor::report(const AMAppItemPtr& item, const std::string& path, bool removed) {
    executors_.main([weak = weak_from_this(), item, path, removed] {
        std::shared_ptr<AsMDeleteExecutor> self = weak.lock();
        AsMDeleteExecutorDelegate* target = self ? self->delegate_ : nullptr;
        if (!target) return;
        if (removed)
            target->deleteRelatedFile(item, path);
        else
            target->deleteRelatedFileFail(item, path);
    });
}

}  // namespace core::uninstall

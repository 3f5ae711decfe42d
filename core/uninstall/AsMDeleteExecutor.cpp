#include "core/uninstall/AsMDeleteExecutor.h"

#include "core/uninstall/AsMDeleteExecutorDelegate.h"
#include "platform/system/Log.h"

#include <optional>
#include <utility>

namespace core::uninstall {
namespace {

using platform::ItemRemoval;

// What the worker needs of a record, taken on the main thread, which alone touches records.
struct PlannedRemoval {
    AMAppItemPtr item;
    std::string path;
    std::optional<platform::ChosenItem> chosen;
};

bool isGone(const ItemRemoval::Result& result) {
    return result.outcome == ItemRemoval::Outcome::Removed || result.outcome == ItemRemoval::Outcome::Gone;
}

}  // namespace

AsMDeleteExecutor::AsMDeleteExecutor(Executors executors, std::shared_ptr<platform::PrivilegedSession> session)
    : executors_(std::move(executors)), authorization_(std::move(session)) {}

AsMDeleteExecutor::~AsMDeleteExecutor() { freeAuthorization(); }

std::shared_ptr<AsMDeleteExecutor> AsMDeleteExecutor::make(Executors executors) {
    return std::make_shared<AsMDeleteExecutor>(std::move(executors), platform::PrivilegedSession::make());
}

void AsMDeleteExecutor::executeDelete(const std::vector<AMAppItemPtr>& items) {
    std::vector<PlannedRemoval> planned;
    planned.reserve(items.size());
    for (const AMAppItemPtr& item : items) planned.push_back({item, item->path, item->chosen});
    executors_.global([self = shared_from_this(), planned = std::move(planned)] {
        for (const PlannedRemoval& removal : planned) {
            if (!removal.chosen)
                platform::logWarning("not removing " + removal.path + ": it could not be reached when it was listed");
            self->report(removal.item, removal.path, removal.chosen && self->removeTrahFile(*removal.chosen));
        }
    });
}

bool AsMDeleteExecutor::removeTrahFile(const platform::ChosenItem& item) {
    ItemRemoval::Folder folder = ItemRemoval::reachFolder(item);
    ItemRemoval::Result result = folder.failure ? *folder.failure
                                                : authorization_.removeWithUserRightsAt(folder.fd.get(), folder.name, item,
                                                                                        ItemRemoval::Options());
    if (result.outcome != ItemRemoval::Outcome::Failed || folder.failure) {
        EuAuthorization::logNotRemoved(result);
        return isGone(result);
    }
    platform::logInfo("removing with the user's rights failed: " + result.reason);
    if (!allocAuthorization()) {
        platform::logWarning("Alloc authorization failed!!!");
        return false;
    }
    if (authDeleteAtPath(folder, item)) return true;
    platform::logWarning("Clean file by authorization failed: " + item.path);
    return false;
}

bool AsMDeleteExecutor::allocAuthorization() { return authorization_.allocAuthorization(); }

bool AsMDeleteExecutor::authDeleteAtPath(const ItemRemoval::Folder& folder, const platform::ChosenItem& item) {
    const ItemRemoval::Result result = authorization_.authRemoveAt(folder.fd.get(), folder.name, item);
    EuAuthorization::logNotRemoved(result);
    return isGone(result);
}

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

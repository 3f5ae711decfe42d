#include "core/duplicates/DuplicateDeletion.h"

#include "core/kit/EuAuthorization.h"
#include "platform/files/ItemRemoval.h"
#include "platform/system/Log.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace core {
namespace {

using platform::ItemRemoval;

// Reaches the copy through the folder that held it when it was listed; why it is not the copy
// that was grouped any more, or nothing when it still is (and folder holds it).
std::optional<std::string> reachCopy(const std::string& path, const CopyIdentity& identity, ItemRemoval::Folder& folder) {
    folder = ItemRemoval::reachFolder(identity.chosenItem(path));
    if (!folder.failure) return identity.differenceAt(folder.fd.get(), folder.name, path);
    if (folder.failure->outcome == ItemRemoval::Outcome::Gone) return path + " cannot be reached: its folder is gone";
    return folder.failure->reason;
}

// True when no copy stays or one that stays is still intact.
bool keeperIntact(const DuplicateDeletion::Copy& copy) {
    if (copy.keepers.empty()) return true;
    for (const DuplicateDeletion::Copy::Keeper& keeper : copy.keepers) {
        ItemRemoval::Folder folder;
        const std::optional<std::string> why = reachCopy(keeper.path, keeper.identity, folder);
        if (!why) return true;
        platform::logInfo("copy kept of " + copy.path + " is not intact: " + *why);
    }
    return false;
}

DuplicateDeletion::Result skipped(const std::string& why) {
    platform::logWarning("not deleting the duplicate: " + why);
    return DuplicateDeletion::Result::Changed;
}

DuplicateDeletion::Result resultOf(const ItemRemoval::Result& result) {
    if (result.isRemoved()) return DuplicateDeletion::Result::Removed;
    if (result.outcome != ItemRemoval::Outcome::Failed) return skipped(result.reason);
    EuAuthorization::logNotRemoved(result);
    return DuplicateDeletion::Result::Failed;
}

// A file is unlinked, never removed as a tree, and its permissions are never touched (that
// would change it); the privileged remover is asked only when the user's rights do not
// suffice, right after the file is found unchanged once more. A bundle is removed as a tree
// with the user's rights, else with administrator rights.
DuplicateDeletion::Result removeCopy(const DuplicateDeletion::Copy& copy, const ItemRemoval::Folder& folder) {
    const platform::ChosenItem item = copy.identity.chosenItem(copy.path);
    std::shared_ptr<EuAuthorization> author = EuAuthorization::shareEuAuthorization();
    ItemRemoval::Result result =
        copy.identity.bundle
            ? author->removeWithUserRightsAt(folder.fd.get(), folder.name, item, ItemRemoval::Options())
            : ItemRemoval::removeAt(folder.fd.get(), folder.name, item.item, item.path, ItemRemoval::Options());
    if (result.outcome != ItemRemoval::Outcome::Failed) return resultOf(result);
    platform::logInfo("removing " + copy.path + " with the user's rights failed: " + result.reason);
    if (!copy.identity.bundle && result.error != EACCES && result.error != EPERM) return DuplicateDeletion::Result::Failed;
    if (const std::optional<std::string> why = copy.identity.differenceAt(folder.fd.get(), folder.name, copy.path))
        return skipped(*why);
    return resultOf(author->authRemoveAt(folder.fd.get(), folder.name, item));
}

}  // namespace

DuplicateDeletion::DuplicateDeletion(std::vector<Copy> copies)
    : copies_(std::move(copies)), results_(copies_.size(), Result::NotTried) {}

void DuplicateDeletion::run(const std::function<void(std::size_t index)>& removed) {
    for (std::size_t index = 0; index < copies_.size(); ++index) {
        if (bStopDelTask.stopRequested()) return;
        results_[index] = deleteCopy(copies_[index]);
        if (results_[index] == Result::Removed && removed) removed(index);
    }
}

bool DuplicateDeletion::anyLeft() const {
    return std::any_of(results_.begin(), results_.end(),
                       [](Result result) { return result == Result::Changed || result == Result::Failed; });
}

DuplicateDeletion::Result DuplicateDeletion::deleteCopy(const Copy& copy) {
    if (!keeperIntact(copy)) return skipped("no copy of " + copy.path + " that stays is intact");
    ItemRemoval::Folder folder;
    if (const std::optional<std::string> why = reachCopy(copy.path, copy.identity, folder)) return skipped(*why);
    return removeCopy(copy, folder);
}

}  // namespace core

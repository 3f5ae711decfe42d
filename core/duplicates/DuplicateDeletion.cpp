#include "core/duplicates/DuplicateDeletion.h"

#include "core/kit/EuAuthorization.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace core {
namespace {

using platform::LinkFreePath;

// A copy's folder held open, reached from "/" without links once the links of the folders
// above it are resolved, and the copy's full path in that folder.
struct ReachedCopy {
    LinkFreePath::Parent parent;
    std::string path;

    int folder() const { return parent.folder.get(); }
    const std::string& name() const { return parent.name; }
};

std::optional<ReachedCopy> reach(const std::string& path, std::string& why) {
    const std::optional<std::string> resolved = platform::resolvedParentPath(path);
    if (!resolved) {
        why = path + " cannot be reached: its folder is gone";
        return std::nullopt;
    }
    ReachedCopy copy{LinkFreePath::openParentBelow("/", *resolved), *resolved};
    if (copy.parent.reach == LinkFreePath::Reach::Reached) return copy;
    why = path + (copy.parent.reach == LinkFreePath::Reach::ThroughLink ? " cannot be reached without a link"
                                                                        : " cannot be reached: its folder is gone");
    return std::nullopt;
}

// Why the item at path is not the copy any more; nothing when it still is.
std::optional<std::string> differenceAtPath(const std::string& path, const CopyIdentity& identity) {
    std::string why;
    const std::optional<ReachedCopy> copy = reach(path, why);
    if (!copy) return why;
    return identity.differenceAt(copy->folder(), copy->name(), copy->path);
}

// True when no copy stays or one that stays is still intact.
bool keeperIntact(const DuplicateDeletion::Copy& copy) {
    if (copy.keepers.empty()) return true;
    for (const DuplicateDeletion::Copy::Keeper& keeper : copy.keepers) {
        const std::optional<std::string> why = differenceAtPath(keeper.path, keeper.identity);
        if (!why) return true;
        platform::logInfo("copy kept of " + copy.path + " is not intact: " + *why);
    }
    return false;
}

DuplicateDeletion::Result skipped(const std::string& why) {
    platform::logWarning("not deleting the duplicate: " + why);
    return DuplicateDeletion::Result::Changed;
}

// A file is unlinked, never removed as a tree; the privileged remover is asked only when the
// user's rights do not suffice, right after the file is found unchanged once more.
DuplicateDeletion::Result unlinkFile(const ReachedCopy& copy, const CopyIdentity& identity) {
    if (unlinkat(copy.folder(), copy.name().c_str(), 0) == 0) return DuplicateDeletion::Result::Removed;
    const int error = errno;
    platform::logInfo("removing " + copy.path + " with the user's rights failed: " + std::strerror(error));
    if (error != EACCES && error != EPERM) return DuplicateDeletion::Result::Failed;
    if (const std::optional<std::string> why = identity.differenceAt(copy.folder(), copy.name(), copy.path))
        return skipped(*why);
    const std::optional<std::string> folder = LinkFreePath::pathOfOpenFolder(copy.folder());
    if (!folder) return DuplicateDeletion::Result::Failed;
    return EuAuthorization::removeItemAtPath(platform::joinPath(*folder, copy.name()))
               ? DuplicateDeletion::Result::Removed
               : DuplicateDeletion::Result::Failed;
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
    std::string why;
    const std::optional<ReachedCopy> reached = reach(copy.path, why);
    if (!reached) return skipped(why);
    if (const std::optional<std::string> difference =
            copy.identity.differenceAt(reached->folder(), reached->name(), reached->path))
        return skipped(*difference);
    if (!copy.identity.bundle) return unlinkFile(*reached, copy.identity);
    return EuAuthorization::shareEuAuthorization()->synFastRemoveAt(reached->folder(), reached->name())
               ? Result::Removed
               : Result::Failed;
}

}  // namespace core

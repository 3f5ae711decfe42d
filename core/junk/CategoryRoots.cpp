#include "core/junk/CategoryRoots.h"

#include "core/junk/SafeLocation.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace core::junk {
namespace {

using platform::LinkFreePath;

bool isRoot(const struct stat& info, const ReachedRoot& root) {
    return info.st_dev == root.device && info.st_ino == root.inode;
}

// Whether a path between lowest and highest (in byte order) may lie inside or equal place: every
// such path sorts from the place itself up to, not including, the place followed by the
// character after '/'.
bool mayHoldAnyOf(const std::string& place, const std::string& lowest, const std::string& highest) {
    if (place == "/") return true;
    return highest >= place && lowest < place + static_cast<char>('/' + 1);
}

}  // namespace

CategoryRoots::CategoryRoots(std::vector<ReachedRoot> roots) : roots_(std::move(roots)) {}

CategoryRoots::Found CategoryRoots::openParentOf(const std::string& path) const {
    Found found;
    if (path.empty() || path.front() != '/' || path == "/" || platform::normalizedPath(path) != path) return found;
    for (const ReachedRoot& root : roots_) {
        if (!platform::isInsideOrEqual(path, root.path)) continue;
        Found through = openThrough(root, path);
        // Nested places: the first that still reaches the item's folder serves.
        if (through.reach == Reach::Reached) return through;
        if (found.reach != Reach::Changed) found = std::move(through);
    }
    return found;
}

std::optional<platform::ChosenItem> CategoryRoots::chosenItem(const std::string& path) const {
    return chosenItems({path}).front();
}

std::vector<std::optional<platform::ChosenItem>> CategoryRoots::chosenItems(const std::vector<std::string>& paths) const {
    std::vector<std::optional<platform::ChosenItem>> chosen(paths.size());
    std::vector<size_t> pending;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        if (!path.empty() && path.front() == '/' && path != "/" && platform::normalizedPath(path) == path)
            pending.push_back(i);
    }
    if (pending.empty()) return chosen;
    const auto [lowest, highest] = std::minmax_element(
        pending.begin(), pending.end(), [&paths](size_t a, size_t b) { return paths[a] < paths[b]; });
    // Nested places: an item the first place that holds it no longer reaches may be reached
    // through the next.
    for (const ReachedRoot& root : roots_) {
        if (!mayHoldAnyOf(root.path, paths[*lowest], paths[*highest])) continue;
        const platform::ListedFolder place{root.path, {root.device, root.inode, root.isFolder}};
        std::vector<size_t> below;
        std::vector<std::string> belowPaths;
        for (size_t i : pending) {
            if (!platform::isInsideOrEqual(paths[i], root.path)) continue;
            if (paths[i] != root.path) {
                below.push_back(i);
                belowPaths.push_back(paths[i]);
                continue;
            }
            // A place that is itself an item is listed by its own folder.
            std::optional<platform::ChosenItem> item = platform::ChosenItem::take(paths[i]);
            if (item && item->item == place.identity) chosen[i] = std::move(item);
        }
        if (!belowPaths.empty()) {
            std::vector<std::optional<platform::ChosenItem>> taken = platform::ChosenItem::takeAll(place, belowPaths);
            for (size_t k = 0; k < below.size(); ++k) chosen[below[k]] = std::move(taken[k]);
        }
        pending.erase(std::remove_if(pending.begin(), pending.end(), [&](size_t i) { return chosen[i].has_value(); }),
                      pending.end());
    }
    return chosen;
}

bool CategoryRoots::isPlace(const std::string& path) const {
    return std::any_of(roots_.begin(), roots_.end(), [&](const ReachedRoot& root) { return root.path == path; });
}

CategoryRoots::Found CategoryRoots::openThrough(const ReachedRoot& root, const std::string& path) {
    Found found;
    LinkFreePath::Parent atRoot = SafeLocation::openParent(root.path);
    if (atRoot.reach != LinkFreePath::Reach::Reached) {
        found.reach = atRoot.reach == LinkFreePath::Reach::ThroughLink ? Reach::Changed : Reach::Gone;
        return found;
    }
    struct stat info {};
    if (fstatat(atRoot.folder.get(), atRoot.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        found.reach = Reach::Gone;
        return found;
    }
    found.reach = Reach::Changed;
    if (!isRoot(info, root)) return found;
    if (path == root.path) {
        found.reach = Reach::Reached;
        found.parent = std::move(atRoot);
        return found;
    }
    platform::FileDescriptor place(
        openat(atRoot.folder.get(), atRoot.name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    // Checked again on what was opened: the place may have been swapped in between.
    if (!place.isOpen() || fstat(place.get(), &info) != 0 || !isRoot(info, root)) return found;
    const std::string relative = path.substr(root.path == "/" ? 1 : root.path.size() + 1);
    found.parent = LinkFreePath::openParentAt(place.get(), relative);
    if (found.parent.reach == LinkFreePath::Reach::Reached) found.reach = Reach::Reached;
    if (found.parent.reach == LinkFreePath::Reach::Missing) found.reach = Reach::Gone;
    return found;
}

}  // namespace core::junk

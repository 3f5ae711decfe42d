#include "platform/files/ChosenItem.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"


namespace platform {

std::optional<ChosenItem> ChosenItem::take(const std::string& anchor, const std::string& path) {
    std::optional<ListedFolder> listed = ListedFolder::of(anchor);
    if (!listed) return std::nullopt;
    return take(*listed, path);
}

std::optional<ChosenItem> ChosenItem::take(const ListedFolder& anchor, const std::string& path) {
    return takeAll(anchor, {path}).front();
}

std::vector<std::optional<ChosenItem>> ChosenItem::takeAll(const ListedFolder& anchor,
                                                           const std::vector<std::string>& paths) {
    std::vector<std::optional<ChosenItem>> taken(paths.size());
    FileDescriptor anchorFd = anchor.open();
    if (!anchorFd.isOpen()) return taken;
    // The folder of the items last taken, reached once for all of them.
    std::string heldPath;
    LinkFreePath::Parent held;
    std::optional<FileIdentity> heldIdentity;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string wanted = normalizedPath(paths[i]);
        if (wanted == anchor.path || !isInsideOrEqual(wanted, anchor.path)) continue;
        const std::string folderPath = parentPath(wanted);
        if (folderPath != heldPath) {
            const std::string relative = wanted.substr(anchor.path == "/" ? 1 : anchor.path.size() + 1);
            held = LinkFreePath::openParentAt(anchorFd.get(), relative);
            heldPath = folderPath;
            heldIdentity.reset();
            if (held.reach == LinkFreePath::Reach::Reached) heldIdentity = FileIdentity::ofDescriptor(held.folder.get());
        }
        if (!heldIdentity) continue;
        std::optional<FileIdentity> item = FileIdentity::ofEntryAt(held.folder.get(), lastPathComponent(wanted));
        if (item) taken[i] = ChosenItem{wanted, anchor.path, anchor.identity, *heldIdentity, *item, true};
    }
    return taken;
}

std::optional<ChosenItem> ChosenItem::take(const std::string& path) {
    const std::string wanted = normalizedPath(path);
    if (wanted.empty() || wanted == "/") return std::nullopt;
    return take(parentPath(wanted), wanted);
}

}  // namespace platform

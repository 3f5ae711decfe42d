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
    const std::string wanted = normalizedPath(path);
    if (wanted == anchor.path || !isInsideOrEqual(wanted, anchor.path)) return std::nullopt;
    FileDescriptor anchorFd = anchor.open();
    if (!anchorFd.isOpen()) return std::nullopt;
    const std::string relative = wanted.substr(anchor.path == "/" ? 1 : anchor.path.size() + 1);
    LinkFreePath::Parent parent = LinkFreePath::openParentAt(anchorFd.get(), relative);
    if (parent.reach != LinkFreePath::Reach::Reached) return std::nullopt;
    std::optional<FileIdentity> folder = FileIdentity::ofDescriptor(parent.folder.get());
    std::optional<FileIdentity> item = FileIdentity::ofEntryAt(parent.folder.get(), parent.name);
    if (!folder || !item) return std::nullopt;
    return ChosenItem{wanted, anchor.path, anchor.identity, *folder, *item, true};
}

std::optional<ChosenItem> ChosenItem::take(const std::string& path) {
    const std::string wanted = normalizedPath(path);
    if (wanted.empty() || wanted == "/") return std::nullopt;
    return take(parentPath(wanted), wanted);
}

}  // namespace platform

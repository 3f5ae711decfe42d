#include "platform/files/ListedFolder.h"

#include "platform/files/FolderReader.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"

#include <fcntl.h>

namespace platform {

std::optional<ListedFolder> ListedFolder::of(const std::string& path) {
    const std::string normalized = normalizedPath(path);
    if (normalized.empty() || normalized.front() != '/') return std::nullopt;
    FileDescriptor folder(::open(normalized.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::optional<FileIdentity> identity = folder.isOpen() ? FileIdentity::ofDescriptor(folder.get()) : std::nullopt;
    if (!identity) return std::nullopt;
    return ListedFolder{normalized, *identity};
}

FileDescriptor ListedFolder::open() const {
    FileDescriptor folder(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen() && FileIdentity::ofDescriptor(folder.get()) != identity) folder.reset();
    return folder;
}

FileDescriptor ListedFolder::openFolderBelow(const std::string& wanted) const {
    FileDescriptor anchor = open();
    const std::string target = normalizedPath(wanted);
    if (!anchor.isOpen() || !isInsideOrEqual(target, path)) return FileDescriptor();
    if (target == path) return FileDescriptor(FolderReader::openFolder(anchor.get(), ".", false));
    LinkFreePath::Parent parent = LinkFreePath::openParentAt(anchor.get(), target.substr(path == "/" ? 1 : path.size() + 1));
    if (parent.reach != LinkFreePath::Reach::Reached) return FileDescriptor();
    return FileDescriptor(FolderReader::openFolder(parent.folder.get(), parent.name.c_str(), false));
}

}  // namespace platform

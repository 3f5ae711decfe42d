#include "platform/files/FileIdentity.h"

#include <fcntl.h>

namespace platform {

FileIdentity FileIdentity::of(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), S_ISDIR(info.st_mode)};
}

FileIdentity FileIdentity::of(const FileEntry& entry) { return {entry.device, entry.inode, entry.isFolder()}; }

std::optional<FileIdentity> FileIdentity::ofDescriptor(int fd) {
    struct stat info;
    if (fstat(fd, &info) != 0) return std::nullopt;
    return of(info);
}

std::optional<FileIdentity> FileIdentity::ofEntryAt(int folderFd, const std::string& name) {
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    return of(info);
}

}  // namespace platform

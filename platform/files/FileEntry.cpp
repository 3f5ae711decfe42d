#include "platform/files/FileEntry.h"

namespace platform {

FileKind FileEntry::kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::File;
    if (S_ISDIR(mode)) return FileKind::Folder;
    if (S_ISLNK(mode)) return FileKind::Link;
    return FileKind::Other;
}

FileEntry FileEntry::fromStat(std::string name, const struct stat& info) {
    FileEntry entry;
    entry.name = std::move(name);
    entry.kind = kindOf(info.st_mode);
    entry.size = info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    entry.device = info.st_dev;
    entry.inode = info.st_ino;
    entry.modified = info.st_mtim;
    entry.changed = info.st_ctim;
    return entry;
}

}  // namespace platform

#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <string>

namespace platform {

enum class FileKind : uint8_t { File, Folder, Link, Other };

// One item as its folder lists it: the attributes of the item itself, a link never followed.
struct FileEntry {
    std::string name;
    FileKind kind = FileKind::Other;
    uint64_t size = 0;       // logical size; a link's own size (the length of its target text)
    uint64_t device = 0;
    uint64_t inode = 0;
    timespec modified{};
    timespec changed{};      // the status change time, which no user tool can set back

    bool isFolder() const { return kind == FileKind::Folder; }
    bool isLink() const { return kind == FileKind::Link; }

    static FileEntry fromStat(std::string name, const struct stat& info);
    static FileKind kindOf(mode_t mode);
};

}  // namespace platform

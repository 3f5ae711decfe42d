#pragma once

#include "platform/files/FileEntry.h"

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What tells one file or folder from any other put in its place: its device and inode, and
// whether it is a folder (a file removed and a folder made in its place may get the same inode
// number at once; the tree of a folder must never be taken for a file, nor the reverse).
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool folder = false;

    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && folder == other.folder;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }

    static FileIdentity of(const struct stat& info);
    static FileIdentity of(const FileEntry& entry);
    // The identity of what an open descriptor refers to; nothing when it cannot be read.
    static std::optional<FileIdentity> ofDescriptor(int fd);
    // The identity of the entry name of an open folder, a link's own; nothing when it is missing.
    static std::optional<FileIdentity> ofEntryAt(int folderFd, const std::string& name);
};

}  // namespace platform

#pragma once

#include "platform/files/FileEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Listing one folder, and the attributes of one item.
class FolderLister {
public:
    // The folder's entries ("." and ".." left out) in byte order of their names, each with its
    // own attributes (links reported, not followed). A link given as the folder is followed only
    // when followLink is set. Nothing (and a log line) when the folder cannot be listed; a folder
    // on a pseudo file system is never listed.
    static std::optional<std::vector<FileEntry>> list(const std::string& path, bool followLink = false);
    // Nothing when the item does not exist.
    static std::optional<FileEntry> entryAt(const std::string& path, bool followLink = false);
};

}  // namespace platform

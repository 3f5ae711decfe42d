#pragma once

#include "platform/files/FileEntry.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Reading one open folder: getdents64 for the names, fstatat (links not followed) for each
// entry's own attributes. The lister, the walker and the tree sizer all read folders this way.
class FolderReader {
public:
    using EntryVisitor = std::function<void(const char* name, const struct stat& info)>;

    // Reports every entry but "." and ".." in the order the disk keeps them. Entries that vanish
    // meanwhile are left out; entries whose attributes cannot be read are logged and left out.
    // False when the listing broke off (what was read before has been reported).
    static bool forEachEntry(int folderFd, const EntryVisitor& visit, const std::string& pathForLog);
    // The same entries, sorted by name in byte order.
    static bool readSorted(int folderFd, std::vector<FileEntry>& entries, const std::string& pathForLog);

    // Opens a folder for reading relative to parentFd (AT_FDCWD for a path); a link in its place
    // is followed only when followLink is set. -1 on failure, with errno set.
    static int openFolder(int parentFd, const char* name, bool followLink);
    // True when the open descriptor is still the item that was listed (not swapped meanwhile).
    static bool isSameItem(int fd, const FileEntry& listed);
};

}  // namespace platform

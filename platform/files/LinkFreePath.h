#pragma once

#include "platform/files/FileDescriptor.h"
#include "platform/files/FileEntry.h"

#include <optional>
#include <string>

namespace platform {

// What lies at a path when it is reached from a trusted folder above it one component at a
// time, never through a link: a location that passes through a link is not reached at all,
// so a link planted in its way cannot redirect a tool to another part of the disk.
struct LinkFreePath {
    enum class Reach {
        Missing,      // nothing there (or a component is no folder)
        Reached,      // the item itself; entry holds its attributes (a link reported, not followed)
        ThroughLink,  // a component between the anchor and the item is a link
    };

    // The folder that holds an item, held open: acting on the name relative to it reaches
    // that very folder however the folders above it are renamed or replaced meanwhile.
    struct Parent {
        Reach reach = Reach::Missing;  // Reached when folder is open
        FileDescriptor folder;         // opened with O_PATH: for *at calls and fchdir
        std::string name;              // the item's name in it
    };

    Reach reach = Reach::Missing;
    std::optional<FileEntry> entry;

    // The anchor itself is trusted as it stands (links in it followed); path must lie inside it,
    // else nothing is reached. One openat2 call where the kernel has it (Linux 5.6 and later),
    // else one component at a time.
    static LinkFreePath reachBelow(const std::string& anchor, const std::string& path);
    static LinkFreePath reachByComponents(const std::string& anchor, const std::string& path);

    // Opens the folder holding the item at path, reached from the anchor the same way; the
    // folder itself may not be a link either. path must lie strictly inside the anchor.
    static Parent openParentBelow(const std::string& anchor, const std::string& path);
    static Parent openParentByComponents(const std::string& anchor, const std::string& path);
    // The same below an open folder, itself trusted: relative names the item inside it.
    static Parent openParentAt(int folderFd, const std::string& relative);
    // The full path the kernel knows an open folder by, its links resolved; nothing when the
    // folder has been removed meanwhile.
    static std::optional<std::string> pathOfOpenFolder(int folderFd);
};

}  // namespace platform

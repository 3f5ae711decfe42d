#pragma once

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

    Reach reach = Reach::Missing;
    std::optional<FileEntry> entry;

    // The anchor itself is trusted as it stands (links in it followed); path must lie inside it,
    // else nothing is reached. One openat2 call where the kernel has it (Linux 5.6 and later),
    // else one component at a time.
    static LinkFreePath reachBelow(const std::string& anchor, const std::string& path);
    static LinkFreePath reachByComponents(const std::string& anchor, const std::string& path);
};

}  // namespace platform

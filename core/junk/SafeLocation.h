#pragma once

#include "platform/files/FileEntry.h"
#include "platform/files/LinkFreePath.h"

#include <optional>
#include <string>
#include <vector>

namespace core::junk {

// Junk locations are reached from the home folder (or, outside it, from the root folder) one
// component at a time without following links, so a link planted on the way (say
// "~/Library/Logs" pointing at "/") never leads a scan, and so a removal, somewhere else.
class SafeLocation {
public:
    static platform::LinkFreePath reach(const std::string& path);
    // The folder holding the item at path, reached so and held open.
    static platform::LinkFreePath::Parent openParent(const std::string& path);
    // The entries of a folder reached so; nothing when it is missing, is no folder, lies
    // beyond a link or cannot be listed (the last with a log line).
    static std::optional<std::vector<platform::FileEntry>> listEntries(const std::string& path);
    static bool exists(const std::string& path);
    static bool isFolder(const std::string& path);

private:
    static std::string anchorFor(const std::string& path);
};

}  // namespace core::junk

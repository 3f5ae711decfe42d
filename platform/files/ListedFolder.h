#pragma once

#include "platform/files/FileDescriptor.h"
#include "platform/files/FileIdentity.h"

#include <optional>
#include <string>

namespace platform {

// A folder a tool listed from, known by its identity: trusted as it stands (its own links
// followed, as a user's moved folder may be a link) while it is still that folder.
struct ListedFolder {
    std::string path;  // absolute and normalised
    FileIdentity identity;

    // The folder at path as it is now; nothing when it is missing or no folder.
    static std::optional<ListedFolder> of(const std::string& path);
    // The folder opened (O_PATH) when it is still the one listed; not open otherwise.
    FileDescriptor open() const;
    // The folder at path inside it (or itself), reached without links and opened for reading,
    // when this folder is still the one listed; not open otherwise.
    FileDescriptor openFolderBelow(const std::string& path) const;
};

}  // namespace platform

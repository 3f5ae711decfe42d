#pragma once

#include <string>
#include <sys/types.h>

namespace platform {

// The file manager's item operations. Errors come back as text for the caller's log line.
class FileManager {
public:
    // Removes a file, a link (never what it points to) or a folder with all it holds, as it is
    // now: for the program's own files only (its temporary folders). What the user chose goes
    // through ItemRemoval, which checks it is still the item that was listed.
    static bool removeItemAtPath(const std::string& path, std::string* error = nullptr);
    // The item's own permission bits; a link is never changed (nor what it points to).
    static bool setPosixPermissions(const std::string& path, mode_t mode, std::string* error = nullptr);
    static bool setPosixPermissionsAt(int folderFd, const std::string& name, mode_t mode, std::string* error = nullptr);
    // The name the file manager shows for an item: its last path component, an application
    // bundle's without ".app".
    static std::string displayNameAtPath(const std::string& path);
};

}  // namespace platform

#pragma once

#include <string>
#include <sys/types.h>

namespace platform {

// The file manager's item operations that the removers use. Errors come back as text for the
// caller's log line.
class FileManager {
public:
    // Removes a file, a link (never what it points to) or a folder with all it holds; false when
    // anything stayed. Folders are walked relative to their parents, so no link inside is
    // followed and trees of any depth go.
    static bool removeItemAtPath(const std::string& path, std::string* error = nullptr);
    // The same for the entry name of an open folder (an O_PATH descriptor will do), so the
    // folders above it are not looked up again; path names the item in error texts. With
    // oneFileSystem, folders mounted from another file system below the item are left whole
    // (and so are the folders holding them).
    static bool removeItemAt(int folderFd, const std::string& name, const std::string& path,
                             std::string* error = nullptr, bool oneFileSystem = false);
    // The same, clearing the immutable and append-only flags of each file and folder on the way
    // (where this process may; a file system without flags has none), so locked entries go too.
    static bool removeUnlockedItemAt(int folderFd, const std::string& name, const std::string& path,
                                     std::string* error = nullptr, bool oneFileSystem = false);
    // The item's own permission bits; a link is never changed (nor what it points to).
    static bool setPosixPermissions(const std::string& path, mode_t mode, std::string* error = nullptr);
    static bool setPosixPermissionsAt(int folderFd, const std::string& name, mode_t mode, std::string* error = nullptr);
    // The name the file manager shows for an item: its last path component, an application
    // bundle's without ".app".
    static std::string displayNameAtPath(const std::string& path);

private:
    static bool removeTreeAt(int folderFd, const std::string& name, const std::string& path, std::string* error,
                             bool oneFileSystem, bool unlock);
};

}  // namespace platform

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
    // The item's own permission bits; a link is never changed (nor what it points to).
    static bool setPosixPermissions(const std::string& path, mode_t mode, std::string* error = nullptr);
};

}  // namespace platform

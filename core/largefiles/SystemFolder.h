#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace core::largefiles {

// The paths the large-file finder never offers for deletion: the macOS system paths of the
// shipped "SystemFile" list, the top-level folders of a Linux system, and "/", "/home" and the
// home folder. Each is resolved through the environment (so a fixture root holds them) and
// kept when it exists, together with its real path when links lead there; under a root the
// machine's own paths of the list are kept as well. A path is protected when it equals one of
// them exactly.
class SystemFolder {
public:
    explicit SystemFolder(const std::vector<std::string>& paths);

    // The list for the current environment, looked up afresh (a scan takes it once).
    static std::shared_ptr<const SystemFolder> current();
    static bool isSystemFileWithFilePath(const std::string& path);

    bool contains(const std::string& path) const { return paths_.count(path) > 0; }
    // Some protected path lies strictly below the folder.
    bool holdsSystemFile(const std::string& folder) const { return ancestors_.count(folder) > 0; }

private:
    static std::vector<std::string> protectedPaths();

    std::unordered_set<std::string> paths_;
    std::unordered_set<std::string> ancestors_;
};

}  // namespace core::largefiles

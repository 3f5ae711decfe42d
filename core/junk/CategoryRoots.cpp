#include "core/junk/CategoryRoots.h"

#include "platform/files/PathText.h"

#include <stdlib.h>

#include <memory>

namespace core::junk {

CategoryRoots::CategoryRoots(const std::vector<std::string>& roots) {
    // The scanner's own locations may end in "/"; the items it found never do.
    for (const auto& root : roots)
        if (auto resolved = resolvedParentPath(platform::normalizedPath(root))) resolved_.push_back(*resolved);
}

bool CategoryRoots::contains(const std::string& path) const {
    const std::optional<std::string> resolved = resolvedParentPath(path);
    if (!resolved) return false;
    for (const auto& root : resolved_)
        if (platform::isInsideOrEqual(*resolved, root)) return true;
    return false;
}

std::optional<std::string> CategoryRoots::resolvedParentPath(const std::string& path) {
    if (path.empty() || path.front() != '/' || path == "/" || platform::normalizedPath(path) != path) return std::nullopt;
    const std::string name = platform::lastPathComponent(path);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    std::unique_ptr<char, decltype(&free)> folder(realpath(platform::parentPath(path).c_str(), nullptr), &free);
    if (!folder) return std::nullopt;
    return platform::joinPath(folder.get(), name);
}

}  // namespace core::junk

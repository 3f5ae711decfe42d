#include "platform/files/ResolvedParentPath.h"

#include "platform/files/PathText.h"

#include <stdlib.h>

#include <memory>

namespace platform {

std::optional<std::string> resolvedParentPath(const std::string& path) {
    if (path.empty() || path.front() != '/' || path == "/" || normalizedPath(path) != path) return std::nullopt;
    const std::string name = lastPathComponent(path);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    std::unique_ptr<char, decltype(&free)> folder(realpath(parentPath(path).c_str(), nullptr), &free);
    if (!folder) return std::nullopt;
    return joinPath(folder.get(), name);
}

}  // namespace platform

#include "platform/files/ResolvedParentPath.h"

#include "platform/files/PathText.h"

#include <stdlib.h>

#include <memory>

namespace platform {

std::optional<std::string> realPath(const std::string& path) {
    std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
    if (!real) return std::nullopt;
    return std::string(real.get());
}

std::optional<std::string> resolvedParentPath(const std::string& path) {
    if (path.empty() || path.front() != '/' || path == "/" || normalizedPath(path) != path) return std::nullopt;
    const std::string name = lastPathComponent(path);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    const auto folder = realPath(parentPath(path));
    if (!folder) return std::nullopt;
    return joinPath(*folder, name);
}

}  // namespace platform

#include "core/junk/CategoryRoots.h"

#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"

namespace core::junk {

CategoryRoots::CategoryRoots(const std::vector<std::string>& roots) {
    // The scanner's own locations may end in "/"; the items it found never do.
    for (const auto& root : roots)
        if (auto resolved = platform::resolvedParentPath(platform::normalizedPath(root))) resolved_.push_back(*resolved);
}

bool CategoryRoots::contains(const std::string& path) const {
    const std::optional<std::string> resolved = platform::resolvedParentPath(path);
    if (!resolved) return false;
    for (const auto& root : resolved_)
        if (platform::isInsideOrEqual(*resolved, root)) return true;
    return false;
}

}  // namespace core::junk

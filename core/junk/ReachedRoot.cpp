#include "core/junk/ReachedRoot.h"

#include "core/junk/SafeLocation.h"
#include "platform/files/PathText.h"

namespace core::junk {

std::optional<ReachedRoot> ReachedRoot::reach(const std::string& path) {
    const std::string normalized = platform::normalizedPath(path);
    platform::LinkFreePath found = SafeLocation::reach(normalized);
    if (found.reach != platform::LinkFreePath::Reach::Reached) return std::nullopt;
    return ReachedRoot{normalized, found.entry->device, found.entry->inode, found.entry->isFolder()};
}

}  // namespace core::junk

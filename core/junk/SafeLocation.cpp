#include "core/junk/SafeLocation.h"

#include "platform/system/Environment.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"

namespace core::junk {

std::string SafeLocation::anchorFor(const std::string& path) {
    auto environment = platform::Environment::current();
    std::string home = environment->resolve("~");
    if (path != home && platform::isInsideOrEqual(path, home)) return home;
    if (platform::isInsideOrEqual(path, environment->root())) return environment->root();
    return "/";
}

platform::LinkFreePath SafeLocation::reach(const std::string& path) {
    std::string normalized = platform::normalizedPath(path);
    return platform::LinkFreePath::reachBelow(anchorFor(normalized), normalized);
}

platform::LinkFreePath::Parent SafeLocation::openParent(const std::string& path) {
    std::string normalized = platform::normalizedPath(path);
    return platform::LinkFreePath::openParentBelow(anchorFor(normalized), normalized);
}

std::optional<std::vector<platform::FileEntry>> SafeLocation::listEntries(const std::string& path) {
    if (!isFolder(path)) return std::nullopt;
    return platform::FolderLister::list(platform::normalizedPath(path));
}

bool SafeLocation::exists(const std::string& path) {
    return reach(path).reach == platform::LinkFreePath::Reach::Reached;
}

bool SafeLocation::isFolder(const std::string& path) {
    auto found = reach(path);
    return found.entry && found.entry->isFolder();
}

}  // namespace core::junk

#include "core/junk/OfferedItems.h"

#include "core/junk/SafeLocation.h"
#include "platform/PathText.h"

namespace core::junk {

OfferedItems::OfferedItems(NameTest isSkippedName) : isSkippedName_(std::move(isSkippedName)) {}

std::vector<OfferedItems::Offer> OfferedItems::expand(const std::string& location, bool isEntry,
                                                      const PathTest& isSkippedPath) {
    std::string item = platform::normalizedPath(location);
    if (item.empty() || item.front() != '/') return {};
    if (isEntry && isSkippedName_ && isSkippedName_(platform::lastPathComponent(item))) {
        taken_.insert(item);
        return {};
    }
    std::vector<Offer> offers;
    for (auto& candidate : candidatesOf(item)) {
        if (isSkippedPath && isSkippedPath(candidate.path)) continue;
        if (claim(candidate.path)) offers.push_back(std::move(candidate));
    }
    return offers;
}

std::vector<OfferedItems::Offer> OfferedItems::candidatesOf(const std::string& item) const {
    // An item inside an earlier one could only offer what that one already covers.
    if (isInsideTaken(item)) return {};
    platform::LinkFreePath found = SafeLocation::reach(item);
    if (!found.entry) return {};
    if (!found.entry->isFolder()) return {{item, *found.entry}};
    std::vector<Offer> candidates;
    for (auto& entry : SafeLocation::listEntries(item).value_or(std::vector<platform::FileEntry>{}))
        candidates.push_back({platform::joinPath(item, entry.name), std::move(entry)});
    return candidates;
}

bool OfferedItems::claim(const std::string& path) {
    if (overlaps(path)) return false;
    taken_.insert(path);
    return true;
}

bool OfferedItems::overlaps(const std::string& path) const { return isInsideTaken(path) || containsTaken(path); }

bool OfferedItems::isInsideTaken(const std::string& path) const {
    for (std::string folder = path;; folder = platform::parentPath(folder)) {
        if (taken_.count(folder)) return true;
        if (folder.size() <= 1) return false;
    }
}

bool OfferedItems::containsTaken(const std::string& path) const {
    std::string prefix = path == "/" ? path : path + "/";
    auto first = taken_.lower_bound(prefix);
    return first != taken_.end() && first->compare(0, prefix.size(), prefix) == 0;
}

}  // namespace core::junk

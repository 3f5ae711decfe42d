#include "core/junk/OfferedItems.h"

#include "core/junk/SafeLocation.h"
#include "platform/files/PathText.h"

namespace core::junk {

OfferedItems::OfferedItems(NameTest isSkippedName) : isSkippedName_(std::move(isSkippedName)) {}

std::vector<OfferedItems::Offer> OfferedItems::expand(const std::string& location, bool isEntry,
                                                      const PathTest& isSkippedPath) {
    return take(list(location, isEntry), isSkippedPath);
}

OfferedItems::Listing OfferedItems::list(const std::string& location, bool isEntry) const {
    Listing listing;
    listing.item = platform::normalizedPath(location);
    if (listing.item.empty() || listing.item.front() != '/') return listing;
    if (isEntry && isSkippedName_ && isSkippedName_(platform::lastPathComponent(listing.item))) {
        listing.skipped = true;
        return listing;
    }
    platform::LinkFreePath found = SafeLocation::reach(listing.item);
    if (found.reach != platform::LinkFreePath::Reach::Reached || !found.entry) return listing;
    listing.reached = found.entry;
    if (!found.entry->isFolder()) {
        listing.candidates.push_back({listing.item, *found.entry});
        return listing;
    }
    for (auto& entry : SafeLocation::listEntries(listing.item).value_or(std::vector<platform::FileEntry>{}))
        listing.candidates.push_back({platform::joinPath(listing.item, entry.name), std::move(entry)});
    return listing;
}

std::vector<OfferedItems::Offer> OfferedItems::take(Listing listing, const PathTest& isSkippedPath) {
    if (listing.skipped) {
        taken_.insert(listing.item);
        return {};
    }
    // An item inside an earlier one could only offer what that one already covers.
    if (listing.candidates.empty() || isInsideTaken(listing.item)) return {};
    std::vector<Offer> offers;
    for (auto& candidate : listing.candidates) {
        if (isSkippedPath && isSkippedPath(candidate.path)) continue;
        if (claimOutsideTaken(candidate.path)) offers.push_back(std::move(candidate));
    }
    return offers;
}

bool OfferedItems::claimOutsideTaken(const std::string& path) {
    auto at = taken_.lower_bound(path);
    if (at != taken_.end() && *at == path) return false;
    if (containsTaken(path)) return false;
    taken_.emplace_hint(at, path);
    return true;
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
    // The prefix is built in a string kept for it, which saves an allocation for each item.
    prefix_.assign(path);
    if (path != "/") prefix_ += '/';
    auto first = taken_.lower_bound(prefix_);
    return first != taken_.end() && first->compare(0, prefix_.size(), prefix_) == 0;
}

}  // namespace core::junk

#pragma once

#include "platform/files/FileEntry.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace core::junk {

// The items one junk scan offers, across all its categories. A location is an absolute path:
// a folder is offered through its entries, a file or a link as itself. No offered item
// equals, contains or lies inside another; the first in scan order wins. An entry of a folder
// skipped by name never comes back through that folder either.
class OfferedItems {
public:
    struct Offer {
        std::string path;
        platform::FileEntry entry;
    };
    // Entries whose name passes this test are skipped (hidden names, running applications'
    // bundle identifiers).
    using NameTest = std::function<bool(const std::string& name)>;
    using PathTest = std::function<bool(const std::string& path)>;

    explicit OfferedItems(NameTest isSkippedName);

    // What a location could offer, before anything is claimed.
    struct Listing {
        std::string item;      // the location, normalised
        bool skipped = false;  // skipped by name: neither it nor anything in it is offered
        // The location's own entry, when it was reached without links (and not skipped).
        std::optional<platform::FileEntry> reached;
        std::vector<Offer> candidates;  // the location itself, or its entries
    };

    // What a location offers, each item claimed; paths passing isSkippedPath are left out. The
    // name test applies to a location that is an entry of a folder, not to one taken whole.
    std::vector<Offer> expand(const std::string& location, bool isEntry, const PathTest& isSkippedPath = {});
    // expand in two steps: listing touches only the file system, so locations may be listed on
    // several threads at once; taking claims, in scan order, on one thread.
    Listing list(const std::string& location, bool isEntry) const;
    std::vector<Offer> take(Listing listing, const PathTest& isSkippedPath = {});
    // Claims one item; false (nothing claimed) when it overlaps an earlier one.
    bool claim(const std::string& path);
    bool overlaps(const std::string& path) const;

private:
    // Claims an item whose folder is known to lie outside every taken item (a listed
    // location's entry, or the location itself), so only the item and what is below it are
    // looked up.
    bool claimOutsideTaken(const std::string& path);
    bool isInsideTaken(const std::string& path) const;  // the path itself or a folder above it
    bool containsTaken(const std::string& path) const;  // something below the path

    NameTest isSkippedName_;
    std::set<std::string> taken_;  // offered and skipped items, in byte order
    mutable std::string prefix_;   // containsTaken's scratch space; taking runs on one thread
};

}  // namespace core::junk

#pragma once

#include "core/junk/ReachedRoot.h"
#include "platform/files/ChosenItem.h"
#include "platform/files/LinkFreePath.h"

#include <optional>

#include <string>
#include <vector>

namespace core::junk {

// The places one junk category looked at, as the scan reached them, for its removal to keep
// within. An item is reached for removal through the place that holds it: the place is reached
// again the same way and must still be the one the scan reached (same device and inode), and
// the item's folder is opened below it one component at a time without links. So a place or
// folder swapped for a link, or for another folder, since the scan leads nowhere.
class CategoryRoots {
public:
    enum class Reach {
        Reached,  // parent holds the item's folder, open
        Outside,  // no place of the category holds the path (or it is not absolute and normalised)
        Changed,  // the place or a folder below it is no longer what the scan reached
        Gone,     // the item's folder is not there any more
    };

    struct Found {
        Reach reach = Reach::Outside;
        platform::LinkFreePath::Parent parent;
    };

    explicit CategoryRoots(std::vector<ReachedRoot> roots);

    Found openParentOf(const std::string& path) const;
    // The item at path as it is now, listed through the first place that holds it, which must
    // still be the one the scan reached: the place is its anchor (a place that is itself an
    // item has its folder for anchor). Nothing when no place holds it, or a place changed.
    std::optional<platform::ChosenItem> chosenItem(const std::string& path) const;
    // The same for many items, in the order given; a folder's items given together share its
    // reaching.
    std::vector<std::optional<platform::ChosenItem>> chosenItems(const std::vector<std::string>& paths) const;
    // True when path is one of the places themselves.
    bool isPlace(const std::string& path) const;

private:
    static Found openThrough(const ReachedRoot& root, const std::string& path);

    std::vector<ReachedRoot> roots_;
};

}  // namespace core::junk

#pragma once

#include "core/junk/TCTreeNode.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace core::junk {

// The tri-state selection of the six junk result trees (0 not selected, 1 selected, 2 partly
// selected) and what the page shows of it: the tiles' check pictures, the sizes to be cleaned,
// the detail screen's leaf counts and its select-all box. Sizes are the nodes' size texts read
// back to bytes. Only the main thread calls it, as only the main thread owns the trees.
class JunkSelection {
public:
    using Categories = std::vector<std::shared_ptr<TCTreeNode>>;

    // The check picture of a tile or a row.
    enum class Check { Unselected, Selected, Partial, Disabled };

    struct Leaves {
        int count = 0;     // nodes without children at any depth below
        int selected = 0;  // of those, the ones in state 1
        uint64_t selectedBytes = 0;
    };

    explicit JunkSelection(Categories categories) : categories_(std::move(categories)) {}
    const Categories& categories() const { return categories_; }

    // The tile's check box: every direct child selected (also none) clears the whole category,
    // else selects all of it.
    void checkBoxButtonAction(int index);
    // The tile's picture: disabled for a category without items, else by its direct children.
    Check tileCheck(int index) const;
    // What the tile adds to the total: its selected children, and the selected leaves of its
    // partly selected ones.
    uint64_t selectedSize(int index) const;
    uint64_t totalSize() const;
    // The clean button is usable while some direct child of some category is selected at all.
    bool hasSelection() const;

    static bool isEmptyCategory(const TCTreeNode& category) { return !category.hasChildren(); }
    // A row's check box: 1 becomes 0, 0 and 2 become 1; the rows below follow it, and each
    // node above (category included) becomes 0, 1 or 2 by its children.
    static void clickNode(TCTreeNode& node);
    static void setStateBelow(TCTreeNode& node, int32_t state);
    static void updateAncestors(TCTreeNode& node);
    static Leaves leavesBelow(const TCTreeNode& node);
    // The select-all box of the detail screen: 0 with no leaf selected, 1 with all, else 2.
    static int32_t selectAllState(const TCTreeNode& node);
    // Selects every node below when some leaf is not selected, else clears them all.
    static void toggleSelectAllOrNone(TCTreeNode& node);
    // Every selected leaf below the node that stands for a path, depth first in child order.
    static void collectLeafNodesToDelete(TCTreeNode& node, std::vector<TCTreeNode*>& array);
    static uint64_t bytesOf(const TCTreeNode& node);
    static Check checkOf(int32_t state);

private:
    Categories categories_;
};

}  // namespace core::junk

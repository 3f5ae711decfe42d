#pragma once

#include "core/duplicates/DuplicateDeletion.h"
#include "core/duplicates/SimpleTreeNode.h"

#include <cstddef>
#include <vector>

namespace core {

// The ticks of the duplicate page's result trees (a copy's selectNum: 1 ticked; a group's: 0
// none, 1 all, 2 some, with its "ticked/copies" text) and the list of ticked copies in the
// order they were ticked, each once. Bulk ticking proposes every copy of a group but the last
// as the group is listed at that moment (sorting changes which one that is); ticking the last
// unticked copy of a group is left to the page, which asks the user first. Only the main thread
// uses it, as only the main thread owns the trees.
class DuplicateSelection {
public:
    using Node = TreeNode::Ptr;

    enum class HeaderBox { Unticked, HalfTicked, Ticked };

    // A copy's box: a ticked copy is unticked; an unticked one is ticked unless it is the last
    // unticked copy of its group, when nothing changes and false comes back.
    bool clickCopy(const Node& copy);
    // Ticks the last unticked copy of its group, once the user has agreed.
    void tickLastCopy(const Node& copy);
    // A group's box: a group with any tick loses them all; one without gets every copy but the last.
    void clickGroup(const Node& group);
    // The header box over the shown tree: off, it gives every group all copies but the last;
    // on, it unticks every copy.
    void setAllSelectOrNoSelect(const Node& shown);
    // Off while no group of the shown tree has a tick; on and whole when every group has all.
    HeaderBox headerBox(const Node& shown) const;

    const std::vector<Node>& allSelectNumArr() const { return allSelectNumArr_; }
    bool isDeleteEnabled() const { return !allSelectNumArr_.empty(); }
    // Every copy of every group under the root unticked, and the list emptied.
    void untickAll(const Node& root);

    // What the deletion works on: the ticked copies in tick order, each with the copies of its
    // group that are not ticked.
    std::vector<DuplicateDeletion::Copy> deletionSnapshot() const;
    // A deleted copy leaves the ticks and its group, whose size shrinks by the copy's. True when
    // the group must go too: no copy is left, or one is left of a group that kept a copy unticked.
    bool detachDeletedCopy(const Node& copy);

    // The copies listed under a shown root.
    static std::size_t copyCount(const Node& shown);
    // A group's state and text from its copies' ticks.
    static void refreshGroup(const TreeNode& group);

private:
    void tick(const Node& copy);
    void untick(const Node& copy);
    void tickAllButLast(const Node& group);
    void untickGroup(const Node& group);
    void dropUnticked();

    std::vector<Node> allSelectNumArr_;
};

}  // namespace core

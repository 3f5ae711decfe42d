#pragma once

#include "core/largefiles/FileNodeTree.h"

#include <cstdint>
#include <vector>

namespace core::largefiles {

// The tick rules of the large-file tree, applied with the tree held (main thread). States are
// given lazily: a state reaches the children of a folder, and goes deeper only through
// expanded folders; expanding a folder later hands its state on. Protected nodes never take
// state 1 and no tick is pushed into them; nodes holding a protected path are never taken
// whole.
class FileNodeTicks {
public:
    struct SelectAll {
        int state = 0;  // 0 none, 1 all, 2 some
        int count = 0;  // the items a deletion would take (those at 1 at the top level, and inside)
    };

    // The node takes 1 for a non-zero state, else 0; a folder's children take it too, and the
    // child folders of an expanded folder are handled the same way.
    static void changeChildrenFilNodeStateWithFileNode(FileNodeTree::Access& tree, FileNode* node, int64_t state);
    // Each folder above becomes 1 only when every child is ticked and none is a folder, else 2
    // when some child is ticked, else 0 (a protected folder 2 at most).
    static void changeFatherNodeSelectStateWithFileNode(FileNodeTree::Access& tree, FileNode* node);
    // Over the top level: 1 when every unprotected node is 1 (and there is one), 2 when some
    // node is ticked, else 0.
    static SelectAll selectAllState(FileNodeTree::Access& tree);
    // Every top-level node (protected ones only to 0) to the state, expanded ones passing it on.
    static void setAll(FileNodeTree::Access& tree, int64_t state);
    // Every node to 0.
    static void untickAll(FileNodeTree::Access& tree);
    // What a deletion removes, in pre-order: a node at 1 whole (unless it holds a protected
    // path: then its children as if each were at 1), the ticked nodes inside one at 2;
    // protected nodes never.
    static std::vector<FileNode*> collect(FileNodeTree::Access& tree);

private:
    static void collectBelow(FileNodeTree::Access& tree, FileNode* parent, bool taken, std::vector<FileNode*>& items);
};

}  // namespace core::largefiles

#pragma once

#include "core/junk/TCTreeNode.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace core::junk {

// One clean of the junk result trees. The items are planned from the selection on the main
// thread, removed one at a time on a worker that sees only their paths and sizes, and taken
// out of the trees back on the main thread, which alone reads and changes the trees.
class JunkRemoval {
public:
    using Categories = std::vector<std::shared_ptr<TCTreeNode>>;
    // Removes the entry name of the open folder; true when it is gone.
    using Remover = std::function<bool(int folderFd, const std::string& name)>;

    enum class Outcome {
        Pending,
        Removed,
        Gone,     // no longer there when its turn came: nothing removed, nothing counted
        Failed,   // still there: it stays in its tree
        Refused,  // outside its category's locations, or those changed since the scan:
                  // never handed to the remover
    };

    struct Item {
        int category;
        TCTreeNode* node;  // main thread only
        std::string path;
        uint64_t bytes;    // its size text read back
        Outcome outcome = Outcome::Pending;
    };

    // Main thread. Categories 0 to 4: their selected direct children, in order; the chat
    // category: its selected leaves (collectLeafNodesToDelete), never a group or application.
    explicit JunkRemoval(Categories categories);

    // Worker. Each item in turn: reached in its folder through the category location that
    // holds it, which must still be the one the scan reached, checked just before, then
    // handed to the remover (the junk cleaner's privileged remover by default) as that folder,
    // held open, and its name. A trashed item that is gone takes its trash record with it.
    void run();
    void run(const Remover& remover);

    // Main thread, after run: removed and vanished items leave their trees, a node left
    // without children by that goes too, and the sizes and states above them follow what is
    // left; every category's size becomes the sum of its remaining children.
    void apply();

    // Bytes freed: the sum of the removed items' size texts.
    int64_t cleanTotalSize() const { return cleanTotalSize_; }
    const std::vector<Item>& items() const { return items_; }

private:
    void plan(int index, TCTreeNode& category);
    void detach(TCTreeNode& node);
    static void recomputeSize(TCTreeNode& node);

    Categories categories_;  // keeps the trees alive while the worker runs
    std::vector<std::vector<ReachedRoot>> roots_;
    std::vector<Item> items_;
    int64_t cleanTotalSize_ = 0;
};

}  // namespace core::junk

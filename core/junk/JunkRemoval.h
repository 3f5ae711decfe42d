#pragma once

#include "core/junk/TCTreeNode.h"
#include "platform/files/ItemRemoval.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core::junk {

// One clean of the junk result trees. The items are planned from the selection on the main
// thread, removed one at a time on a worker that sees only their paths and sizes, and taken
// out of the trees back on the main thread, which alone reads and changes the trees.
class JunkRemoval {
public:
    using Categories = std::vector<std::shared_ptr<TCTreeNode>>;
    // Removes a chosen item through the checked route.
    using Remover = std::function<platform::ItemRemoval::Outcome(const platform::ChosenItem& item)>;

    enum class Outcome {
        Pending,
        Removed,
        Gone,     // no longer there when its turn came: nothing removed, nothing counted
        Failed,   // still there: it stays in its tree
        Refused,  // outside its category's locations, or it, its folder or its location is
                  // no longer what the scan listed, or it was not read whole: untouched
    };

    struct Item {
        int category;
        TCTreeNode* node;  // main thread only
        std::string path;
        std::optional<platform::ChosenItem> chosen;  // as the scan listed it
        uint64_t bytes;    // its size text read back
        Outcome outcome = Outcome::Pending;
    };

    // Main thread. Categories 0 to 4: their selected direct children, in order; the chat
    // category: its selected leaves (collectLeafNodesToDelete), never a group or application.
    explicit JunkRemoval(Categories categories);

    // Worker. Each item in turn goes to the remover (the junk cleaner's privileged remover by
    // default) as the scan listed it, through the category location that holds it, which must
    // still be the one the scan reached. A trashed item that is gone takes its trash record
    // with it.
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
    std::vector<std::vector<ReachedRoot>> roots_;  // for the trash records
    std::vector<Item> items_;
    int64_t cleanTotalSize_ = 0;
};

}  // namespace core::junk

#pragma once

#include "core/kit/Executors.h"
#include "core/kit/StopToken.h"
#include "core/largefiles/FileNodeTree.h"
#include "platform/files/ChosenItem.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace core::largefiles {

// One deletion run of the large-file finder: the ticked items (FileNodeTicks::collect) are
// removed for good, with the user's rights only, one at a time on the global queue. Each item
// goes through the checked removal route as the scan listed it (below the scanned folder, its
// folder and itself known by device and inode), without leaving its file system.
// Reports and every change to the tree happen on the main queue: a removed item leaves the
// tree; one that could not be removed stays (with a log line), and what went of a folder that
// was partly removed leaves the tree. At the end, or after a stop, every node is unticked.
class FileNodeRemoval : public std::enable_shared_from_this<FileNodeRemoval> {
public:
    struct Reports {
        // Before each item: i × 100 / n (30 when there is one item); 100 after the last one,
        // after a stop, or at once when nothing was ticked.
        std::function<void(int point, const std::string& path)> progress;
        std::function<void()> ended;  // after the report of 100
    };

    static std::shared_ptr<FileNodeRemoval> make(std::shared_ptr<FileNodeTree> tree, Executors executors,
                                                 Reports reports);

    // On the main thread: collects the items and starts removing them.
    void start();
    // From any thread: no item is started after this; the rest stay on disk.
    void stopRemove() { isStopRemove_.requestStop(); }

private:
    struct Item {
        FileNode* node;
        platform::ChosenItem chosen;
    };
    enum class Result { Removed, Failed };

    FileNodeRemoval(std::shared_ptr<FileNodeTree> tree, Executors executors, Reports reports);
    void run(const std::vector<Item>& items);
    platform::ChosenItem chosenItemOf(const FileNode* node) const;
    Result removeItem(const Item& item) const;
    // The topmost nodes below a folder whose items are no longer on disk.
    std::vector<FileNode*> goneBelow(FileNode* folder) const;
    void apply(FileNode* node, Result result, const std::vector<FileNode*>& gone);
    void finish(const std::string& lastPath);

    std::shared_ptr<FileNodeTree> tree_;
    Executors executors_;
    Reports reports_;
    StopToken isStopRemove_;
};

}  // namespace core::largefiles

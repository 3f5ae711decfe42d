#pragma once

#include "core/junk/JunkLocations.h"
#include "core/junk/TCTreeNode.h"
#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace core::junk {

class OfferedItems;

// The junk scanner: walks the six junk categories in index order, sizes every item it finds and
// builds one result tree per category. A scan runs on the calling (worker) thread, lists the
// locations on the global pool and sizes many items in each walk of the shared tree sizer (its
// own threads); the trees are handed over whole when it ends.
class FastCleanScanFile {
public:
    static constexpr int kCategoryCount = 6;
    using ProgressCallback = std::function<void(int index)>;
    using PathCallback = std::function<void(const std::string& path)>;

    explicit FastCleanScanFile(Executors executors = Executors::inlineExecutors());
    // The application's scanner; the page gives it its executors before the first scan.
    static FastCleanScanFile& shareInstall();
    void setExecutors(Executors executors) { executors_ = std::move(executors); }

    // Reports, called on the scanning thread (the page hands them to the main thread). Set them
    // before a scan starts. progressSEL: once per category when its node is complete (its
    // items are reached for removal on the pool meanwhile, done when the scan returns);
    // pathSEL: once per item sized, with its path.
    ProgressCallback progressSEL;
    PathCallback pathSEL;
    // A stop request, safe to set from any thread; read at the start of each category. Whoever
    // asks for a scan clears it then, so a stop pressed before the scan begins is kept.
    StopToken beStop;
    // The path sized last; safe to read from any thread.
    std::string currentPath() const { return progress_.currentPath(); }
    // Forgets the last scan's progress and path. Whoever asks for a scan calls it then, with
    // beStop.reset(), so nothing of the previous scan shows before this one has begun.
    void resetProgress() { progress_.reset(); }
    // Categories finished of six, the bytes they hold, the path sized last.
    ProgressSnapshot progress() const { return progress_.snapshot(); }

    // Runs a whole scan and returns the six category nodes, index 0 to 5.
    std::vector<std::shared_ptr<TCTreeNode>> beginScan();

    // Titles, subtitles and icon image names of the six categories, in index order.
    std::vector<std::string> getName() const;
    std::vector<std::string> subName() const;
    std::vector<std::string> getIcon() const;
    // The state an item of a category starts in (1 selected, 0 not); the chat applications'
    // nodes set their own.
    static int initialItemState(int index);

    // Brings every node below this one in line with its children, deepest first.
    static void updateNodeStates(TCTreeNode& node);
    // A node with children: 1 when all are 1, 0 when none is 1 or 2, 2 otherwise.
    static void updateParentStateForNode(TCTreeNode& node);
    // Every node with a path below a category keeps the item as the scan listed it, through the
    // category's places (TCTreeNode::chosen), for the remover to act on that very item or on
    // nothing. The items are reached on the calling thread and on helpers posted to pool.
    static void recordChosenItems(TCTreeNode& category, const Executor& pool = {});

private:
    std::shared_ptr<TCTreeNode> categoryNode(int index) const;
    uint64_t scanItems(int index, const JunkLocationList& locations, TCTreeNode& category, OfferedItems& offered,
                       bool skipChatContainers);
    uint64_t scanSocialTools(TCTreeNode& category, OfferedItems& offered);
    void reportPath(const std::string& path);

    Executors executors_;
    ProgressState progress_;
};

}  // namespace core::junk

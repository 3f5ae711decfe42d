#pragma once

#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"
#include "core/largefiles/FileNodeTree.h"
#include "core/largefiles/NodeTreeOperatorDelegate.h"

#include <memory>
#include <string>

namespace core::largefiles {

// One scan of the large-file finder: the chosen folder's entries become the top-level nodes
// of the scan's tree, and NodeTreeOperator walks the folders among them. The progress is the
// share of the chosen folder's entries whose walk has ended (one stage: done of total), so it
// moves once per top-level entry. The scan runs on whatever thread calls
// getRootNodeListWithPath; stopScan and the readers are safe from any thread.
class EumeRoot : public NodeTreeOperatorDelegate {
public:
    explicit EumeRoot(std::shared_ptr<FileNodeTree> rootNodeArr);

    // Walks the path into the tree and marks it finished, whatever was found: a missing,
    // unreadable or empty folder, or one on a pseudo file system, gives no nodes; a file gives
    // one. The path's links are resolved first, so the tree's paths pass through none.
    void getRootNodeListWithPath(const std::string& rootPath);

    // Entries finished × 100 / entries of the chosen folder; 0 while there are none.
    float getProgress() const;
    void stopScan();
    bool isFinished() const { return rootNodeArr_->isFinished(); }
    const std::shared_ptr<FileNodeTree>& rootNodeArr() const { return rootNodeArr_; }
    const ProgressState& progress() const { return progress_; }
    const StopToken& stopToken() const { return stop_; }

private:
    void didFinishRootNode(FileNode* node) override;
    void scanFolder(const std::string& folder);

    std::shared_ptr<FileNodeTree> rootNodeArr_;
    StopToken stop_;
    ProgressState progress_;  // done: eumeFileCount, total: allFileCount
};

}  // namespace core::largefiles

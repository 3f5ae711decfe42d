#pragma once

#include "core/kit/Executors.h"
#include "core/largefiles/ControllerDelegate.h"
#include "core/largefiles/EumeRoot.h"
#include "core/largefiles/FileNodeRemoval.h"
#include "core/largefiles/FileNodeTree.h"

#include <memory>
#include <string>

namespace core::largefiles {

// What the large-file page talks to: it scans a chosen folder into the page's tree, applies
// the tick rules (FileNodeTicks) and deletes the ticked items (FileNodeRemoval). Called on
// the main thread; the scan runs on a thread of its own, the deletion on the global queue.
// Work that comes back for a scan that has been replaced is dropped.
class Controller : public std::enable_shared_from_this<Controller> {
public:
    static std::shared_ptr<Controller> make(Executors executors);
    // The one instance of the application, made with the executors given to setSharedExecutors.
    static Controller& getController();
    static void setSharedExecutors(Executors executors);

    ControllerDelegate* aDelegate = nullptr;  // the page; not owned

    // --- Scanning
    // A chosen folder is scanned only when it lists at least one entry.
    static bool folderHasEntries(const std::string& path);
    // Scans the path into the tree, which becomes the one that the tick rules act on. A
    // scan still running is stopped first; it never reaches the new tree. False, doing
    // nothing, while a deletion runs: it must never race with a new tree.
    bool eumeAllRootFileNodeWithRootArr(std::shared_ptr<FileNodeTree> rootArr, const std::string& rootPath);
    void stopScan();
    float getProgress() const;
    // True when no scan runs (none was started, or the last one has ended).
    bool isScanFinished() const;

    // --- Ticking
    // A click on a node's check box: 1 unless it was 1, then 0; an expanded node passes it
    // down; the folders above follow. A protected node is not clicked.
    void clickNode(FileNode* node);
    void changeSelectWithNode(FileNode* node, int64_t state);
    void expandNode(FileNode* node);
    void collapseNode(FileNode* node);
    // The select-all box was clicked while it showed boxState.
    void setAllSelectOrNoSelect(int boxState);
    // Tells the page the select-all state and count.
    void changeSelectAllButtonState();

    // --- Deleting
    // Deletes the tree's ticked items. A scan of the tree still running (or paused) is stopped
    // first, and the deletion starts once its walkers have ended. False, doing nothing, while
    // another deletion runs.
    bool deleteFilesWithDic(std::shared_ptr<FileNodeTree> rootArr);
    void stopRemove();
    // A deletion was asked for and has not ended yet.
    bool isRemoving() const { return isRemoving_; }

private:
    explicit Controller(Executors executors);
    void scanEnded(const std::shared_ptr<EumeRoot>& scan);
    void startRemoval();
    void removalEnded();
    void reload() const;

    Executors executors_;
    std::shared_ptr<FileNodeTree> aRootArr_;
    std::shared_ptr<EumeRoot> eumeRoot_;
    std::shared_ptr<FileNodeRemoval> removal_;
    bool scanRunning_ = false;
    bool isRemoving_ = false;
    bool removalWaitsForScan_ = false;
    bool stopBeforeStart_ = false;
};

}  // namespace core::largefiles

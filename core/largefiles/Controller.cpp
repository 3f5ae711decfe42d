#include "core/largefiles/Controller.h"

#include "core/largefiles/FileNodeTicks.h"
#include "core/largefiles/Progress.h"

#include <dirent.h>

#include <cstring>

namespace core::largefiles {
namespace {

Executors& sharedExecutors() {
    static Executors executors = Executors::inlineExecutors();
    return executors;
}

}  // namespace

std::shared_ptr<Controller> Controller::make(Executors executors) {
    return std::shared_ptr<Controller>(new Controller(std::move(executors)));
}

Controller& Controller::getController() {
    static const std::shared_ptr<Controller> controller = make(sharedExecutors());
    return *controller;
}

void Controller::setSharedExecutors(Executors executors) { sharedExecutors() = std::move(executors); }

Controller::Controller(Executors executors) : executors_(std::move(executors)) {}

bool Controller::folderHasEntries(const std::string& path) {
    DIR* folder = opendir(path.c_str());
    if (!folder) return false;
    bool found = false;
    while (const dirent* entry = readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            found = true;
            break;
        }
    }
    closedir(folder);
    return found;
}

bool Controller::eumeAllRootFileNodeWithRootArr(std::shared_ptr<FileNodeTree> rootArr, const std::string& rootPath) {
    if (isRemoving_) return false;
    stopScan();
    aRootArr_ = std::move(rootArr);
    auto scan = std::make_shared<EumeRoot>(aRootArr_);
    eumeRoot_ = scan;
    scanRunning_ = true;
    std::weak_ptr<Controller> weak = weak_from_this();
    executors_.detached([scan, rootPath, weak, main = executors_.main] {
        scan->getRootNodeListWithPath(rootPath);
        main([scan, weak] {
            if (auto self = weak.lock()) self->scanEnded(scan);
        });
    });
    return true;
}

void Controller::scanEnded(const std::shared_ptr<EumeRoot>& scan) {
    if (scan != eumeRoot_) return;  // a scan replaced meanwhile
    scanRunning_ = false;
    if (removalWaitsForScan_) {
        removalWaitsForScan_ = false;
        startRemoval();
    }
    reload();
}

void Controller::stopScan() {
    if (eumeRoot_) eumeRoot_->stopScan();
}

float Controller::getProgress() const { return eumeRoot_ ? eumeRoot_->getProgress() : 0.0f; }

bool Controller::isScanFinished() const { return !eumeRoot_ || eumeRoot_->isFinished(); }

void Controller::clickNode(FileNode* node) {
    if (!aRootArr_ || node->isSystemFile()) return;
    {
        auto access = aRootArr_->access();
        const int64_t state = node->state() == FileNode::Ticked ? FileNode::Unticked : FileNode::Ticked;
        node->setState(state);
        if (node->isExpand()) FileNodeTicks::changeChildrenFilNodeStateWithFileNode(access, node, state);
        FileNodeTicks::changeFatherNodeSelectStateWithFileNode(access, node);
    }
    changeSelectAllButtonState();
    reload();
}

void Controller::changeSelectWithNode(FileNode* node, int64_t state) {
    if (!aRootArr_) return;
    {
        auto access = aRootArr_->access();
        FileNodeTicks::changeChildrenFilNodeStateWithFileNode(access, node, state);
    }
    changeSelectAllButtonState();
    reload();
}

void Controller::expandNode(FileNode* node) {
    if (!aRootArr_) return;
    auto access = aRootArr_->access();
    node->setExpand(true);
    if (node->state() != FileNode::PartlyTicked)
        FileNodeTicks::changeChildrenFilNodeStateWithFileNode(access, node, node->state());
}

void Controller::collapseNode(FileNode* node) {
    if (!aRootArr_) return;
    auto access = aRootArr_->access();
    node->setExpand(false);
}

void Controller::setAllSelectOrNoSelect(int boxState) {
    if (!aRootArr_) return;
    {
        auto access = aRootArr_->access();
        FileNodeTicks::setAll(access, boxState == 1 ? FileNode::Unticked : FileNode::Ticked);
    }
    changeSelectAllButtonState();
    reload();
}

void Controller::changeSelectAllButtonState() {
    if (!aRootArr_ || !aDelegate) return;
    FileNodeTicks::SelectAll selectAll;
    {
        auto access = aRootArr_->access();
        selectAll = FileNodeTicks::selectAllState(access);
    }
    aDelegate->changeSelectAllButtonState(selectAll.state, selectAll.count);
}

bool Controller::deleteFilesWithDic(std::shared_ptr<FileNodeTree> rootArr) {
    if (isRemoving_ || !rootArr) return false;
    isRemoving_ = true;
    stopBeforeStart_ = false;
    aRootArr_ = std::move(rootArr);
    if (scanRunning_ && eumeRoot_->rootNodeArr() == aRootArr_) {
        // Its walkers may still be adding to the tree: the deletion waits for their end.
        removalWaitsForScan_ = true;
        Progress::shareInit().resume();
        eumeRoot_->stopScan();
        return true;
    }
    startRemoval();
    return true;
}

void Controller::startRemoval() {
    std::weak_ptr<Controller> weak = weak_from_this();
    FileNodeRemoval::Reports reports;
    reports.progress = [weak](int point, const std::string& path) {
        auto self = weak.lock();
        if (self && self->aDelegate) self->aDelegate->changeProgressWithPoint(point, path);
    };
    reports.ended = [weak] {
        if (auto self = weak.lock()) self->removalEnded();
    };
    removal_ = FileNodeRemoval::make(aRootArr_, executors_, std::move(reports));
    if (stopBeforeStart_) removal_->stopRemove();
    removal_->start();
}

void Controller::stopRemove() {
    stopBeforeStart_ = true;
    if (removal_) removal_->stopRemove();
}

void Controller::removalEnded() {
    removal_.reset();
    isRemoving_ = false;
    changeSelectAllButtonState();
    reload();
}

void Controller::reload() const {
    if (aDelegate) aDelegate->reloadTreeList();
}

}  // namespace core::largefiles

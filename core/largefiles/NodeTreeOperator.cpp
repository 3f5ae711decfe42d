#include "core/largefiles/NodeTreeOperator.h"

#include "core/largefiles/Progress.h"
#include "platform/files/FolderReader.h"
#include "platform/files/PathText.h"

namespace core::largefiles {
namespace {

FileNode* topLevelFolderOf(FileNode* node) {
    while (node->father()) node = node->father();
    return node;
}

}  // namespace

NodeTreeOperator::NodeTreeOperator(std::shared_ptr<FileNodeTree> tree, std::shared_ptr<const SystemFolder> systemFolder,
                                   const StopToken& stop, NodeTreeOperatorDelegate* opDelegate)
    : tree_(std::move(tree)), systemFolder_(std::move(systemFolder)), stop_(stop), opDelegate_(opDelegate) {}

std::unique_ptr<FileNode> NodeTreeOperator::makeNode(const std::string& folder, const char* name,
                                                     const struct stat& info, FileNode* father) const {
    const bool isFolder = S_ISDIR(info.st_mode);
    const uint64_t size = isFolder || info.st_size < 0 ? 0 : static_cast<uint64_t>(info.st_size);
    auto node = std::make_unique<FileNode>(name, isFolder, size, info.st_ino, father);
    // Most folders hold no protected path at all: one look-up decides for all their entries.
    if (systemFolder_->holdsSystemFile(folder)) {
        const std::string path = platform::joinPath(folder, name);
        if (systemFolder_->contains(path)) node->markSystemFile();
        if (systemFolder_->holdsSystemFile(path)) node->markHoldsSystemFile();
    }
    return node;
}

void NodeTreeOperator::getFileSizeWithPat(const std::vector<FileNode*>& rootFolders) {
    std::vector<Folder> starts;
    for (FileNode* node : rootFolders) {
        pendingFolders_[node] = 1;
        starts.push_back({tree_->pathOf(node), tree_->device(), node->inode(), tree_->device(), node});
    }
    platform::ParallelFolderWalk::Options options;
    options.stop = stop_.flag();
    options.beforeFolder = [this] { Progress::shareInit().isPause(stop_); };
    platform::ParallelFolderWalk::run(
        std::move(starts),
        [this](const Folder& folder, int folderFd, std::vector<Folder>& subfolders) {
            listFolder(folder, folderFd, subfolders);
        },
        options);
}

void NodeTreeOperator::listFolder(const Folder& folder, int folderFd, std::vector<Folder>& subfolders) {
    auto* node = static_cast<FileNode*>(folder.tag);
    FileNode::Children children;
    uint64_t filesSize = 0;
    if (folderFd >= 0) {
        platform::FolderReader::forEachEntry(
            folderFd,
            [&](const char* name, const struct stat& info) {
                auto child = makeNode(folder.path, name, info, node);
                filesSize += child->size();
                // A folder of another file system (a mount point) is shown but never entered.
                if (child->isDirectory() && info.st_dev == tree_->device())
                    subfolders.push_back({platform::joinPath(folder.path, name), info.st_dev, info.st_ino,
                                          folder.device, child.get()});
                children.push_back(std::move(child));
            },
            folder.path);
    }
    // The subfolders are in the tree before any walker can take them.
    tree_->attachChildren(node, std::move(children), filesSize);
    countOff(node, subfolders.size());
}

void NodeTreeOperator::countOff(FileNode* folder, size_t newSubfolders) {
    FileNode* root = topLevelFolderOf(folder);
    {
        std::lock_guard<std::mutex> lock(pendingMutex_);
        size_t& pending = pendingFolders_[root];
        pending += newSubfolders;
        if (--pending > 0) return;
    }
    opDelegate_->didFinishRootNode(root);
}

}  // namespace core::largefiles

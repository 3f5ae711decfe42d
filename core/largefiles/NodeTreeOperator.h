#pragma once

#include "core/kit/StopToken.h"
#include "core/largefiles/FileNodeTree.h"
#include "core/largefiles/NodeTreeOperatorDelegate.h"
#include "core/largefiles/SystemFolder.h"
#include "platform/files/ParallelFolderWalk.h"

#include <sys/stat.h>

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace core::largefiles {

// Walks the folders of one scan below its top level into the tree, on several threads at once
// (platform::ParallelFolderWalk): each folder is listed once, its entries become its children
// and the sum of its files grows it and every folder above. Links are nodes of their own size
// and never followed; folders mounted from another file system than the chosen folder's are
// listed as empty folders and not entered; folders that cannot be read stay empty. Walkers
// wait at the pause switch before each folder and end soon after the scan is stopped.
class NodeTreeOperator {
public:
    NodeTreeOperator(std::shared_ptr<FileNodeTree> tree, std::shared_ptr<const SystemFolder> systemFolder,
                     const StopToken& stop, NodeTreeOperatorDelegate* opDelegate);

    // Walks the given top-level folder nodes, all at once; returns when every one is done or
    // the scan was stopped.
    void getFileSizeWithPat(const std::vector<FileNode*>& rootFolders);

    // A node for an entry listed in folder (father nullptr at the top level), with its size
    // (0 for a folder, which grows as it is walked) and its protection marked.
    std::unique_ptr<FileNode> makeNode(const std::string& folder, const char* name, const struct stat& info,
                                       FileNode* father) const;

private:
    using Folder = platform::ParallelFolderWalk::Folder;
    void listFolder(const Folder& folder, int folderFd, std::vector<Folder>& subfolders);
    // Counts a folder off its top-level folder's walk, which has the given subfolders to go.
    void countOff(FileNode* folder, size_t newSubfolders);

    std::shared_ptr<FileNodeTree> tree_;
    std::shared_ptr<const SystemFolder> systemFolder_;
    const StopToken& stop_;
    NodeTreeOperatorDelegate* opDelegate_;
    std::mutex pendingMutex_;
    std::unordered_map<FileNode*, size_t> pendingFolders_;  // per top-level folder, its folders not yet walked
};

}  // namespace core::largefiles

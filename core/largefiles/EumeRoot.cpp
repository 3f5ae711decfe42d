#include "core/largefiles/EumeRoot.h"

#include "core/largefiles/NodeTreeOperator.h"
#include "core/largefiles/Progress.h"
#include "core/largefiles/SystemFolder.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/FolderReader.h"
#include "platform/files/PathText.h"
#include "platform/files/PseudoFileSystems.h"
#include "platform/files/ResolvedParentPath.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace core::largefiles {

EumeRoot::EumeRoot(std::shared_ptr<FileNodeTree> rootNodeArr) : rootNodeArr_(std::move(rootNodeArr)) {}

void EumeRoot::getRootNodeListWithPath(const std::string& rootPath) {
    const std::string path = platform::realPath(rootPath).value_or("");
    struct stat info;
    if (!path.empty() && lstat(path.c_str(), &info) == 0) {
        struct stat folderInfo;
        if (S_ISDIR(info.st_mode)) {
            rootNodeArr_->setTopFolder(path, info.st_dev, info.st_ino);
            scanFolder(path);
        } else if (const std::string folder = platform::parentPath(path); lstat(folder.c_str(), &folderInfo) == 0) {
            rootNodeArr_->setTopFolder(folder, info.st_dev, folderInfo.st_ino);
            NodeTreeOperator op(rootNodeArr_, SystemFolder::current(), stop_, this);
            FileNode::Children nodes;
            nodes.push_back(op.makeNode(folder, platform::lastPathComponent(path).c_str(), info, nullptr));
            rootNodeArr_->addTopLevel(std::move(nodes));
            progress_.beginStage(0, 1);
            progress_.advance(1);
        }
    }
    rootNodeArr_->markFinished();
}

void EumeRoot::scanFolder(const std::string& folder) {
    platform::FileDescriptor fd(platform::FolderReader::openFolder(AT_FDCWD, folder.c_str(), false));
    if (!fd.isOpen() || platform::PseudoFileSystems().contains(fd.get(), rootNodeArr_->device())) return;
    NodeTreeOperator op(rootNodeArr_, SystemFolder::current(), stop_, this);
    FileNode::Children nodes;
    std::vector<FileNode*> folders;
    size_t finished = 0;
    platform::FolderReader::forEachEntry(
        fd.get(),
        [&](const char* name, const struct stat& entry) {
            nodes.push_back(op.makeNode(folder, name, entry, nullptr));
            if (nodes.back()->isDirectory() && entry.st_dev == rootNodeArr_->device())
                folders.push_back(nodes.back().get());
            else
                ++finished;  // a file, or a folder of another file system, is done once listed
        },
        folder);
    // Walked in name order, as the chosen folder lists its entries.
    std::sort(folders.begin(), folders.end(),
              [](const FileNode* left, const FileNode* right) { return left->name() < right->name(); });
    progress_.beginStage(0, nodes.size());
    progress_.advance(finished);
    rootNodeArr_->addTopLevel(std::move(nodes));
    op.getFileSizeWithPat(folders);
}

float EumeRoot::getProgress() const {
    const ProgressSnapshot snapshot = progress_.snapshot();
    return snapshot.total == 0 ? 0.0f : static_cast<float>(snapshot.done * 100.0 / snapshot.total);
}

void EumeRoot::stopScan() {
    stop_.requestStop();
    Progress::shareInit().wake();
}

void EumeRoot::didFinishRootNode(FileNode*) { progress_.advance(1); }

}  // namespace core::largefiles

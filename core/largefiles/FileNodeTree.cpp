#include "core/largefiles/FileNodeTree.h"

#include "platform/files/PathText.h"

#include <algorithm>
#include <iterator>

namespace core::largefiles {
namespace {

// Folders that reached their size by growing stand behind the files (and empty folders) of
// the same size; at the top level every folder does, as the walk appends it before sizing it.
bool arrivedGrowing(const FileNode& node, bool topLevel) {
    return node.isDirectory() && (topLevel || node.size() > 0);
}

// Largest first; among equals, those that arrived with their size last-listed first, then
// those that grew to it in name order (names are unique within a folder).
bool comesBefore(const FileNode& left, const FileNode& right, bool topLevel) {
    if (left.size() != right.size()) return left.size() > right.size();
    const bool leftGrew = arrivedGrowing(left, topLevel), rightGrew = arrivedGrowing(right, topLevel);
    if (leftGrew != rightGrew) return rightGrew;
    return leftGrew ? left.name() < right.name() : left.name() > right.name();
}

}  // namespace

void FileNodeTree::setTopFolder(std::string folder, uint64_t device, uint64_t inode) {
    std::lock_guard<std::mutex> lock(mutex_);
    topFolder_ = platform::normalizedPath(folder);
    device_ = device;
    topFolderInode_ = inode;
}

void FileNodeTree::sortLevel(FileNode::Children& level, bool topLevel) {
    std::sort(level.begin(), level.end(),
              [topLevel](const auto& left, const auto& right) { return comesBefore(*left, *right, topLevel); });
}

void FileNodeTree::addTopLevel(FileNode::Children nodes) {
    sortLevel(nodes, true);
    std::lock_guard<std::mutex> lock(mutex_);
    topLevelUnsorted_ = !topLevel_.empty();
    for (auto& node : nodes) topLevel_.push_back(std::move(node));
}

void FileNodeTree::attachChildren(FileNode* folder, FileNode::Children children, uint64_t filesSize) {
    sortLevel(children, false);  // on the walker's thread, before the lock is taken
    std::lock_guard<std::mutex> lock(mutex_);
    folder->children() = std::move(children);
    if (filesSize == 0) return;
    for (FileNode* node = folder; node; node = node->father()) {
        node->grow(filesSize);
        markUnsorted(node->father());
    }
}

void FileNodeTree::markUnsorted(FileNode* parent) {
    if (parent)
        parent->setChildrenNeedSorting(true);
    else
        topLevelUnsorted_ = true;
}

// Sizes only grow, so after a change the nodes that grew stand too far back and the others
// are still in order: those out of order are taken out, sorted and merged back, which costs
// little more than one pass over a long level where few nodes grew.
void FileNodeTree::sortIfNeeded(FileNode* parent) {
    const bool topLevel = parent == nullptr;
    if (topLevel ? !topLevelUnsorted_ : !parent->childrenNeedSorting()) return;
    auto& level = levelOf(parent);
    auto before = [topLevel](const auto& left, const auto& right) { return comesBefore(*left, *right, topLevel); };
    FileNode::Children grown;
    size_t kept = 0;
    for (auto& node : level) {
        if (kept > 0 && before(node, level[kept - 1])) {
            grown.push_back(std::move(node));
            continue;
        }
        if (&node != &level[kept]) level[kept] = std::move(node);
        ++kept;
    }
    if (!grown.empty()) {
        level.resize(kept);
        std::sort(grown.begin(), grown.end(), before);
        FileNode::Children merged;
        merged.reserve(level.size() + grown.size());
        std::merge(std::make_move_iterator(level.begin()), std::make_move_iterator(level.end()),
                   std::make_move_iterator(grown.begin()), std::make_move_iterator(grown.end()),
                   std::back_inserter(merged), before);
        level.swap(merged);
    }
    if (topLevel)
        topLevelUnsorted_ = false;
    else
        parent->setChildrenNeedSorting(false);
}

std::vector<FileNodeTree::Row> FileNodeTree::childRows(const FileNode* parent) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto* level = const_cast<FileNode*>(parent);
    sortIfNeeded(level);
    std::vector<Row> rows;
    rows.reserve(levelOf(level).size());
    for (const auto& node : levelOf(level)) rows.push_back({node.get(), node->size(), node->children().size()});
    return rows;
}

size_t FileNodeTree::topLevelCount() {
    std::lock_guard<std::mutex> lock(mutex_);
    return topLevel_.size();
}

std::string FileNodeTree::pathOf(const FileNode* node) const {
    std::vector<const std::string*> names;
    for (; node; node = node->father()) names.push_back(&node->name());
    std::string path = topFolder_;
    for (auto it = names.rbegin(); it != names.rend(); ++it) path = platform::joinPath(path, **it);
    return path;
}

FileNode::Children& FileNodeTree::Access::children(FileNode* parent) {
    tree_.sortIfNeeded(parent);
    return tree_.levelOf(parent);
}

void FileNodeTree::Access::takeOut(FileNode* node) {
    auto& level = tree_.levelOf(node->father());
    auto found = std::find_if(level.begin(), level.end(), [node](const auto& child) { return child.get() == node; });
    if (found == level.end()) return;
    tree_.retired_.push_back(std::move(*found));
    level.erase(found);
}

void FileNodeTree::releaseRetiredNodes() {
    FileNode::Children retired;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        retired.swap(retired_);
    }
}

}  // namespace core::largefiles

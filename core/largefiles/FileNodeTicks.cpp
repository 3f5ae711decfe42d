#include "core/largefiles/FileNodeTicks.h"

#include <algorithm>

namespace core::largefiles {

void FileNodeTicks::changeChildrenFilNodeStateWithFileNode(FileNodeTree::Access& tree, FileNode* node, int64_t state) {
    const int64_t newState = state ? FileNode::Ticked : FileNode::Unticked;
    if (node->isSystemFile() && newState == FileNode::Ticked) return;
    node->setState(newState);
    if (!node->isDirectory()) return;
    for (const auto& child : tree.children(node)) {
        if (child->isSystemFile() && newState == FileNode::Ticked) continue;
        child->setState(newState);
        if (node->isExpand() && child->isDirectory()) changeChildrenFilNodeStateWithFileNode(tree, child.get(), newState);
    }
}

void FileNodeTicks::changeFatherNodeSelectStateWithFileNode(FileNodeTree::Access& tree, FileNode* node) {
    for (FileNode* father = node->father(); father; father = father->father()) {
        bool every = true, some = false, folderAmong = false;
        for (const auto& child : tree.children(father)) {
            if (child->state() != FileNode::Unticked)
                some = true;
            else
                every = false;
            folderAmong = folderAmong || child->isDirectory();
        }
        int64_t state = some ? FileNode::PartlyTicked : FileNode::Unticked;
        if (every && some && !folderAmong && !father->isSystemFile()) state = FileNode::Ticked;
        father->setState(state);
    }
}

FileNodeTicks::SelectAll FileNodeTicks::selectAllState(FileNodeTree::Access& tree) {
    SelectAll result;
    result.count = static_cast<int>(collect(tree).size());
    bool every = true, unprotected = false, some = false;
    for (const auto& node : tree.children(nullptr)) {
        some = some || node->state() != FileNode::Unticked;
        if (node->isSystemFile()) continue;
        unprotected = true;
        every = every && node->state() == FileNode::Ticked;
    }
    result.state = unprotected && every ? 1 : some ? 2 : 0;
    return result;
}

void FileNodeTicks::setAll(FileNodeTree::Access& tree, int64_t state) {
    for (const auto& node : tree.children(nullptr)) {
        if (node->isSystemFile() && state) continue;
        node->setState(state);
        if (node->isExpand()) changeChildrenFilNodeStateWithFileNode(tree, node.get(), state);
    }
}

void FileNodeTicks::untickAll(FileNodeTree::Access& tree) {
    std::vector<FileNode*> pending;
    for (const auto& node : tree.children(nullptr)) pending.push_back(node.get());
    while (!pending.empty()) {
        FileNode* node = pending.back();
        pending.pop_back();
        node->setState(FileNode::Unticked);
        for (const auto& child : node->children()) pending.push_back(child.get());
    }
}

std::vector<FileNode*> FileNodeTicks::collect(FileNodeTree::Access& tree) {
    std::vector<FileNode*> items;
    collectBelow(tree, nullptr, false, items);
    return items;
}

void FileNodeTicks::collectBelow(FileNodeTree::Access& tree, FileNode* parent, bool taken, std::vector<FileNode*>& items) {
    for (const auto& child : tree.children(parent)) {
        if (child->isSystemFile()) continue;
        const int64_t state = taken ? int64_t{FileNode::Ticked} : child->state();
        if (state == FileNode::Ticked && !child->holdsSystemFile())
            items.push_back(child.get());
        else if (state != FileNode::Unticked)
            collectBelow(tree, child.get(), state == FileNode::Ticked, items);
    }
}

}  // namespace core::largefiles

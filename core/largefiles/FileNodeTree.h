#pragma once

#include "core/largefiles/FileNode.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace core::largefiles {

// The tree of one scan, which the page keeps as its top-level array: the walkers add to it
// while the page reads it, so every change and every read of a level holds the tree's lock.
// Each scan fills a tree of its own, so a stopped walker never reaches the next scan's nodes.
//
// Siblings are ordered largest first. Equal sizes keep the order that one walk adding each
// entry in name order would give: an entry arriving with its size goes in front of its equals
// (files, and folders that stay empty below the top level), a folder that grows to its size
// goes behind them (in name order among such folders). The order is a function of the sizes,
// so it does not depend on the timing of the parallel walk. Entries arrive sorted; a level in
// which nodes grew is put back in order when it is next read, never once per entry.
class FileNodeTree {
public:
    // One line of a level as it stood when read.
    struct Row {
        FileNode* node = nullptr;
        uint64_t size = 0;
        size_t childCount = 0;
    };

    // Where the top-level nodes lie (the chosen folder, or a chosen file's folder), its device
    // and its inode; set by the scan before it adds anything.
    void setTopFolder(std::string folder, uint64_t device, uint64_t inode);
    const std::string& topFolder() const { return topFolder_; }
    uint64_t device() const { return device_; }
    uint64_t topFolderInode() const { return topFolderInode_; }

    // --- The scan's side, from any thread. The nodes come in any order: they are sorted on the
    // calling thread before the tree is held.
    void addTopLevel(FileNode::Children nodes);
    // Gives a listed folder its entries, and the sum of its files to it and every folder above.
    void attachChildren(FileNode* folder, FileNode::Children children, uint64_t filesSize);
    void markFinished() { finished_.store(true); }
    // The scan ended (walked everything, was stopped, or found nothing to walk).
    bool isFinished() const { return finished_.load(); }

    // --- Readers, from any thread.
    // One level (nullptr: the top level), sorted.
    std::vector<Row> childRows(const FileNode* parent);
    size_t topLevelCount();
    // Built from the names up the parent chain, which never change: no lock needed.
    std::string pathOf(const FileNode* node) const;

    // --- Walks and changes that must see the tree still: hold an Access while at it.
    class Access {
    public:
        // A level (nullptr: the top level), sorted.
        FileNode::Children& children(FileNode* parent);
        // Takes a node out of its level; it stays alive until releaseRetiredNodes.
        void takeOut(FileNode* node);

    private:
        friend class FileNodeTree;
        explicit Access(FileNodeTree& tree) : tree_(tree), lock_(tree.mutex_) {}
        FileNodeTree& tree_;
        std::unique_lock<std::mutex> lock_;
    };
    Access access() { return Access(*this); }

    // Frees the nodes taken out since the last call, once no reader holds them any more.
    void releaseRetiredNodes();

private:
    static void sortLevel(FileNode::Children& level, bool topLevel);
    FileNode::Children& levelOf(FileNode* parent) { return parent ? parent->children() : topLevel_; }
    // Sorts a level when something in it changed since it was last sorted.
    void sortIfNeeded(FileNode* parent);
    void markUnsorted(FileNode* parent);

    std::mutex mutex_;
    std::string topFolder_ = "/";
    uint64_t device_ = 0;
    uint64_t topFolderInode_ = 0;
    FileNode::Children topLevel_;
    bool topLevelUnsorted_ = false;
    FileNode::Children retired_;
    std::atomic<bool> finished_{false};
};

}  // namespace core::largefiles

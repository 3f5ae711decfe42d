#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace core::largefiles {

// One file or folder of the large-file tree. Nodes are kept small, since a scan makes one per
// item and a disk holds millions: the name, not the path (FileNodeTree::pathOf builds it from
// the parent chain), numeric sizes, flag bits and a parent pointer. The name, the kind, the
// inode and the father never change after the node is made; size and children change under
// the tree's lock only, state and the expanded flag on the main thread under the same lock
// (so the main thread reads those two without it).
class FileNode {
public:
    // Tick states, as the check boxes show them.
    enum State : int8_t { Unticked = 0, Ticked = 1, PartlyTicked = 2 };

    FileNode(std::string name, bool isDirectory, uint64_t size, uint64_t inode, FileNode* father);

    const std::string& name() const { return name_; }
    // The name the outline shows: the last component of the path, which is the name.
    const std::string& displayName() const { return name_; }
    bool isDirectory() const { return flags_ & kDirectory; }
    uint64_t inode() const { return inode_; }
    FileNode* father() const { return father_; }

    // A protected path (SystemFolder): never ticked, never collected, nothing pushed into it.
    bool isSystemFile() const { return flags_ & kSystemFile; }
    // A protected path lies somewhere below: the node is never removed whole.
    bool holdsSystemFile() const { return flags_ & kHoldsSystemFile; }
    void markSystemFile() { flags_ |= kSystemFile; }
    void markHoldsSystemFile() { flags_ |= kHoldsSystemFile; }

    uint64_t size() const { return size_; }
    void grow(uint64_t bytes) { size_ += bytes; }

    int64_t state() const { return state_; }
    void setState(int64_t state) { state_ = static_cast<int8_t>(state); }
    bool isExpand() const { return flags_ & kExpanded; }
    void setExpand(bool expanded) { setFlag(kExpanded, expanded); }

    using Children = std::vector<std::unique_ptr<FileNode>>;
    // In no particular order: the tree sorts them when they are read (FileNodeTree).
    Children& children() { return children_; }
    const Children& children() const { return children_; }
    bool childrenNeedSorting() const { return childrenUnsorted_; }
    void setChildrenNeedSorting(bool unsorted) { childrenUnsorted_ = unsorted; }

private:
    enum Flag : uint8_t {
        kDirectory = 1,
        kSystemFile = 2,
        kHoldsSystemFile = 4,
        kExpanded = 8,
    };
    void setFlag(Flag flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }

    std::string name_;
    Children children_;
    FileNode* father_;
    uint64_t size_;
    uint64_t inode_;
    int8_t state_ = Unticked;
    uint8_t flags_ = 0;              // set when made, the expanded bit on the main thread
    bool childrenUnsorted_ = false;  // a byte of its own: the walkers set it
};

}  // namespace core::largefiles

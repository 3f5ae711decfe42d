#include "core/largefiles/FileNode.h"

namespace core::largefiles {

FileNode::FileNode(std::string name, bool isDirectory, uint64_t size, uint64_t inode, FileNode* father)
    : name_(std::move(name)), father_(father), size_(size), inode_(inode), flags_(isDirectory ? kDirectory : 0) {}

}  // namespace core::largefiles

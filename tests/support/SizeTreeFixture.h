#pragma once

#include "core/largefiles/FileNodeTree.h"

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// Reading a large-file tree in tests: nodes by their path below the scanned folder, levels as
// names in the tree's order.
class SizeTreeReader {
public:
    explicit SizeTreeReader(std::shared_ptr<core::largefiles::FileNodeTree> tree) : tree_(std::move(tree)) {}

    // "a/b/c" below the top folder; nullptr when there is no such node.
    core::largefiles::FileNode* node(const std::string& relative) const;
    // The level below relative ("" for the top level), in order.
    std::vector<std::string> names(const std::string& relative = "") const;

private:
    std::shared_ptr<core::largefiles::FileNodeTree> tree_;
};

// A file of the given size filled with "x".
std::string writeSizedFile(const std::string& path, size_t size);
// Something (a link included) is at the path.
bool isOnDisk(const std::string& path);

}  // namespace testsupport

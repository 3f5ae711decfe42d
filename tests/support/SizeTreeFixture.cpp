#include "support/SizeTreeFixture.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace testsupport {

using core::largefiles::FileNode;

FileNode* SizeTreeReader::node(const std::string& relative) const {
    FileNode* found = nullptr;
    std::stringstream components(relative);
    for (std::string name; std::getline(components, name, '/');) {
        FileNode* next = nullptr;
        for (const auto& row : tree_->childRows(found))
            if (row.node->name() == name) next = row.node;
        if (!next) return nullptr;
        found = next;
    }
    return found;
}

std::vector<std::string> SizeTreeReader::names(const std::string& relative) const {
    std::vector<std::string> names;
    const FileNode* parent = relative.empty() ? nullptr : node(relative);
    if (!relative.empty() && !parent) return names;
    for (const auto& row : tree_->childRows(parent)) names.push_back(row.node->name());
    return names;
}

std::string writeSizedFile(const std::string& path, size_t size) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    return path;
}

bool isOnDisk(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace testsupport

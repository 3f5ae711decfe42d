#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace core::junk {

// A place a junk category looked at, as the scan reached it (without links, from the home
// folder or else the root folder) and known by its device and inode, so that a removal can
// tell it from anything put in its place since.
struct ReachedRoot {
    std::string path;  // normalised
    uint64_t device = 0;
    uint64_t inode = 0;
    bool isFolder = false;

    // The place at path as it is reached now; nothing when it is missing or lies beyond a link.
    static std::optional<ReachedRoot> reach(const std::string& path);
};

}  // namespace core::junk

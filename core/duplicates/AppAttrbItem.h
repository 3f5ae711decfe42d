#pragma once

#include "core/duplicates/fileAttrbItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One application bundle of a duplicate search and every file inside it.
struct AppAttrbItem {
    std::vector<fileAttrbItem> AllFileInDirectory;
    std::uint64_t DirectorySize = 0;  // sum of the files' sizes
    std::string DirectoryPathName;    // full path of the bundle
    std::string DirectoryName;        // its last path component
    std::uint64_t device = 0;         // which folder the bundle is
    std::uint64_t inode = 0;
    platform::FileIdentity folder;    // the folder that held it when it was listed
};

// Identical bundles, in the order the page lists them: the matches in collection order, then
// the earliest bundle.
using DuplicateAppGroup = std::vector<AppAttrbItem>;

}  // namespace core

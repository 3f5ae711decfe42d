#pragma once

#include "platform/files/ListedFolder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The size of a file or folder tree: the sum of the logical sizes of every entry that is not a
// folder (a link counts its own size and is not followed), the folders' own sizes left out.
// Large trees are sized by several threads at once, each taking whole folders; many trees
// sized together share one walk, so small ones keep every thread busy too.
class TreeSizer {
public:
    struct Measure {
        uint64_t bytes = 0;
        // False when a folder of the tree could not be opened or read to its end: the tree
        // holds more than was counted, and more than anyone could see.
        bool readWhole = true;
    };

    // A missing path gives 0; a file (or a link) alone gives its own size.
    static uint64_t sizeOf(const std::string& path);
    static Measure measure(const std::string& path);
    // Each path's measure at its index, as measure gives it.
    static std::vector<Measure> measureAll(const std::vector<std::string>& paths);
    // Each folder's measure at its index, walked from the folder as it was listed, without
    // looking at its path again: one that is no longer that folder is not read whole.
    static std::vector<Measure> measureListed(const std::vector<ListedFolder>& folders);
};

}  // namespace platform

#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The size of a file or folder tree: the sum of the logical sizes of every entry that is not a
// folder (a link counts its own size and is not followed), the folders' own sizes left out.
// Large trees are sized by several threads at once, each taking whole folders.
class TreeSizer {
public:
    // A missing path gives 0; a file (or a link) alone gives its own size.
    static uint64_t sizeOf(const std::string& path);
};

}  // namespace platform

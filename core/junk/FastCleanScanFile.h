#pragma once

#include <string>
#include <vector>

namespace core::junk {

// The junk scanner: six fixed categories, scanned in index order.
class FastCleanScanFile {
public:
    static constexpr int kCategoryCount = 6;

    // Titles, subtitles and icon image names of the six categories, in index order.
    std::vector<std::string> getName() const;
    std::vector<std::string> subName() const;
    std::vector<std::string> getIcon() const;
    // The state an item of a category starts in (1 selected, 0 not); the chat applications'
    // nodes set their own.
    static int initialItemState(int index);
};

}  // namespace core::junk

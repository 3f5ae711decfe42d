#pragma once

#include "core/junk/CategoryRoots.h"

#include <string>

namespace core::junk {

// A Linux desktop's trash keeps each trashed item in its "files" folder and what is known of
// it (where it came from, when it was trashed) in "info/<name>.trashinfo". A record whose item
// is gone would only make the trash list a ghost, so it leaves with the item.
class TrashInfo {
public:
    // After the item at itemPath is gone: when its folder is a place of the category named
    // "files", removes "<that place's folder>/info/<name>.trashinfo". The trash folder is the
    // one the place is reached in, checked to be still the place the scan reached; "info" is
    // opened below it without links, and only a plain file is removed. True when a record was
    // removed; anything else is left alone, failures with a log line.
    static bool removeRecordOf(const std::string& itemPath, const CategoryRoots& roots);
};

}  // namespace core::junk

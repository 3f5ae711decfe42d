#pragma once

#include "platform/files/ChosenItem.h"

#include <cstdint>
#include <optional>
#include <string>

namespace core {

// One item of the shredder's list. The page draws the item's icon from its path.
struct FileObj {
    std::string name;     // last path component, shown in the list
    std::string url;      // the item's full path, its folders resolved when it was chosen
                          // (platform::resolvedParentPath)
    std::string type;     // "Folder" for folders, else the path extension as written
    int64_t size = 0;     // bytes when the item was listed (0 for folders)
    bool isDir = false;   // the item was added as a folder
    bool isSelect = true;
    std::string failStr;  // outcome text
    bool isSymbolicLink = false;
    bool isSSD = false;   // one pass is enough on a solid-state disk
    // The item as it was listed, so that only that very item is overwritten and removed;
    // nothing when it could not be reached then.
    std::optional<platform::ChosenItem> chosen;
};

}  // namespace core

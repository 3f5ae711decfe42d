#pragma once

#include "core/shredder/FileObj.h"

#include <atomic>
#include <memory>
#include <vector>

namespace core {

// The items a shred run erases, in order. Each ticked item comes after the contents of a ticked
// folder that is not an application bundle: its entries depth first in name order, every folder
// after its own contents, so children always precede their folder. Links inside are items of
// their own (removed as links, never followed). A path comes once: an item inside another
// ticked folder is erased where it first appears. Walks folders, so it runs on a worker.
class ShredWorkList {
public:
    // stop (optional) ends the walk early; what was found so far is returned.
    static std::vector<std::shared_ptr<FileObj>> build(const std::vector<std::shared_ptr<FileObj>>& selected,
                                                       const std::atomic<bool>* stop = nullptr);
    // How many of the items are not folders.
    static size_t countFiles(const std::vector<std::shared_ptr<FileObj>>& items);
};

}  // namespace core

#pragma once

#include "core/shredder/FileObj.h"
#include "core/shredder/ProtectedFolders.h"
#include "platform/mounts/PathVolume.h"

#include <memory>
#include <string>
#include <vector>

namespace core {

// What the shredder page lists, without widgets: the items in the order they were added, their
// ticks, the select-all state and what a finished run leaves. Only the main thread uses it.
class ShredList {
public:
    // The header box: nothing (or no item) ticked, some ticked, every item ticked.
    enum SelectAllState { kNoneSelected = 0, kSomeSelected = 1, kAllSelected = 2 };

    struct Addition {
        size_t added = 0;
        // An item lies on an NTFS or read-only volume: the whole addition was refused.
        bool refusedVolume = false;
        // "/", the home folder or a folder holding it, skipped.
        std::vector<std::string> protectedPaths;
    };

    explicit ShredList(ProtectedFolders protectedFolders = ProtectedFolders(),
                       std::string udevDataFolder = platform::PathVolume::kUdevDataFolder);

    // Adds dropped or picked paths in order. Every path is tidied by its text alone (a trailing
    // "/", ".", "..", "//") and kept with its folders resolved, the item itself never: a link is
    // listed as the link. A path already listed, a missing item or an unresolvable folder is
    // skipped (missing ones with a log line).
    Addition addPaths(const std::vector<std::string>& paths);

    const std::vector<std::shared_ptr<FileObj>>& valueArr() const { return valueArr_; }
    int aSelectAllState() const;
    // "擦除" is usable exactly when something is ticked.
    bool isWipeEnabled() const { return aSelectAllState() != kNoneSelected; }
    std::vector<std::shared_ptr<FileObj>> selectedItems() const;

    // A row's check box flips its tick.
    void selectListButton(size_t row);
    // Ticks every item, or none when all were ticked.
    void setAllSelectOrNoSelect();
    void emptyList() { valueArr_.clear(); }

    // After a run: each ticked item gets "Failed" when its path still exists and "Erased" when
    // not, and leaves the list; they are returned in list order. Unticked items stay.
    std::vector<std::shared_ptr<FileObj>> takeSelectedWithOutcome();
    // The items of such a run that are still there, in order.
    static std::vector<std::shared_ptr<FileObj>> failedItems(const std::vector<std::shared_ptr<FileObj>>& items);

    // An item for a path whose folders are resolved; nothing when the item is missing.
    static std::shared_ptr<FileObj> makeItem(const std::string& url);

private:
    bool isRefusedVolume(const std::vector<std::string>& paths) const;
    bool isListed(const std::string& url) const;

    ProtectedFolders protectedFolders_;
    std::string udevDataFolder_;
    std::vector<std::shared_ptr<FileObj>> valueArr_;
};

}  // namespace core

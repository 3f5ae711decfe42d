#pragma once

#include "core/browser/BrowerObj.h"
#include "core/browser/PassedOverNode.h"
#include "core/kit/ProgressState.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace core::browser {

// Measures and cleans the items of the browser list. Database items are measured in rows
// ("%d项") and cleaned by emptying their tables; file items in bytes (a size text) and cleaned
// by removing them. One table, keyed by browser family and item key, says what each item
// measures and what its clean does; the per-family methods are entries over it. Any thread may
// measure; a clean changes the records it is given, so its caller hands it records that no
// other thread reads meanwhile.
class BrowserItemCleaner {
public:
    // The node's browser is still running after it was asked to quit: it is passed over.
    using StillRunning = std::function<bool(const BrowerObj& node)>;

    // The item's size text, by its browser key; profilePath is its node's profile folder.
    std::string measure(const BrowerObj& item, const std::string& profilePath) const;

    std::string getGoogleFileSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const;
    std::string getFirefoxSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const;
    std::string getQQBrowserSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const;
    // Every channel measures alike.
    std::string getEdgeSizeWithBrower(const BrowerObj& item, const std::string& profilePath,
                                      const std::string& channel) const;
    std::string getChromiumSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const;
    std::string getOpearSizeWithBrower(const BrowerObj& item) const;
    std::string getSafariSizeWithBrower(const BrowerObj& item) const;

    // Cleans one item of a node and measures it again, so a removal or statement that failed
    // shows what is left; clears its tick. Nothing outside the browser's own folders, and never
    // the profile folder or a data root, is removed; a path through a link is left alone.
    void clean(BrowerObj& item) const;
    // Keeps in the item what its clean would remove whole, as it stands now (its `chosen`), for
    // the item just measured.
    static void recordChosenItems(BrowerObj& item);
    void deleteGoogleWithBrower(BrowerObj& item) const;
    void deleteFirefoxWithBrower(BrowerObj& item) const;
    void deleteQQBrowserWithBrower(BrowerObj& item) const;
    void deleteEdgeWithBrower(BrowerObj& item) const;
    void deleteChromiumWithBrower(BrowerObj& item) const;
    void deleteOpearWithBrower(BrowerObj& item) const;
    void deleteSafariWithBrower(BrowerObj& item) const;

    // Cleans the ticked items of every ticked node, in order, and clears the nodes' ticks. A
    // node that needs Full Disk Access, or whose browser still runs or holds the profile, is
    // passed over with a log line and keeps its ticks; the ticked ones passed over for their
    // browser are answered, in order (Full Disk Access has a prompt of its own). Progress:
    // stage 1, items done of the ticked ones, the node in hand.
    std::vector<PassedOverNode> cleanBrowerFiles(BrowserList& browserArr, const StillRunning& isStillRunning = {},
                                                 ProgressState* progress = nullptr) const;
    // A Safari node whose folder is there but not writable for this process: the user must
    // grant Full Disk Access before it can be cleaned.
    static bool needsFullDiskAccess(const BrowerObj& node);

    // A file's size, or the sum over every non-folder entry below a folder (links at their own
    // size, never entered); 0 when missing.
    static int64_t fileSizeWithPath(const std::string& path);
};

}  // namespace core::browser

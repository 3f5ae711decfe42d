#pragma once

#include "core/kit/ProgressState.h"
#include "core/uninstall/AMAppItem.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace core::uninstall {

// The count of one uninstall run as its progress window shows it: items reported out of the
// items ticked, the last path reported, and the size the removed items freed. Each real path
// counts once, and an item inside another removed item adds nothing, since the other's size
// holds it (a nested application and its bundle count once, in whichever order they go).
// Main thread.
class UninstallTally {
public:
    // Starts a run of total items; everything counted before is forgotten.
    void begin(size_t total);
    // One report: the item (its size text) and the path it was removed at.
    void deleteRelatedFile(const AMAppItem& item, const std::string& path);
    void deleteRelatedFileFail(const std::string& path);

    // Done × 100 / total, cut to a whole number.
    int percent() const;
    bool isFinished() const;
    uint64_t totalSize() const;
    size_t failures() const { return failures_; }
    // done and total items, the bytes freed, the last path reported.
    const ProgressState& progress() const { return progress_; }

private:
    // What the removed path adds to the freed size, given what has been counted so far.
    uint64_t newlyFreed(const std::string& path, uint64_t size);

    ProgressState progress_;
    std::map<std::string, uint64_t> counted_;  // removed paths not inside another, and their sizes
    size_t failures_ = 0;
};

}  // namespace core::uninstall

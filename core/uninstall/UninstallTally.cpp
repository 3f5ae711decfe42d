#include "core/uninstall/UninstallTally.h"

#include "core/kit/CommUti.h"
#include "platform/files/PathText.h"

#include <algorithm>

namespace core::uninstall {

void UninstallTally::begin(size_t total) {
    counted_.clear();
    failures_ = 0;
    progress_.beginStage(0, total);
    progress_.setCurrentPath({});
}

void UninstallTally::deleteRelatedFile(const AMAppItem& item, const std::string& path) {
    progress_.setCurrentPath(path);
    progress_.advance(1, newlyFreed(path, CommUti::volSpaceFromString(item.size)));
}

void UninstallTally::deleteRelatedFileFail(const std::string& path) {
    ++failures_;
    progress_.setCurrentPath(path);
    progress_.advance(1);
}

int UninstallTally::percent() const { return static_cast<int>(progress_.stagePercent()); }

bool UninstallTally::isFinished() const {
    const ProgressSnapshot now = progress_.snapshot();
    return now.done >= now.total;
}

uint64_t UninstallTally::totalSize() const { return progress_.snapshot().bytesDone; }

uint64_t UninstallTally::newlyFreed(const std::string& path, uint64_t size) {
    for (std::string folder = path; !folder.empty() && folder != "/"; folder = platform::parentPath(folder))
        if (counted_.count(folder)) return 0;
    // Items counted earlier inside this one: its size holds theirs.
    const std::string inside = path + "/";
    uint64_t countedInside = 0;
    auto first = counted_.lower_bound(inside);
    auto last = first;
    while (last != counted_.end() && last->first.compare(0, inside.size(), inside) == 0) countedInside += (last++)->second;
    counted_.erase(first, last);
    counted_[path] = std::max(size, countedInside);
    return size > countedInside ? size - countedInside : 0;
}

}  // namespace core::uninstall

#include "core/uninstall/RelatedFilesSelection.h"

#include "core/kit/CommUti.h"
#include "platform/files/PathText.h"

#include <algorithm>

namespace core::uninstall {

void RelatedFilesSelection::setGroups(std::vector<Group> groups) {
    clear();
    groups_ = std::move(groups);
    for (const Group& group : groups_)
        for (const AMAppItemPtr& item : group) tick(item);
}

void RelatedFilesSelection::clear() {
    groups_.clear();
    ticked_.clear();
    tickedSet_.clear();
}

RelatedFilesSelection::State RelatedFilesSelection::groupState(size_t group) const {
    const Group& items = groups_.at(group);
    const auto count = std::count_if(items.begin(), items.end(), [this](const AMAppItemPtr& item) { return isTicked(item); });
    if (count == 0) return Unticked;
    return static_cast<size_t>(count) == items.size() ? Ticked : PartlyTicked;
}

uint64_t RelatedFilesSelection::groupSize(size_t group) const {
    const Group& items = groups_.at(group);
    auto insideAnother = [&items](const AMAppItemPtr& item) {
        return std::any_of(items.begin(), items.end(), [&item](const AMAppItemPtr& other) {
            return other->path != item->path && platform::isInsideOrEqual(item->path, other->path);
        });
    };
    uint64_t total = 0;
    for (const AMAppItemPtr& item : items)
        if (!insideAnother(item)) total += CommUti::volSpaceFromString(item->size);
    return total;
}

void RelatedFilesSelection::toggleGroup(size_t group) {
    const bool allTicked = groupState(group) == Ticked;
    for (const AMAppItemPtr& item : groups_.at(group)) {
        if (allTicked)
            untick(item);
        else
            tick(item);
    }
}

void RelatedFilesSelection::toggleItem(const AMAppItemPtr& item) {
    if (isTicked(item))
        untick(item);
    else
        tick(item);
}

void RelatedFilesSelection::tick(const AMAppItemPtr& item) {
    if (tickedSet_.insert(item.get()).second) ticked_.push_back(item);
}

void RelatedFilesSelection::untick(const AMAppItemPtr& item) {
    if (tickedSet_.erase(item.get()) == 0) return;
    ticked_.erase(std::find(ticked_.begin(), ticked_.end(), item));
}

}  // namespace core::uninstall

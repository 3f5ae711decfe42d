#pragma once

#include "core/uninstall/AMAppItem.h"

#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace core::uninstall {

// The related-files window's groups (one per entry being uninstalled: its related files) and
// which of their records are ticked, in the order they were ticked; that order is the order of
// removal. Main thread.
class RelatedFilesSelection {
public:
    // The check states a group shows, as the check-box pictures number them.
    enum State { Unticked = 0, Ticked = 1, PartlyTicked = 2 };
    using Group = std::vector<AMAppItemPtr>;

    // New groups, every record ticked, in group order.
    void setGroups(std::vector<Group> groups);
    // No groups and nothing ticked.
    void clear();

    const std::vector<Group>& groups() const { return groups_; }
    // The ticked records, in ticking order.
    const std::vector<AMAppItemPtr>& ticked() const { return ticked_; }
    bool hasTicked() const { return !ticked_.empty(); }
    bool isTicked(const AMAppItemPtr& item) const { return tickedSet_.count(item.get()) != 0; }
    // Ticked when all its records are, partly when some are, unticked when none are or it is empty.
    State groupState(size_t group) const;
    // The sum of its records' sizes; a record inside another of the group (a nested
    // application in its bundle) is already counted in the other's.
    uint64_t groupSize(size_t group) const;

    // A group whose records are all ticked loses its ticks; otherwise its unticked records are
    // ticked, in group order.
    void toggleGroup(size_t group);
    void toggleItem(const AMAppItemPtr& item);

private:
    void tick(const AMAppItemPtr& item);
    void untick(const AMAppItemPtr& item);

    std::vector<Group> groups_;
    std::vector<AMAppItemPtr> ticked_;
    std::unordered_set<const AMAppItem*> tickedSet_;
};

}  // namespace core::uninstall

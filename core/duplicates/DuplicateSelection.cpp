#include "core/duplicates/DuplicateSelection.h"

#include <algorithm>

namespace core {
namespace {

constexpr std::int32_t kNone = 0;
constexpr std::int32_t kAll = 1;
constexpr std::int32_t kSome = 2;

SimpleNodeData& dataOf(const TreeNode& node) { return *node.dataAs<SimpleNodeData>(); }

bool isTicked(const TreeNode::Ptr& copy) { return dataOf(*copy).selectNum == kAll; }

std::size_t tickedIn(const TreeNode& group) {
    const auto& copies = group.children();
    return static_cast<std::size_t>(std::count_if(copies.begin(), copies.end(), isTicked));
}

}  // namespace

bool DuplicateSelection::clickCopy(const Node& copy) {
    const Node group = copy->nodeParent();
    if (!group) return true;
    if (isTicked(copy)) {
        untick(copy);
    } else {
        if (tickedIn(*group) + 1 >= group->numberOfChildren()) return false;
        tick(copy);
    }
    refreshGroup(*group);
    return true;
}

void DuplicateSelection::tickLastCopy(const Node& copy) {
    tick(copy);
    if (const Node group = copy->nodeParent()) refreshGroup(*group);
}

void DuplicateSelection::clickGroup(const Node& group) {
    if (dataOf(*group).selectNum == kNone)
        tickAllButLast(group);
    else
        untickGroup(group);
    dropUnticked();
}

void DuplicateSelection::setAllSelectOrNoSelect(const Node& shown) {
    if (!shown) return;
    const bool turnOn = headerBox(shown) == HeaderBox::Unticked;
    for (const Node& group : shown->children()) turnOn ? tickAllButLast(group) : untickGroup(group);
    dropUnticked();
}

DuplicateSelection::HeaderBox DuplicateSelection::headerBox(const Node& shown) const {
    if (!shown) return HeaderBox::Unticked;
    bool anyTick = false;
    bool allWhole = true;
    for (const Node& group : shown->children()) {
        const std::int32_t state = dataOf(*group).selectNum;
        anyTick = anyTick || state != kNone;
        allWhole = allWhole && state == kAll;
    }
    if (!anyTick) return HeaderBox::Unticked;
    return allWhole ? HeaderBox::Ticked : HeaderBox::HalfTicked;
}

void DuplicateSelection::untickAll(const Node& root) {
    if (root)
        for (const Node& group : root->children()) untickGroup(group);
    allSelectNumArr_.clear();
}

std::vector<DuplicateDeletion::Copy> DuplicateSelection::deletionSnapshot() const {
    std::vector<DuplicateDeletion::Copy> copies;
    for (const Node& copy : allSelectNumArr_) {
        const SimpleNodeData& data = dataOf(*copy);
        DuplicateDeletion::Copy item{data.name, data.identity, {}};
        if (const Node group = copy->nodeParent())
            for (const Node& other : group->children())
                if (!isTicked(other)) item.keepers.push_back({dataOf(*other).name, dataOf(*other).identity});
        copies.push_back(std::move(item));
    }
    return copies;
}

bool DuplicateSelection::detachDeletedCopy(const Node& copy) {
    allSelectNumArr_.erase(std::remove(allSelectNumArr_.begin(), allSelectNumArr_.end(), copy), allSelectNumArr_.end());
    const Node group = copy->nodeParent();
    if (!group) return false;
    SimpleNodeData& groupData = dataOf(*group);
    const bool keptUnticked = groupData.selectNum == kSome;
    groupData.fileSize -= std::min(groupData.fileSize, dataOf(*copy).fileSize);
    group->removeChild(copy);
    refreshGroup(*group);
    const std::size_t left = group->numberOfChildren();
    return left == 0 || (left == 1 && keptUnticked);
}

std::size_t DuplicateSelection::copyCount(const Node& shown) {
    std::size_t count = 0;
    if (shown)
        for (const Node& group : shown->children()) count += group->numberOfChildren();
    return count;
}

void DuplicateSelection::refreshGroup(const TreeNode& group) {
    SimpleNodeData& data = dataOf(group);
    const std::size_t ticked = tickedIn(group);
    const std::size_t copies = group.numberOfChildren();
    data.selectNum = ticked == 0 ? kNone : (ticked == copies ? kAll : kSome);
    data.showSelectNumStr = std::to_string(ticked) + "/" + std::to_string(copies);
}

void DuplicateSelection::tick(const Node& copy) {
    if (isTicked(copy)) return;
    dataOf(*copy).selectNum = kAll;
    allSelectNumArr_.push_back(copy);
}

void DuplicateSelection::untick(const Node& copy) {
    dataOf(*copy).selectNum = kNone;
    allSelectNumArr_.erase(std::remove(allSelectNumArr_.begin(), allSelectNumArr_.end(), copy), allSelectNumArr_.end());
}

// Leaves a copy it unticks in the list: dropUnticked takes them all out in one pass.
void DuplicateSelection::tickAllButLast(const Node& group) {
    const auto& copies = group->children();
    for (std::size_t index = 0; index + 1 < copies.size(); ++index) tick(copies[index]);
    if (!copies.empty()) dataOf(*copies.back()).selectNum = kNone;
    refreshGroup(*group);
}

void DuplicateSelection::untickGroup(const Node& group) {
    for (const Node& copy : group->children()) dataOf(*copy).selectNum = kNone;
    refreshGroup(*group);
}

void DuplicateSelection::dropUnticked() {
    allSelectNumArr_.erase(std::remove_if(allSelectNumArr_.begin(), allSelectNumArr_.end(),
                                          [](const Node& copy) { return !isTicked(copy); }),
                           allSelectNumArr_.end());
}

}  // namespace core

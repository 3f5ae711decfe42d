#include "core/junk/JunkSelection.h"

#include "core/kit/CommUti.h"
#include "platform/system/Log.h"

#include <string>

namespace core::junk {
namespace {

bool isTouched(int32_t state) { return state == 1 || state == 2; }

void addLeaves(const TCTreeNode& node, JunkSelection::Leaves& leaves) {
    for (const auto& child : node.detailChildren) {
        if (child->hasChildren()) {
            addLeaves(*child, leaves);
            continue;
        }
        ++leaves.count;
        if (child->selectState != 1) continue;
        ++leaves.selected;
        leaves.selectedBytes += JunkSelection::bytesOf(*child);
    }
}

// A partly selected item counts its selected leaves, at every depth.
uint64_t selectedLeafBytes(const TCTreeNode& node) {
    const uint64_t bytes = JunkSelection::leavesBelow(node).selectedBytes;
    platform::logInfo("---- : " + std::to_string(bytes));
    return bytes;
}

}  // namespace

uint64_t JunkSelection::bytesOf(const TCTreeNode& node) { return CommUti::volSpaceFromString(node.size); }

JunkSelection::Check JunkSelection::checkOf(int32_t state) {
    if (state == 1) return Check::Selected;
    if (state == 2) return Check::Partial;
    return Check::Unselected;
}

void JunkSelection::checkBoxButtonAction(int index) {
    TCTreeNode& category = *categories_.at(index);
    bool allSelected = true;
    for (const auto& child : category.detailChildren) allSelected = allSelected && child->selectState == 1;
    setStateBelow(category, allSelected ? 0 : 1);
    category.selectState = allSelected ? 0 : 1;
}

JunkSelection::Check JunkSelection::tileCheck(int index) const {
    const TCTreeNode& category = *categories_.at(index);
    if (isEmptyCategory(category)) return Check::Disabled;
    size_t touched = 0;
    bool partial = false;
    for (const auto& child : category.detailChildren) {
        if (isTouched(child->selectState)) ++touched;
        partial = partial || child->selectState == 2;
    }
    if (touched == 0) return Check::Unselected;
    if (touched == category.detailChildren.size() && !partial) return Check::Selected;
    return Check::Partial;
}

uint64_t JunkSelection::selectedSize(int index) const {
    uint64_t size = 0;
    for (const auto& child : categories_.at(index)->detailChildren) {
        if (child->selectState == 1) size += bytesOf(*child);
        else if (child->selectState == 2) size += selectedLeafBytes(*child);
    }
    return size;
}

uint64_t JunkSelection::totalSize() const {
    uint64_t total = 0;
    for (size_t index = 0; index < categories_.size(); ++index) total += selectedSize(static_cast<int>(index));
    return total;
}

bool JunkSelection::hasSelection() const {
    for (const auto& category : categories_)
        for (const auto& child : category->detailChildren)
            if (child->selectState != 0) return true;
    return false;
}

void JunkSelection::clickNode(TCTreeNode& node) {
    const int32_t state = node.selectState == 1 ? 0 : 1;
    node.selectState = state;
    setStateBelow(node, state);
    updateAncestors(node);
}

void JunkSelection::setStateBelow(TCTreeNode& node, int32_t state) {
    for (auto& child : node.detailChildren) {
        child->selectState = state;
        setStateBelow(*child, state);
    }
}

void JunkSelection::updateAncestors(TCTreeNode& node) {
    for (TCTreeNode* parent = node.parentNode; parent; parent = parent->parentNode) {
        size_t selected = 0, touched = 0;
        for (const auto& child : parent->detailChildren) {
            if (child->selectState == 1) ++selected;
            if (isTouched(child->selectState)) ++touched;
        }
        if (touched == 0) parent->selectState = 0;
        else if (selected == parent->detailChildren.size()) parent->selectState = 1;
        else parent->selectState = 2;
    }
}

JunkSelection::Leaves JunkSelection::leavesBelow(const TCTreeNode& node) {
    Leaves leaves;
    addLeaves(node, leaves);
    return leaves;
}

int32_t JunkSelection::selectAllState(const TCTreeNode& node) {
    const Leaves leaves = leavesBelow(node);
    if (leaves.selected == 0) return 0;
    return leaves.selected == leaves.count ? 1 : 2;
}

void JunkSelection::toggleSelectAllOrNone(TCTreeNode& node) {
    const Leaves leaves = leavesBelow(node);
    const int32_t state = leaves.selected < leaves.count ? 1 : 0;
    setStateBelow(node, state);
    node.selectState = state;
}

void JunkSelection::collectLeafNodesToDelete(TCTreeNode& node, std::vector<TCTreeNode*>& array) {
    for (auto& child : node.detailChildren) {
        if (child->hasChildren()) collectLeafNodesToDelete(*child, array);
        else if (child->selectState == 1 && !child->path.empty()) array.push_back(child.get());
    }
}

}  // namespace core::junk

#include "core/duplicates/TreeNode.h"

#include <algorithm>

namespace core {

TreeNode::TreeNode(std::shared_ptr<TreeNodeData> data) : nodeData_(std::move(data)) {}

TreeNode::Ptr TreeNode::treeNodeWithData(std::shared_ptr<TreeNodeData> data) {
    return std::make_shared<TreeNode>(std::move(data));
}

void TreeNode::insertChild(Ptr child, std::size_t index) {
    if (!child) return;
    child->nodeParent_ = weak_from_this();
    nodeChildren_.insert(nodeChildren_.begin() + static_cast<std::ptrdiff_t>(std::min(index, nodeChildren_.size())),
                         std::move(child));
}

void TreeNode::removeChild(Ptr child) {
    const auto found = indexOfChild(child.get());
    if (!found) return;
    if (child->nodeParent_.lock().get() == this) child->nodeParent_.reset();
    nodeChildren_.erase(nodeChildren_.begin() + static_cast<std::ptrdiff_t>(*found));
}

void TreeNode::removeFromParent() {
    const Ptr parent = nodeParent();
    if (const auto index = parent ? parent->indexOfChild(this) : std::nullopt)
        parent->removeChild(parent->nodeChildren_[*index]);
}

std::optional<std::size_t> TreeNode::indexOfChild(const TreeNode* child) const {
    for (std::size_t i = 0; i < nodeChildren_.size(); ++i)
        if (nodeChildren_[i].get() == child) return i;
    return std::nullopt;
}

TreeNode::Ptr TreeNode::firstChild() const { return nodeChildren_.empty() ? nullptr : nodeChildren_.front(); }

TreeNode::Ptr TreeNode::lastChild() const { return nodeChildren_.empty() ? nullptr : nodeChildren_.back(); }

TreeNode::Ptr TreeNode::childAtIndex(std::size_t index) const {
    return index < nodeChildren_.size() ? nodeChildren_[index] : nullptr;
}

bool TreeNode::isDescendantOfNode(const TreeNode* node) const {
    if (this == node) return true;
    for (Ptr ancestor = nodeParent(); ancestor; ancestor = ancestor->nodeParent())
        if (ancestor.get() == node) return true;
    return false;
}

void TreeNode::acendingSortName() { sortSubtree(&TreeNodeData::compareName); }
void TreeNode::acendingSortSize() { sortSubtree(&TreeNodeData::compareSize); }
void TreeNode::acendingSortDate() { sortSubtree(&TreeNodeData::compareDate); }
void TreeNode::decendingSortName() { sortSubtree(&TreeNodeData::compareNameR); }
void TreeNode::decendingSortSize() { sortSubtree(&TreeNodeData::compareSizeR); }
void TreeNode::decendingSortDate() { sortSubtree(&TreeNodeData::compareDateR); }

void TreeNode::sortSubtree(Compare compare) {
    std::stable_sort(nodeChildren_.begin(), nodeChildren_.end(), [compare](const Ptr& a, const Ptr& b) {
        return a->nodeData_ && b->nodeData_ && ((*a->nodeData_).*compare)(*b->nodeData_) < 0;
    });
    for (const Ptr& child : nodeChildren_) child->sortSubtree(compare);
}

std::string TreeNode::description() const { return "{" + (nodeData_ ? nodeData_->description() : std::string()) + "}"; }

}  // namespace core

#pragma once

#include "core/duplicates/TreeNodeData.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

// A node of an ordered tree: a payload, the children it owns, and a parent it does not own.
// A node may be the child of more than one tree (the duplicate finder's groups stand both in
// the whole result and in a category); its parent is the one it was last inserted into.
// Nodes live in shared pointers: make them with treeNodeWithData.
class TreeNode : public std::enable_shared_from_this<TreeNode> {
public:
    using Ptr = std::shared_ptr<TreeNode>;

    explicit TreeNode(std::shared_ptr<TreeNodeData> data);
    virtual ~TreeNode() = default;
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    static Ptr treeNodeWithData(std::shared_ptr<TreeNodeData> data);

    void setNodeData(std::shared_ptr<TreeNodeData> data) { nodeData_ = std::move(data); }
    const std::shared_ptr<TreeNodeData>& nodeData() const { return nodeData_; }
    // The payload as the given kind; null when it is of another kind.
    template <typename Data>
    Data* dataAs() const {
        return dynamic_cast<Data*>(nodeData_.get());
    }
    Ptr nodeParent() const { return nodeParent_.lock(); }

    // Inserts the child at index (at the end when the index lies beyond) and becomes its parent.
    void insertChild(Ptr child, std::size_t index);
    void appendChild(Ptr child) { insertChild(std::move(child), nodeChildren_.size()); }
    // Removes the child (found by identity); it keeps no parent unless it stands elsewhere.
    void removeChild(Ptr child);
    void removeFromParent();

    std::optional<std::size_t> indexOfChild(const TreeNode* child) const;
    std::size_t numberOfChildren() const { return nodeChildren_.size(); }
    const std::vector<Ptr>& children() const { return nodeChildren_; }
    Ptr firstChild() const;
    Ptr lastChild() const;
    Ptr childAtIndex(std::size_t index) const;
    // The node itself counts as its own descendant.
    bool isDescendantOfNode(const TreeNode* node) const;

    // Each sorts the children by their payloads and then sorts every child the same way, so
    // the whole subtree is sorted; equal payloads keep their order.
    void acendingSortName();
    void acendingSortSize();
    void acendingSortDate();
    void decendingSortName();
    void decendingSortSize();
    void decendingSortDate();

    std::string description() const;

private:
    using Compare = int (TreeNodeData::*)(const TreeNodeData&) const;
    void sortSubtree(Compare compare);

    std::shared_ptr<TreeNodeData> nodeData_;
    std::weak_ptr<TreeNode> nodeParent_;
    std::vector<Ptr> nodeChildren_;
};

}  // namespace core

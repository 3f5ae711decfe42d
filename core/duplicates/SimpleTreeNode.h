#pragma once

#include "core/duplicates/SimpleNodeData.h"
#include "core/duplicates/TreeNode.h"

#include <memory>

namespace core {

// The node of the duplicate finder's result trees: every node holds a SimpleNodeData.
class SimpleTreeNode : public TreeNode {
public:
    using TreeNode::TreeNode;

    static std::shared_ptr<SimpleTreeNode> treeNodeWithData(std::shared_ptr<SimpleNodeData> data);

    SimpleNodeData* simpleData() const { return dataAs<SimpleNodeData>(); }
};

}  // namespace core

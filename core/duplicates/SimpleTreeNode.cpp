#include "core/duplicates/SimpleTreeNode.h"

namespace core {

std::shared_ptr<SimpleTreeNode> SimpleTreeNode::treeNodeWithData(std::shared_ptr<SimpleNodeData> data) {
    return std::make_shared<SimpleTreeNode>(std::move(data));
}

}  // namespace core

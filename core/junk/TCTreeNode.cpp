#include "core/junk/TCTreeNode.h"

namespace core::junk {

std::shared_ptr<TCTreeNode> TCTreeNode::make(std::string title, std::string path, int32_t selectState, Image image) {
    auto node = std::make_shared<TCTreeNode>();
    node->title = std::move(title);
    node->path = std::move(path);
    node->selectState = selectState;
    node->image = std::move(image);
    return node;
}

void TCTreeNode::addChild(std::shared_ptr<TCTreeNode> child) {
    child->parentNode = this;
    detailChildren.push_back(std::move(child));
}

}  // namespace core::junk

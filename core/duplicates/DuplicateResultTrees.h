#pragma once

#include "core/duplicates/SimpleTreeNode.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace core {

// The trees the duplicate page shows: the whole result and its six categories. Group nodes
// are shared: each stands under the whole result and under exactly one category. The page
// picks the shown tree by its segment (0 all, 1 documents, 2 videos, 3 music, 4 archives,
// 5 pictures, 6 others), which orders videos and music the other way round from the
// category numbers (1 documents, 2 music, 3 videos, 4 archives, 5 pictures, 6 others).
class DuplicateResultTrees {
public:
    using Node = std::shared_ptr<SimpleTreeNode>;

    static constexpr int categoryCount = 6;

    // Takes a new whole result (nullptr when the search found nothing) and builds the
    // categories from it.
    void setAllTreeNode(Node root);
    // Distributes the groups of the whole result over the six categories, in category order,
    // each group to the first whose extensions hold its own (compared lower-cased; the last
    // category takes the rest), then shows the remembered segment.
    void constructSubtrees();
    // Places every unplaced group whose extension is in the list (every one for nullptr) in a
    // new root for the category.
    void getTypeFile(const std::vector<std::string>* extensions, int fileType);
    // Removes a group from the whole result and from its category.
    void deleteParentNode(const TreeNode::Ptr& group);
    // Drops every tree.
    void destroyAllSubTrees();

    void segmentSelect(int segment);
    int remberWitchSelect() const { return remberWitchSelect_; }

    const Node& allTreeNode() const { return allTreeNode_; }
    // The root of category 1 to 6; nullptr before the categories are built or for another number.
    Node categoryTree(int fileType) const;
    // The root of the shown segment.
    const Node& treeData() const { return treeData_; }

    // The extensions of a category; nullptr for the last one, which takes every group left.
    static const std::vector<std::string>* extensionsOf(int fileType);
    // The category a segment shows; 0 for the whole result.
    static int categoryOfSegment(int segment);

private:
    Node* categoryRoot(int fileType);

    Node allTreeNode_;
    // In category order: docTreeNode, musicTreeNode, vedioTreeNode, pkgTreeNode, picTreeNode,
    // otherTreeNode.
    std::array<Node, categoryCount> categoryTrees_;
    Node treeData_;
    int remberWitchSelect_ = 0;
};

}  // namespace core

#include "core/duplicates/SimpleTreeNode.h"

#include <gtest/gtest.h>

using core::SimpleNodeData;
using core::SimpleTreeNode;
using core::TreeNode;
using core::TreeNodeData;

namespace {

std::shared_ptr<SimpleTreeNode> leaf(const std::string& name, std::uint64_t size, std::optional<int> seconds = {}) {
    auto data = SimpleNodeData::leafDataWithName(name);
    data->fileSize = size;
    if (seconds) data->ModificationDate = SimpleNodeData::Date(std::chrono::seconds(*seconds));
    return SimpleTreeNode::treeNodeWithData(data);
}

std::shared_ptr<SimpleTreeNode> group(const std::string& name, std::uint64_t size,
                                      const std::vector<std::shared_ptr<SimpleTreeNode>>& leaves) {
    auto data = SimpleNodeData::groupDataWithName(name);
    data->fileSize = size;
    auto node = SimpleTreeNode::treeNodeWithData(data);
    for (const auto& child : leaves) node->appendChild(child);
    return node;
}

std::string shape(const TreeNode& node) {
    std::string text;
    for (const auto& child : node.children()) {
        text += child->dataAs<SimpleNodeData>()->name;
        if (child->numberOfChildren() > 0) text += "(" + shape(*child) + ")";
        text += " ";
    }
    return text;
}

}  // namespace

TEST(TreeNodeTest, PayloadsStartEmptyAndKnowTheirKind) {
    const auto copy = SimpleNodeData::leafDataWithName("/a/b");
    EXPECT_TRUE(copy->isLeaf);
    EXPECT_FALSE(copy->isGroup());
    EXPECT_FALSE(copy->isExpandable);
    const auto set = SimpleNodeData::groupDataWithName("b");
    EXPECT_TRUE(set->isGroup());
    EXPECT_TRUE(set->isExpandable);
    EXPECT_EQ(set->fileSize, 0u);
    EXPECT_FALSE(set->Mark);
    EXPECT_EQ(set->selectNum, 0);
    EXPECT_EQ(set->fileType, 0);
    EXPECT_EQ(set->showSelectNumStr, "");
    EXPECT_FALSE(set->ModificationDate);
    EXPECT_EQ(SimpleTreeNode::treeNodeWithData(set)->description(), "{b}");
}

TEST(TreeNodeTest, ChildrenKnowTheirParentAndLeaveIt) {
    auto root = group("Root", 0, {});
    auto a = leaf("a", 1), b = leaf("b", 2), c = leaf("c", 3);
    root->insertChild(b, 0);
    root->insertChild(a, 0);
    root->insertChild(c, 99);  // beyond the end: appended
    EXPECT_EQ(shape(*root), "a b c ");
    EXPECT_EQ(root->firstChild(), a);
    EXPECT_EQ(root->lastChild(), c);
    EXPECT_EQ(root->childAtIndex(1), b);
    EXPECT_EQ(root->childAtIndex(3), nullptr);
    EXPECT_EQ(root->indexOfChild(c.get()), 2u);
    EXPECT_EQ(b->nodeParent(), root);
    EXPECT_TRUE(b->isDescendantOfNode(root.get()));
    EXPECT_TRUE(b->isDescendantOfNode(b.get()));
    EXPECT_FALSE(root->isDescendantOfNode(b.get()));

    b->removeFromParent();
    EXPECT_EQ(shape(*root), "a c ");
    EXPECT_EQ(b->nodeParent(), nullptr);
    EXPECT_EQ(root->indexOfChild(b.get()), std::nullopt);
    root->removeChild(b);  // no longer a child: nothing happens
    EXPECT_EQ(root->numberOfChildren(), 2u);

    // A node only its parent holds survives leaving it while it is being removed.
    root->childAtIndex(0)->removeFromParent();
    a.reset();
    EXPECT_EQ(shape(*root), "c ");
}

TEST(TreeNodeTest, ANodeInTwoTreesBelongsToTheLastAndOutlivesTheOther) {
    auto whole = group("Root", 0, {}), category = group("Root", 0, {});
    auto shared = group("g", 0, {leaf("x", 1)});
    whole->appendChild(shared);
    category->appendChild(shared);
    EXPECT_EQ(shared->nodeParent(), category);
    whole->removeChild(shared);  // the parent stays the category
    EXPECT_EQ(shared->nodeParent(), category);
    whole->appendChild(shared);
    category.reset();
    EXPECT_EQ(shared->nodeParent(), whole);
    whole->appendChild(group("h", 0, {}));
    whole.reset();
    EXPECT_EQ(shared->nodeParent(), nullptr);
    EXPECT_EQ(shared->firstChild()->nodeParent(), shared);
}

TEST(TreeNodeTest, SortsReachEveryLevelAndKeepEqualsInOrder) {
    auto root = group("Root", 0,
                      {group("b", 30, {leaf("/z", 10, 5), leaf("/y", 20, 1), leaf("/x", 10, 3)}),
                       group("a", 30, {leaf("/q", 15, 2), leaf("/p", 15)}), group("c", 5, {})});
    root->acendingSortName();
    EXPECT_EQ(shape(*root), "a(/p /q ) b(/x /y /z ) c ");
    root->decendingSortName();
    EXPECT_EQ(shape(*root), "c b(/z /y /x ) a(/q /p ) ");
    root->acendingSortSize();
    EXPECT_EQ(shape(*root), "c b(/z /x /y ) a(/q /p ) ");
    root->decendingSortSize();
    EXPECT_EQ(shape(*root), "b(/y /z /x ) a(/q /p ) c ");
    // No date sorts first; groups have none.
    root->acendingSortDate();
    EXPECT_EQ(shape(*root), "b(/y /x /z ) a(/p /q ) c ");
    root->decendingSortDate();
    EXPECT_EQ(shape(*root), "b(/z /x /y ) a(/q /p ) c ");
}

TEST(TreeNodeTest, PlainPayloadsHaveNoOrder) {
    auto root = TreeNode::treeNodeWithData(std::make_shared<TreeNodeData>());
    auto first = TreeNode::treeNodeWithData(std::make_shared<TreeNodeData>());
    auto second = TreeNode::treeNodeWithData(std::make_shared<TreeNodeData>());
    auto named = leaf("a", 1);
    root->appendChild(first);
    root->appendChild(second);
    root->appendChild(named);
    root->acendingSortName();
    root->decendingSortSize();
    EXPECT_EQ(root->childAtIndex(0), first);
    EXPECT_EQ(root->childAtIndex(1), second);
    EXPECT_EQ(root->childAtIndex(2), named);
    EXPECT_EQ(first->dataAs<SimpleNodeData>(), nullptr);
    EXPECT_EQ(root->description(), "{}");
}

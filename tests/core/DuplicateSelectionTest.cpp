#include "core/duplicates/DuplicateResultTrees.h"
#include "core/duplicates/DuplicateSelection.h"

#include <gtest/gtest.h>

using core::DuplicateResultTrees;
using core::DuplicateSelection;
using core::SimpleNodeData;
using core::SimpleTreeNode;
using core::TreeNode;
using HeaderBox = DuplicateSelection::HeaderBox;

namespace {

SimpleNodeData& dataOf(const TreeNode::Ptr& node) { return *node->dataAs<SimpleNodeData>(); }

// A group named after its extension, with one copy of each given size, listed in that order.
TreeNode::Ptr group(const std::string& name, const std::vector<std::uint64_t>& sizes) {
    auto data = SimpleNodeData::groupDataWithName(name);
    data->extendName = name.substr(name.rfind('.') + 1);
    auto node = SimpleTreeNode::treeNodeWithData(data);
    for (std::size_t index = 0; index < sizes.size(); ++index) {
        auto copy = SimpleNodeData::leafDataWithName("/copies/" + std::to_string(index) + "/" + name);
        copy->fileSize = sizes[index];
        data->fileSize += sizes[index];
        node->appendChild(SimpleTreeNode::treeNodeWithData(copy));
    }
    return node;
}

std::shared_ptr<SimpleTreeNode> rootOf(const std::vector<TreeNode::Ptr>& groups) {
    auto root = SimpleTreeNode::treeNodeWithData(SimpleNodeData::groupDataWithName("Root"));
    for (const auto& each : groups) root->appendChild(each);
    return root;
}

// "x" for a ticked copy, "." for an unticked one, group by group.
std::string ticks(const TreeNode::Ptr& root) {
    std::string text;
    for (const auto& each : root->children()) {
        if (!text.empty()) text += ' ';
        for (const auto& copy : each->children()) text += dataOf(copy).selectNum == 1 ? 'x' : '.';
    }
    return text;
}

std::vector<std::string> listed(const DuplicateSelection& selection) {
    std::vector<std::string> names;
    for (const auto& copy : selection.allSelectNumArr()) names.push_back(dataOf(copy).name);
    return names;
}

}  // namespace

// The header box proposes every copy but the one listed last, whatever the order shown.
TEST(DuplicateSelectionTest, HeaderBoxLeavesTheLastListedCopyAlsoAfterSorting) {
    struct Case {
        std::string sort;
        std::uint64_t keptSize;
    };
    for (const Case& test : {Case{"none", 6}, Case{"size ascending", 9}, Case{"size descending", 3}}) {
        SCOPED_TRACE(test.sort);
        auto root = rootOf({group("a.txt", {5, 5}), group("b.jpg", {9, 3, 6})});
        const auto three = root->childAtIndex(1);
        if (test.sort == "size ascending") root->acendingSortSize();
        if (test.sort == "size descending") root->decendingSortSize();
        DuplicateSelection selection;
        EXPECT_EQ(selection.headerBox(root), HeaderBox::Unticked);
        selection.setAllSelectOrNoSelect(root);
        const auto& threeCopies = three->children();
        EXPECT_EQ(dataOf(threeCopies.back()).selectNum, 0);
        EXPECT_EQ(dataOf(threeCopies.back()).fileSize, test.keptSize);
        EXPECT_EQ(dataOf(threeCopies.front()).selectNum, 1);
        EXPECT_EQ(dataOf(three).selectNum, 2);
        EXPECT_EQ(dataOf(three).showSelectNumStr, "2/3");
        EXPECT_EQ(selection.headerBox(root), HeaderBox::HalfTicked);
        EXPECT_EQ(selection.allSelectNumArr().size(), 3u);
        EXPECT_TRUE(selection.isDeleteEnabled());

        // The last copy asks first: nothing changes until the user agrees.
        EXPECT_FALSE(selection.clickCopy(threeCopies.back()));
        EXPECT_EQ(dataOf(threeCopies.back()).selectNum, 0);
        EXPECT_EQ(selection.allSelectNumArr().size(), 3u);
        selection.tickLastCopy(threeCopies.back());
        EXPECT_EQ(dataOf(three).selectNum, 1);
        EXPECT_EQ(dataOf(three).showSelectNumStr, "3/3");

        // On again, it goes off: nothing ticked anywhere.
        selection.setAllSelectOrNoSelect(root);
        EXPECT_EQ(ticks(root).find('x'), std::string::npos);
        EXPECT_EQ(selection.headerBox(root), HeaderBox::Unticked);
        EXPECT_FALSE(selection.isDeleteEnabled());
    }
}

TEST(DuplicateSelectionTest, TickedListHoldsEachCopyOnceInTickOrder) {
    auto root = rootOf({group("a.txt", {1, 1, 1}), group("b.txt", {2, 2})});
    const auto a = root->childAtIndex(0);
    const auto b = root->childAtIndex(1);
    DuplicateSelection selection;

    ASSERT_TRUE(selection.clickCopy(b->childAtIndex(0)));
    ASSERT_TRUE(selection.clickCopy(a->childAtIndex(1)));
    EXPECT_EQ(dataOf(a).selectNum, 2);
    selection.setAllSelectOrNoSelect(root);  // some groups ticked: the box is on, so it goes off
    EXPECT_EQ(ticks(root), "... ..");
    ASSERT_TRUE(selection.clickCopy(a->childAtIndex(1)));
    selection.clickGroup(b);  // none: every copy but the last
    selection.clickGroup(b);  // some: none
    selection.clickGroup(b);
    EXPECT_EQ(ticks(root), ".x. x.");
    selection.setAllSelectOrNoSelect(root);  // on, so off
    selection.setAllSelectOrNoSelect(root);  // off, so every copy but the last
    EXPECT_EQ(ticks(root), "xx. x.");
    EXPECT_EQ(listed(selection), (std::vector<std::string>{"/copies/0/a.txt", "/copies/1/a.txt", "/copies/0/b.txt"}));
    // A group with every copy ticked makes the box whole once every group is.
    selection.tickLastCopy(a->childAtIndex(2));
    EXPECT_EQ(selection.headerBox(root), HeaderBox::HalfTicked);
    selection.tickLastCopy(b->childAtIndex(1));
    EXPECT_EQ(selection.headerBox(root), HeaderBox::Ticked);
    ASSERT_TRUE(selection.clickCopy(a->childAtIndex(0)));  // unticking never asks
    EXPECT_EQ(dataOf(a).selectNum, 2);
    EXPECT_EQ(listed(selection).size(), 4u);

    // The deletion's snapshot: tick order, each with its group's unticked copies.
    const auto snapshot = selection.deletionSnapshot();
    ASSERT_EQ(snapshot.size(), 4u);
    EXPECT_EQ(snapshot[0].path, "/copies/1/a.txt");
    ASSERT_EQ(snapshot[0].keepers.size(), 1u);
    EXPECT_EQ(snapshot[0].keepers[0].path, "/copies/0/a.txt");
    EXPECT_TRUE(snapshot[3].keepers.empty());  // every copy of b goes

    selection.untickAll(root);
    EXPECT_EQ(ticks(root), "... ..");
    EXPECT_EQ(dataOf(a).showSelectNumStr, "0/3");
    EXPECT_FALSE(selection.isDeleteEnabled());
}

// A deleted copy leaves its group in both trees that hold it; a group with one copy left goes
// when that copy was kept unticked, and stays while it is still to be deleted.
TEST(DuplicateSelectionTest, DeletedCopiesShrinkAndRemoveTheirGroups) {
    DuplicateResultTrees trees;
    trees.setAllTreeNode(rootOf({group("a.txt", {4, 4}), group("b.jpg", {7, 7, 7}), group("c.zip", {3, 3})}));
    const auto a = trees.allTreeNode()->childAtIndex(0);
    const auto b = trees.allTreeNode()->childAtIndex(1);
    const auto c = trees.allTreeNode()->childAtIndex(2);
    DuplicateSelection selection;
    selection.setAllSelectOrNoSelect(trees.allTreeNode());
    selection.tickLastCopy(c->childAtIndex(1));

    const auto removeIfGone = [&](const TreeNode::Ptr& copy) {
        const auto parent = copy->nodeParent();
        if (selection.detachDeletedCopy(copy)) trees.deleteParentNode(parent);
    };
    removeIfGone(a->childAtIndex(0));
    EXPECT_EQ(trees.allTreeNode()->numberOfChildren(), 2u);
    EXPECT_EQ(trees.categoryTree(1)->numberOfChildren(), 0u);  // gone from documents too

    removeIfGone(b->childAtIndex(0));
    EXPECT_EQ(dataOf(b).fileSize, 14u);
    EXPECT_EQ(dataOf(b).showSelectNumStr, "1/2");
    removeIfGone(c->childAtIndex(0));
    EXPECT_EQ(dataOf(c).showSelectNumStr, "1/1");  // its last copy is still to go
    EXPECT_EQ(trees.allTreeNode()->numberOfChildren(), 2u);
    removeIfGone(c->childAtIndex(0));
    removeIfGone(b->childAtIndex(0));
    EXPECT_EQ(trees.allTreeNode()->numberOfChildren(), 0u);
    EXPECT_EQ(trees.categoryTree(5)->numberOfChildren(), 0u);
    EXPECT_FALSE(selection.isDeleteEnabled());
}

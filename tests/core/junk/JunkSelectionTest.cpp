#include "core/junk/JunkSelection.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using core::junk::JunkSelection;
using core::junk::TCTreeNode;
using Check = JunkSelection::Check;

namespace {

std::shared_ptr<TCTreeNode> node(TCTreeNode& parent, const std::string& title, const std::string& size, int32_t state,
                                 const std::string& path = "") {
    auto child = TCTreeNode::make(title, path, state, TCTreeNode::Image::folder());
    child->size = size;
    parent.addChild(child);
    return child;
}

std::shared_ptr<TCTreeNode> category(const std::string& title, const std::string& size) {
    auto made = TCTreeNode::make(title, "", 1, TCTreeNode::Image::named("icon"));
    made->size = size;
    return made;
}

// Six categories as a scan leaves them: items of 0 and 1 selected, 2 and 4 empty, the Trash
// item not selected, and the chat category with QQ partly selected (its logs) and 微信 selected.
struct Trees {
    JunkSelection::Categories categories;
    TCTreeNode* qq;
    TCTreeNode* qqLogs;
    TCTreeNode* qqLogFolder;
    TCTreeNode* firstLog;
    TCTreeNode* weChat;

    Trees() {
        auto system = category("系统垃圾", "3.00 KB");
        node(*system, "a", "1.00 KB", 1, "/a");
        node(*system, "b", "2.00 KB", 1, "/b");
        auto applications = category("应用程序垃圾", "4.00 KB");
        node(*applications, "c", "4.00 KB", 1, "/c");
        auto trash = category("废纸篓", "8.00 KB");
        node(*trash, "t", "8.00 KB", 0, "/t");
        auto chats = category("社交工具垃圾", "35.00 KB");
        auto qqNode = node(*chats, "QQ", "19.00 KB", 2);
        auto logs = node(*qqNode, "Logs", "3.00 KB", 1);
        auto logFolder = node(*logs, "nt_qq_1/log", "3.00 KB", 1, "/qq/log");
        firstLog = node(*logFolder, "a.log", "1.00 KB", 1, "/qq/log/a.log").get();
        node(*logFolder, "b.log", "2.00 KB", 1, "/qq/log/b.log");
        auto caches = node(*qqNode, "Caches", "16.00 KB", 0);
        node(*caches, "nt_qq_1", "16.00 KB", 0, "/qq/Cache");
        auto weChatNode = node(*chats, "微信", "16.00 KB", 1);
        auto weChatCaches = node(*weChatNode, "Caches", "16.00 KB", 1);
        node(*weChatCaches, "Caches", "6.00 KB", 1, "/wechat/Caches");
        node(*weChatCaches, "profiles", "10.00 KB", 1, "/wechat/profiles");
        categories = {system, applications, category("电子邮件附件", "0.00 KB"), trash,
                      category("Xcode垃圾文件", "0.00 KB"), chats};
        qq = qqNode.get();
        qqLogs = logs.get();
        qqLogFolder = logFolder.get();
        weChat = weChatNode.get();
    }
};

constexpr uint64_t KB = 1024;

}  // namespace

TEST(JunkSelection, DefaultTotalIsTheFirstThreeCategoriesAndTheChatCategorysSelectedLeaves) {
    Trees trees;
    JunkSelection selection(trees.categories);
    // 3 KB + 4 KB + nothing in mail; QQ's two logs (3 KB) and 微信's two entries (16 KB).
    EXPECT_EQ(selection.totalSize(), (3 + 4 + 3 + 16) * KB);
    EXPECT_EQ(selection.selectedSize(5), 19 * KB);
    EXPECT_EQ(selection.tileCheck(0), Check::Selected);
    EXPECT_EQ(selection.tileCheck(1), Check::Selected);
    EXPECT_EQ(selection.tileCheck(2), Check::Disabled);
    EXPECT_EQ(selection.tileCheck(3), Check::Unselected);
    EXPECT_EQ(selection.tileCheck(4), Check::Disabled);
    EXPECT_EQ(selection.tileCheck(5), Check::Partial);
    EXPECT_TRUE(selection.hasSelection());
}

TEST(JunkSelection, APartlySelectedItemLogsTheBytesOfItsSelectedLeaves) {
    Trees trees;
    testsupport::LogCapture log;
    EXPECT_EQ(JunkSelection(trees.categories).selectedSize(5), 19 * KB);
    // QQ alone stands at 2: its two selected logs; 微信 is selected whole and logs nothing.
    EXPECT_EQ(log.lines(), std::vector<std::string>{"---- : 3072"});
}

TEST(JunkSelection, ATileToggleClearsAFullCategoryAndSelectsAnyOtherWhole) {
    Trees trees;
    JunkSelection selection(trees.categories);
    selection.checkBoxButtonAction(0);
    EXPECT_EQ(selection.tileCheck(0), Check::Unselected);
    EXPECT_EQ(selection.selectedSize(0), 0u);
    selection.checkBoxButtonAction(0);
    EXPECT_EQ(selection.tileCheck(0), Check::Selected);
    EXPECT_EQ(selection.selectedSize(0), 3 * KB);

    // QQ stands at 2, so the chat tile selects everything, down to the leaves.
    selection.checkBoxButtonAction(5);
    EXPECT_EQ(selection.tileCheck(5), Check::Selected);
    EXPECT_EQ(trees.qq->selectState, 1);
    EXPECT_EQ(JunkSelection::leavesBelow(*trees.categories[5]).selected, 5);
    EXPECT_EQ(selection.selectedSize(5), 35 * KB);
    selection.checkBoxButtonAction(5);
    EXPECT_EQ(selection.tileCheck(5), Check::Unselected);
    EXPECT_EQ(JunkSelection::leavesBelow(*trees.categories[5]).selected, 0);
}

TEST(JunkSelection, TheCleanButtonFollowsTheDirectChildren) {
    Trees trees;
    JunkSelection selection(trees.categories);
    for (int index : {0, 1, 5}) selection.checkBoxButtonAction(index);
    // The chat tile was partly selected, so its first click selected it whole.
    selection.checkBoxButtonAction(5);
    EXPECT_FALSE(selection.hasSelection());
    EXPECT_EQ(selection.totalSize(), 0u);
    JunkSelection::clickNode(*trees.firstLog);
    EXPECT_TRUE(selection.hasSelection());
    EXPECT_EQ(selection.tileCheck(5), Check::Partial);
    EXPECT_EQ(selection.totalSize(), 1 * KB);
}

TEST(JunkSelection, UncheckingOneOfTwoLeavesMakesEveryNodeAboveHalfChecked) {
    Trees trees;
    trees.qq->selectState = 1;
    JunkSelection::setStateBelow(*trees.qq, 1);
    JunkSelection::updateAncestors(*trees.qqLogs);
    JunkSelection::clickNode(*trees.firstLog);
    EXPECT_EQ(trees.firstLog->selectState, 0);
    EXPECT_EQ(trees.qqLogFolder->selectState, 2);
    EXPECT_EQ(trees.qqLogs->selectState, 2);
    EXPECT_EQ(trees.qq->selectState, 2);
    EXPECT_EQ(trees.categories[5]->selectState, 2);

    // Checking the half-checked application checks everything below it.
    JunkSelection::clickNode(*trees.qq);
    EXPECT_EQ(trees.qq->selectState, 1);
    EXPECT_EQ(trees.firstLog->selectState, 1);
    EXPECT_EQ(JunkSelection::leavesBelow(*trees.qq).selected, 3);
    EXPECT_EQ(trees.categories[5]->selectState, 1);
    // And a checked one clears it all.
    JunkSelection::clickNode(*trees.qq);
    EXPECT_EQ(JunkSelection::leavesBelow(*trees.qq).selected, 0);
    EXPECT_EQ(trees.qqLogs->selectState, 0);
    EXPECT_EQ(trees.categories[5]->selectState, 2);
}

TEST(JunkSelection, TheSelectLabelCountsLeavesOnly) {
    Trees trees;
    const auto leaves = JunkSelection::leavesBelow(*trees.categories[5]);
    EXPECT_EQ(leaves.count, 5);
    EXPECT_EQ(leaves.selected, 4);
    EXPECT_EQ(leaves.selectedBytes, 19 * KB);
    // A checked application with its checked leaves counts the leaves, not itself or its group.
    EXPECT_EQ(JunkSelection::leavesBelow(*trees.weChat).selected, 2);
    EXPECT_EQ(JunkSelection::leavesBelow(*trees.categories[0]).selected, 2);
}

TEST(JunkSelection, SelectAllBoxStatesAndToggle) {
    Trees trees;
    TCTreeNode& chats = *trees.categories[5];
    EXPECT_EQ(JunkSelection::selectAllState(chats), 2);
    JunkSelection::toggleSelectAllOrNone(chats);
    EXPECT_EQ(JunkSelection::selectAllState(chats), 1);
    EXPECT_EQ(trees.qq->selectState, 1);
    JunkSelection::toggleSelectAllOrNone(chats);
    EXPECT_EQ(JunkSelection::selectAllState(chats), 0);
    EXPECT_EQ(trees.qqLogs->selectState, 0);

    TCTreeNode& trash = *trees.categories[3];
    EXPECT_EQ(JunkSelection::selectAllState(trash), 0);
    JunkSelection::toggleSelectAllOrNone(trash);
    EXPECT_EQ(trash.detailChildren[0]->selectState, 1);
    EXPECT_EQ(JunkSelection::selectAllState(*trees.categories[2]), 0);
}

TEST(JunkSelection, LeavesToDeleteAreSelectedLeavesWithAPathInDepthFirstOrder) {
    Trees trees;
    JunkSelection::clickNode(*trees.firstLog);
    std::vector<TCTreeNode*> leaves;
    JunkSelection::collectLeafNodesToDelete(*trees.categories[5], leaves);
    std::vector<std::string> paths;
    for (const TCTreeNode* leaf : leaves) paths.push_back(leaf->path);
    EXPECT_EQ(paths, (std::vector<std::string>{"/qq/log/b.log", "/wechat/Caches", "/wechat/profiles"}));

    // A selected leaf without a path (nothing on disk to remove) is never collected.
    node(*trees.categories[4], "group without children", "0.00 KB", 1);
    leaves.clear();
    JunkSelection::collectLeafNodesToDelete(*trees.categories[4], leaves);
    EXPECT_TRUE(leaves.empty());
}

TEST(JunkSelection, ACategoryOfEmptyItemsCanStillBeChosen) {
    Trees trees;
    auto empties = category("电子邮件附件", "0.00 KB");
    node(*empties, "empty.log", "0.00 KB", 1, "/empty.log");
    trees.categories[2] = empties;
    JunkSelection selection(trees.categories);
    EXPECT_EQ(selection.tileCheck(2), Check::Selected);
    selection.checkBoxButtonAction(2);
    EXPECT_EQ(selection.tileCheck(2), Check::Unselected);
}

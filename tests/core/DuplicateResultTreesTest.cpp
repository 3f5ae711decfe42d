#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/DuplicateResultTrees.h"
#include "platform/files/PathText.h"
#include "support/LogCapture.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using core::DuplicateFilesOpt;
using core::DuplicateResultTrees;
using core::SimpleNodeData;
using core::SimpleTreeNode;
using core::TreeNode;
using testsupport::randomContent;

namespace {

const SimpleNodeData& dataOf(const TreeNode::Ptr& node) { return *node->dataAs<SimpleNodeData>(); }

std::vector<std::string> groupNames(const TreeNode::Ptr& root) {
    std::vector<std::string> names;
    if (root)
        for (const auto& group : root->children()) names.push_back(dataOf(group).name);
    return names;
}

std::vector<std::string> copyNames(const TreeNode::Ptr& group) {
    std::vector<std::string> names;
    for (const auto& copy : group->children()) names.push_back(platform::lastPathComponent(dataOf(copy).name));
    return names;
}

class DuplicateResultTreesTest : public ::testing::Test {
protected:
    // Writes two copies of a content under each name's folder.
    void writeCopies(const std::string& name, std::size_t length, std::uint64_t seed) {
        const std::string content = randomContent(length, seed);
        folder.writeFile("one/" + name, content);
        folder.writeFile("two/" + name, content);
    }

    std::shared_ptr<SimpleTreeNode> search() {
        DuplicateFilesOpt opt(core::Executors::inlineExecutors());
        opt.beginSearchAtPath(folder.path(), 0);
        std::shared_ptr<SimpleTreeNode> root;
        found = opt.getDuplicateFiles(root);
        return root;
    }

    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    bool found = false;
};

}  // namespace

TEST_F(DuplicateResultTreesTest, NoGroupsGiveNoTree) {
    folder.writeFile("only", "x");
    DuplicateFilesOpt idle(core::Executors::inlineExecutors());
    std::shared_ptr<SimpleTreeNode> root;
    EXPECT_FALSE(idle.getDuplicateFiles(root));
    EXPECT_EQ(search(), nullptr);
    EXPECT_FALSE(found);
    DuplicateResultTrees trees;
    trees.setAllTreeNode(nullptr);
    EXPECT_EQ(trees.treeData(), nullptr);
    EXPECT_EQ(trees.categoryTree(6), nullptr);
}

TEST_F(DuplicateResultTreesTest, ThreeCopiesListTheEarliestMatchLast) {
    const std::string content = randomContent(3000, 1);
    folder.writeFile("a/first.txt", content);
    folder.writeFile("b/second.txt", content);
    folder.writeFile("c/third.txt", content);
    const auto root = search();
    ASSERT_TRUE(found);
    EXPECT_EQ(dataOf(root).name, "Root");
    ASSERT_EQ(root->numberOfChildren(), 1u);
    const auto group = root->firstChild();
    EXPECT_EQ(dataOf(group).name, "second.txt");
    EXPECT_EQ(dataOf(group).extendName, "txt");
    EXPECT_EQ(dataOf(group).fileSize, 9000u);
    EXPECT_TRUE(dataOf(group).isGroup());
    EXPECT_EQ(copyNames(group), (std::vector<std::string>{"third.txt", "first.txt", "second.txt"}));
    const auto& copy = dataOf(group->lastChild());
    EXPECT_TRUE(copy.isLeaf);
    EXPECT_EQ(copy.name, folder / "b/second.txt");
    EXPECT_EQ(copy.fileSize, 3000u);
    EXPECT_TRUE(copy.ModificationDate);
    EXPECT_EQ(group->lastChild()->nodeParent(), group);
}

TEST_F(DuplicateResultTreesTest, OnlyABundleGroupGivesOneAppGroupUnderOthers) {
    const std::string program = randomContent(5000, 2);
    folder.writeFile("Old/Tool.app/Contents/Tool", program);
    folder.writeFile("New/Tool.app/Contents/Tool", program);
    DuplicateResultTrees trees;
    trees.setAllTreeNode(search());
    ASSERT_EQ(groupNames(trees.allTreeNode()), std::vector<std::string>{"Tool.app"});
    const auto group = trees.allTreeNode()->firstChild();
    EXPECT_EQ(dataOf(group).extendName, "APP");
    EXPECT_EQ(dataOf(group).fileSize, 10000u);
    EXPECT_EQ(dataOf(group).fileType, 6);
    EXPECT_EQ(dataOf(group->firstChild()).name, folder / "Old/Tool.app");
    EXPECT_EQ(dataOf(group->lastChild()).name, folder / "New/Tool.app");
    EXPECT_FALSE(dataOf(group->lastChild()).ModificationDate);
    EXPECT_EQ(groupNames(trees.categoryTree(6)), std::vector<std::string>{"Tool.app"});
    for (int fileType = 1; fileType <= 5; ++fileType) EXPECT_TRUE(groupNames(trees.categoryTree(fileType)).empty());
}

TEST_F(DuplicateResultTreesTest, BundleGroupsComeFirstAndEveryGroupFindsOneCategory) {
    writeCopies("Report.DOC", 1500, 3);
    writeCopies("song.mp3", 1600, 4);
    writeCopies("clip.mp4", 1700, 5);
    writeCopies("backup.tar.gz", 1800, 6);
    writeCopies("X.JPG", 1900, 7);
    writeCopies("README", 2000, 8);
    writeCopies("Tool.app/Contents/Tool", 2100, 9);
    DuplicateResultTrees trees;
    trees.setAllTreeNode(search());
    EXPECT_EQ(groupNames(trees.allTreeNode()),
              (std::vector<std::string>{"Tool.app", "README", "Report.DOC", "X.JPG", "backup.tar.gz", "clip.mp4",
                                        "song.mp3"}));
    EXPECT_EQ(groupNames(trees.categoryTree(1)), std::vector<std::string>{"Report.DOC"});
    EXPECT_EQ(groupNames(trees.categoryTree(2)), std::vector<std::string>{"song.mp3"});
    EXPECT_EQ(groupNames(trees.categoryTree(3)), std::vector<std::string>{"clip.mp4"});
    EXPECT_TRUE(groupNames(trees.categoryTree(4)).empty());
    EXPECT_EQ(groupNames(trees.categoryTree(5)), std::vector<std::string>{"X.JPG"});
    EXPECT_EQ(groupNames(trees.categoryTree(6)), (std::vector<std::string>{"Tool.app", "README", "backup.tar.gz"}));
    // The segments show videos before music.
    const std::vector<std::vector<std::string>> shown{
        groupNames(trees.allTreeNode()), {"Report.DOC"}, {"clip.mp4"}, {"song.mp3"}, {}, {"X.JPG"},
        {"Tool.app", "README", "backup.tar.gz"}};
    for (int segment = 0; segment <= 6; ++segment) {
        trees.segmentSelect(segment);
        EXPECT_EQ(groupNames(trees.treeData()), shown[static_cast<std::size_t>(segment)]) << segment;
    }
    // A new result keeps the remembered segment.
    trees.setAllTreeNode(search());
    EXPECT_EQ(trees.remberWitchSelect(), 6);
    EXPECT_EQ(trees.treeData(), trees.categoryTree(6));
    trees.segmentSelect(9);
    EXPECT_EQ(trees.treeData(), trees.allTreeNode());
}

TEST_F(DuplicateResultTreesTest, DeletingAGroupRemovesItFromBothViews) {
    writeCopies("song.mp3", 1600, 4);
    writeCopies("clip.mp4", 1700, 5);
    writeCopies("tune.mp3", 1800, 6);
    DuplicateResultTrees trees;
    trees.setAllTreeNode(search());
    // From "all": the videos' category loses it, seen through the videos segment (2).
    trees.segmentSelect(0);
    trees.deleteParentNode(trees.treeData()->firstChild());
    EXPECT_EQ(groupNames(trees.allTreeNode()), (std::vector<std::string>{"song.mp3", "tune.mp3"}));
    trees.segmentSelect(2);
    EXPECT_TRUE(groupNames(trees.treeData()).empty());
    // From the music segment (3): the whole result loses it.
    trees.segmentSelect(3);
    trees.deleteParentNode(trees.treeData()->lastChild());
    EXPECT_EQ(groupNames(trees.treeData()), std::vector<std::string>{"song.mp3"});
    EXPECT_EQ(groupNames(trees.allTreeNode()), std::vector<std::string>{"song.mp3"});
    trees.deleteParentNode(nullptr);
    trees.destroyAllSubTrees();
    EXPECT_EQ(trees.allTreeNode(), nullptr);
    EXPECT_EQ(trees.treeData(), nullptr);
    EXPECT_EQ(trees.categoryTree(2), nullptr);
}

TEST_F(DuplicateResultTreesTest, ExtensionListsDecideOnlyByTheLastExtension) {
    ASSERT_NE(DuplicateResultTrees::extensionsOf(4), nullptr);
    EXPECT_EQ(DuplicateResultTrees::extensionsOf(4)->back(), "tar.bz2");
    EXPECT_EQ(DuplicateResultTrees::extensionsOf(6), nullptr);
    EXPECT_EQ(DuplicateResultTrees::categoryOfSegment(2), 3);
    EXPECT_EQ(DuplicateResultTrees::categoryOfSegment(3), 2);
    EXPECT_EQ(DuplicateResultTrees::categoryOfSegment(0), 0);
}

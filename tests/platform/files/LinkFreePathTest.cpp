#include "platform/files/LinkFreePath.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::LinkFreePath;
using Reach = platform::LinkFreePath::Reach;

class LinkFreePathTest : public testing::TestWithParam<bool> {
protected:
    // Both ways of reaching an item answer alike.
    static LinkFreePath reach(const std::string& anchor, const std::string& path) {
        return GetParam() ? LinkFreePath::reachBelow(anchor, path) : LinkFreePath::reachByComponents(anchor, path);
    }
};

TEST_P(LinkFreePathTest, ReachesItemsBelowTheAnchorWithoutFollowingLinks) {
    testsupport::TempFolder folder;
    std::string anchor = folder.makeFolder("home");
    folder.writeFile("home/Library/Logs/a.log", "12345");
    folder.writeFile("outside/secret", "x");
    ASSERT_EQ(symlink((folder / "outside").c_str(), (anchor + "/Library/Linked").c_str()), 0);

    auto file = reach(anchor, anchor + "/Library/Logs/a.log");
    EXPECT_EQ(file.reach, Reach::Reached);
    ASSERT_TRUE(file.entry);
    EXPECT_EQ(file.entry->size, 5u);

    // The link itself is reached and reported as a link, never as what it points at.
    auto link = reach(anchor, anchor + "/Library/Linked");
    EXPECT_EQ(link.reach, Reach::Reached);
    EXPECT_TRUE(link.entry->isLink());

    auto through = reach(anchor, anchor + "/Library/Linked/secret");
    EXPECT_EQ(through.reach, Reach::ThroughLink);
    EXPECT_FALSE(through.entry);

    EXPECT_EQ(reach(anchor, anchor + "/Library/none").reach, Reach::Missing);
    // A file in the way is no folder to pass through.
    EXPECT_EQ(reach(anchor, anchor + "/Library/Logs/a.log/x").reach, Reach::Missing);
    // Only what lies inside the anchor is reached.
    EXPECT_EQ(reach(anchor, folder / "outside/secret").reach, Reach::Missing);
    EXPECT_EQ(reach(anchor, anchor + "/../outside/secret").reach, Reach::Missing);
}

TEST_P(LinkFreePathTest, TheAnchorItselfMayBeALink) {
    testsupport::TempFolder folder;
    folder.writeFile("real/Library/file", "x");
    ASSERT_EQ(symlink((folder / "real").c_str(), (folder / "home").c_str()), 0);
    auto found = reach(folder / "home", folder / "home/Library/file");
    EXPECT_EQ(found.reach, Reach::Reached);
    auto itself = reach(folder / "home", folder / "home");
    EXPECT_TRUE(itself.entry && itself.entry->isFolder());
    EXPECT_EQ(itself.entry->name, "home");
}

TEST_P(LinkFreePathTest, TheParentIsHeldOpenAndMayNotBeALinkItself) {
    testsupport::TempFolder folder;
    folder.writeFile("home/real/item", "x");
    ASSERT_EQ(symlink((folder / "home/real").c_str(), (folder / "home/linked").c_str()), 0);
    auto openParent = GetParam() ? LinkFreePath::openParentBelow : LinkFreePath::openParentByComponents;
    LinkFreePath::Parent parent = openParent(folder / "home", folder / "home/real/item");
    ASSERT_EQ(parent.reach, Reach::Reached);
    EXPECT_EQ(parent.name, "item");
    ASSERT_EQ(rename((folder / "home/real").c_str(), (folder / "home/moved").c_str()), 0);
    EXPECT_EQ(LinkFreePath::pathOfOpenFolder(parent.folder.get()), folder / "home/moved");
    EXPECT_EQ(openParent(folder / "home", folder / "home/linked/item").reach, Reach::ThroughLink);
    EXPECT_EQ(openParent(folder / "home", folder / "home/none/item").reach, Reach::Missing);
    EXPECT_EQ(openParent(folder / "home", folder / "home").reach, Reach::Missing);
}

INSTANTIATE_TEST_SUITE_P(LinkFreePath, LinkFreePathTest, testing::Bool());

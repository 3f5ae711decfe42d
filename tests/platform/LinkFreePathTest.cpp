#include "platform/LinkFreePath.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::LinkFreePath;
using Reach = platform::LinkFreePath::Reach;

TEST(LinkFreePath, ReachesItemsBelowTheAnchorWithoutFollowingLinks) {
    testsupport::TempFolder folder;
    std::string anchor = folder.makeFolder("home");
    folder.writeFile("home/Library/Logs/a.log", "12345");
    folder.writeFile("outside/secret", "x");
    ASSERT_EQ(symlink((folder / "outside").c_str(), (anchor + "/Library/Linked").c_str()), 0);

    auto file = LinkFreePath::reachBelow(anchor, anchor + "/Library/Logs/a.log");
    EXPECT_EQ(file.reach, Reach::Reached);
    ASSERT_TRUE(file.entry);
    EXPECT_EQ(file.entry->size, 5u);

    // The link itself is reached and reported as a link, never as what it points at.
    auto link = LinkFreePath::reachBelow(anchor, anchor + "/Library/Linked");
    EXPECT_EQ(link.reach, Reach::Reached);
    EXPECT_TRUE(link.entry->isLink());

    auto through = LinkFreePath::reachBelow(anchor, anchor + "/Library/Linked/secret");
    EXPECT_EQ(through.reach, Reach::ThroughLink);
    EXPECT_FALSE(through.entry);

    EXPECT_EQ(LinkFreePath::reachBelow(anchor, anchor + "/Library/none").reach, Reach::Missing);
    // A file in the way is no folder to pass through.
    EXPECT_EQ(LinkFreePath::reachBelow(anchor, anchor + "/Library/Logs/a.log/x").reach, Reach::Missing);
    // Only what lies inside the anchor is reached.
    EXPECT_EQ(LinkFreePath::reachBelow(anchor, folder / "outside/secret").reach, Reach::Missing);
    EXPECT_EQ(LinkFreePath::reachBelow(anchor, anchor + "/../outside/secret").reach, Reach::Missing);
}

TEST(LinkFreePath, TheAnchorItselfMayBeALink) {
    testsupport::TempFolder folder;
    folder.writeFile("real/Library/file", "x");
    ASSERT_EQ(symlink((folder / "real").c_str(), (folder / "home").c_str()), 0);
    auto found = LinkFreePath::reachBelow(folder / "home", folder / "home/Library/file");
    EXPECT_EQ(found.reach, Reach::Reached);
    auto itself = LinkFreePath::reachBelow(folder / "home", folder / "home");
    EXPECT_TRUE(itself.entry && itself.entry->isFolder());
    EXPECT_EQ(itself.entry->name, "home");
}

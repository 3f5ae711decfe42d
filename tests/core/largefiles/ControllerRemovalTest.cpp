#include "core/largefiles/Controller.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/FileFlags.h"
#include "support/LogCapture.h"
#include "support/RecordingControllerDelegate.h"
#include "support/ScopedEnvironment.h"
#include "support/SizeTreeFixture.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using core::largefiles::Controller;
using core::largefiles::FileNode;
using core::largefiles::FileNodeTree;
using testsupport::isOnDisk;
using testsupport::writeSizedFile;

namespace {

class ControllerRemovalTest : public ::testing::Test {
protected:
    testsupport::ScopedEnvironment environment;
    std::string folder = environment.folder().makeFolder("scan");
    std::shared_ptr<Controller> controller = Controller::make(core::Executors::inlineExecutors());
    std::shared_ptr<FileNodeTree> tree = std::make_shared<FileNodeTree>();
    testsupport::SizeTreeReader read{tree};
    testsupport::RecordingControllerDelegate page;

    void scan() {
        controller->aDelegate = &page;
        ASSERT_TRUE(controller->eumeAllRootFileNodeWithRootArr(tree, folder));
    }
    void tick(const std::string& relative) { controller->clickNode(read.node(relative)); }
    void removeTicked() {
        ASSERT_TRUE(controller->deleteFilesWithDic(tree));
        EXPECT_FALSE(controller->isRemoving());
    }
};

TEST_F(ControllerRemovalTest, ProgressRunsPerItemAndEndsAtAHundred) {
    const struct {
        int items;
        std::vector<int> points;
    } cases[] = {{0, {100}}, {1, {30, 100}}, {4, {0, 25, 50, 75, 100}}};
    for (const auto& run : cases) {
        std::filesystem::remove_all(folder);
        for (int index = 0; index < 6; ++index) writeSizedFile(folder + "/f" + std::to_string(index), 10 - index);
        tree = std::make_shared<FileNodeTree>();
        read = testsupport::SizeTreeReader(tree);
        page = {};
        scan();
        for (int index = 0; index < run.items; ++index) tick("f" + std::to_string(index));
        removeTicked();
        EXPECT_EQ(page.points, run.points) << run.items;
        for (int index = 0; index < 6; ++index)
            EXPECT_EQ(isOnDisk(folder + "/f" + std::to_string(index)), index >= run.items) << run.items << " " << index;
        EXPECT_EQ(tree->topLevelCount(), static_cast<size_t>(6 - run.items));
        EXPECT_EQ(page.selectAll, std::make_pair(0, 0));
    }
}

TEST_F(ControllerRemovalTest, AStopAfterTwoOfFourLeavesTheRestOnDiskAndUnticked) {
    for (const char* name : {"a", "b", "c", "d"}) writeSizedFile(folder + "/" + name, 1);
    scan();
    for (const char* name : {"a", "b", "c", "d"}) tick(name);
    page.onProgress = [this](int point) {
        if (point == 25) controller->stopRemove();
    };
    removeTicked();
    EXPECT_EQ(page.points, (std::vector<int>{0, 25, 100}));
    // Equal sizes: the last listed comes first.
    EXPECT_FALSE(isOnDisk(folder + "/d"));
    EXPECT_FALSE(isOnDisk(folder + "/c"));
    EXPECT_TRUE(isOnDisk(folder + "/b"));
    EXPECT_TRUE(isOnDisk(folder + "/a"));
    EXPECT_EQ(read.names(), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(read.node("a")->state(), FileNode::Unticked);
    EXPECT_EQ(read.node("b")->state(), FileNode::Unticked);
}

TEST_F(ControllerRemovalTest, ATickedFolderLosesALinkToAnOutsideFolderNotWhatItPointsTo) {
    const std::string outside = writeSizedFile(environment.folder() / "outside/kept", 5);
    writeSizedFile(folder + "/d/own", 5);
    ASSERT_EQ(symlink(std::filesystem::path(outside).parent_path().c_str(), (folder + "/d/link").c_str()), 0);
    scan();
    tick("d");
    removeTicked();
    EXPECT_FALSE(isOnDisk(folder + "/d"));
    EXPECT_TRUE(isOnDisk(outside));
    EXPECT_EQ(tree->topLevelCount(), 0u);
}

TEST_F(ControllerRemovalTest, AnItemReplacedSinceTheScanIsKept) {
    const std::string path = writeSizedFile(folder + "/swapped", 5);
    writeSizedFile(folder + "/plain", 4);
    scan();
    tick("swapped");
    tick("plain");
    ASSERT_EQ(rename(writeSizedFile(folder + "/../look-alike", 5).c_str(), path.c_str()), 0);
    testsupport::LogCapture log;
    removeTicked();
    EXPECT_TRUE(isOnDisk(path));
    EXPECT_FALSE(isOnDisk(folder + "/plain"));
    EXPECT_TRUE(log.contains("--delete file error ---::" + path));
    ASSERT_NE(read.node("swapped"), nullptr);
    EXPECT_EQ(read.node("swapped")->state(), FileNode::Unticked);
}

TEST_F(ControllerRemovalTest, WhatWentOfAPartlyRemovedFolderLeavesTheTree) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to set the immutable flag";
    writeSizedFile(folder + "/d/gone/inside", 3);
    const std::string locked = writeSizedFile(folder + "/d/locked", 2);
    scan();
    platform::FileDescriptor fd(open(locked.c_str(), O_RDONLY | O_CLOEXEC));
    if (!platform::restoreLockFlags(fd.get(), FS_IMMUTABLE_FL))
        GTEST_SKIP() << "the file system cannot set the immutable flag";
    tick("d");
    removeTicked();
    platform::restoreLockFlags(fd.get(), 0);
    EXPECT_TRUE(isOnDisk(locked));
    EXPECT_FALSE(isOnDisk(folder + "/d/gone"));
    EXPECT_EQ(read.names("d"), (std::vector<std::string>{"locked"}));
    EXPECT_EQ(read.node("d")->state(), FileNode::Unticked);
}

}  // namespace

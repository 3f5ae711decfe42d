#include "core/largefiles/Controller.h"

#include "core/largefiles/FileNodeTicks.h"
#include "support/RecordingControllerDelegate.h"
#include "support/ScopedEnvironment.h"
#include "support/SizeTreeFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

using core::largefiles::Controller;
using core::largefiles::FileNode;
using core::largefiles::FileNodeTicks;
using core::largefiles::FileNodeTree;
using testsupport::writeSizedFile;

namespace {

// The home folder lies in a fixture "home" folder of the scanned tree: no root, so "~" is it.
class ControllerTicksTest : public ::testing::Test {
protected:
    testsupport::ScopedEnvironment environment{[](platform::Environment::Values& values) {
        values.root = "/";
        values.realHome += "/demo";
    }};
    std::string folder = environment.folder().path();
    std::shared_ptr<Controller> controller = Controller::make(core::Executors::inlineExecutors());
    std::shared_ptr<FileNodeTree> tree = std::make_shared<FileNodeTree>();
    testsupport::SizeTreeReader read{tree};
    testsupport::RecordingControllerDelegate page;

    void scan(const std::string& path = "") {
        controller->aDelegate = &page;
        ASSERT_TRUE(controller->eumeAllRootFileNodeWithRootArr(tree, path.empty() ? folder : path));
        ASSERT_TRUE(controller->isScanFinished());
    }
    int64_t state(const std::string& relative) const { return read.node(relative)->state(); }
    void click(const std::string& relative) { controller->clickNode(read.node(relative)); }
    std::vector<std::string> collected() {
        std::vector<std::string> paths;
        auto access = tree->access();
        for (FileNode* node : FileNodeTicks::collect(access))
            paths.push_back(tree->pathOf(node).substr(folder.size() + 1));
        return paths;
    }
};

TEST_F(ControllerTicksTest, AFolderIsWhollyTickedOnlyThroughFilesAlone) {
    writeSizedFile(folder + "/files/a", 2);
    writeSizedFile(folder + "/files/b", 1);
    writeSizedFile(folder + "/mixed/a", 2);
    writeSizedFile(folder + "/mixed/sub/x", 1);
    scan();
    click("files/a");
    EXPECT_EQ(state("files"), FileNode::PartlyTicked);
    click("files/b");
    EXPECT_EQ(state("files"), FileNode::Ticked);
    click("mixed/a");
    click("mixed/sub");
    EXPECT_EQ(state("mixed"), FileNode::PartlyTicked);
    EXPECT_EQ(collected(), (std::vector<std::string>{"files", "mixed/a", "mixed/sub"}));
    EXPECT_EQ(page.selectAll, std::make_pair(2, 3));  // the count is what a deletion would take
}

TEST_F(ControllerTicksTest, ExpandingATickedFolderShowsItsChildrenTicked) {
    writeSizedFile(folder + "/d/a", 2);
    writeSizedFile(folder + "/d/sub/x", 1);
    scan();
    click("d");
    EXPECT_EQ(state("d/a"), FileNode::Unticked);  // a collapsed folder keeps its children as they were
    controller->expandNode(read.node("d"));
    EXPECT_EQ(state("d/a"), FileNode::Ticked);
    EXPECT_EQ(state("d/sub"), FileNode::Ticked);
    click("d/a");
    EXPECT_EQ(state("d"), FileNode::PartlyTicked);
    controller->collapseNode(read.node("d"));
    controller->expandNode(read.node("d"));  // a partly ticked folder hands nothing on
    EXPECT_EQ(state("d/a"), FileNode::Unticked);
}

TEST_F(ControllerTicksTest, TheProtectedHomeIsNeverCollected) {
    writeSizedFile(folder + "/home/demo/letter", 3);
    writeSizedFile(folder + "/home/other", 2);
    writeSizedFile(folder + "/home/more", 1);
    scan();
    EXPECT_TRUE(read.node("home/demo")->isSystemFile());
    click("home");
    EXPECT_EQ(state("home"), FileNode::Ticked);
    EXPECT_EQ(collected(), (std::vector<std::string>{"home/other", "home/more"}));

    controller->expandNode(read.node("home"));
    EXPECT_EQ(state("home/demo"), FileNode::Unticked);
    click("home/demo");  // cannot be clicked
    EXPECT_EQ(state("home/demo"), FileNode::Unticked);
    click("home/more");
    EXPECT_EQ(state("home"), FileNode::PartlyTicked);
    EXPECT_EQ(collected(), (std::vector<std::string>{"home/other"}));
}

TEST_F(ControllerTicksTest, SelectAllLeavesProtectedNodesOut) {
    writeSizedFile(folder + "/home/demo/letter", 3);
    writeSizedFile(folder + "/home/top", 2);
    writeSizedFile(folder + "/home/low", 1);
    scan(folder + "/home");
    controller->setAllSelectOrNoSelect(0);
    EXPECT_EQ(page.selectAll, std::make_pair(1, 2));
    EXPECT_EQ(state("demo"), FileNode::Unticked);
    controller->setAllSelectOrNoSelect(1);
    EXPECT_EQ(page.selectAll, std::make_pair(0, 0));
    click("top");
    EXPECT_EQ(page.selectAll, std::make_pair(2, 1));
}

}  // namespace

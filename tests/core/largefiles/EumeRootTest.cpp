#include "core/largefiles/EumeRoot.h"
#include "core/largefiles/SystemFolder.h"

#include "support/ScopedEnvironment.h"
#include "support/SizeTreeFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using core::largefiles::EumeRoot;
using core::largefiles::FileNodeTree;
using testsupport::writeSizedFile;

namespace {

class EumeRootTest : public ::testing::Test {
protected:
    testsupport::ScopedEnvironment environment;
    std::string folder = environment.folder().makeFolder("scan");
    std::shared_ptr<FileNodeTree> tree = std::make_shared<FileNodeTree>();
    testsupport::SizeTreeReader read{tree};

    float scan(const std::string& path) {
        EumeRoot root(tree);
        root.getRootNodeListWithPath(path);
        return root.getProgress();
    }
    uint64_t sizeOf(const std::string& relative) const { return read.node(relative)->size(); }
};

TEST_F(EumeRootTest, NewcomersGoBeforeEqualsAndFoldersSumWhatLiesBelow) {
    writeSizedFile(folder + "/a", 10);
    writeSizedFile(folder + "/b", 30);
    writeSizedFile(folder + "/c", 30);
    writeSizedFile(folder + "/d/e/five", 5);
    writeSizedFile(folder + "/d/one", 1);
    EXPECT_EQ(scan(folder), 100.0f);
    EXPECT_TRUE(tree->isFinished());
    EXPECT_EQ(read.names(), (std::vector<std::string>{"c", "b", "a", "d"}));
    EXPECT_EQ(sizeOf("d/e"), 5u);
    EXPECT_EQ(sizeOf("d"), 6u);
    EXPECT_EQ(tree->pathOf(read.node("d/e/five")), folder + "/d/e/five");
}

// Below the top level a folder that grew to its size stands behind the files of that size,
// and an empty folder in front of the empty files, as one walk in name order leaves them.
TEST_F(EumeRootTest, EqualSizesKeepTheOrderOfOneWalkInNameOrder) {
    writeSizedFile(folder + "/p/v", 0);
    std::filesystem::create_directories(folder + "/p/w");
    writeSizedFile(folder + "/p/x", 30);
    writeSizedFile(folder + "/p/y/inside", 30);
    writeSizedFile(folder + "/p/z", 30);
    std::filesystem::create_directories(folder + "/empty");
    writeSizedFile(folder + "/zero", 0);
    scan(folder);
    EXPECT_EQ(read.names("p"), (std::vector<std::string>{"z", "x", "y", "w", "v"}));
    EXPECT_EQ(read.names(), (std::vector<std::string>{"p", "zero", "empty"}));
}

TEST_F(EumeRootTest, LinksCountOnlyThemselvesAndLoopsEnd) {
    const std::string big = writeSizedFile(environment.folder() / "outside/big", 100000);
    ASSERT_EQ(symlink(big.c_str(), (folder + "/to-big").c_str()), 0);
    std::filesystem::create_directories(folder + "/loop");
    ASSERT_EQ(symlink("..", (folder + "/loop/up").c_str()), 0);
    scan(folder);
    EXPECT_EQ(sizeOf("to-big"), big.size());
    EXPECT_EQ(sizeOf("loop"), 2u);
    EXPECT_FALSE(read.node("loop/up")->isDirectory());
}

TEST_F(EumeRootTest, MissingEmptyAndUnreadableRootsStillFinish) {
    for (const std::string& path : {folder + "/missing", folder, std::string("/proc")}) {
        tree = std::make_shared<FileNodeTree>();
        EXPECT_EQ(scan(path), 0.0f) << path;
        EXPECT_TRUE(tree->isFinished()) << path;
        EXPECT_EQ(tree->topLevelCount(), 0u) << path;
    }
}

TEST_F(EumeRootTest, AChosenFileIsOneNode) {
    writeSizedFile(folder + "/only", 7);
    EXPECT_EQ(scan(folder + "/only"), 100.0f);
    ASSERT_EQ(read.names(), (std::vector<std::string>{"only"}));
    EXPECT_EQ(tree->pathOf(read.node("only")), folder + "/only");
}

// The chosen folder "/" of a fixture root: its system folders are recognised, the home is
// protected inside "Users", and no path is joined with "//".
TEST_F(EumeRootTest, ProtectedPathsUnderTheRootAreRecognised) {
    const std::string root = environment.root();
    for (const char* made : {"usr/bin", "Library/Caches", "Users/tester/Documents", "data"})
        std::filesystem::create_directories(root + "/" + made);
    scan(environment.environment().resolve("/"));
    EXPECT_TRUE(read.node("usr")->isSystemFile());
    EXPECT_TRUE(read.node("Library")->isSystemFile());
    EXPECT_TRUE(read.node("Users")->isSystemFile());
    EXPECT_TRUE(read.node("Users")->holdsSystemFile());
    EXPECT_TRUE(read.node("Users/tester")->isSystemFile());
    EXPECT_FALSE(read.node("Users/tester/Documents")->isSystemFile());
    EXPECT_FALSE(read.node("data")->isSystemFile());
    EXPECT_FALSE(read.node("data")->holdsSystemFile());
    EXPECT_EQ(tree->pathOf(read.node("usr/bin")), root + "/usr/bin");

    FileNodeTree atRoot;
    atRoot.setTopFolder("/", 0, 0);
    EXPECT_EQ(atRoot.pathOf(read.node("usr")), "/usr");
}

// A real "/" chosen in the folder panel under a root offers none of the machine's own folders.
TEST_F(EumeRootTest, TheMachinesOwnSystemFoldersStayProtectedUnderARoot) {
    ASSERT_TRUE(environment.environment().hasRoot());
    const auto protectedFolders = core::largefiles::SystemFolder::current();
    for (const char* path : {"/", "/usr", "/etc", "/home", "/var"}) EXPECT_TRUE(protectedFolders->contains(path)) << path;
    EXPECT_FALSE(protectedFolders->contains(folder));
}

}  // namespace

#include "core/duplicates/DuplicateDeletion.h"
#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/DuplicateSelection.h"
#include "core/kit/EuAuthorization.h"
#include "platform/files/PathText.h"
#include "support/FakePrivilegedSession.h"
#include "support/FileRewrite.h"
#include "support/LogCapture.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <functional>

using core::DuplicateDeletion;
using core::DuplicateFilesOpt;
using core::DuplicateSelection;
using core::SimpleNodeData;
using core::SimpleTreeNode;
using core::TreeNode;
using Result = DuplicateDeletion::Result;
using testsupport::randomContent;
using testsupport::readWholeFile;

namespace {

using testsupport::exists;

class DuplicateDeletionTest : public ::testing::Test {
protected:
    void TearDown() override { core::EuAuthorization::setShared(nullptr); }

    std::string copyOf(const std::string& relative, const std::string& content) {
        return folder.writeFile(relative, content);
    }

    void search() {
        DuplicateFilesOpt opt(core::Executors::inlineExecutors());
        opt.beginSearchAtPath(folder.path(), 0);
        ASSERT_TRUE(opt.getDuplicateFiles(root));
    }

    TreeNode::Ptr leaf(const std::string& path) const {
        for (const auto& group : root->children())
            for (const auto& copy : group->children())
                if (copy->dataAs<SimpleNodeData>()->name == path) return copy;
        ADD_FAILURE() << "no copy " << path;
        return nullptr;
    }

    void tick(const std::string& path) {
        if (!selection.clickCopy(leaf(path))) selection.tickLastCopy(leaf(path));
    }

    std::vector<Result> deleteTicked(const std::function<void(DuplicateDeletion&, std::size_t)>& onRemoved = {}) {
        DuplicateDeletion deletion(selection.deletionSnapshot());
        deletion.run([&](std::size_t index) {
            if (onRemoved) onRemoved(deletion, index);
        });
        return deletion.results();
    }

    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    std::shared_ptr<SimpleTreeNode> root;
    DuplicateSelection selection;
};

}  // namespace

// Each case ticks the first copy of two after a search, then changes the disk; only an
// unchanged copy beside an intact kept copy goes.
TEST_F(DuplicateDeletionTest, OnlyTheFileTheSearchGroupedIsDeleted) {
    struct Case {
        const char* name;
        std::function<void(const std::string& ticked, const std::string& kept)> change;
        Result result;
    };
    const std::vector<Case> cases{
        {"unchanged", [](const std::string&, const std::string&) {}, Result::Removed},
        {"rewritten with its size and date",
         [](const std::string& ticked, const std::string&) {
             ASSERT_TRUE(testsupport::rewriteKeepingSizeAndDate(ticked));
         },
         Result::Changed},
        {"replaced by another file",
         [this](const std::string& ticked, const std::string&) {
             const std::string other = folder.writeFile("other", readWholeFile(ticked));
             ASSERT_EQ(std::rename(other.c_str(), ticked.c_str()), 0);
         },
         Result::Changed},
        {"the kept copy rewritten",
         [](const std::string&, const std::string& kept) { ASSERT_TRUE(testsupport::rewriteKeepingSizeAndDate(kept)); },
         Result::Changed},
        {"the kept copy gone", [](const std::string&, const std::string& kept) { ASSERT_EQ(unlink(kept.c_str()), 0); },
         Result::Changed},
        // The name reached through the link is the same file, but not in the folder searched.
        {"its folder swapped for a link to a folder holding a hard link of it",
         [this](const std::string& ticked, const std::string&) {
             const std::string copyFolder = platform::parentPath(ticked);
             const std::string elsewhere = folder.makeFolder("elsewhere" + platform::lastPathComponent(platform::parentPath(copyFolder)));
             ASSERT_EQ(link(ticked.c_str(), (elsewhere + "/copy.bin").c_str()), 0);
             ASSERT_EQ(std::rename(copyFolder.c_str(), (copyFolder + "-moved").c_str()), 0);
             ASSERT_EQ(symlink(elsewhere.c_str(), copyFolder.c_str()), 0);
         },
         Result::Changed},
    };
    int round = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string content = randomContent(3000, static_cast<std::uint64_t>(++round));
        const std::string ticked = copyOf("round" + std::to_string(round) + "/a/copy.bin", content);
        const std::string kept = copyOf("round" + std::to_string(round) + "/b/copy.bin", content);
        search();
        tick(ticked);
        test.change(ticked, kept);
        const std::string before = readWholeFile(ticked);
        EXPECT_EQ(deleteTicked(), std::vector<Result>{test.result});
        EXPECT_EQ(exists(ticked), test.result != Result::Removed);
        if (test.result != Result::Removed) {
            EXPECT_EQ(readWholeFile(ticked), before);
        }
        unlink(ticked.c_str());
        unlink(kept.c_str());
        selection.untickAll(root);
    }
    EXPECT_TRUE(log.contains("not deleting the duplicate"));
}

TEST_F(DuplicateDeletionTest, AStopAfterTheFirstOfThreeCopiesLeavesTwo) {
    const std::string content = randomContent(5000, 7);
    const std::vector<std::string> copies{copyOf("a/x", content), copyOf("b/x", content), copyOf("c/x", content)};
    search();
    for (const auto& copy : copies) tick(copy);
    const auto results = deleteTicked([](DuplicateDeletion& deletion, std::size_t) { deletion.stop(); });
    EXPECT_EQ(results, (std::vector<Result>{Result::Removed, Result::NotTried, Result::NotTried}));
    EXPECT_FALSE(exists(copies[0]));
    EXPECT_EQ(readWholeFile(copies[1]), content);
    EXPECT_EQ(readWholeFile(copies[2]), content);
}

// A bundle goes as a tree when every file in it is as the search saw it, and stays otherwise.
TEST_F(DuplicateDeletionTest, BundlesAreCheckedFileByFileAndRemovedWhole) {
    for (const char* bundle : {"one/Tool.app", "two/Tool.app", "three/Tool.app"}) {
        copyOf(std::string(bundle) + "/Contents/MacOS/tool", randomContent(4000, 1));
        copyOf(std::string(bundle) + "/Contents/Info.plist", randomContent(300, 2));
    }
    search();
    tick(folder / "one/Tool.app");
    tick(folder / "two/Tool.app");
    ASSERT_TRUE(testsupport::rewriteKeepingSizeAndDate(folder / "two/Tool.app/Contents/Info.plist"));
    EXPECT_EQ(deleteTicked(), (std::vector<Result>{Result::Removed, Result::Changed}));
    EXPECT_FALSE(exists(folder / "one/Tool.app"));
    EXPECT_TRUE(exists(folder / "two/Tool.app/Contents/MacOS/tool"));
    EXPECT_TRUE(exists(folder / "three/Tool.app/Contents/MacOS/tool"));
}

// Without the rights to unlink a copy, the privileged remover is asked; what it reports counts.
TEST_F(DuplicateDeletionTest, CopiesTheUserMayNotRemoveGoThroughThePrivilegedRemover) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to lay out a folder the user may not write";
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
    const std::string content = randomContent(2000, 9);
    const std::string ticked = copyOf("closed/x", content);
    copyOf("open/x", content);
    search();
    tick(ticked);
    for (const bool helperSucceeds : {false, true}) {
        SCOPED_TRACE(helperSucceeds);
        auto session = std::make_shared<testsupport::FakePrivilegedSession>();
        if (!helperSucceeds) session->reply = {1, "rm: cannot remove 'x': Operation not permitted", false};
        core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
        const std::string report = testsupport::runAsNobody([&] {
            const auto results = deleteTicked();
            return std::string(results == std::vector<Result>{Result::Removed} ? "removed" : "left") + " asked " +
                   (session->removed.empty() ? "" : session->removed.front());
        });
        EXPECT_EQ(report, std::string(helperSucceeds ? "removed" : "left") + " asked " + ticked);
        EXPECT_EQ(readWholeFile(ticked), content);  // the fake helper removes nothing
    }
}

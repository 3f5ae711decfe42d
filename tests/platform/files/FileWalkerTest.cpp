#include "platform/files/FileManager.h"
#include "platform/files/FileWalker.h"

#include "support/DeepTree.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

using platform::FileWalker;
using Step = platform::FileWalker::Step;

namespace {

// Records the walk as lines: "+<depth> <path relative to base>" for an entry, "-" for leaving a
// folder ("!-" when it could not be listed).
struct WalkRecord {
    explicit WalkRecord(std::string base) : base(std::move(base)) {}

    FileWalker::Callbacks callbacks(std::function<Step(const FileWalker::Visit&)> decide = {}) {
        FileWalker::Callbacks result;
        result.visitEntry = [this, decide](const FileWalker::Visit& visit) {
            lines.push_back("+" + std::to_string(visit.depth()) + " " + relative(visit.path()));
            return decide ? decide(visit) : Step::Continue;
        };
        result.leaveFolder = [this](const FileWalker::Visit& visit, bool listed) {
            lines.push_back(std::string(listed ? "-" : "!-") + std::to_string(visit.depth()) + " " +
                            relative(visit.path()));
        };
        return result;
    }
    std::string relative(const std::string& path) const {
        return path.size() > base.size() ? path.substr(base.size() + 1) : ".";
    }

    std::string base;
    std::vector<std::string> lines;
};

}  // namespace

TEST(FileWalker, ReportsEntriesInNameOrderAndLeavesFoldersAfterTheirContents) {
    testsupport::TempFolder folder;
    folder.writeFile("b", "1");
    folder.writeFile("a/sub/y", "22");
    folder.writeFile("a/x", "333");
    folder.makeFolder("a/empty");
    WalkRecord record(folder.path());
    EXPECT_TRUE(FileWalker::walk(folder.path(), record.callbacks()));
    EXPECT_EQ(record.lines, (std::vector<std::string>{"+0 .", "+1 a", "+2 a/empty", "-2 a/empty", "+2 a/sub",
                                                      "+3 a/sub/y", "-2 a/sub", "+2 a/x", "-1 a", "+1 b", "-0 ."}));
}

TEST(FileWalker, PrunedFoldersAreNeitherEnteredNorLeftAndStopEndsTheWalk) {
    testsupport::TempFolder folder;
    folder.writeFile("a/inner", "1");
    folder.writeFile("b", "1");
    folder.writeFile("c/inner", "1");
    WalkRecord pruned(folder.path());
    FileWalker::walk(folder.path(), pruned.callbacks([](const FileWalker::Visit& visit) {
        return visit.entry().name == "a" ? Step::Prune : Step::Continue;
    }));
    EXPECT_EQ(pruned.lines, (std::vector<std::string>{"+0 .", "+1 a", "+1 b", "+1 c", "+2 c/inner", "-1 c", "-0 ."}));

    WalkRecord stopped(folder.path());
    FileWalker::walk(folder.path(), stopped.callbacks([](const FileWalker::Visit& visit) {
        return visit.entry().name == "inner" ? Step::Stop : Step::Continue;
    }));
    EXPECT_EQ(stopped.lines, (std::vector<std::string>{"+0 .", "+1 a", "+2 a/inner"}));

    std::atomic<bool> stop{false};
    WalkRecord flagged(folder.path());
    FileWalker::Options options;
    options.stop = &stop;
    FileWalker::walk(folder.path(), flagged.callbacks([&stop](const FileWalker::Visit& visit) {
        if (visit.entry().name == "b") stop = true;
        return Step::Continue;
    }), options);
    EXPECT_EQ(flagged.lines, (std::vector<std::string>{"+0 .", "+1 a", "+2 a/inner", "-1 a", "+1 b"}));
}

TEST(FileWalker, LinksAreReportedNotFollowedUnlessTheStartIsAskedFor) {
    testsupport::TempFolder folder;
    folder.writeFile("real/file", "x");
    folder.makeFolder("tree");
    symlink((folder / "real").c_str(), (folder / "tree/to-real").c_str());
    symlink("loop-b", (folder / "tree/loop-a").c_str());
    symlink("loop-a", (folder / "tree/loop-b").c_str());
    WalkRecord inside(folder / "tree");
    FileWalker::walk(folder / "tree", inside.callbacks());
    EXPECT_EQ(inside.lines, (std::vector<std::string>{"+0 .", "+1 loop-a", "+1 loop-b", "+1 to-real", "-0 ."}));

    WalkRecord start(folder / "tree/to-real");
    FileWalker::walk(folder / "tree/to-real", start.callbacks());
    EXPECT_EQ(start.lines, (std::vector<std::string>{"+0 ."}));

    WalkRecord followed(folder / "tree/to-real");
    FileWalker::Options options;
    options.followTopLink = true;
    FileWalker::walk(folder / "tree/to-real", followed.callbacks(), options);
    EXPECT_EQ(followed.lines, (std::vector<std::string>{"+0 .", "+1 file", "-0 ."}));
}

TEST(FileWalker, MissingStartReportsNothing) {
    testsupport::TempFolder folder;
    WalkRecord record(folder.path());
    EXPECT_FALSE(FileWalker::walk(folder / "missing", record.callbacks()));
    EXPECT_FALSE(FileWalker::walk("", record.callbacks()));
    EXPECT_TRUE(record.lines.empty());
}

TEST(FileWalker, UnreadableFolderIsLeftUnlistedAndTheWalkGoesOn) {
    testsupport::TempFolder folder;
    chmod(folder.path().c_str(), 0755);
    folder.writeFile("tree/closed/secret", "x");
    folder.writeFile("tree/open", "x");
    chmod((folder / "tree/closed").c_str(), 0700);
    std::string answer = testsupport::runAsNobody([&] {
        WalkRecord record(folder / "tree");
        bool walked = FileWalker::walk(folder / "tree", record.callbacks());
        bool closedStart = FileWalker::walk(folder / "tree/closed", WalkRecord(folder.path()).callbacks());
        std::string text = std::string(walked ? "walked" : "not walked") + (closedStart ? " closed listed" : "");
        for (const auto& line : record.lines) text += "\n" + line;
        return text;
    });
    EXPECT_EQ(answer, "walked\n+0 .\n+1 closed\n!-1 closed\n+1 open\n-0 .");
}

TEST(FileWalker, PseudoFileSystemIsReportedButNotEntered) {
    WalkRecord record("/proc");
    EXPECT_FALSE(FileWalker::walk("/proc", record.callbacks()));
    EXPECT_EQ(record.lines, (std::vector<std::string>{"+0 .", "!-0 ."}));
}

// 2,000 levels with paths far longer than PATH_MAX, walked and then removed with only 64
// descriptors allowed: the walk keeps a bounded number of folders open.
TEST(FileWalker, TwoThousandLevelsWorkWithFewDescriptors) {
    testsupport::TempFolder folder;
    const int levels = 2000;
    ASSERT_EQ(testsupport::makeDeepTree(folder.path(), levels, "level-name", 3), 3u * levels);
    std::string answer = testsupport::runInChild([&]() -> std::string {
        struct rlimit limit {64, 64};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return "no limit";
        int folders = 0, files = 0, leaves = 0;
        size_t deepest = 0;
        FileWalker::Callbacks callbacks;
        callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
            (visit.entry().isFolder() ? folders : files) += 1;
            deepest = std::max(deepest, visit.depth());
            return Step::Continue;
        };
        callbacks.leaveFolder = [&](const FileWalker::Visit&, bool listed) { leaves += listed ? 1 : 1000000; };
        FileWalker::walk(folder.path(), callbacks);
        std::string counts = std::to_string(folders) + " " + std::to_string(files) + " " + std::to_string(leaves) +
                             " " + std::to_string(deepest);
        std::string error;
        bool removed = platform::FileManager::removeItemAtPath(folder / "level-name", &error);
        bool gone = access((folder / "level-name").c_str(), F_OK) != 0;
        return counts + (removed && gone ? " removed" : " left: " + error);
    });
    EXPECT_EQ(answer, "2001 2000 2001 2001 removed");
}

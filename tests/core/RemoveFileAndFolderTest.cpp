#include "core/shredder/RemoveFileAndFolder.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "support/LockFlag.h"
#include "support/LogCapture.h"
#include "support/MemoryUserDefaults.h"
#include "support/TempFolder.h"
#include "support/TreeDigest.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <functional>
#include <sstream>

using core::FileObj;
using core::RemoveFileAndFolder;
using testsupport::readWholeFile;
using testsupport::setImmutable;
using testsupport::TempFolder;

namespace {

class RecordingDelegate : public core::RemoveFileAndFolderDelegate {
public:
    void removeProgress(const std::string& path, float percent) override { progress.emplace_back(path, percent); }
    void removeObjEnd(RemoveFileAndFolder*) override { ++ends; }
    void haveFailWipe() override { ++failWipes; }

    std::vector<std::pair<std::string, float>> progress;
    int ends = 0;
    int failWipes = 0;
};

// The real eraser, with each call and its pass count recorded and a hook before it starts;
// failing makes it fail without touching the file, as a disk error would.
class RecordingEraser : public core::SecureEraser {
public:
    bool securelyEraseFileAt(int folderFd, const std::string& name, const std::string& path, int32_t passCount,
                             const platform::FileIdentity& expected) override {
        calls.emplace_back(path, passCount);
        if (beforeErasing) beforeErasing(path);
        return !failing && SecureEraser::securelyEraseFileAt(folderFd, name, path, passCount, expected);
    }

    std::vector<std::pair<std::string, int32_t>> calls;
    std::function<void(const std::string&)> beforeErasing;
    bool failing = false;
};

using testsupport::exists;

// An item as the page makes it when the user chooses it: its folders resolved.
std::shared_ptr<FileObj> itemFor(const std::string& path, bool isDir = false) {
    auto item = std::make_shared<FileObj>();
    item->name = platform::lastPathComponent(path);
    item->url = platform::resolvedParentPath(path).value_or(path);
    item->isDir = isDir;
    item->type = isDir ? "Folder" : platform::pathExtension(path);
    struct stat info {};
    if (!isDir && lstat(path.c_str(), &info) == 0) item->size = info.st_size;
    item->chosen = platform::ChosenItem::take(item->url);
    return item;
}

std::vector<std::string> outcomes(const RemoveFileAndFolder& engine) {
    std::vector<std::string> texts;
    for (const auto& item : engine.deleteErrorArr()) texts.push_back(item->failStr);
    return texts;
}

class ShredEngine : public ::testing::Test {
protected:
    void SetUp() override { platform::UserDefaults::setShared(defaults); }
    void TearDown() override { platform::UserDefaults::setShared(nullptr); }

    std::shared_ptr<RemoveFileAndFolder> run(std::vector<std::shared_ptr<FileObj>> items) {
        auto engine = std::make_shared<RemoveFileAndFolder>(core::Executors::inlineExecutors(), eraser);
        engine->setDelegate(&delegate);
        engine->benginToTraskWithArr(std::move(items));
        return engine;
    }

    TempFolder temp;
    std::shared_ptr<testsupport::MemoryUserDefaults> defaults = std::make_shared<testsupport::MemoryUserDefaults>();
    std::shared_ptr<RecordingEraser> eraser = std::make_shared<RecordingEraser>();
    RecordingDelegate delegate;
};

}  // namespace

TEST_F(ShredEngine, ProgressForOneItemStartsAtThirty) {
    std::string path = temp.writeFile("one.txt", "one");
    auto engine = run({itemFor(path)});

    ASSERT_EQ(delegate.progress.size(), 1u);
    EXPECT_EQ(delegate.progress[0], std::make_pair(path, 30.0f));
    EXPECT_EQ(delegate.ends, 1);
    EXPECT_EQ(outcomes(*engine), std::vector<std::string>{"Success"});
    EXPECT_FALSE(exists(path));
}

TEST_F(ShredEngine, ProgressForTwoItemsGoesFromZeroToFifty) {
    std::string first = temp.writeFile("first.txt", "1");
    std::string second = temp.writeFile("second.txt", "2");
    auto engine = run({itemFor(first), itemFor(second)});

    std::vector<std::pair<std::string, float>> expected = {{first, 0.0f}, {second, 50.0f}};
    EXPECT_EQ(delegate.progress, expected);
    EXPECT_EQ(delegate.ends, 1);
    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Success", "Success"}));
}

TEST_F(ShredEngine, CancelDuringTheThirdOfFiveFinishesItAndStartsNoOther) {
    std::vector<std::shared_ptr<FileObj>> items;
    std::vector<std::string> paths;
    for (int i = 1; i <= 5; ++i) {
        paths.push_back(temp.writeFile("item" + std::to_string(i), "content"));
        items.push_back(itemFor(paths.back()));
    }
    std::shared_ptr<RemoveFileAndFolder> engine;
    eraser->beforeErasing = [&](const std::string& path) {
        if (path == paths[2]) engine->isCancel();
    };
    engine = std::make_shared<RemoveFileAndFolder>(core::Executors::inlineExecutors(), eraser);
    engine->setDelegate(&delegate);
    engine->benginToTraskWithArr(items);

    EXPECT_EQ(delegate.ends, 1);
    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Success", "Success", "Success"}));
    EXPECT_FALSE(exists(paths[2]));
    EXPECT_EQ(readWholeFile(paths[3]), "content");
    EXPECT_EQ(readWholeFile(paths[4]), "content");
    EXPECT_EQ(delegate.progress.back(), std::make_pair(paths[2], 40.0f));
    const core::ProgressSnapshot progress = engine->progress();
    EXPECT_EQ(progress.done, 3u);
    EXPECT_EQ(progress.total, 5u);
    EXPECT_EQ(progress.bytesDone, 3u * 7u);
    EXPECT_EQ(progress.bytesTotal, 5u * 7u);
    EXPECT_EQ(progress.currentPath, paths[2]);
}

// The main queue runs at once; the worker's steps wait for the test.
TEST_F(ShredEngine, TheEndIsReportedOnlyAfterAWorkerStepThatFollowsTheLastItem) {
    std::deque<core::Task> workerSteps;
    core::Executors executors = core::Executors::inlineExecutors();
    executors.global = [&](core::Task task) { workerSteps.push_back(std::move(task)); };
    const std::string path = temp.writeFile("one.txt", "one");
    auto engine = std::make_shared<RemoveFileAndFolder>(executors, eraser);
    engine->setDelegate(&delegate);
    engine->benginToTraskWithArr({itemFor(path)});

    auto runWorkerStep = [&] {
        core::Task step = std::move(workerSteps.front());
        workerSteps.pop_front();
        step();
    };
    ASSERT_EQ(workerSteps.size(), 1u);
    runWorkerStep();
    EXPECT_FALSE(exists(path));
    ASSERT_EQ(workerSteps.size(), 1u);
    EXPECT_EQ(delegate.ends, 0);
    runWorkerStep();
    EXPECT_EQ(delegate.ends, 1);
    EXPECT_TRUE(workerSteps.empty());
}

TEST_F(ShredEngine, WipeTimesIsAtLeastOneAndASolidStateItemGetsOnePass) {
    EXPECT_EQ(RemoveFileAndFolder::getWipeTimes(), 1);
    struct Case {
        int stored, wipeTimes, written;
    };
    for (const Case& c : {Case{0, 1, 1}, Case{-3, 1, 1}, Case{3, 3, 3}, Case{7, 7, 5}, Case{35, 35, 5}}) {
        defaults->setObject("WipeTimes", platform::PlistValue(int64_t{c.stored}));
        EXPECT_EQ(RemoveFileAndFolder::getWipeTimes(), c.wipeTimes);
        EXPECT_EQ(RemoveFileAndFolder::passesWritten(), c.written);
    }
    defaults->setObject("WipeTimes", platform::PlistValue(int64_t{3}));
    auto spinning = itemFor(temp.writeFile("disk.bin", "data"));
    auto solid = itemFor(temp.writeFile("ssd.bin", "data"));
    solid->isSSD = true;
    run({spinning, solid});

    std::vector<std::pair<std::string, int32_t>> expected = {{spinning->url, 3}, {solid->url, 1}};
    EXPECT_EQ(eraser->calls, expected);
}

TEST_F(ShredEngine, EmptinessIsJudgedByTheSizeNowNotTheSizeListed) {
    auto empty = itemFor(temp.writeFile("empty.txt", ""));
    std::string grownPath = temp.writeFile("grown.txt", "");
    auto grown = itemFor(grownPath);
    temp.writeFile("grown.txt", "written after it was listed");
    auto engine = run({empty, grown});

    ASSERT_EQ(eraser->calls.size(), 1u);
    EXPECT_EQ(eraser->calls[0].first, grownPath);
    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Success", "Success"}));
    EXPECT_FALSE(exists(empty->url));
    EXPECT_FALSE(exists(grownPath));
}

TEST_F(ShredEngine, LinksAndSpecialFilesAreRemovedNeverFollowed) {
    std::string target = temp.writeFile("keep/target.txt", "precious");
    std::string folder = temp.makeFolder("keep/folder");
    temp.writeFile("keep/folder/inside.txt", "also precious");
    std::string fileLink = temp / "work/file-link";
    std::string folderLink = temp / "work/folder-link";
    std::string fifo = temp / "work/pipe";
    temp.makeFolder("work");
    ASSERT_EQ(symlink(target.c_str(), fileLink.c_str()), 0);
    ASSERT_EQ(symlink(folder.c_str(), folderLink.c_str()), 0);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto fileLinkItem = itemFor(fileLink);
    fileLinkItem->size = 8;
    auto engine = run({fileLinkItem, itemFor(folderLink, true), itemFor(fifo)});

    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Success", "Success", "Success"}));
    EXPECT_TRUE(eraser->calls.empty());
    EXPECT_FALSE(exists(fileLink));
    EXPECT_FALSE(exists(folderLink));
    EXPECT_FALSE(exists(fifo));
    EXPECT_EQ(readWholeFile(target), "precious");
    EXPECT_EQ(readWholeFile(folder + "/inside.txt"), "also precious");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(ShredEngine, AFolderGoesOnlyWhenAllItsContentsWereErased) {
    // Children come before their folder, as the page lists them.
    std::string done = temp.makeFolder("done");
    std::string doneChild = temp.writeFile("done/child.txt", "x");
    std::string doneSub = temp.makeFolder("done/sub");
    std::string doneGrandchild = temp.writeFile("done/sub/grandchild.txt", "y");
    std::string leftover = temp.makeFolder("leftover");
    std::string leftoverChild = temp.writeFile("leftover/not-listed.txt", "stays");
    std::string linked = temp.makeFolder("linked");
    std::string linkedChild = temp.writeFile("linked/shared.txt", "two names");
    std::string otherName = temp / "elsewhere.txt";
    ASSERT_EQ(link(linkedChild.c_str(), otherName.c_str()), 0);
    std::string bundle = temp.makeFolder("Tool.app");
    temp.writeFile("Tool.app/Contents/Info.plist", "<plist/>");

    auto engine = run({itemFor(doneGrandchild), itemFor(doneSub, true), itemFor(doneChild), itemFor(done, true),
                       itemFor(leftover, true), itemFor(linkedChild), itemFor(linked, true), itemFor(bundle, true)});

    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Success", "Success", "Success", "Success", "Fail",
                                                           "Fail", "Fail", "Success"}));
    EXPECT_FALSE(exists(done));
    EXPECT_EQ(readWholeFile(leftoverChild), "stays");
    EXPECT_EQ(readWholeFile(linkedChild), "two names");
    EXPECT_EQ(readWholeFile(otherName), "two names");
    struct stat shared {};
    ASSERT_EQ(stat(otherName.c_str(), &shared), 0);
    EXPECT_EQ(shared.st_mode & 07777, 0644u);  // its mode is shared with the other name: untouched
    EXPECT_FALSE(exists(bundle));
    EXPECT_EQ(delegate.failWipes, 0);
    EXPECT_EQ(delegate.ends, 1);
}

TEST_F(ShredEngine, ItemsThatCannotBeMadeWritableRaiseHaveFailWipeOnceEach) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to lay out files of two users";
    using testsupport::nobodyId;
    ASSERT_EQ(chmod(temp.path().c_str(), 0755), 0);
    // A folder of the unprivileged user: its own read-only file, and a file of root's in it.
    std::string own = temp.makeFolder("own");
    std::string readOnly = temp.writeFile("own/read-only.txt", "mine");
    std::string foreign = temp.writeFile("own/foreign.txt", "root's");
    ASSERT_EQ(chown(own.c_str(), nobodyId, nobodyId), 0);
    ASSERT_EQ(chown(readOnly.c_str(), nobodyId, nobodyId), 0);
    ASSERT_EQ(chmod(readOnly.c_str(), 0400), 0);
    // A shared sticky folder: root's file there is writable by all but not removable by others.
    std::string sticky = temp.makeFolder("sticky");
    ASSERT_EQ(chmod(sticky.c_str(), 01777), 0);
    std::string stuck = temp.writeFile("sticky/writable.txt", "root's");
    ASSERT_EQ(chmod(stuck.c_str(), 0666), 0);
    // A folder the user may not write: its file cannot be removed.
    std::string closed = temp.makeFolder("closed");
    std::string inClosed = temp.writeFile("closed/mine.txt", "mine");
    ASSERT_EQ(chown(inClosed.c_str(), nobodyId, nobodyId), 0);
    std::vector<std::shared_ptr<FileObj>> items = {itemFor(readOnly), itemFor(foreign), itemFor(stuck), itemFor(inClosed)};

    std::string report = testsupport::runAsNobody([&] {
        run(items);
        std::ostringstream text;
        text << "failWipes=" << delegate.failWipes << " ends=" << delegate.ends << " outcomes=";
        for (const auto& item : items) text << item->failStr << ",";
        return text.str();
    });

    EXPECT_EQ(report, "failWipes=3 ends=1 outcomes=Success,Fail,Fail,Fail,");
    EXPECT_FALSE(exists(readOnly));
    EXPECT_EQ(readWholeFile(foreign), "root's");
    EXPECT_EQ(readWholeFile(stuck), "root's");
    EXPECT_EQ(readWholeFile(inClosed), "mine");
}

TEST_F(ShredEngine, LockFlagsAreClearedWherePermitted) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to set the immutable flag";
    ASSERT_EQ(chmod(temp.path().c_str(), 0755), 0);
    std::string mine = temp.makeFolder("mine");
    ASSERT_EQ(chown(mine.c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
    std::string rootLocked = temp.writeFile("mine/root-locked.txt", "locked");
    std::string userLocked = temp.writeFile("mine/user-locked.txt", "locked");
    ASSERT_EQ(chown(userLocked.c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
    if (!setImmutable(rootLocked, true) || !setImmutable(userLocked, true))
        GTEST_SKIP() << "the file system or this process cannot set the immutable flag";

    // Only a privileged user may clear the flag: the unprivileged one is refused.
    std::string report = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        run({itemFor(userLocked)});
        return "failWipes=" + std::to_string(delegate.failWipes) +
               (log.contains("Failed to unlock file.") ? " logged" : " silent");
    });
    EXPECT_EQ(report, "failWipes=1 logged");
    EXPECT_EQ(readWholeFile(userLocked), "locked");
    setImmutable(userLocked, false);

    testsupport::LogCapture log;
    auto engine = run({itemFor(rootLocked)});
    EXPECT_EQ(outcomes(*engine), std::vector<std::string>{"Success"});
    EXPECT_FALSE(exists(rootLocked));
    EXPECT_TRUE(log.contains("File unlocked successfully."));
}

TEST_F(ShredEngine, AHardLinkedFileKeepsItsModeEvenWhenItCouldBeMadeWritable) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to give the files to another user";
    using testsupport::nobodyId;
    ASSERT_EQ(chmod(temp.path().c_str(), 0755), 0);
    std::string own = temp.makeFolder("own");
    std::string readOnly = temp.writeFile("own/read-only.txt", "two names");
    std::string otherName = temp / "own/other-name.txt";
    ASSERT_EQ(link(readOnly.c_str(), otherName.c_str()), 0);
    ASSERT_EQ(chown(own.c_str(), nobodyId, nobodyId), 0);
    ASSERT_EQ(chown(readOnly.c_str(), nobodyId, nobodyId), 0);
    ASSERT_EQ(chmod(readOnly.c_str(), 0400), 0);
    std::vector<std::shared_ptr<FileObj>> items = {itemFor(readOnly)};

    std::string report = testsupport::runAsNobody([&] {
        run(items);
        return "failWipes=" + std::to_string(delegate.failWipes) + " outcome=" + items[0]->failStr;
    });

    EXPECT_EQ(report, "failWipes=0 outcome=Fail");
    EXPECT_EQ(readWholeFile(otherName), "two names");
    struct stat shared {};
    ASSERT_EQ(stat(otherName.c_str(), &shared), 0);
    EXPECT_EQ(shared.st_mode & 07777, 0400u);
}

// Each item was chosen in its folder; the folder has become a link to another folder since,
// or becomes one between the engine's checks and the erasure.
TEST_F(ShredEngine, AnItemBehindAFolderSwappedForALinkNeverReachesOutside) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to set the append-only flag";
    std::string outsideFile = temp.writeFile("outside/victim.txt", "precious");
    if (!setImmutable(outsideFile, true, FS_APPEND_FL)) GTEST_SKIP() << "the file system cannot set the append-only flag";
    const std::string outside = testsupport::treeDigest(temp / "outside");
    auto swapForLink = [&](const std::string& folder) {
        rename((temp / folder).c_str(), (temp / (folder + "-moved")).c_str());
        symlink((temp / "outside").c_str(), (temp / folder).c_str());
    };
    auto before = itemFor(temp.writeFile("before/victim.txt", "chosen"));
    auto during = itemFor(temp.writeFile("during/victim.txt", "chosen"));
    swapForLink("before");
    eraser->beforeErasing = [&](const std::string&) { swapForLink("during"); };
    auto engine = run({before, during});
    const std::string outsideAfter = testsupport::treeDigest(temp / "outside");
    setImmutable(outsideFile, false, FS_APPEND_FL);

    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Fail", "Success"}));
    EXPECT_EQ(eraser->calls.size(), 1u);
    EXPECT_EQ(outsideAfter, outside);
    EXPECT_EQ(readWholeFile(temp / "before-moved/victim.txt"), "chosen");
    EXPECT_FALSE(exists(temp / "during-moved/victim.txt"));  // the file chosen, from the folder it was in
}

// A refused item is refused before anything about it changes; one that fails later gets its
// mode and flags back.
TEST_F(ShredEngine, AnItemNotErasedKeepsItsModeAndFlags) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to set the append-only and immutable flags";
    std::string refused = temp.writeFile("frozen/locked.txt", "kept");
    std::string failing = temp.writeFile("open/locked.txt", "kept");
    for (const std::string& path : {refused, failing}) {
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        if (!setImmutable(path, true, FS_APPEND_FL)) GTEST_SKIP() << "the file system cannot set the append-only flag";
    }
    const std::string before = testsupport::treeDigest(temp.path());
    // Nothing may be removed from an immutable folder, not even by root.
    ASSERT_TRUE(setImmutable(temp / "frozen", true));
    eraser->failing = true;
    auto engine = run({itemFor(refused), itemFor(failing)});
    setImmutable(temp / "frozen", false);
    const std::string after = testsupport::treeDigest(temp.path());
    for (const std::string& path : {refused, failing}) setImmutable(path, false, FS_APPEND_FL);

    EXPECT_EQ(outcomes(*engine), (std::vector<std::string>{"Fail", "Fail"}));
    EXPECT_EQ(delegate.failWipes, 1);
    EXPECT_EQ(eraser->calls.size(), 1u);  // only the second was unlocked and handed over
    EXPECT_EQ(after, before);
}

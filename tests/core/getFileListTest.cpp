#include "core/duplicates/getFileList.h"
#include "platform/system/Log.h"
#include "platform/files/LinuxSystemFolders.h"
#include "platform/files/PathText.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <thread>

using core::fileAttrbItem;
using core::getFileList;

namespace {

struct Collected {
    bool listed = false;
    std::vector<std::string> files;    // relative to the chosen folder
    std::vector<std::string> bundles;  // relative to the chosen folder
};

std::string relativeTo(const std::string& folder, const std::string& path) {
    return path.size() > folder.size() ? path.substr(folder.size() + 1) : path;
}

Collected collect(const std::string& folder, bool hidden = true, bool system = true, getFileList* collector = nullptr) {
    getFileList own;
    getFileList& list = collector ? *collector : own;
    list.setSearchHiddenFile(hidden);
    list.setSearchSystemDirectory(system);
    std::vector<fileAttrbItem> files;
    std::vector<std::string> bundles;
    Collected result;
    result.listed = list.getListAtPath(folder, files, bundles, 0);
    for (const auto& file : files) result.files.push_back(relativeTo(folder, file.filePathName));
    for (const auto& bundle : bundles) result.bundles.push_back(relativeTo(folder, bundle));
    return result;
}

using Names = std::vector<std::string>;

class GetFileListTest : public ::testing::Test {
protected:
    void link(const std::string& target, const std::string& relative) {
        ASSERT_EQ(symlink(target.c_str(), (folder / relative).c_str()), 0) << relative;
    }

    testsupport::ScopedEnvironment environment;
    testsupport::TempFolder folder;
    testsupport::LogCapture log;
};

}  // namespace

TEST_F(GetFileListTest, FoldersAreWalkedInNameOrderWithTheirContentsFirst) {
    folder.writeFile("c", "3");
    folder.writeFile("a/x", "2");
    folder.writeFile("a/b/y", "1");
    folder.writeFile("B", "0");
    const Collected result = collect(folder.path());
    EXPECT_TRUE(result.listed);
    EXPECT_EQ(result.files, (Names{"B", "a/b/y", "a/x", "c"}));
}

TEST_F(GetFileListTest, RecordsCarrySizeNameAndIdentity) {
    const std::string path = folder.writeFile("sub/file.txt", "twelve bytes");
    getFileList list;
    std::vector<fileAttrbItem> files;
    std::vector<std::string> bundles;
    ASSERT_TRUE(list.getListAtPath(folder.path(), files, bundles, 0));
    ASSERT_EQ(files.size(), 1u);
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(files[0].filePathName, path);
    EXPECT_EQ(files[0].fileName(), "file.txt");
    EXPECT_EQ(files[0].fileSize, 12u);
    EXPECT_EQ(files[0].inode, status.st_ino);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(files[0].ModificationDate), status.st_mtim.tv_sec);
    EXPECT_EQ(files[0].md5, 0u);
    EXPECT_TRUE(log.contains("file:" + path + " filesize:12"));
}

TEST_F(GetFileListTest, OnlyRegularFilesAboveTheLimitAreCandidates) {
    folder.writeFile("empty", "");
    folder.writeFile("sub/empty", "");
    folder.writeFile("sub/full", "x");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((folder / "sub/pipe").c_str(), 0600), 0);
    EXPECT_EQ(collect(folder.path()).files, (Names{"sub/full"}));

    getFileList list;
    std::vector<fileAttrbItem> files;
    std::vector<std::string> bundles;
    folder.writeFile("sub/ten", "0123456789");
    folder.writeFile("sub/eleven", "0123456789a");
    list.getListAtPath(folder.path(), files, bundles, 10);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].fileName(), "eleven");
}

TEST_F(GetFileListTest, LinksAreFollowedAtTheTopLevelOnly) {
    const testsupport::TempFolder outside;
    outside.writeFile("far/file", "far");
    outside.writeFile("single", "one");
    folder.writeFile("sub/own", "own");
    link(outside / "far", "toFar");
    link(outside / "single", "toSingle");
    link(outside / "far", "sub/deepLink");
    link(outside / "single", "sub/deepFileLink");
    link(folder / "missing", "broken");
    EXPECT_EQ(collect(folder.path()).files, (Names{"sub/own", "toFar/file", "toSingle"}));
    EXPECT_TRUE(log.contains("directory not exsts:" + (folder / "broken")));
}

TEST_F(GetFileListTest, AFileReachedTwiceIsOfferedOnce) {
    folder.writeFile("real/a", "a");
    folder.writeFile("real/b", "b");
    link(folder / "real", "alias");  // sorts before "real"
    ASSERT_EQ(::link((folder / "real/a").c_str(), (folder / "real/hard").c_str()), 0);
    EXPECT_EQ(collect(folder.path()).files, (Names{"alias/a", "alias/b"}));
}

TEST_F(GetFileListTest, LinkLoopsEnd) {
    folder.writeFile("sub/file", "f");
    link(folder.path(), "self");
    link("..", "sub/up");
    link("loopB", "loopA");
    link("loopA", "loopB");
    // "self" sorts before "sub": the file is offered once, through the link.
    EXPECT_EQ(collect(folder.path()).files, (Names{"self/sub/file"}));
}

TEST_F(GetFileListTest, HiddenItems) {
    folder.writeFile(".hiddenFile", "h");
    folder.writeFile(".hiddenFolder/inner", "h");
    folder.writeFile("sub/.dot", "h");
    folder.writeFile("sub/.dotFolder/inner", "h");
    folder.writeFile("sub/plain", "p");
    EXPECT_EQ(collect(folder.path(), false).files, (Names{"sub/plain"}));
    EXPECT_EQ(collect(folder.path(), true).files.size(), 5u);

    folder.writeFile(".inside/chosen/sub/file", "x");
    EXPECT_TRUE(collect(folder / ".inside/chosen", false).files.empty());
    EXPECT_EQ(collect(folder / ".inside/chosen", true).files, (Names{"sub/file"}));
}

TEST_F(GetFileListTest, BundlesAreRecordedOnceAndKeptOutOfTheCandidates) {
    folder.writeFile("A.app/Contents/one", "1");
    folder.writeFile("A.app/Contents/two", "2");
    folder.writeFile("plain", "p");
    folder.writeFile("sub/B.APP/inner", "b");
    folder.writeFile("sub/Tool.app", "a file named like a bundle");
    folder.makeFolder("sub/Empty.app");
    const Collected result = collect(folder.path());
    EXPECT_EQ(result.files, (Names{"plain"}));
    EXPECT_EQ(result.bundles, (Names{"A.app", "sub/B.APP", "sub/Empty.app", "sub/Tool.app"}));
}

TEST_F(GetFileListTest, SystemFoldersAreLeftOutAtTheTopOfTheStartupDiskOnly) {
    const std::string root = environment.root();
    for (std::string name : {"Library", "SYSTEM", "Volumes", "bin", "sbin", "developer", "Users", "usr", "etc", "home"})
        environment.folder().writeFile("root/" + name + "/nested/file", "x");
    EXPECT_EQ(collect(root, true, false).files, (Names{"Users/nested/file", "home/nested/file"}));
    EXPECT_EQ(collect(root, true, true).files.size(), 10u);
    EXPECT_EQ(collect(platform::joinPath(root, "Users"), true, false).files, (Names{"nested/file"}));

    folder.writeFile("Library/file", "x");
    EXPECT_EQ(collect(folder.path(), true, false).files, (Names{"Library/file"}));
}

TEST_F(GetFileListTest, SystemFolderNames) {
    EXPECT_TRUE(getFileList::IsSystemDirectory("/library/Caches"));
    EXPECT_TRUE(getFileList::IsSystemDirectory("/SBIN"));
    EXPECT_TRUE(getFileList::IsSystemDirectory("bin/x"));
    EXPECT_FALSE(getFileList::IsSystemDirectory("/Users/Library"));
    EXPECT_FALSE(getFileList::IsSystemDirectory("/Libraries"));
    for (std::string_view linuxFolder : platform::linuxSystemFolderNames)
        EXPECT_TRUE(getFileList::IsSystemDirectory("/" + std::string(linuxFolder) + "/x")) << linuxFolder;
    EXPECT_FALSE(getFileList::IsSystemDirectory("/USR"));
    EXPECT_FALSE(getFileList::IsSystemDirectory("/home/usr"));
    EXPECT_TRUE(getFileList::IsHiddenFile("/a/.b/c"));
    EXPECT_TRUE(getFileList::IsHiddenFile("/a/./c"));
    EXPECT_FALSE(getFileList::IsHiddenFile("/a/b.c/d."));
}

TEST_F(GetFileListTest, PseudoFileSystemsAreNeverEntered) {
    folder.writeFile("own", "o");
    link("/proc", "proc");
    link("/sys", "sys");
    EXPECT_EQ(collect(folder.path()).files, (Names{"own"}));
    EXPECT_FALSE(collect("/proc/self").listed);
}

TEST_F(GetFileListTest, ChosenFolderThatCannotBeListedFails) {
    const Collected result = collect(folder / "nothing");
    EXPECT_FALSE(result.listed);
    EXPECT_TRUE(result.files.empty());
}

TEST_F(GetFileListTest, StopEndsTheWalkAndKeepsWhatWasCollected) {
    folder.writeFile("a", "x");
    link(folder / "missing", "b");
    folder.writeFile("c", "x");
    folder.writeFile("d/e", "x");
    getFileList list;
    platform::setLogSink([&](platform::LogLevel, const std::string& line) {
        if (line.rfind("directory not exsts:", 0) == 0) list.stopSearch();
    });
    const Collected result = collect(folder.path(), true, true, &list);
    platform::setLogSink({});
    EXPECT_TRUE(result.listed);
    EXPECT_EQ(result.files, (Names{"a"}));

    getFileList stoppedEarly;
    stoppedEarly.stopSearch();
    EXPECT_TRUE(collect(folder.path(), true, true, &stoppedEarly).files.empty());
}

TEST_F(GetFileListTest, FoldersWalkedAtOnceGiveTheOrderOfOneWalk) {
    for (int top = 0; top < 12; ++top)
        for (int file = 0; file < 30; ++file)
            folder.writeFile("t" + std::to_string(top) + "/s" + std::to_string(file % 3) + "/f" + std::to_string(file),
                             std::string(static_cast<std::size_t>(file + 1), 'x'));
    folder.writeFile("t5/Inner.app/x", "x");
    folder.writeFile("t9/Inner.app/y", "y");
    getFileList together([](core::Task task) { std::thread(std::move(task)).detach(); }, 8);
    const Collected parallel = collect(folder.path(), true, true, &together);
    const Collected serial = collect(folder.path());
    EXPECT_EQ(parallel.files.size(), 360u);
    EXPECT_EQ(parallel.files, serial.files);
    EXPECT_EQ(parallel.bundles, (Names{"t5/Inner.app", "t9/Inner.app"}));
}

TEST_F(GetFileListTest, UnreadableSubFolderIsLoggedAndLeftOut) {
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
    folder.writeFile("open/file", "x");
    folder.writeFile("locked/inner/file", "x");
    folder.writeFile("later/file", "x");
    ASSERT_EQ(chmod((folder / "locked").c_str(), 0700), 0);
    ASSERT_EQ(chmod((folder / "open").c_str(), 0755), 0);
    ASSERT_EQ(chmod((folder / "later").c_str(), 0755), 0);
    const std::string report = testsupport::runAsNobody([&] {
        testsupport::LogCapture childLog;
        std::string text;
        for (const auto& file : collect(folder.path()).files) text += file + ";";
        if (childLog.contains("get contents Of Directory At Path failed" + (folder / "locked"))) text += "logged";
        return text;
    });
    EXPECT_EQ(report, "later/file;open/file;logged");
}

#include "platform/files/FolderLister.h"

#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <linux/magic.h>

using platform::FileKind;
using platform::FolderLister;

TEST(FolderLister, ListsEntriesInByteOrderWithTheirOwnAttributes) {
    testsupport::TempFolder folder;
    folder.writeFile("b", "12345");
    folder.writeFile("B", "");
    folder.writeFile("a.txt", "xy");
    folder.writeFile("\xc3\xa9t\xc3\xa9", "z");
    folder.makeFolder("dir");
    symlink("/nonexistent/target", (folder / "link").c_str());
    mkfifo((folder / "pipe").c_str(), 0600);

    auto entries = FolderLister::list(folder.path());
    ASSERT_TRUE(entries);
    std::vector<std::string> names;
    for (const auto& entry : *entries) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "a.txt", "b", "dir", "link", "pipe", "\xc3\xa9t\xc3\xa9"}));

    EXPECT_EQ((*entries)[2].kind, FileKind::File);
    EXPECT_EQ((*entries)[2].size, 5u);
    EXPECT_EQ((*entries)[3].kind, FileKind::Folder);
    EXPECT_EQ((*entries)[4].kind, FileKind::Link);
    EXPECT_EQ((*entries)[4].size, std::string("/nonexistent/target").size());
    EXPECT_EQ((*entries)[5].kind, FileKind::Other);
    struct stat info;
    ASSERT_EQ(lstat((folder / "b").c_str(), &info), 0);
    EXPECT_EQ((*entries)[2].device, info.st_dev);
    EXPECT_EQ((*entries)[2].inode, info.st_ino);
    EXPECT_EQ((*entries)[2].modified.tv_sec, info.st_mtim.tv_sec);
}

TEST(FolderLister, MissingFolderOrFileIsNotListedAndLogged) {
    testsupport::TempFolder folder;
    folder.writeFile("file", "x");
    testsupport::LogCapture log;
    EXPECT_FALSE(FolderLister::list(folder / "missing"));
    EXPECT_FALSE(FolderLister::list(folder / "file"));
    EXPECT_FALSE(FolderLister::list(""));
    EXPECT_TRUE(log.contains(folder / "missing"));
    EXPECT_FALSE(FolderLister::entryAt(folder / "missing"));
}

TEST(FolderLister, LinkToAFolderIsListedOnlyWhenAsked) {
    testsupport::TempFolder folder;
    folder.writeFile("real/inside", "x");
    symlink((folder / "real").c_str(), (folder / "link").c_str());
    testsupport::LogCapture log;
    EXPECT_FALSE(FolderLister::list(folder / "link"));
    auto followed = FolderLister::list(folder / "link", true);
    ASSERT_TRUE(followed);
    ASSERT_EQ(followed->size(), 1u);
    EXPECT_EQ(followed->front().name, "inside");
    EXPECT_EQ(FolderLister::entryAt(folder / "link")->kind, FileKind::Link);
    EXPECT_EQ(FolderLister::entryAt(folder / "link", true)->kind, FileKind::Folder);
}

TEST(FolderLister, PseudoFileSystemsAreNeverListed) {
    testsupport::LogCapture log;
    EXPECT_FALSE(FolderLister::list("/proc"));
    EXPECT_FALSE(FolderLister::list("/sys"));
}

// devtmpfs reports tmpfs's type; the mount table (read under the proc root) tells it apart.
TEST(FolderLister, DeviceFileSystemIsToldFromTmpfsByTheMountTable) {
    struct statfs shm;
    if (statfs("/dev/shm", &shm) != 0 || shm.f_type != TMPFS_MAGIC) GTEST_SKIP() << "no tmpfs at /dev/shm";
    char pattern[] = "/dev/shm/duridove-test-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    std::string folder = pattern;
    struct stat info;
    ASSERT_EQ(stat(folder.c_str(), &info), 0);

    testsupport::ScopedEnvironment environment;
    auto mountTable = [&](const char* type) {
        environment.folder().writeFile(
            "proc/self/mountinfo", "25 1 " + std::to_string(major(info.st_dev)) + ":" +
                                       std::to_string(minor(info.st_dev)) + " / /dev/shm rw - " + type + " " +
                                       type + " rw\n");
    };
    mountTable("tmpfs");
    EXPECT_TRUE(FolderLister::list(folder));
    mountTable("devtmpfs");
    testsupport::LogCapture log;
    EXPECT_FALSE(FolderLister::list(folder));
    rmdir(folder.c_str());
}

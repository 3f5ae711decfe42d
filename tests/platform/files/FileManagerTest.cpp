#include "platform/files/FileManager.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::FileManager;

namespace {

using testsupport::exists;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

}  // namespace

TEST(FileManager, RemovesATreeAndItsLinksWithoutFollowingThem) {
    testsupport::TempFolder folder;
    folder.writeFile("outside/keep", "x");
    folder.writeFile("tree/a/b/file", "x");
    folder.writeFile("tree/top", "x");
    symlink((folder / "outside").c_str(), (folder / "tree/a/to-outside").c_str());
    symlink((folder / "outside/keep").c_str(), (folder / "link-to-keep").c_str());
    std::string error;
    EXPECT_TRUE(FileManager::removeItemAtPath(folder / "tree", &error)) << error;
    EXPECT_TRUE(FileManager::removeItemAtPath(folder / "link-to-keep", &error)) << error;
    EXPECT_FALSE(exists(folder / "tree"));
    EXPECT_FALSE(exists(folder / "link-to-keep"));
    EXPECT_TRUE(exists(folder / "outside/keep"));
}

TEST(FileManager, MissingItemIsAFailureWithAReason) {
    testsupport::TempFolder folder;
    std::string error;
    EXPECT_FALSE(FileManager::removeItemAtPath(folder / "missing", &error));
    EXPECT_NE(error.find(folder / "missing"), std::string::npos);
}

TEST(FileManager, PermissionsOfALinkAreNeverChanged) {
    testsupport::TempFolder folder;
    std::string target = folder.writeFile("target", "x");
    chmod(target.c_str(), 0600);
    symlink(target.c_str(), (folder / "link").c_str());
    std::string error;
    EXPECT_FALSE(FileManager::setPosixPermissions(folder / "link", 0777, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(modeOf(target), 0600u);
    EXPECT_TRUE(FileManager::setPosixPermissions(target, 0640, &error));
    EXPECT_EQ(modeOf(target), 0640u);
}

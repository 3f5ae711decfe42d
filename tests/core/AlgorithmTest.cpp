#include "core/duplicates/algorithm.h"
#include "core/duplicates/crc.h"
#include "support/LogCapture.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

using core::algorithm;
using core::crc;
using core::fileAttrbItem;
using testsupport::randomContent;

namespace {

std::uint64_t referenceCrc(const std::string& content) {
    return crc::crc64BufferByTable(content.data(), content.size(), true, 0);
}

fileAttrbItem recordOf(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) ADD_FAILURE() << "no file " << path;
    fileAttrbItem item;
    item.filePathName = path;
    item.fileSize = static_cast<std::uint64_t>(status.st_size);
    item.device = status.st_dev;
    item.inode = status.st_ino;
    return item;
}

// Opens the file for writing only, so the open succeeds and every read fails.
class WriteOnlyOpening : public algorithm {
protected:
    int openForReading(const std::string& path) override { return open(path.c_str(), O_WRONLY | O_CLOEXEC); }
};

class AlgorithmTest : public ::testing::Test {
protected:
    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    algorithm fingerprints;
};

}  // namespace

TEST_F(AlgorithmTest, FilesAroundOneKilobyte) {
    for (std::size_t length : {1023u, 1024u, 1025u}) {
        const std::string content = randomContent(length, length);
        fileAttrbItem item = recordOf(folder.writeFile("f" + std::to_string(length), content));
        ASSERT_TRUE(fingerprints.getMD5_1K(item));
        EXPECT_EQ(item.md5_1k, referenceCrc(content.substr(0, 1024))) << length;
        ASSERT_TRUE(fingerprints.getMD5(item));
        EXPECT_EQ(item.md5, referenceCrc(content)) << length;
    }
}

TEST_F(AlgorithmTest, WholeFileValueDoesNotDependOnTheHeadBeingKnown) {
    for (std::size_t length : {std::size_t(1), std::size_t(5000), std::size_t(4u << 20), std::size_t((4u << 20) + 1),
                               std::size_t((8u << 20) + 333)}) {
        const std::string content = randomContent(length, length + 7);
        const std::string path = folder.writeFile("g" + std::to_string(length), content);
        fileAttrbItem fresh = recordOf(path), headFirst = recordOf(path);
        ASSERT_TRUE(fingerprints.getMD5(fresh));
        ASSERT_TRUE(fingerprints.getMD5_1K(headFirst));
        ASSERT_TRUE(fingerprints.getMD5(headFirst));
        EXPECT_EQ(fresh.md5, referenceCrc(content)) << length;
        EXPECT_EQ(headFirst.md5, fresh.md5) << length;
    }
}

TEST_F(AlgorithmTest, SameHeadDifferentTail) {
    std::string first = randomContent(9000, 11), second = first;
    second[8000] ^= 1;
    fileAttrbItem a = recordOf(folder.writeFile("a", first)), b = recordOf(folder.writeFile("b", second));
    for (fileAttrbItem* item : {&a, &b}) ASSERT_TRUE(fingerprints.getMD5_1K(*item) && fingerprints.getMD5(*item));
    EXPECT_EQ(a.md5_1k, b.md5_1k);
    EXPECT_NE(a.md5, b.md5);
}

TEST_F(AlgorithmTest, EmptyFileNeverGetsAWholeFingerprint) {
    fileAttrbItem item = recordOf(folder.writeFile("empty", ""));
    EXPECT_FALSE(fingerprints.getMD5(item));
    EXPECT_EQ(item.md5, 0u);
}

TEST_F(AlgorithmTest, FileChangedSinceCollectionFails) {
    const std::string path = folder.writeFile("changing", randomContent(3000, 5));
    fileAttrbItem grown = recordOf(path);
    folder.writeFile("changing", randomContent(3001, 5));
    EXPECT_FALSE(fingerprints.getMD5_1K(grown));
    EXPECT_FALSE(fingerprints.getMD5(grown));
    EXPECT_EQ(grown.md5_1k, 0u);
    EXPECT_EQ(grown.md5, 0u);

    fileAttrbItem replaced = recordOf(folder.writeFile("old", "same length"));
    folder.writeFile("new", "SAME LENGTH");
    ASSERT_EQ(std::rename((folder / "new").c_str(), (folder / "old").c_str()), 0);
    EXPECT_FALSE(fingerprints.getMD5(replaced));
    EXPECT_TRUE(log.contains("file changed since it was listed:" + replaced.filePathName));
}

TEST_F(AlgorithmTest, MissingFileIsLoggedAndFails) {
    fileAttrbItem item;
    item.filePathName = folder / "gone";
    item.fileSize = 10;
    EXPECT_FALSE(fingerprints.getMD5_1K(item));
    EXPECT_FALSE(fingerprints.getMD5(item));
    EXPECT_TRUE(log.contains("open file:" + item.filePathName + " failed"));
    EXPECT_TRUE(log.contains("open file :" + item.filePathName + " failed"));
}

TEST_F(AlgorithmTest, ReadErrorFailsTheFingerprint) {
    fileAttrbItem item = recordOf(folder.writeFile("unreadable", randomContent(5000, 6)));
    WriteOnlyOpening failing;
    EXPECT_FALSE(failing.getMD5_1K(item));
    EXPECT_FALSE(failing.getMD5(item));
    EXPECT_EQ(item.md5, 0u);
    EXPECT_TRUE(log.contains("read file failed:" + item.filePathName));
}

TEST_F(AlgorithmTest, FifoIsRefusedWithoutBlocking) {
    const std::string path = folder / "pipe";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    fileAttrbItem item;
    item.filePathName = path;
    item.fileSize = 0;
    EXPECT_FALSE(fingerprints.getMD5_1K(item));
    item.fileSize = 100;
    EXPECT_FALSE(fingerprints.getMD5(item));
}

TEST_F(AlgorithmTest, StopEndsTheWholeReadBetweenChunks) {
    std::atomic<bool> stop{true};
    algorithm stopped(&stop);
    fileAttrbItem item = recordOf(folder.writeFile("big", randomContent(5u << 20, 8)));
    EXPECT_FALSE(stopped.getMD5(item));
    EXPECT_EQ(item.md5, 0u);
    stop = false;
    EXPECT_TRUE(stopped.getMD5(item));
}

#include "core/shredder/SecureEraser.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <cerrno>
#include <cstring>
#include <functional>

using core::SecureEraser;
using testsupport::readWholeFile;
using testsupport::TempFolder;

namespace {

constexpr size_t MiB = 1024 * 1024;
constexpr unsigned char patternByte = 0x5a;

// Random bytes replaced by a known pattern, and every chunk length asked for recorded.
class PatternRandom : public core::SecureRandom {
public:
    bool fill(unsigned char* buffer, size_t length) override {
        if (fills.empty() && beforeFirstFill) beforeFirstFill();
        fills.push_back(length);
        std::fill(buffer, buffer + length, patternByte);
        return true;
    }
    uint32_t uniform(uint32_t bound) override { return namesAllA ? 0 : SecureRandom::uniform(bound); }

    std::vector<size_t> fills;
    std::function<void()> beforeFirstFill;
    bool namesAllA = false;
};

using testsupport::exists;

size_t entriesIn(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

// A disk that fills up at the given write: that write and every later one fail with ENOSPC.
class FullDiskEraser : public SecureEraser {
public:
    FullDiskEraser(std::shared_ptr<core::SecureRandom> random, int failingWrite)
        : SecureEraser(std::move(random)), failingWrite_(failingWrite) {}
    int writes = 0;

protected:
    ssize_t writeChunk(int fd, const unsigned char* data, size_t length, uint64_t offset) override {
        if (++writes >= failingWrite_) {
            errno = ENOSPC;
            return -1;
        }
        return SecureEraser::writeChunk(fd, data, length, offset);
    }

private:
    int failingWrite_;
};

uint64_t freeBytes(const std::string& folder) {
    struct statvfs info {};
    return statvfs(folder.c_str(), &info) == 0 ? uint64_t(info.f_bavail) * info.f_frsize : 0;
}

// Mounts a small tmpfs on the folder in a mount namespace of this (child) process alone, so
// nothing stays mounted whatever the test does. An empty text means it is mounted.
std::string mountSmallTmpfs(const std::string& folder, const char* size) {
    if (unshare(CLONE_NEWNS) != 0) return std::string("no mount namespace: ") + std::strerror(errno);
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("mounts cannot be made private: ") + std::strerror(errno);
    const std::string options = std::string("size=") + size;
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return std::string("no tmpfs can be mounted: ") + std::strerror(errno);
    return {};
}

bool allBytesAre(const std::string& content, unsigned char value) {
    return std::all_of(content.begin(), content.end(), [value](char byte) { return static_cast<unsigned char>(byte) == value; });
}

}  // namespace

TEST(SecureEraser, WritesSixteenMebibyteChunksInEveryPassAndLeavesNothingBehind) {
    TempFolder temp;
    std::string path = temp.writeFile("data/forty.bin", std::string(40 * MiB, 'x'));
    auto random = std::make_shared<PatternRandom>();
    SecureEraser eraser(random);
    testsupport::LogCapture log;

    EXPECT_TRUE(eraser.securelyEraseFile(path, 3));

    // Passes 1 and 2 draw random bytes chunk by chunk; pass 0 writes zeros the same way.
    std::vector<size_t> expected = {16 * MiB, 16 * MiB, 8 * MiB, 16 * MiB, 16 * MiB, 8 * MiB};
    EXPECT_EQ(random->fills, expected);
    EXPECT_EQ(entriesIn(temp / "data"), 0u);
    EXPECT_TRUE(log.contains(".deleted"));
    EXPECT_TRUE(log.contains("文件已成功删除"));
}

// The next chunk of a random pass is drawn while one is written: every chunk still gets its
// own draw, in order, the last one short.
TEST(SecureEraser, EveryChunkOfARandomPassIsWrittenWithItsOwnDraw) {
    class CountingRandom : public core::SecureRandom {
    public:
        bool fill(unsigned char* buffer, size_t length) override {
            std::fill(buffer, buffer + length, static_cast<unsigned char>(++draws));
            return true;
        }
        int draws = 0;
    };
    TempFolder temp;
    const size_t size = 40 * MiB;
    std::string path = temp.writeFile("forty.bin", std::string(size, 'x'));
    auto random = std::make_shared<CountingRandom>();
    int fd = open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);

    EXPECT_TRUE(SecureEraser(random).overwrite(fd, size, 2));
    close(fd);

    const std::string content = readWholeFile(path);
    ASSERT_EQ(content.size(), size);
    EXPECT_EQ(random->draws, 3);
    for (size_t chunk = 0; chunk < 3; ++chunk) {
        const size_t begin = chunk * 16 * MiB, end = std::min(size, begin + 16 * MiB);
        EXPECT_TRUE(allBytesAre(content.substr(begin, end - begin), static_cast<unsigned char>(chunk + 1))) << chunk;
    }
}

TEST(SecureEraser, PassCountsAreClampedToOneToFiveWithZerosFirst) {
    struct Case {
        int32_t passCount;
        size_t randomPasses;
        unsigned char lastByte;
    };
    for (Case each : {Case{0, 0, 0}, Case{-4, 0, 0}, Case{1, 0, 0}, Case{2, 1, patternByte}, Case{7, 4, patternByte},
                      Case{35, 4, patternByte}}) {
        SCOPED_TRACE(each.passCount);
        TempFolder temp;
        std::string path = temp.writeFile("file", std::string(3000, 'x'));
        auto random = std::make_shared<PatternRandom>();
        bool zerosBeforeRandom = false;
        random->beforeFirstFill = [&] { zerosBeforeRandom = allBytesAre(readWholeFile(path), 0); };
        int fd = open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);

        EXPECT_TRUE(SecureEraser(random).overwrite(fd, 3000, each.passCount));
        close(fd);

        EXPECT_EQ(random->fills.size(), each.randomPasses);
        std::string content = readWholeFile(path);
        EXPECT_EQ(content.size(), 3000u);
        EXPECT_TRUE(allBytesAre(content, each.lastByte));
        if (each.randomPasses > 0) {
            EXPECT_TRUE(zerosBeforeRandom);
        }
    }
}

TEST(SecureEraser, AnEmptyFileGetsNoPassButIsStillRemoved) {
    TempFolder temp;
    std::string path = temp.writeFile("empty.txt", "");
    auto random = std::make_shared<PatternRandom>();

    EXPECT_TRUE(SecureEraser(random).securelyEraseFile(path, 3));
    EXPECT_TRUE(random->fills.empty());
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(entriesIn(temp.path()), 0u);
}

TEST(SecureEraser, LinksHardLinkedFilesAndSpecialFilesAreLeftAlone) {
    TempFolder temp;
    std::string target = temp.writeFile("target.txt", "precious");
    std::string link = temp / "link";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    std::string shared = temp.writeFile("shared.txt", "kept under two names");
    std::string other = temp / "other-name.txt";
    ASSERT_EQ(::link(shared.c_str(), other.c_str()), 0);
    std::string fifo = temp / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    testsupport::LogCapture log;
    SecureEraser eraser;

    EXPECT_FALSE(eraser.securelyEraseFile(link, 1));
    EXPECT_FALSE(eraser.securelyEraseFile(shared, 1));
    EXPECT_FALSE(eraser.securelyEraseFile(fifo, 1));  // returns at once: a FIFO is never opened

    EXPECT_EQ(readWholeFile(target), "precious");
    EXPECT_TRUE(exists(link));
    EXPECT_EQ(readWholeFile(shared), "kept under two names");
    EXPECT_EQ(readWholeFile(other), "kept under two names");
    EXPECT_TRUE(exists(fifo));
    EXPECT_TRUE(log.contains("hard links"));
    EXPECT_EQ(entriesIn(temp.path()), 5u);
}

TEST(SecureEraser, AMissingFileFails) {
    TempFolder temp;
    testsupport::LogCapture log;
    EXPECT_FALSE(SecureEraser().securelyEraseFile(temp / "gone.txt", 1));
    EXPECT_FALSE(SecureEraser().securelyEraseFile(temp / "no-folder/gone.txt", 1));
    EXPECT_TRUE(log.contains("文件不存在"));
}

TEST(SecureEraser, ARandomNameNeverReplacesAnExistingEntry) {
    TempFolder temp;
    std::string path = temp.writeFile("secret.txt", "secret");
    std::string clash = temp.writeFile("aaaaaaaaaaaaaaa", "keep me");
    bool attributeSet = setxattr(path.c_str(), "user.origin", "web", 3, 0) == 0;
    auto random = std::make_shared<PatternRandom>();
    random->namesAllA = true;
    testsupport::LogCapture log;

    EXPECT_FALSE(SecureEraser(random).securelyEraseFile(path, 2));

    EXPECT_EQ(readWholeFile(clash), "keep me");
    EXPECT_TRUE(log.contains("移动文件到 tmp1 失败"));
    // The file stays under its own name, emptied and stripped.
    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(info.st_mtim.tv_sec, 0);
    if (attributeSet) {
        EXPECT_LT(getxattr(path.c_str(), "user.origin", nullptr, 0), 0);
    }
}

TEST(SecureEraser, AFolderThatRefusesRenamesKeepsTheEmptiedFileUnderItsName) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to hand the file to another user";
    TempFolder temp;
    ASSERT_EQ(chmod(temp.path().c_str(), 0755), 0);
    std::string path = temp.writeFile("mine.txt", "only mine");
    ASSERT_EQ(chown(path.c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);

    std::string result = testsupport::runAsNobody(
        [&] { return SecureEraser().securelyEraseFile(path, 1) ? std::string("erased") : std::string("failed"); });

    EXPECT_EQ(result, "failed");
    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
}

TEST(SecureEraser, ASparseFileLargerThanTheFreeSpaceIsOverwrittenOnlyWhereItHoldsData) {
    TempFolder temp;
    const std::string disk = temp.makeFolder("disk");
    const uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    std::string result = testsupport::runInChild([&]() -> std::string {
        if (std::string why = mountSmallTmpfs(disk, "4m"); !why.empty()) return "skip: " + why;
        const uint64_t emptyDisk = freeBytes(disk);
        const std::string path = disk + "/sparse.img";
        int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        const std::string data(64 * 1024, 'd');
        bool made = fd >= 0 && ftruncate(fd, 64 * MiB) == 0 && pwrite(fd, data.data(), data.size(), 0) > 0 &&
                    pwrite(fd, data.data(), data.size(), 40 * MiB) > 0 && pwrite(fd, "e", 1, 64 * MiB - 1) == 1;
        if (fd >= 0) close(fd);
        if (!made) return std::string("fixture failed: ") + std::strerror(errno);

        auto random = std::make_shared<PatternRandom>();
        bool erased = SecureEraser(random).securelyEraseFile(path, 2);
        std::string text = erased ? "erased" : "failed";
        text += exists(path) ? ", file left" : "";
        text += freeBytes(disk) == emptyDisk ? "" : ", disk not as it was";
        for (size_t length : random->fills) text += " " + std::to_string(length);
        return text;
    });
    if (result.rfind("skip: ", 0) == 0) GTEST_SKIP() << result.substr(6);
    // One random pass wrote the two 64 KiB runs and the last page, and nothing of the holes.
    EXPECT_EQ(result, "erased 65536 65536 " + std::to_string(page));
}

TEST(SecureEraser, AWriteErrorEndsTheFileAsFailedAndStopsWriting) {
    TempFolder temp;
    std::string path = temp.writeFile("full.bin", std::string(100000, 'x'));
    // Written out first: while the kernel writes a new file back, its block count may read 0.
    const int written = open(path.c_str(), O_RDONLY);
    ASSERT_TRUE(written >= 0 && fsync(written) == 0);
    close(written);
    struct stat before {};
    ASSERT_EQ(lstat(path.c_str(), &before), 0);
    FullDiskEraser eraser(std::make_shared<PatternRandom>(), 2);
    testsupport::LogCapture log;

    EXPECT_FALSE(eraser.securelyEraseFile(path, 3));

    EXPECT_EQ(eraser.writes, 2);  // the zero pass, then the failing random pass: no retry, no third pass
    EXPECT_TRUE(log.contains("Overwrite pass 1 failed: " + std::string(std::strerror(ENOSPC))));
    EXPECT_TRUE(log.contains("Overwriting failed; the file stays under its name: " + path));
    struct stat after {};
    ASSERT_EQ(lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_LE(after.st_blocks, before.st_blocks);
    EXPECT_TRUE(allBytesAre(readWholeFile(path), 0));
}

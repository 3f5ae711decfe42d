#include "core/kit/CommUti.h"

#include "platform/files/FileManager.h"
#include "support/DeepTree.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <clocale>
#include <string>

using core::CommUti;

TEST(CommUtiSizeText, ConvertVolSpaceBoundaries) {
    EXPECT_EQ(CommUti::convertVolSpace(0), "0.00 KB");
    EXPECT_EQ(CommUti::convertVolSpace(512), "0.50 KB");
    EXPECT_EQ(CommUti::convertVolSpace(1023), "1.00 KB");
    EXPECT_EQ(CommUti::convertVolSpace(1048575), "1024.00 KB");
    EXPECT_EQ(CommUti::convertVolSpace(1048576), "1.00 MB");
    EXPECT_EQ(CommUti::convertVolSpace(0x3FFFFFFF), "1024.00 MB");
    EXPECT_EQ(CommUti::convertVolSpace(1073741824), "1.00 GB");
    EXPECT_EQ(CommUti::convertVolSpace(2ull << 40), "2048.00 GB");  // no TB step
    EXPECT_EQ(CommUti::convertVolSpace(UINT64_MAX), "17179869184.00 GB");
    // Single precision: the count itself is rounded to 24 bits first (double would say .05).
    EXPECT_EQ(CommUti::convertVolSpace(1125899957174272ull), "1048576.00 GB");
}

TEST(CommUtiSizeText, LonglongDiskSizeBoundaries) {
    EXPECT_EQ(CommUti::longlongDiskSize(0), "0 byte");
    EXPECT_EQ(CommUti::longlongDiskSize(1023), "1023 byte");
    EXPECT_EQ(CommUti::longlongDiskSize(-5), "-5 byte");
    EXPECT_EQ(CommUti::longlongDiskSize(1024), "1.00 KB");
    EXPECT_EQ(CommUti::longlongDiskSize(1048575), "1024.00 KB");
    EXPECT_EQ(CommUti::longlongDiskSize(1048576), "1.00 MB");
    EXPECT_EQ(CommUti::longlongDiskSize(1073741824), "1.00 GB");
    EXPECT_EQ(CommUti::longlongDiskSize(1099511627775), "1024.00 GB");
    EXPECT_EQ(CommUti::longlongDiskSize(1099511627776), "1.00 TB");
    EXPECT_EQ(CommUti::longlongConvertVolSpace(1536), "1.50 KB");
    EXPECT_EQ(CommUti::longlongConvertVolSpace(-1), "-1 byte");
}

TEST(CommUtiSizeText, VolSpaceFromStringReadsEveryUnit) {
    EXPECT_EQ(CommUti::volSpaceFromString("1.50 KB"), 1536u);
    EXPECT_EQ(CommUti::volSpaceFromString("1.00 MB"), 1048576u);
    EXPECT_EQ(CommUti::volSpaceFromString("2.50 GB"), 2684354560u);
    EXPECT_EQ(CommUti::volSpaceFromString("1.00 TB"), 1099511627776u);
    EXPECT_EQ(CommUti::volSpaceFromString("1.10 KB"), 1126u);  // 1.1f × 1024, truncated
    EXPECT_EQ(CommUti::volSpaceFromString("0.00 KB"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("512 byte"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString(""), 0u);
}

TEST(CommUtiSizeText, VolSpaceFromStringGivesZeroForWhatItCannotRead) {
    EXPECT_EQ(CommUti::volSpaceFromString("KB"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("5"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("-1.00 KB"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("abc KB"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("1.00 PB"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("nan KB"), 0u);
    EXPECT_EQ(CommUti::volSpaceFromString("3e38 TB"), 0u);  // beyond 64 bits
}

TEST(CommUtiSizeText, TextsRoundTripThroughTheParser) {
    for (uint64_t count : {1536ull, 1048576ull, 5ull << 30, 3ull << 40}) {
        uint64_t parsed = CommUti::volSpaceFromString(CommUti::longlongDiskSize(static_cast<int64_t>(count)));
        EXPECT_EQ(parsed, count) << count;
    }
    // Two decimals of a single-precision value: the parsed count is near, not equal.
    EXPECT_EQ(CommUti::convertVolSpace(1288490188), "1.20 GB");
    EXPECT_EQ(CommUti::volSpaceFromString("1.20 GB"), 1288490240u);
}

TEST(CommUtiSizeText, CommaLocaleChangesNothing) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    EXPECT_EQ(CommUti::convertVolSpace(1536), "1.50 KB");
    EXPECT_EQ(CommUti::longlongDiskSize(1073741824), "1.00 GB");
    EXPECT_EQ(CommUti::volSpaceFromString("1.50 KB"), 1536u);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(CommUtiSizeOfFileRef, FilesFoldersAndMissingPaths) {
    testsupport::TempFolder folder;
    EXPECT_EQ(CommUti::sizeOfFileRef(folder.writeFile("single", std::string(1234, 'x'))), 1234u);
    EXPECT_EQ(CommUti::sizeOfFileRef(folder.makeFolder("empty")), 0u);
    EXPECT_EQ(CommUti::sizeOfFileRef(folder / "missing"), 0u);
    EXPECT_EQ(CommUti::sizeOfFileRef(""), 0u);
    uint64_t expected = 0;
    for (int i = 0; i < 100; ++i) {
        folder.writeFile("many/file" + std::to_string(i), std::string(static_cast<size_t>(i), 'x'));
        expected += static_cast<uint64_t>(i);
    }
    folder.writeFile("many/sub/deeper/last", "12345");
    EXPECT_EQ(CommUti::sizeOfFileRef(folder / "many"), expected + 5);
}

TEST(CommUtiSizeOfFileRef, LinksCountTheirOwnSize) {
    testsupport::TempFolder folder;
    std::string large = folder / "large";
    int fd = open(large.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(ftruncate(fd, 5ll << 30), 0);  // sparse: 5 GiB of logical size
    close(fd);
    folder.makeFolder("links");
    symlink(large.c_str(), (folder / "links/to-large").c_str());
    symlink("loop-b", (folder / "links/loop-a").c_str());
    symlink("loop-a", (folder / "links/loop-b").c_str());
    EXPECT_EQ(CommUti::sizeOfFileRef(large), 5ull << 30);
    EXPECT_EQ(CommUti::sizeOfFileRef(folder / "links/to-large"), large.size());
    EXPECT_EQ(CommUti::sizeOfFileRef(folder / "links/loop-a"), 6u);
    EXPECT_EQ(CommUti::sizeOfFileRef(folder / "links"), large.size() + 12);
}

TEST(CommUtiSizeOfFileRef, PseudoFileSystemsCountNothing) {
    EXPECT_EQ(CommUti::sizeOfFileRef("/proc"), 0u);
    EXPECT_EQ(CommUti::sizeOfFileRef("/sys"), 0u);
}

// Paths below level 400 or so are longer than PATH_MAX; the sizer walks them relative to
// their parents.
TEST(CommUtiSizeOfFileRef, TwoThousandLevelTree) {
    testsupport::TempFolder folder;
    uint64_t expected = testsupport::makeDeepTree(folder.path(), 2000, "level-name", 7);
    ASSERT_EQ(expected, 14000u);
    EXPECT_EQ(CommUti::sizeOfFileRef(folder.path()), expected);
    EXPECT_TRUE(platform::FileManager::removeItemAtPath(folder / "level-name"));
}

// A tree wide enough for helper threads to join in gives the same sum.
TEST(CommUtiSizeOfFileRef, WideTreeSizedInParallel) {
    testsupport::TempFolder folder;
    uint64_t expected = 0;
    for (int top = 0; top < 20; ++top)
        for (int sub = 0; sub < 10; ++sub)
            for (int file = 0; file < 3; ++file) {
                size_t size = static_cast<size_t>(top + sub + file);
                folder.writeFile("t" + std::to_string(top) + "/s" + std::to_string(sub) + "/f" + std::to_string(file),
                                 std::string(size, 'x'));
                expected += size;
            }
    EXPECT_EQ(CommUti::sizeOfFileRef(folder.path()), expected);
}

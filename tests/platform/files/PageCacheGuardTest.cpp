#include "platform/files/FileDescriptor.h"
#include "platform/files/PageCacheGuard.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

using platform::FileDescriptor;
using platform::PageCacheGuard;

namespace {

constexpr std::size_t fileLength = 1u << 20;

std::size_t cachedPages(int fd) {
    void* mapping = mmap(nullptr, fileLength, PROT_READ, MAP_SHARED, fd, 0);
    if (mapping == MAP_FAILED) return 0;
    std::vector<unsigned char> resident(fileLength / static_cast<std::size_t>(sysconf(_SC_PAGESIZE)));
    mincore(mapping, fileLength, resident.data());
    munmap(mapping, fileLength);
    return static_cast<std::size_t>(std::count_if(resident.begin(), resident.end(), [](unsigned char page) { return page & 1; }));
}

void readWhole(int fd) {
    std::vector<char> buffer(fileLength);
    ASSERT_EQ(pread(fd, buffer.data(), buffer.size(), 0), static_cast<ssize_t>(fileLength));
}

class PageCacheGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.writeFile("data", testsupport::randomContent(fileLength, 1));
        file = FileDescriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_TRUE(file.isOpen());
        fdatasync(file.get());
        posix_fadvise(file.get(), 0, 0, POSIX_FADV_DONTNEED);
        if (cachedPages(file.get()) != 0) GTEST_SKIP() << "this file system keeps the file in memory";
    }

    testsupport::TempFolder folder;
    std::string path;
    FileDescriptor file;
};

}  // namespace

TEST_F(PageCacheGuardTest, PagesAFileHadCachedStayCached) {
    readWhole(file.get());
    const std::size_t before = cachedPages(file.get());
    ASSERT_GT(before, 0u);
    {
        PageCacheGuard guard(file.get(), 0, fileLength);
        EXPECT_FALSE(guard.willDrop());
        readWhole(file.get());
    }
    EXPECT_GE(cachedPages(file.get()), before);
}

TEST_F(PageCacheGuardTest, PagesBroughtInForAnUncachedFileAreDroppedOrTheKernelCannotTell) {
    std::size_t pagesWhileReading = 0;
    bool dropped = false;
    {
        PageCacheGuard guard(file.get(), 0, fileLength);
        dropped = guard.willDrop();
        readWhole(file.get());
        pagesWhileReading = cachedPages(file.get());
    }
    EXPECT_GT(pagesWhileReading, 0u);
    if (dropped) EXPECT_EQ(cachedPages(file.get()), 0u);
    else EXPECT_EQ(cachedPages(file.get()), pagesWhileReading);
}

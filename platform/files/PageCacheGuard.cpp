#include "platform/files/PageCacheGuard.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>


namespace platform {
namespace {

// The kernel's page-cache query (Linux 6.5 and later); older headers do not declare it.
#ifdef SYS_cachestat
constexpr long cachestatCall = SYS_cachestat;
#else
constexpr long cachestatCall = 451;
#endif

struct CachestatRange {
    std::uint64_t offset;
    std::uint64_t length;
};

struct Cachestat {
    std::uint64_t cached;
    std::uint64_t dirty;
    std::uint64_t writeback;
    std::uint64_t evicted;
    std::uint64_t recentlyEvicted;
};

}  // namespace

PageCacheGuard::PageCacheGuard(int fd, std::uint64_t offset, std::uint64_t length)
    : fd_(fd), offset_(offset), length_(length), dropAfterwards_(length > 0 && !anyPageCached(fd, offset, length)) {}

PageCacheGuard::~PageCacheGuard() {
    if (dropAfterwards_)
        posix_fadvise(fd_, static_cast<off_t>(offset_), static_cast<off_t>(length_), POSIX_FADV_DONTNEED);
}

// Where the kernel cannot answer, the range counts as cached, so nothing of it is dropped.
bool PageCacheGuard::anyPageCached(int fd, std::uint64_t offset, std::uint64_t length) {
    CachestatRange range{offset, length};
    Cachestat status{};
    if (syscall(cachestatCall, fd, &range, &status, 0) != 0) return true;
    return status.cached > 0;
}

}  // namespace platform

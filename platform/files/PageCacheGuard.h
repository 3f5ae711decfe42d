#pragma once

#include <cstdint>

namespace platform {

// Leaves the page cache as a read found it. When no page of the range was cached before the
// read, the pages the read brought in are dropped again when the guard ends, so a scan that
// reads many files once does not push other programs' data out of memory. A range that was
// cached, even in part, is left alone: pages other programs use are never evicted. Where the
// kernel cannot tell what is cached (before Linux 6.5), nothing is dropped and the kernel's
// own aging, which reclaims pages read once before pages in use, is left to do the work.
// End the guard before closing the descriptor.
class PageCacheGuard {
public:
    PageCacheGuard(int fd, std::uint64_t offset, std::uint64_t length);
    ~PageCacheGuard();
    PageCacheGuard(const PageCacheGuard&) = delete;
    PageCacheGuard& operator=(const PageCacheGuard&) = delete;

    bool willDrop() const { return dropAfterwards_; }

private:
    static bool anyPageCached(int fd, std::uint64_t offset, std::uint64_t length);

    int fd_;
    std::uint64_t offset_;
    std::uint64_t length_;
    bool dropAfterwards_;
};

}  // namespace platform

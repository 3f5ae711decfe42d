#include "platform/PageCacheGuard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace platform {

PageCacheGuard::PageCacheGuard(int fd, std::uint64_t offset, std::uint64_t length)
    : fd_(fd), offset_(offset), length_(length), dropAfterwards_(length > 0 && !anyPageCached(fd, offset, length)) {}

PageCacheGuard::~PageCacheGuard() {
    if (dropAfterwards_)
        posix_fadvise(fd_, static_cast<off_t>(offset_), static_cast<off_t>(length_), POSIX_FADV_DONTNEED);
}

// Maps the range without touching it and asks which of its pages are resident. A file that
// cannot be mapped counts as cached, so nothing of it is ever dropped.
bool PageCacheGuard::anyPageCached(int fd, std::uint64_t offset, std::uint64_t length) {
    const std::uint64_t pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    const std::uint64_t start = offset - offset % pageSize;
    const std::uint64_t span = offset + length - start;
    void* mapping = mmap(nullptr, span, PROT_READ, MAP_SHARED, fd, static_cast<off_t>(start));
    if (mapping == MAP_FAILED) return true;
    std::vector<unsigned char> resident((span + pageSize - 1) / pageSize);
    const bool cached = mincore(mapping, span, resident.data()) != 0 ||
                        std::any_of(resident.begin(), resident.end(), [](unsigned char page) { return page & 1; });
    munmap(mapping, span);
    return cached;
}

}  // namespace platform

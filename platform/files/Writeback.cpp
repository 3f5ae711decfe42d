#include "platform/files/Writeback.h"

#include <fcntl.h>

namespace platform {

void startWriteback(int fd, std::uint64_t offset, std::size_t length) {
    (void)sync_file_range(fd, static_cast<off64_t>(offset), static_cast<off64_t>(length), SYNC_FILE_RANGE_WRITE);
}

void dropWrittenPages(int fd, std::uint64_t offset, std::size_t length) {
    (void)posix_fadvise(fd, static_cast<off_t>(offset), static_cast<off_t>(length), POSIX_FADV_DONTNEED);
}

}  // namespace platform

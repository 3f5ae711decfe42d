#include "core/duplicates/algorithm.h"

#include "core/duplicates/crc.h"
#include "platform/files/FileDescriptor.h"
#include "platform/system/Log.h"
#include "platform/files/PageCacheGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace core {
namespace {

bool isTheCollectedFile(const struct stat& status, const fileAttrbItem& item) {
    if (!S_ISREG(status.st_mode)) return false;
    if (static_cast<std::uint64_t>(status.st_size) != item.fileSize) return false;
    return item.inode == 0 || (status.st_dev == item.device && status.st_ino == item.inode);
}

}  // namespace

algorithm::algorithm(const std::atomic<bool>* stop) : m_Buf(new unsigned char[chunkLength]), stop_(stop) {}

algorithm::~algorithm() = default;

std::unique_ptr<algorithm> algorithm::make(const std::atomic<bool>* stop) { return std::make_unique<algorithm>(stop); }

int algorithm::openForReading(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool algorithm::getMD5_1K(fileAttrbItem& item) {
    const platform::FileDescriptor file = openCollectedFile(item, "open file:" + item.filePathName + " failed");
    if (!file.isOpen()) return false;
    const std::size_t length = item.fileSize < headLength ? static_cast<std::size_t>(item.fileSize) : headLength;
    // Read only the first page instead of a whole read-ahead window.
    posix_fadvise(file.get(), 0, 0, POSIX_FADV_RANDOM);
    platform::PageCacheGuard cacheGuard(file.get(), 0, length);
    if (!readChunk(file.get(), item, m_Buf.get(), length, 0)) return false;
    item.md5_1k = crc::crc64(m_Buf.get(), length);
    return true;
}

bool algorithm::getMD5(fileAttrbItem& item) {
    if (item.fileSize == 0) return false;
    if (item.md5_1k != 0 && item.fileSize <= headLength) {
        item.md5 = item.md5_1k;
        return true;
    }
    const platform::FileDescriptor file = openToRead(item);
    if (!file.isOpen()) return false;
    // The value after the first kilobyte is md5_1k: no final step is applied to it.
    const bool headKnown = item.md5_1k != 0;
    std::uint64_t running = headKnown ? item.md5_1k : crc::initialValue;
    const std::uint64_t offset = headKnown ? headLength : 0;
    platform::PageCacheGuard cacheGuard(file.get(), 0, item.fileSize);
    if (!advanceToEnd(file.get(), item, offset, running)) return false;
    item.md5 = running;
    return true;
}

platform::FileDescriptor algorithm::openToRead(const fileAttrbItem& item) {
    platform::FileDescriptor file = openCollectedFile(item, "open file :" + item.filePathName + " failed");
    if (file.isOpen()) posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return file;
}

platform::FileDescriptor algorithm::openCollectedFile(const fileAttrbItem& item, const std::string& failureLine) {
    platform::FileDescriptor file(openForReading(item.filePathName));
    if (!file.isOpen()) {
        platform::logWarning(failureLine);
        return file;
    }
    struct stat status {};
    if (fstat(file.get(), &status) != 0 || !isTheCollectedFile(status, item)) {
        platform::logWarning("file changed since it was listed:" + item.filePathName);
        file.reset();
    }
    return file;
}

bool algorithm::readChunk(int fd, const fileAttrbItem& item, unsigned char* buffer, std::size_t length,
                            std::uint64_t offset) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t count = pread(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return failedReading(item);
        if (count == 0) return changedWhileReading(item);
        done += static_cast<std::size_t>(count);
    }
    return true;
}

// Reads from offset to the end of the file, advancing the running value. The file must end
// exactly at the size that was collected.
bool algorithm::advanceToEnd(int fd, const fileAttrbItem& item, std::uint64_t offset, std::uint64_t& running) {
    for (;;) {
        if (stopRequested()) return false;
        const ssize_t count = pread(fd, m_Buf.get(), chunkLength, static_cast<off_t>(offset));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return failedReading(item);
        if (count == 0) break;
        running = crc::crc64Buffer(m_Buf.get(), static_cast<std::size_t>(count), false, running);
        offset += static_cast<std::uint64_t>(count);
        if (offset > item.fileSize) break;
    }
    return offset == item.fileSize || changedWhileReading(item);
}

bool algorithm::failedReading(const fileAttrbItem& item) {
    platform::logWarning("read file failed:" + item.filePathName + " " + std::strerror(errno));
    return false;
}

bool algorithm::changedWhileReading(const fileAttrbItem& item) {
    platform::logWarning("file changed while it was read:" + item.filePathName);
    return false;
}

bool algorithm::stopRequested() const { return stop_ && stop_->load(std::memory_order_relaxed); }

}  // namespace core

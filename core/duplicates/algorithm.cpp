#include "core/duplicates/algorithm.h"

#include "core/duplicates/crc.h"
#include "platform/files/FileDescriptor.h"
#include "platform/system/Log.h"
#include "platform/files/PageCacheGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

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
    const bool whole = item.fileSize <= chunkLength;
    const std::size_t length = whole ? static_cast<std::size_t>(item.fileSize) : headLength;
    // Read only what is asked for instead of a whole read-ahead window.
    posix_fadvise(file.get(), 0, 0, POSIX_FADV_RANDOM);
    platform::PageCacheGuard cacheGuard(file.get(), 0, length);
    if (!readChunk(file.get(), item, m_Buf.get(), length, 0)) return false;
    const std::size_t head = std::min(length, headLength);
    item.md5_1k = crc::crc64(m_Buf.get(), head);
    // The value after the first kilobyte is md5_1k: no final step is applied to it.
    if (whole && length > 0) item.md5 = crc::crc64Buffer(m_Buf.get() + head, length - head, false, item.md5_1k);
    return true;
}

bool algorithm::getMD5(fileAttrbItem& item) {
    if (item.fileSize == 0) return false;
    if (item.md5_1k != 0 && item.fileSize <= headLength) {
        item.md5 = item.md5_1k;
        return true;
    }
    const bool headKnown = item.md5_1k != 0;
    std::uint64_t running = headKnown ? item.md5_1k : crc::initialValue;
    if (!advanceCrc(item, headKnown ? headLength : 0, item.fileSize, running)) return false;
    item.md5 = running;
    return true;
}

bool algorithm::advanceCrc(const fileAttrbItem& item, std::uint64_t from, std::uint64_t to, std::uint64_t& running) {
    const platform::FileDescriptor file = openToRead(item);
    if (!file.isOpen()) return false;
    platform::PageCacheGuard cacheGuard(file.get(), from, to - from);
    return advanceOver(file.get(), item, from, to, running);
}

platform::FileDescriptor algorithm::openToRead(const fileAttrbItem& item) {
    platform::FileDescriptor file = openCollectedFile(item, "open file :" + item.filePathName + " failed");
    if (file.isOpen()) posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return file;
}

platform::FileDescriptor algorithm::openCollectedFile(const fileAttrbItem& item, const std::string& failureLine) {
    platform::FileDescriptor file(openWaitingForDescriptors(item.filePathName));
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

// Descriptors that run out are mostly held for a moment by other threads of the process: the
// open is tried again, with growing pauses, for about two seconds in all.
int algorithm::openWaitingForDescriptors(const std::string& path) {
    int fd = openForReading(path);
    for (auto pause = std::chrono::milliseconds(1); fd < 0 && (errno == EMFILE || errno == ENFILE) &&
                                                    pause <= std::chrono::milliseconds(1024) && !stopRequested();
         pause *= 2) {
        std::this_thread::sleep_for(pause);
        fd = openForReading(path);
    }
    return fd;
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

// Reads from one offset to another, advancing the running value. When the second is the size
// collected, the file must end exactly there.
bool algorithm::advanceOver(int fd, const fileAttrbItem& item, std::uint64_t from, std::uint64_t to,
                            std::uint64_t& running) {
    for (std::uint64_t offset = from; offset < to;) {
        if (stopRequested()) return false;
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(chunkLength, to - offset));
        if (!readChunk(fd, item, m_Buf.get(), length, offset)) return false;
        running = crc::crc64Buffer(m_Buf.get(), length, false, running);
        offset += length;
    }
    if (to < item.fileSize) return true;
    unsigned char beyond = 0;
    return pread(fd, &beyond, 1, static_cast<off_t>(to)) == 0 || changedWhileReading(item);
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

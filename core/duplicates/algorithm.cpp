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

algorithm::algorithm(const std::atomic<bool>* stop) : m_Buf(new unsigned char[chunkLength + 1]), stop_(stop) {}

algorithm::~algorithm() = default;

std::unique_ptr<algorithm> algorithm::make(const std::atomic<bool>* stop) { return std::make_unique<algorithm>(stop); }

int algorithm::openForReading(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool algorithm::getMD5_1K(fileAttrbItem& item) {
    const platform::FileDescriptor file = openCollectedFile(item, "open file:" + item.filePathName + " failed");
    std::uint64_t running = crc::initialValue;
    return file.isOpen() && hashRange(file.get(), item, 0, item.fileSize <= chunkLength ? item.fileSize : headLength, running);
}

bool algorithm::getMD5(fileAttrbItem& item) {
    if (item.fileSize == 0) return false;
    if (item.md5_1k != 0 && item.fileSize <= headLength) {
        item.md5 = item.md5_1k;
        return true;
    }
    // The value after the first kilobyte is md5_1k: no final step is applied to it.
    const bool headKnown = item.md5_1k != 0;
    std::uint64_t running = headKnown ? item.md5_1k : crc::initialValue;
    return advanceCrc(item, headKnown ? headLength : 0, item.fileSize, running);
}

bool algorithm::advanceCrc(fileAttrbItem& item, std::uint64_t from, std::uint64_t to, std::uint64_t& running) {
    const platform::FileDescriptor file = openToRead(item);
    return file.isOpen() && hashRange(file.get(), item, from, to, running);
}

bool algorithm::hashRange(int fd, fileAttrbItem& item, std::uint64_t from, std::uint64_t to, std::uint64_t& running) {
    platform::PageCacheGuard cacheGuard(fd, from, to - from);
    std::uint64_t head = crc::initialValue;  // the CRC-64 of no bytes, until the first chunk is read
    for (std::uint64_t offset = from; offset < to;) {
        if (stopRequested()) return false;
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(chunkLength, to - offset));
        if (!readExactly(fd, item, m_Buf.get(), length, offset, offset + length == item.fileSize)) return false;
        std::size_t hashed = 0;
        if (offset == 0) {
            hashed = std::min(length, headLength);
            head = running = crc::crc64(m_Buf.get(), hashed);
        }
        running = crc::crc64Buffer(m_Buf.get() + hashed, length - hashed, false, running);
        offset += length;
    }
    if (from == 0) item.md5_1k = head;
    if (to == item.fileSize && to > 0) item.md5 = running;
    return true;
}

platform::FileDescriptor algorithm::openToRead(const fileAttrbItem& item) {
    platform::FileDescriptor file = openCollectedFile(item, "open file :" + item.filePathName + " failed");
    // A long file is read from its start to its end: the kernel may read ahead further.
    if (file.isOpen() && item.fileSize > longFileLength) posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
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
    return readExactly(fd, item, buffer, length, offset, false);
}

// With endsThere, the file must end right after the bytes read: one byte more is asked for (the
// buffer has room for it), so the same read tells whether the file has grown. A regular file
// reads short only at its end.
bool algorithm::readExactly(int fd, const fileAttrbItem& item, unsigned char* buffer, std::size_t length,
                            std::uint64_t offset, bool endsThere) {
    const std::size_t asked = length + (endsThere ? 1 : 0);
    std::size_t done = 0;
    while (done < asked) {
        const ssize_t count = pread(fd, buffer + done, asked - done, static_cast<off_t>(offset + done));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return failedReading(item);
        const bool shortRead = static_cast<std::size_t>(count) < asked - done;
        done += static_cast<std::size_t>(count);
        if (shortRead) break;
    }
    return done == length || changedWhileReading(item);
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

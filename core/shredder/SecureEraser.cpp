#include "core/shredder/SecureEraser.h"

#include "platform/files/ItemRemoval.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/MoveWithoutReplacing.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/files/Writeback.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <utility>
#include <new>
#include <vector>

namespace core {
namespace {

using platform::FileDescriptor;

std::string reason(int error, const std::string& path) { return std::string(std::strerror(error)) + ": " + path; }

// Attributes the file system refuses to remove (security labels, for instance) stay; the
// erasure goes on.
void stripExtendedAttributes(int fd, const std::string& path) {
    ssize_t size = flistxattr(fd, nullptr, 0);
    if (size <= 0) return;
    std::vector<char> names(static_cast<size_t>(size));
    size = flistxattr(fd, names.data(), names.size());
    if (size <= 0) return;
    for (const char* name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
        if (fremovexattr(fd, name) != 0)
            platform::logInfo("Extended attribute " + std::string(name) + " kept: " + reason(errno, path));
    }
}

// Failures here are ignored: the file is about to be removed anyway.
void resetDateAndMode(int fd) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {0, 0}};
    futimens(fd, times);
    fchmod(fd, 0600);
}

}  // namespace

SecureEraser::SecureEraser(std::shared_ptr<SecureRandom> random) : random_(std::move(random)) {}

SecureEraser::~SecureEraser() = default;

bool SecureEraser::securelyEraseFile(const std::string& path, int32_t passCount) {
    std::string folderPath = platform::parentPath(path);
    if (folderPath.empty()) folderPath = ".";
    FileDescriptor folder(open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.isOpen()) {
        platform::logError(errno == ENOENT ? "文件不存在: " + path : "获取文件属性失败: " + reason(errno, path));
        return false;
    }
    const std::string name = platform::lastPathComponent(path);
    const std::optional<platform::FileIdentity> file = platform::FileIdentity::ofEntryAt(folder.get(), name);
    if (!file) {
        platform::logError(errno == ENOENT ? "文件不存在: " + path : "获取文件属性失败: " + reason(errno, path));
        return false;
    }
    return securelyEraseFileAt(folder.get(), name, path, passCount, *file);
}

bool SecureEraser::securelyEraseFileAt(int folderFd, const std::string& name, const std::string& path,
                                       int32_t passCount, const platform::FileIdentity& expected) {
    const std::string folderPath = platform::parentPath(path);
    struct stat listed {};
    if (fstatat(folderFd, name.c_str(), &listed, AT_SYMLINK_NOFOLLOW) != 0) {
        platform::logError(errno == ENOENT ? "文件不存在: " + path : "获取文件属性失败: " + reason(errno, path));
        return false;
    }
    if (platform::FileIdentity::of(listed) != expected) {
        platform::logError("Not the file that was chosen, left alone: " + path);
        return false;
    }
    // Checked before the open, so a FIFO, socket or device is never opened at all.
    if (!S_ISREG(listed.st_mode)) {
        platform::logError("Not a regular file, left alone: " + path);
        return false;
    }
    FileDescriptor file(openat(folderFd, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen()) {
        platform::logError("无法打开文件进行写入: " + reason(errno, path));
        return false;
    }
    struct stat opened {};
    if (fstat(file.get(), &opened) != 0) {
        platform::logError("获取文件属性失败: " + reason(errno, path));
        return false;
    }
    if (!S_ISREG(opened.st_mode) || platform::FileIdentity::of(opened) != expected) {
        platform::logError("Not the regular file that was chosen, left alone: " + path);
        return false;
    }
    if (opened.st_nlink > 1) {
        platform::logError("File has " + std::to_string(opened.st_nlink) +
                           " hard links; overwriting it would destroy the data under its other names: " + path);
        return false;
    }
    if (!overwriteAndEmpty(file.get(), path, opened, passCount)) return false;
    file.reset();
    return moveAwayAndRemove(folderFd, folderPath, name, opened);
}

bool SecureEraser::overwriteAndEmpty(int fd, const std::string& path, const struct stat& opened, int32_t passCount) {
    // An empty file has nothing to overwrite; it is still emptied, stripped, moved and removed.
    bool overwritten = opened.st_size == 0 || overwrite(fd, static_cast<uint64_t>(opened.st_size), passCount);
    releaseBuffer();
    if (!overwritten) {
        platform::logError("Overwriting failed; the file stays under its name: " + path);
        return false;
    }
    if (ftruncate(fd, 0) != 0) {
        platform::logError("Truncating the overwritten file failed: " + reason(errno, path));
        return false;
    }
    stripExtendedAttributes(fd, path);
    resetDateAndMode(fd);
    return true;
}

bool SecureEraser::moveAwayAndRemove(int folder, const std::string& folderPath, const std::string& name,
                                     const struct stat& opened) {
    const std::string first = random_->randomFileName();
    const std::string second = random_->randomFileName();
    const std::string last = second + ".deleted";
    const std::string lastPath = platform::joinPath(folderPath, last);
    const platform::FileIdentity erased = platform::FileIdentity::of(opened);
    if (!platform::moveIfStill(folder, name, first, erased)) {
        platform::logError("移动文件到 tmp1 失败: " + reason(errno, platform::joinPath(folderPath, name)));
        return false;
    }
    if (!platform::moveIfStill(folder, first, second, erased)) {
        platform::logError("移动文件到 tmp2 失败: " + reason(errno, platform::joinPath(folderPath, first)));
        return false;
    }
    if (!platform::moveIfStill(folder, second, last, erased)) {
        platform::logError("文件重命名失败: " + reason(errno, platform::joinPath(folderPath, second)));
        return false;
    }
    platform::logInfo("文件已重命名为: " + lastPath);

    // Another process may have put something else under the last name since the move: the name
    // goes only while it holds the erased file.
    const platform::ItemRemoval::Result removal = platform::ItemRemoval::removeAt(
        folder, last, platform::FileIdentity::of(opened), lastPath, platform::ItemRemoval::Options());
    if (!removal.isRemoved()) {
        platform::logError("删除文件失败: " + (removal.reason.empty() ? lastPath + ": it is gone" : removal.reason));
        return false;
    }
    platform::logInfo("文件已成功删除");
    return true;
}

bool SecureEraser::overwrite(int fd, uint64_t size, int32_t passCount) {
    const int32_t passes = std::clamp<int32_t>(passCount, 1, maximumPasses);
    const std::vector<platform::DataExtent> extents = platform::dataExtents(fd, size);
    for (int32_t pass = 0; pass < passes; ++pass)
        if (!writePass(fd, extents, pass, pass == passes - 1)) return false;
    return true;
}

bool SecureEraser::writePass(int fd, const std::vector<platform::DataExtent>& extents, int pass, bool last) {
    if (!holdBuffer()) return false;
    for (const platform::DataExtent& extent : extents)
        if (!writeExtent(fd, extent, pass, last)) return false;
    if (fdatasync(fd) != 0) {
        platform::logError("Flushing overwrite pass " + std::to_string(pass) + " failed: " + std::strerror(errno));
        return false;
    }
    return true;
}

// Drawing a chunk's random bytes takes about as long as writing it, so in a random pass the
// next chunk is drawn on another thread while this one is written. In the last pass, the pages
// of the chunk written two before, which has most likely reached the device by then, leave the
// cache: no later pass writes over them.
bool SecureEraser::writeExtent(int fd, const platform::DataExtent& extent, int pass, bool last) {
    auto lengthAt = [&extent](uint64_t offset) {
        return static_cast<size_t>(std::min<uint64_t>(chunkSize, extent.length - offset));
    };
    if (pass > 0) bufferHoldsZeros_ = false;
    if (extent.length == 0) return true;
    if (!fillChunk(pass, buffer_.get(), lengthAt(0))) return false;
    for (uint64_t written = 0; written < extent.length;) {
        const size_t length = lengthAt(written);
        const uint64_t next = written + length;
        std::future<bool> drawn;
        if (pass > 0 && next < extent.length)
            drawn = std::async(std::launch::async, [this, pass, nextLength = lengthAt(next)] {
                return fillChunk(pass, spare_.get(), nextLength);
            });
        const bool stored = writeWhole(fd, length, extent.offset + written, pass);
        if (last && written >= 2 * chunkSize)
            platform::dropWrittenPages(fd, extent.offset + written - 2 * chunkSize, chunkSize);
        const bool nextDrawn = !drawn.valid() || drawn.get();
        if (!stored || !nextDrawn) return false;
        if (pass > 0) std::swap(buffer_, spare_);
        written = next;
    }
    return true;
}

bool SecureEraser::writeWhole(int fd, size_t length, uint64_t offset, int pass) {
    for (size_t done = 0; done < length;) {
        const ssize_t result = writeChunk(fd, buffer_.get() + done, length - done, offset + done);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) {
            platform::logError("Overwrite pass " + std::to_string(pass) + " failed: " +
                               (result < 0 ? std::strerror(errno) : "nothing written"));
            return false;
        }
        done += static_cast<size_t>(result);
    }
    platform::startWriteback(fd, offset, length);
    return true;
}

ssize_t SecureEraser::writeChunk(int fd, const unsigned char* data, size_t length, uint64_t offset) {
    return pwrite(fd, data, length, static_cast<off_t>(offset));
}

bool SecureEraser::fillChunk(int pass, unsigned char* buffer, size_t length) {
    if (pass > 0) return random_->fill(buffer, length);
    if (!bufferHoldsZeros_) std::memset(buffer, 0, chunkSize);
    bufferHoldsZeros_ = true;
    return true;
}

bool SecureEraser::holdBuffer() {
    if (buffer_ && spare_) return true;
    buffer_.reset(new (std::nothrow) unsigned char[chunkSize]());
    spare_.reset(new (std::nothrow) unsigned char[chunkSize]);
    if (!buffer_ || !spare_) {
        releaseBuffer();
        platform::logError("No memory for the overwrite buffer");
        return false;
    }
    bufferHoldsZeros_ = true;
    return true;
}

void SecureEraser::releaseBuffer() {
    buffer_.reset();
    spare_.reset();
}

}  // namespace core

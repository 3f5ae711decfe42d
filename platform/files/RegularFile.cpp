#include "platform/files/RegularFile.h"

#include "platform/files/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::optional<std::string> readRegularFile(const std::string& path, size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen()) return std::nullopt;
    struct stat info {};
    if (fstat(file.get(), &info) != 0) return std::nullopt;
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    // The size is not trusted: the file may grow while it is read.
    for (;;) {
        ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return content;
        if (content.size() + static_cast<size_t>(n) > maxBytes) {
            errno = EFBIG;
            return std::nullopt;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
}

namespace {

bool writeAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

bool copyContent(int from, int to) {
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!writeAll(to, buffer, static_cast<size_t>(n))) return false;
    }
}

}  // namespace

bool copyRegularFile(const std::string& source, const std::string& destination) {
    FileDescriptor from(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!from.isOpen()) return false;
    struct stat info {};
    if (fstat(from.get(), &info) != 0) return false;
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return false;
    }
    FileDescriptor to(::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!to.isOpen()) return false;
    if (copyContent(from.get(), to.get())) return true;
    const int error = errno;
    ::unlink(destination.c_str());
    errno = error;
    return false;
}

}  // namespace platform

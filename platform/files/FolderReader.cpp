#include "platform/files/FolderReader.h"

#include "platform/system/Log.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

constexpr size_t kListingBufferSize = 32 * 1024;

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

bool FolderReader::forEachEntry(int folderFd, const EntryVisitor& visit, const std::string& pathForLog) {
    alignas(dirent64) char buffer[kListingBufferSize];
    int unreadable = 0;
    int lastError = 0;
    bool complete = true;
    for (;;) {
        ssize_t length = getdents64(folderFd, buffer, sizeof buffer);
        if (length == 0) break;
        if (length < 0) {
            if (errno == EINTR) continue;
            logWarning("listing of " + pathForLog + " broke off: " + std::strerror(errno));
            complete = false;
            break;
        }
        for (ssize_t offset = 0; offset < length;) {
            const auto* record = reinterpret_cast<const dirent64*>(buffer + offset);
            offset += record->d_reclen;
            if (isDotOrDotDot(record->d_name)) continue;
            struct stat info;
            if (fstatat(folderFd, record->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
                visit(record->d_name, info);
            } else if (errno != ENOENT) {
                ++unreadable;
                lastError = errno;
            }
        }
    }
    if (unreadable > 0)
        logWarning("cannot read the attributes of " + std::to_string(unreadable) + " entries of " + pathForLog +
                   ": " + std::strerror(lastError));
    return complete;
}

bool FolderReader::readSorted(int folderFd, std::vector<FileEntry>& entries, const std::string& pathForLog) {
    bool complete = forEachEntry(
        folderFd, [&](const char* name, const struct stat& info) { entries.push_back(FileEntry::fromStat(name, info)); },
        pathForLog);
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& left, const FileEntry& right) { return left.name < right.name; });
    return complete;
}

int FolderReader::openFolder(int parentFd, const char* name, bool followLink) {
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    int fd;
    do {
        fd = openat(parentFd, name, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool FolderReader::isSameItem(int fd, const FileEntry& listed) {
    struct stat info;
    return fstat(fd, &info) == 0 && info.st_dev == listed.device && info.st_ino == listed.inode;
}

}  // namespace platform

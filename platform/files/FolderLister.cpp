#include "platform/files/FolderLister.h"

#include "platform/files/FolderReader.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/files/PseudoFileSystems.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::optional<std::vector<FileEntry>> FolderLister::list(const std::string& path, bool followLink) {
    int fd = path.empty() ? -1 : FolderReader::openFolder(AT_FDCWD, path.c_str(), followLink);
    if (fd < 0) {
        logWarning("cannot list " + path + ": " + std::strerror(path.empty() ? ENOENT : errno));
        return std::nullopt;
    }
    struct stat info;
    fstat(fd, &info);
    PseudoFileSystems pseudo;
    if (pseudo.contains(fd, info.st_dev)) {
        logWarning("not listing " + path + ": kernel pseudo file system");
        close(fd);
        return std::nullopt;
    }
    std::vector<FileEntry> entries;
    FolderReader::readSorted(fd, entries, path);
    close(fd);
    return entries;
}

std::optional<FileEntry> FolderLister::entryAt(const std::string& path, bool followLink) {
    struct stat info;
    if (path.empty() || fstatat(AT_FDCWD, path.c_str(), &info, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FileEntry::fromStat(lastPathComponent(path), info);
}

}  // namespace platform

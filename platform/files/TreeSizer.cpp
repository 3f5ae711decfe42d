#include "platform/files/TreeSizer.h"

#include "platform/files/FolderReader.h"
#include "platform/files/ParallelFolderWalk.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

uint64_t TreeSizer::sizeOf(const std::string& path) {
    struct stat info;
    if (path.empty() || fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return 0;
    if (!S_ISDIR(info.st_mode)) return info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    std::atomic<uint64_t> total{0};
    auto sizeFolder = [&total](const ParallelFolderWalk::Folder& folder, int fd,
                               std::vector<ParallelFolderWalk::Folder>& subfolders) {
        if (fd < 0) return;
        uint64_t sum = 0;
        FolderReader::forEachEntry(
            fd,
            [&](const char* name, const struct stat& entry) {
                if (S_ISDIR(entry.st_mode))
                    subfolders.push_back({joinPath(folder.path, name), entry.st_dev, entry.st_ino, folder.device});
                else if (entry.st_size > 0)
                    sum += static_cast<uint64_t>(entry.st_size);
            },
            folder.path);
        total.fetch_add(sum, std::memory_order_relaxed);
    };
    ParallelFolderWalk::run({{path, info.st_dev, info.st_ino}}, sizeFolder, ParallelFolderWalk::Options());
    return total.load();
}

}  // namespace platform

#include "platform/files/TreeSizer.h"

#include "platform/files/FolderReader.h"
#include "platform/files/ParallelFolderWalk.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

uint64_t TreeSizer::sizeOf(const std::string& path) { return measure(path).bytes; }

TreeSizer::Measure TreeSizer::measure(const std::string& path) {
    struct stat info;
    if (path.empty() || fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return {};
    if (!S_ISDIR(info.st_mode)) return {info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0, true};
    std::atomic<uint64_t> total{0};
    std::atomic<bool> readWhole{true};
    auto sizeFolder = [&total, &readWhole](const ParallelFolderWalk::Folder& folder, int fd,
                                           std::vector<ParallelFolderWalk::Folder>& subfolders) {
        if (fd < 0) {
            readWhole.store(false, std::memory_order_relaxed);
            return;
        }
        uint64_t sum = 0;
        bool listed = FolderReader::forEachEntry(
            fd,
            [&](const char* name, const struct stat& entry) {
                if (S_ISDIR(entry.st_mode))
                    subfolders.push_back({joinPath(folder.path, name), entry.st_dev, entry.st_ino, folder.device});
                else if (entry.st_size > 0)
                    sum += static_cast<uint64_t>(entry.st_size);
            },
            folder.path);
        if (!listed) readWhole.store(false, std::memory_order_relaxed);
        total.fetch_add(sum, std::memory_order_relaxed);
    };
    ParallelFolderWalk::run({{path, info.st_dev, info.st_ino}}, sizeFolder, ParallelFolderWalk::Options());
    return {total.load(), readWhole.load()};
}

}  // namespace platform

#include "platform/files/TreeSizer.h"

#include "platform/files/FolderReader.h"
#include "platform/files/ParallelFolderWalk.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {
namespace {

// One tree's sums while the walk is on; its folders carry it as their tag.
struct Tally {
    std::atomic<uint64_t> bytes{0};
    std::atomic<bool> readWhole{true};
};

void sizeFolder(const ParallelFolderWalk::Folder& folder, int fd, std::vector<ParallelFolderWalk::Folder>& subfolders) {
    Tally& tally = *static_cast<Tally*>(folder.tag);
    if (fd < 0) {
        tally.readWhole.store(false, std::memory_order_relaxed);
        return;
    }
    uint64_t sum = 0;
    const bool listed = FolderReader::forEachEntry(
        fd,
        [&](const char* name, const struct stat& entry) {
            if (S_ISDIR(entry.st_mode))
                subfolders.push_back({joinPath(folder.path, name), entry.st_dev, entry.st_ino, folder.device, folder.tag});
            else if (entry.st_size > 0)
                sum += static_cast<uint64_t>(entry.st_size);
        },
        folder.path);
    if (!listed) tally.readWhole.store(false, std::memory_order_relaxed);
    tally.bytes.fetch_add(sum, std::memory_order_relaxed);
}

// Walks the starts, each tagged with its tally, and adds every tally to the measure at its index.
void walkAndAdd(std::vector<ParallelFolderWalk::Folder> starts, std::vector<Tally>& tallies,
                std::vector<TreeSizer::Measure>& measures) {
    ParallelFolderWalk::run(std::move(starts), sizeFolder, ParallelFolderWalk::Options());
    for (size_t index = 0; index < measures.size(); ++index) {
        measures[index].bytes += tallies[index].bytes.load();
        measures[index].readWhole = tallies[index].readWhole.load();
    }
}

}  // namespace

uint64_t TreeSizer::sizeOf(const std::string& path) { return measure(path).bytes; }

TreeSizer::Measure TreeSizer::measure(const std::string& path) { return measureAll({path}).front(); }

std::vector<TreeSizer::Measure> TreeSizer::measureAll(const std::vector<std::string>& paths) {
    std::vector<Measure> measures(paths.size());
    std::vector<Tally> tallies(paths.size());
    std::vector<ParallelFolderWalk::Folder> starts;
    for (size_t index = 0; index < paths.size(); ++index) {
        struct stat info;
        if (paths[index].empty() || fstatat(AT_FDCWD, paths[index].c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(info.st_mode))
            starts.push_back({paths[index], info.st_dev, info.st_ino, ParallelFolderWalk::kUnknownDevice, &tallies[index]});
        else
            measures[index].bytes = info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    }
    walkAndAdd(std::move(starts), tallies, measures);
    return measures;
}

std::vector<TreeSizer::Measure> TreeSizer::measureListed(const std::vector<ListedFolder>& folders) {
    std::vector<Measure> measures(folders.size());
    std::vector<Tally> tallies(folders.size());
    std::vector<ParallelFolderWalk::Folder> starts;
    for (size_t index = 0; index < folders.size(); ++index)
        starts.push_back({folders[index].path, folders[index].identity.device, folders[index].identity.inode,
                          ParallelFolderWalk::kUnknownDevice, &tallies[index]});
    walkAndAdd(std::move(starts), tallies, measures);
    return measures;
}

}  // namespace platform

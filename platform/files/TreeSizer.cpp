#include "platform/files/TreeSizer.h"

#include "platform/files/FileWalker.h"
#include "platform/files/FolderReader.h"
#include "platform/files/PseudoFileSystems.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {
namespace {

// Helper threads are started only once this many folders wait, so small trees are sized by
// the calling thread alone.
constexpr size_t kBacklogForAnotherThread = 4;
constexpr unsigned kMaxThreads = 8;
// The start's parent is not known, so the start is always checked for a pseudo file system.
constexpr uint64_t kUnknownDevice = ~uint64_t{0};

struct FolderTask {
    std::string path;
    uint64_t device = 0;
    uint64_t parentDevice = 0;
};

std::string childPath(const std::string& folder, const char* name) {
    std::string path = folder;
    if (path.back() != '/') path += '/';
    path += name;
    return path;
}

// Sizes a subtree whose path is too long to open by name, through the walker, which opens
// each folder relative to its parent.
uint64_t sizeBelow(int folderFd, const char* name, const struct stat& info, const std::string& path) {
    uint64_t total = 0;
    FileWalker::Callbacks callbacks;
    callbacks.visitEntry = [&total](const FileWalker::Visit& visit) {
        if (!visit.entry().isFolder()) total += visit.entry().size;
        return FileWalker::Step::Continue;
    };
    FileWalker::walkAt(folderFd, FileEntry::fromStat(name, info), path, callbacks, FileWalker::Options());
    return total;
}

// Folders wait in one shared stack; each worker takes a folder, adds up its files and puts its
// subfolders back. The walk ends when the stack is empty and no worker is busy.
class ParallelSizing {
public:
    uint64_t run(const std::string& path, uint64_t device) {
        pending_.push_back({path, device, kUnknownDevice});
        work();
        for (auto& thread : threads_) thread.join();
        return total_;
    }

private:
    void work() {
        PseudoFileSystems pseudo;
        uint64_t sum = 0;
        FolderTask task;
        while (take(task)) {
            std::vector<FolderTask> subfolders;
            sum += sizeFolder(task, pseudo, subfolders);
            finish(subfolders);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        total_ += sum;
    }

    bool take(FolderTask& task) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !pending_.empty() || busy_ == 0; });
        if (pending_.empty()) return false;
        task = std::move(pending_.back());
        pending_.pop_back();
        ++busy_;
        return true;
    }

    void finish(std::vector<FolderTask>& subfolders) {
        std::lock_guard<std::mutex> lock(mutex_);
        --busy_;
        for (auto& folder : subfolders) pending_.push_back(std::move(folder));
        if (pending_.size() >= kBacklogForAnotherThread && threads_.size() + 1 < threadLimit())
            threads_.emplace_back([this] { work(); });
        changed_.notify_all();
    }

    static unsigned threadLimit() {
        static const unsigned limit = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
        return limit;
    }

    static uint64_t sizeFolder(const FolderTask& task, PseudoFileSystems& pseudo, std::vector<FolderTask>& subfolders) {
        int fd = FolderReader::openFolder(AT_FDCWD, task.path.c_str(), false);
        if (fd < 0) return 0;
        uint64_t sum = 0;
        if (task.device == task.parentDevice || !pseudo.contains(fd, task.device)) {
            FolderReader::forEachEntry(
                fd,
                [&](const char* name, const struct stat& info) {
                    if (!S_ISDIR(info.st_mode)) {
                        sum += info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
                        return;
                    }
                    std::string path = childPath(task.path, name);
                    if (path.size() < PATH_MAX)
                        subfolders.push_back({std::move(path), info.st_dev, task.device});
                    else
                        sum += sizeBelow(fd, name, info, path);
                },
                task.path);
        }
        close(fd);
        return sum;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<FolderTask> pending_;
    std::vector<std::thread> threads_;
    size_t busy_ = 0;
    uint64_t total_ = 0;
};

}  // namespace

uint64_t TreeSizer::sizeOf(const std::string& path) {
    struct stat info;
    if (path.empty() || fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return 0;
    if (!S_ISDIR(info.st_mode)) return info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    return ParallelSizing().run(path, info.st_dev);
}

}  // namespace platform

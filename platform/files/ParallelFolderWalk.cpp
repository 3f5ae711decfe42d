#include "platform/files/ParallelFolderWalk.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/FolderReader.h"
#include "platform/files/PseudoFileSystems.h"
#include "platform/system/ParkedThreads.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {
namespace {

// A helper thread joins the walk for every this many folders that wait.
constexpr size_t kBacklogForAnotherThread = 4;
constexpr unsigned kMaxThreads = 16;

// Twice the processors: on a disk that is not in the cache most walkers wait on a read, and
// more reads in flight finish the walk sooner.
unsigned threadLimit() {
    static const unsigned limit = std::clamp(2 * std::thread::hardware_concurrency(), 1u, kMaxThreads);
    return limit;
}

// Opens a folder by its absolute path, however long: a path too long for one call is opened a
// few components at a time, each part relative to the folder before. The last component is
// never followed when it is a link.
int openFolderPath(const std::string& path) {
    if (path.size() < PATH_MAX) return FolderReader::openFolder(AT_FDCWD, path.c_str(), false);
    int current = FolderReader::openFolder(AT_FDCWD, "/", false);
    size_t begin = path.find_first_not_of('/');
    while (current >= 0 && begin != std::string::npos) {
        size_t end = path.size();
        if (end - begin >= PATH_MAX) end = path.rfind('/', begin + PATH_MAX - 1);
        if (end == std::string::npos || end <= begin) {  // one name longer than any path
            close(current);
            return -1;
        }
        const std::string part = path.substr(begin, end - begin);
        int next = FolderReader::openFolder(current, part.c_str(), false);
        close(current);
        current = next;
        begin = path.find_first_not_of('/', end);
    }
    return current;
}

bool isListedFolder(int fd, const ParallelFolderWalk::Folder& folder) {
    if (folder.inode == 0) return true;
    struct stat info;
    return fstat(fd, &info) == 0 && info.st_dev == folder.device && info.st_ino == folder.inode;
}

class Walk {
public:
    Walk(const ParallelFolderWalk::Visitor& visit, const ParallelFolderWalk::Options& options)
        : visit_(visit), options_(options) {}

    void run(std::vector<ParallelFolderWalk::Folder> starts) {
        pending_ = std::move(starts);
        std::reverse(pending_.begin(), pending_.end());  // the stack gives the first start first
        {
            std::lock_guard<std::mutex> lock(mutex_);
            addHelpers();
        }
        work();
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return helpers_ == 0; });
    }

private:
    bool stopped() const { return options_.stop && options_.stop->load(std::memory_order_relaxed); }

    void work() {
        PseudoFileSystems pseudo;
        ParallelFolderWalk::Folder folder;
        while (take(folder)) {
            std::vector<ParallelFolderWalk::Folder> subfolders;
            if (options_.beforeFolder) options_.beforeFolder();
            if (!stopped()) visitFolder(folder, pseudo, subfolders);
            finish(subfolders);
        }
    }

    void visitFolder(const ParallelFolderWalk::Folder& folder, PseudoFileSystems& pseudo,
                     std::vector<ParallelFolderWalk::Folder>& subfolders) {
        FileDescriptor fd(openFolderPath(folder.path));
        const bool readable = fd.isOpen() && isListedFolder(fd.get(), folder) &&
                              (folder.device == folder.parentDevice || !pseudo.contains(fd.get(), folder.device));
        visit_(folder, readable ? fd.get() : -1, subfolders);
    }

    bool take(ParallelFolderWalk::Folder& folder) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !pending_.empty() || busy_ == 0; });
            if (stopped()) pending_.clear();
            if (!pending_.empty()) break;
            if (busy_ == 0) return false;
        }
        folder = std::move(pending_.back());
        pending_.pop_back();
        ++busy_;
        return true;
    }

    void finish(std::vector<ParallelFolderWalk::Folder>& subfolders) {
        std::lock_guard<std::mutex> lock(mutex_);
        --busy_;
        if (!stopped()) {
            // Reversed, so a folder's subfolders come off the stack in the order they were named.
            for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) pending_.push_back(std::move(*it));
        }
        addHelpers();
        changed_.notify_all();
    }

    // One helper for every few folders waiting, up to the limit; called with the lock held.
    void addHelpers() {
        while (helpers_ + 1 < threadLimit() && pending_.size() >= kBacklogForAnotherThread * (helpers_ + 1)) {
            ++helpers_;
            ParkedThreads::shared().run([this] {
                work();
                leave();
            });
        }
    }

    // A helper's last touch of the walk: once the count is zero the walk may end at once.
    void leave() {
        std::lock_guard<std::mutex> lock(mutex_);
        --helpers_;
        changed_.notify_all();
    }

    const ParallelFolderWalk::Visitor& visit_;
    const ParallelFolderWalk::Options& options_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<ParallelFolderWalk::Folder> pending_;
    size_t helpers_ = 0;  // helper threads inside work()
    size_t busy_ = 0;
};

}  // namespace

void ParallelFolderWalk::run(std::vector<Folder> starts, const Visitor& visit, const Options& options) {
    Walk(visit, options).run(std::move(starts));
}

}  // namespace platform

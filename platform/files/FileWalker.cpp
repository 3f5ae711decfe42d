#include "platform/files/FileWalker.h"

#include "platform/files/FolderReader.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/files/PseudoFileSystems.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// Folders kept open at once. Deeper levels are closed once read and opened again (one
// component at a time from the nearest open ancestor) only when a descriptor is needed.
constexpr size_t kMaxOpenFolders = 32;
// How many levels above the one asked for stay open after such a re-opening, so that going
// back up a deep tree does not re-open the whole chain for every level.
constexpr size_t kReopenWindow = kMaxOpenFolders / 2;
constexpr size_t kNoLevel = static_cast<size_t>(-1);

}  // namespace

// The state of one walk: the stack of folders being read, their descriptors and the path.
class FileWalk {
public:
    FileWalk(int startParentFd, const FileWalker::Callbacks& callbacks, const FileWalker::Options& options)
        : startParentFd_(startParentFd), callbacks_(callbacks), options_(options) {}
    ~FileWalk() {
        for (auto& level : levels_) closeLevel(level);
    }

    bool run(const FileEntry& start, std::string path) {
        path_ = std::move(path);
        FileWalker::Step step = report(start, 0, kNoLevel);
        if (step != FileWalker::Step::Continue || !start.isFolder()) return true;
        if (!enter(startParentFd_, start, options_.followTopLink)) {
            leave(start, path_.size(), 0, kNoLevel, false);
            return false;
        }
        while (!levels_.empty()) {
            if (stopRequested()) return true;
            if (!visitNextEntry()) return true;
        }
        return true;
    }

    const FileEntry* entryOf(size_t level) const { return level == kNoLevel ? nullptr : &levels_[level].self; }

    int descriptorOf(size_t level) {
        if (level == kNoLevel) return startParentFd_;
        if (levels_[level].fd >= 0) return levels_[level].fd;
        return reopen(level);
    }

private:
    struct Level {
        FileEntry self;  // the folder as its parent listed it
        std::vector<FileEntry> entries;
        size_t next = 0;
        int fd = -1;
        size_t pathLength = 0;
    };

    bool stopRequested() const { return options_.stop && options_.stop->load(std::memory_order_relaxed); }

    // Reports the next entry of the deepest folder, or leaves that folder when it is done.
    // False when a callback stopped the walk.
    bool visitNextEntry() {
        size_t levelIndex = levels_.size() - 1;
        Level& level = levels_.back();
        if (level.next == level.entries.size()) {
            finishLevel();
            return true;
        }
        const FileEntry& entry = level.entries[level.next++];
        path_.resize(level.pathLength);
        appendName(entry.name);
        FileWalker::Step step = report(entry, levelIndex + 1, levelIndex);
        if (step == FileWalker::Step::Stop) return false;
        if (step == FileWalker::Step::Continue && entry.isFolder()) {
            FileEntry folder = entry;  // the stack may grow and move the entries
            int parentFd = descriptorOf(levelIndex);
            if (parentFd < 0 || !enter(parentFd, folder, false))
                leave(folder, path_.size(), levelIndex + 1, levelIndex, false);
        }
        return true;
    }

    void finishLevel() {
        Level finished = std::move(levels_.back());
        levels_.pop_back();
        if (!levels_.empty() && levels_.back().fd < 0) reopenFromChild(finished.fd);
        closeLevel(finished);
        size_t container = levels_.empty() ? kNoLevel : levels_.size() - 1;
        leave(finished.self, finished.pathLength, levels_.size(), container, true);
    }

    bool enter(int parentFd, const FileEntry& folder, bool followLink) {
        int fd = FolderReader::openFolder(parentFd, folder.name.c_str(), followLink);
        if (fd < 0) return false;
        if (!FolderReader::isSameItem(fd, folder) || isOnPseudoFileSystem(fd, folder)) {
            close(fd);
            return false;
        }
        Level level;
        level.self = folder;
        level.fd = fd;
        level.pathLength = path_.size();
        FolderReader::readSorted(fd, level.entries, path_);
        levels_.push_back(std::move(level));
        ++openCount_;
        closeShallowLevels();
        return true;
    }

    bool isOnPseudoFileSystem(int fd, const FileEntry& folder) {
        bool sameDeviceAsParent = !levels_.empty() && levels_.back().self.device == folder.device;
        return !sameDeviceAsParent && pseudo_.contains(fd, folder.device);
    }

    // Keeps at most kMaxOpenFolders open: the start and the deepest levels stay open.
    void closeShallowLevels() {
        for (size_t index = 1; openCount_ > kMaxOpenFolders && index + 1 < levels_.size(); ++index)
            closeLevel(levels_[index]);
    }

    void closeLevel(Level& level) {
        if (level.fd < 0) return;
        close(level.fd);
        level.fd = -1;
        --openCount_;
    }

    // Going back up a deep tree, the closed parent is opened through "..", one step per level.
    void reopenFromChild(int childFd) {
        Level& parent = levels_.back();
        int fd = FolderReader::openFolder(childFd, "..", false);
        if (fd < 0) return;
        if (!FolderReader::isSameItem(fd, parent.self)) {
            close(fd);
            return;
        }
        parent.fd = fd;
        ++openCount_;
    }

    int reopen(size_t wanted) {
        size_t ancestor = wanted;
        while (levels_[ancestor].fd < 0) --ancestor;  // the start level is always open
        int fd = levels_[ancestor].fd;
        for (size_t index = ancestor + 1; index <= wanted; ++index) {
            Level& level = levels_[index];
            int child = FolderReader::openFolder(fd, level.self.name.c_str(), false);
            if (fd != levels_[index - 1].fd) close(fd);
            if (child >= 0 && !FolderReader::isSameItem(child, level.self)) {
                close(child);
                child = -1;
            }
            if (child < 0) {
                logWarning("folder changed while it was walked: " + path_.substr(0, level.pathLength));
                return -1;
            }
            fd = child;
            if (index + kReopenWindow >= wanted) {
                level.fd = child;
                ++openCount_;
            }
        }
        closeShallowLevels();
        return levels_[wanted].fd;
    }

    void appendName(const std::string& name) {
        if (path_.empty() || path_.back() != '/') path_ += '/';
        path_ += name;
    }

    FileWalker::Step report(const FileEntry& entry, size_t depth, size_t containerLevel) {
        if (!callbacks_.visitEntry) return FileWalker::Step::Continue;
        return callbacks_.visitEntry(FileWalker::Visit(*this, entry, path_, depth, containerLevel));
    }

    void leave(const FileEntry& folder, size_t pathLength, size_t depth, size_t containerLevel, bool listed) {
        if (!callbacks_.leaveFolder) return;
        path_.resize(pathLength);
        callbacks_.leaveFolder(FileWalker::Visit(*this, folder, path_, depth, containerLevel), listed);
    }

    int startParentFd_;
    const FileWalker::Callbacks& callbacks_;
    const FileWalker::Options& options_;
    std::vector<Level> levels_;
    size_t openCount_ = 0;
    std::string path_;
    PseudoFileSystems pseudo_;
};

int FileWalker::Visit::folderDescriptor() const { return walk_.descriptorOf(containerLevel_); }

const FileEntry* FileWalker::Visit::folderEntry() const { return walk_.entryOf(containerLevel_); }

bool FileWalker::walk(const std::string& path, const Callbacks& callbacks, const Options& options) {
    if (path.empty()) return false;
    // The start is reached through its parent folder, so callbacks can use *at calls on it too.
    std::string parent = parentPath(path);
    int parentFd = open(parent.empty() ? "." : parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0) return false;
    std::string name = lastPathComponent(path);
    struct stat info;
    bool found = fstatat(parentFd, name.c_str(), &info, options.followTopLink ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
    bool walked = found && walkAt(parentFd, FileEntry::fromStat(name, info), path, callbacks, options);
    close(parentFd);
    return walked;
}

bool FileWalker::walk(const std::string& path, const Callbacks& callbacks) { return walk(path, callbacks, Options()); }

bool FileWalker::walkAt(int folderFd, const FileEntry& start, const std::string& path, const Callbacks& callbacks,
                        const Options& options) {
    return FileWalk(folderFd, callbacks, options).run(start, path);
}

}  // namespace platform

#include "core/shredder/RemoveFileAndFolder.h"

#include "core/shredder/UnlockedItem.h"

#include "platform/files/DeletableCheck.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/ItemRemoval.h"
#include "platform/files/FolderReader.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"
#include "platform/system/UserDefaults.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace core {
namespace {

using platform::FileDescriptor;
using Parent = platform::LinkFreePath::Parent;

bool existsAt(const Parent& parent) {
    struct stat info {};
    return fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool endsWithApp(const std::string& path) {
    const std::string suffix = ".app";
    return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isEmptyFolder(const Parent& parent) {
    FileDescriptor folder(platform::FolderReader::openFolder(parent.folder.get(), parent.name.c_str(), false));
    bool empty = folder.isOpen();
    if (empty) platform::FolderReader::forEachEntry(folder.get(), [&](const char*, const struct stat&) { empty = false; }, "");
    return empty;
}

// The removal of what holds no data of its own (a link, an empty file) or of a bundle as a
// tree, while the name still holds the item handled; judged by whether the name is gone.
bool removedAt(const Parent& parent, const std::string& path, const struct stat& item) {
    const platform::ItemRemoval::Result removal = platform::ItemRemoval::removeAt(
        parent.folder.get(), parent.name, platform::FileIdentity::of(item), path, platform::ItemRemoval::Options());
    if (!removal.isRemoved()) platform::logWarning("Removing " + path + " failed: " + removal.reason);
    return !existsAt(parent);
}

// An ordinary folder goes only while it is empty: whatever came into it since stays, unshredded
// files are never removed with it.
bool removedEmptyFolderAt(const Parent& parent, const std::string& path, const struct stat& folder) {
    if (platform::FileIdentity::ofEntryAt(parent.folder.get(), parent.name) != platform::FileIdentity::of(folder))
        platform::logWarning("Removing " + path + " failed: it is no longer the folder that was chosen");
    else if (unlinkat(parent.folder.get(), parent.name.c_str(), AT_REMOVEDIR) != 0)
        platform::logWarning("Removing " + path + " failed: " + std::strerror(errno));
    return !existsAt(parent);
}

// Whether this user could make the file writable: checked before anything is changed.
bool mayBeMadeWritable(const Parent& parent, const struct stat& info) {
    const uid_t user = geteuid();
    return user == 0 || info.st_uid == user || faccessat(parent.folder.get(), parent.name.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

RemoveFileAndFolder::RemoveFileAndFolder(Executors executors, std::shared_ptr<SecureEraser> eraser)
    : executors_(std::move(executors)), eraser_(std::move(eraser)) {}

void RemoveFileAndFolder::benginToTraskWithArr(std::vector<std::shared_ptr<FileObj>> files) {
    if (files.empty()) return finish();
    const std::string firstPath = files.front()->url;
    const float firstPercent = files.size() == 1 ? 30.0f : 0.0f;
    std::uint64_t bytes = 0;
    for (const auto& file : files) bytes += static_cast<std::uint64_t>(std::max<int64_t>(file->size, 0));
    progress_.beginStage(0, files.size(), bytes);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        deleteErrorArr_.clear();
        allFilesArr_ = std::move(files);
        idx_ = 0;
    }
    if (delegate_) delegate_->removeProgress(firstPath, firstPercent);
    runTaskWithPath();
}

bool RemoveFileAndFolder::runTaskWithPath() {
    auto self = shared_from_this();
    executors_.global([self] { self->eraseItem(); });
    return true;
}

void RemoveFileAndFolder::isCancel() { isCancel_.requestStop(); }

int32_t RemoveFileAndFolder::getWipeTimes() {
    int64_t times = platform::UserDefaults::shared()->integerForKey("WipeTimes");
    return static_cast<int32_t>(std::clamp<int64_t>(times, 1, std::numeric_limits<int32_t>::max()));
}

int32_t RemoveFileAndFolder::passesWritten() { return std::min(getWipeTimes(), SecureEraser::maximumPasses); }

bool RemoveFileAndFolder::checkPermissions(int folderFd, const std::string& name) {
    FileDescriptor file(openat(folderFd, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    // An immutable or append-only file refuses with EPERM.
    return file.isOpen() || (errno != EACCES && errno != EPERM);
}

std::vector<std::shared_ptr<FileObj>> RemoveFileAndFolder::deleteErrorArr() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return deleteErrorArr_;
}

size_t RemoveFileAndFolder::idx() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return idx_;
}

void RemoveFileAndFolder::eraseItem() {
    std::shared_ptr<FileObj> item;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (isRunning_ || idx_ >= allFilesArr_.size()) return;
        isRunning_ = true;
        item = allFilesArr_[idx_];
    }
    progress_.setCurrentPath(item->url);
    platform::logInfo("-------::" + item->url);
    const Outcome outcome = shredItem(*item);
    if (outcome == Outcome::Refused && delegate_) {
        RemoveFileAndFolderDelegate* delegate = delegate_;
        executors_.main([delegate] { delegate->haveFailWipe(); });
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        item->failStr = outcome == Outcome::Success ? "Success" : "Fail";
        deleteErrorArr_.push_back(item);
        isRunning_ = false;
    }
    progress_.advance(1, static_cast<std::uint64_t>(std::max<int64_t>(item->size, 0)));
    auto self = shared_from_this();
    executors_.main([self] { self->doneErasing(); });
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::shredItem(const FileObj& item) {
    // Only the very item that was listed is handled: its folder and itself must still be those.
    if (!item.chosen) {
        platform::logWarning("Not shredding " + item.url + ": it could not be reached when it was listed");
        return Outcome::Fail;
    }
    platform::ItemRemoval::Folder reached = platform::ItemRemoval::reachFolder(*item.chosen);
    struct stat info {};
    if (reached.failure && reached.failure->outcome != platform::ItemRemoval::Outcome::Gone) {
        platform::logWarning("Not shredding " + reached.failure->reason);
        return Outcome::Fail;
    }
    if (reached.failure || fstatat(reached.fd.get(), reached.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        platform::logWarning("文件不存在: " + item.url);
        return Outcome::Fail;
    }
    if (platform::FileIdentity::of(info) != item.chosen->item) {
        platform::logWarning("Not shredding " + item.url + ": it is no longer the item that was chosen");
        return Outcome::Fail;
    }
    Parent parent;
    parent.reach = platform::LinkFreePath::Reach::Reached;
    parent.folder = std::move(reached.fd);
    parent.name = reached.name;
    noteWrittenFolder(parent.folder.get());
    if (S_ISDIR(info.st_mode)) return shredFolder(item, parent, info);
    if (S_ISREG(info.st_mode)) return shredFile(item, parent, info);
    // A link is removed itself, never followed; a FIFO, socket or device holds no data of its
    // own, so only its entry goes.
    return removedAt(parent, item.url, info) ? Outcome::Success : Outcome::Fail;
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::shredFolder(const FileObj& item, const Parent& parent,
                                                              const struct stat& info) {
    const bool empty = isEmptyFolder(parent);
    if (item.isDir && empty) return removedEmptyFolderAt(parent, item.url, info) ? Outcome::Success : Outcome::Fail;
    if (endsWithApp(item.url)) return removedAt(parent, item.url, info) ? Outcome::Success : Outcome::Fail;
    // An ordinary folder's contents come before it in the list; whatever of them could not
    // be erased keeps the folder, as removing it would delete those files unshredded.
    if (!empty || !platform::isDeletableFileAt(parent.folder.get(), parent.name)) {
        platform::logWarning("Folder kept as it is: " + item.url);
        return Outcome::Fail;
    }
    UnlockedItem unlocked(parent.folder.get(), parent.name, item.url, info);
    return removedEmptyFolderAt(parent, item.url, info) ? Outcome::Success : Outcome::Fail;
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::shredFile(const FileObj& item, const Parent& parent,
                                                            const struct stat& info) {
    // A file with other hard links shares its data and mode with the other names: neither is
    // touched. Only an empty one loses this name.
    if (info.st_nlink > 1) {
        if (info.st_size == 0) return removedAt(parent, item.url, info) ? Outcome::Success : Outcome::Fail;
        platform::logWarning("File has " + std::to_string(info.st_nlink) + " hard links, left alone: " + item.url);
        return Outcome::Fail;
    }
    // Whatever can be known beforehand is checked before the item's flags or mode change.
    const bool deletable = platform::isDeletableFileAt(parent.folder.get(), parent.name);
    // The size now, not the one listed: a file that has grown since is overwritten.
    if (info.st_size == 0 && !deletable) return Outcome::Fail;
    if (!deletable || !mayBeMadeWritable(parent, info)) {
        platform::logWarning("--没有权限--------" + item.url);
        return Outcome::Refused;
    }
    UnlockedItem unlocked(parent.folder.get(), parent.name, item.url, info);
    if (info.st_size == 0) return removedAt(parent, item.url, info) ? Outcome::Success : Outcome::Fail;
    if (!unlocked.isUnlocked() || !checkPermissions(parent.folder.get(), parent.name)) {
        platform::logWarning("--没有权限--------" + item.url);
        return Outcome::Refused;
    }
    const int32_t passes = item.isSSD ? 1 : getWipeTimes();
    const bool erased =
        eraser_->securelyEraseFileAt(parent.folder.get(), parent.name, item.url, passes, platform::FileIdentity::of(info));
    return erased ? Outcome::Success : Outcome::Fail;
}

void RemoveFileAndFolder::doneErasing() {
    std::string nextPath;
    float percent = 0;
    bool finished = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (ended_) return;
        const size_t count = allFilesArr_.size();
        finished = idx_ >= count || isCancel_.stopRequested();
        if (!finished) {
            ++idx_;
            finished = idx_ >= count || isCancel_.stopRequested();
        }
        if (!finished) {
            nextPath = allFilesArr_[idx_]->url;
            percent = static_cast<float>(idx_ * 100 / count);
        }
    }
    if (finished) return finish();
    if (delegate_) delegate_->removeProgress(nextPath, percent);
    runTaskWithPath();
}

// The folder an item is handled in, held open (for reading: fsync refuses an O_PATH descriptor)
// for the sync at the end; each folder once.
void RemoveFileAndFolder::noteWrittenFolder(int heldFolder) {
    FileDescriptor opened(openat(heldFolder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info {};
    if (!opened.isOpen() || fstat(opened.get(), &info) != 0) return;
    writtenFolders_.try_emplace({info.st_dev, info.st_ino}, std::move(opened));
}

// The overwrites were flushed pass by pass; what is left to make durable is each folder's
// renames and removals. Only those folders are synced, not whole file systems, so the end
// never waits for every other writer's data on the machine.
void RemoveFileAndFolder::syncWrittenFolders() {
    for (const auto& [identity, folder] : writtenFolders_)
        if (fsync(folder.get()) != 0)
            platform::logWarning("Syncing a folder of device " + std::to_string(identity.first) +
                                 " failed: " + std::strerror(errno));
    writtenFolders_.clear();
}

void RemoveFileAndFolder::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (ended_) return;
        ended_ = true;
    }
    auto self = shared_from_this();
    executors_.global([self] {
        self->syncWrittenFolders();
        self->executors_.main([self] { self->end(); });
    });
}

void RemoveFileAndFolder::end() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        isRunning_ = false;
    }
    if (delegate_) delegate_->removeObjEnd(this);
}

}  // namespace core

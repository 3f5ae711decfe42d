#include "core/shredder/RemoveFileAndFolder.h"

#include "platform/files/DeletableCheck.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/FileFlags.h"
#include "platform/files/FileManager.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"
#include "platform/system/UserDefaults.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

namespace core {
namespace {

using platform::FileDescriptor;

bool existsAt(const std::string& path) {
    struct stat info {};
    return fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool endsWithApp(const std::string& path) {
    const std::string suffix = ".app";
    return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isEmptyFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_empty(path, error) && !error;
}

// The kind of removal that leaves nothing to judge but whether the name is gone.
bool removedAt(const std::string& path, int (*remover)(const char*)) {
    if (remover(path.c_str()) != 0)
        platform::logWarning("Removing " + path + " failed: " + std::strerror(errno));
    return !existsAt(path);
}

bool removeBundle(const std::string& path) {
    std::string error;
    if (!platform::FileManager::removeItemAtPath(path, &error))
        platform::logWarning("Removing " + path + " failed: " + error);
    return !existsAt(path);
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

void RemoveFileAndFolder::doUnLockFile(const std::string& path) {
    // Read-only and non-blocking: enough for the flags and the mode, and harmless on any kind.
    FileDescriptor item(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (item.isOpen() && platform::clearLockFlags(item.get()))
        platform::logInfo("File unlocked successfully.");
    else
        platform::logWarning("Failed to unlock file. " + std::string(std::strerror(errno)) + ": " + path);

    struct stat info {};
    int statResult = item.isOpen() ? fstat(item.get(), &info)
                                   : fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW);
    if (statResult != 0) {
        platform::logWarning("Error getting file attributes: " + std::string(std::strerror(errno)) + ": " + path);
        return;
    }
    const mode_t mode = S_ISDIR(info.st_mode) ? 0700 : 0600;
    int chmodResult = item.isOpen() ? fchmod(item.get(), mode)
                                    : fchmodat(AT_FDCWD, path.c_str(), mode, AT_SYMLINK_NOFOLLOW);
    if (chmodResult != 0)
        platform::logWarning("Error setting file attributes: " + std::string(std::strerror(errno)) + ": " + path);
}

bool RemoveFileAndFolder::checkPermissions(const std::string& path) {
    FileDescriptor file(open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.isOpen()) return true;
    // An immutable or append-only file refuses with EPERM: it cannot be made writable either.
    if (errno != EACCES && errno != EPERM) return true;
    return fchmodat(AT_FDCWD, path.c_str(), 0600, AT_SYMLINK_NOFOLLOW) == 0;
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
    noteWrittenFileSystem(item->url);
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
    struct stat info {};
    if (fstatat(AT_FDCWD, item.url.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        platform::logWarning("文件不存在: " + item.url);
        return Outcome::Fail;
    }
    if (S_ISDIR(info.st_mode)) return shredFolder(item);
    if (S_ISREG(info.st_mode)) return shredFile(item, info);
    // A link is removed itself, never followed; a FIFO, socket or device holds no data of its
    // own, so only its entry goes.
    return removedAt(item.url, unlink) ? Outcome::Success : Outcome::Fail;
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::shredFolder(const FileObj& item) {
    if (item.isDir && isEmptyFolder(item.url)) return removedAt(item.url, rmdir) ? Outcome::Success : Outcome::Fail;
    if (endsWithApp(item.url)) return removeBundle(item.url) ? Outcome::Success : Outcome::Fail;
    // An ordinary folder's contents come before it in the list; whatever of them could not
    // be erased keeps the folder, as removing it would delete those files unshredded.
    doUnLockFile(item.url);
    return removedAt(item.url, rmdir) ? Outcome::Success : Outcome::Fail;
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::shredFile(const FileObj& item, const struct stat& info) {
    // A file with other hard links shares its data and mode with the other names: neither is
    // touched. Only an empty one loses this name.
    const bool sharedWithOtherNames = info.st_nlink > 1;
    if (!sharedWithOtherNames) doUnLockFile(item.url);
    // The size now, not the one listed: a file that has grown since is overwritten.
    if (info.st_size == 0) return removedAt(item.url, unlink) ? Outcome::Success : Outcome::Fail;
    if (sharedWithOtherNames) {
        platform::logWarning("File has " + std::to_string(info.st_nlink) + " hard links, left alone: " + item.url);
        return Outcome::Fail;
    }
    if (!platform::isDeletableFileAtPath(item.url) || !checkPermissions(item.url)) {
        platform::logWarning("--没有权限--------" + item.url);
        return Outcome::Refused;
    }
    const int32_t passes = item.isSSD ? 1 : getWipeTimes();
    return eraser_->securelyEraseFile(item.url, passes) ? Outcome::Success : Outcome::Fail;
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

// The item is gone (or left), so its folder stands for its file system.
void RemoveFileAndFolder::noteWrittenFileSystem(const std::string& path) {
    const std::string folder = platform::parentPath(path);
    FileDescriptor opened(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info {};
    if (!opened.isOpen() || fstat(opened.get(), &info) != 0) return;
    writtenFileSystems_.try_emplace(info.st_dev, std::move(opened));
}

void RemoveFileAndFolder::syncWrittenFileSystems() {
    for (const auto& [device, folder] : writtenFileSystems_)
        if (syncfs(folder.get()) != 0)
            platform::logWarning("Syncing the file system of device " + std::to_string(device) +
                                 " failed: " + std::strerror(errno));
    writtenFileSystems_.clear();
}

void RemoveFileAndFolder::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (ended_) return;
        ended_ = true;
    }
    auto self = shared_from_this();
    executors_.global([self] {
        self->syncWrittenFileSystems();
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

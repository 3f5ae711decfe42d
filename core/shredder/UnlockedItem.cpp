#include "core/shredder/UnlockedItem.h"

#include "platform/files/FileFlags.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace core {
namespace {

mode_t narrowedMode(const struct stat& info) { return S_ISDIR(info.st_mode) ? 0700 : 0600; }

std::string reason(const std::string& path) { return std::string(std::strerror(errno)) + ": " + path; }

}  // namespace

UnlockedItem::UnlockedItem(int folderFd, std::string name, std::string path, const struct stat& before)
    : folderFd_(folderFd), name_(std::move(name)), path_(std::move(path)), before_(before) {
    openItem();
    if (item_.isOpen()) flags_ = platform::lockFlagsOf(item_.get());
    unlocked_ = item_.isOpen() && platform::clearLockFlags(item_.get());
    if (unlocked_)
        platform::logInfo("File unlocked successfully.");
    else
        platform::logWarning("Failed to unlock file. " + reason(path_));
    if (!modeChanged_ && item_.isOpen()) {
        modeChanged_ = fchmod(item_.get(), narrowedMode(before_)) == 0;
        if (!modeChanged_) platform::logWarning("Error setting file attributes: " + reason(path_));
    }
}

UnlockedItem::~UnlockedItem() {
    if (!isGone()) restore();
}

// Read-only and non-blocking: enough for the flags and the mode, and harmless on any kind of
// item. One its owner may not read gets the narrowed mode first.
void UnlockedItem::openItem() {
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    item_ = platform::FileDescriptor(openat(folderFd_, name_.c_str(), flags));
    if (item_.isOpen() || errno != EACCES) return;
    if (fchmodat(folderFd_, name_.c_str(), narrowedMode(before_), AT_SYMLINK_NOFOLLOW) != 0) return;
    modeChanged_ = true;
    item_ = platform::FileDescriptor(openat(folderFd_, name_.c_str(), flags));
}

bool UnlockedItem::isGone() const {
    struct stat now {};
    if (item_.isOpen()) return fstat(item_.get(), &now) == 0 && now.st_nlink == 0;
    return fstatat(folderFd_, name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_ino != before_.st_ino ||
           now.st_dev != before_.st_dev;
}

// The mode first: an immutable item refuses any change of its mode.
void UnlockedItem::restore() {
    const mode_t mode = before_.st_mode & 07777;
    bool restored = true;
    if (modeChanged_)
        restored = item_.isOpen() ? fchmod(item_.get(), mode) == 0
                                  : fchmodat(folderFd_, name_.c_str(), mode, AT_SYMLINK_NOFOLLOW) == 0;
    if (unlocked_ && flags_ && *flags_ != 0) restored = platform::restoreLockFlags(item_.get(), *flags_) && restored;
    if (!restored) platform::logWarning("Putting back the mode and flags failed: " + reason(path_));
}

}  // namespace core

#pragma once

#include "platform/files/FileDescriptor.h"

#include <sys/stat.h>

#include <optional>
#include <string>

namespace core {

// An item the shredder has made erasable: its immutable and append-only flags cleared and its
// mode narrowed to the owner (0600, a folder 0700). When it ends and the item is still there,
// the old mode and flags go back on the very item that was changed (held open), so an item
// that was not erased keeps what it had.
class UnlockedItem {
public:
    // Unlocks the entry name of the open folder; before is what was found there just now.
    UnlockedItem(int folderFd, std::string name, std::string path, const struct stat& before);
    ~UnlockedItem();
    UnlockedItem(const UnlockedItem&) = delete;
    UnlockedItem& operator=(const UnlockedItem&) = delete;

    // Neither lock flag is left set.
    bool isUnlocked() const { return unlocked_; }

private:
    void openItem();
    bool isGone() const;
    void restore();

    int folderFd_;
    std::string name_;
    std::string path_;
    struct stat before_;
    platform::FileDescriptor item_;  // the item itself, read-only; closed when it cannot be opened
    std::optional<int> flags_;       // the lock flags found, when they could be read
    bool modeChanged_ = false;
    bool unlocked_ = false;
};

}  // namespace core

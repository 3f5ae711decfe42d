#pragma once

#include "platform/files/FileEntry.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

namespace platform {

class FileWalk;

// Walks a file tree depth first, every folder's entries in byte order of their names, without
// recursion and with a bounded number of open descriptors, so trees thousands of levels deep
// work. Links are reported, never followed (a link given as the start only when asked).
// Folders on pseudo file systems (proc, sysfs, devtmpfs, cgroup, ...) are reported but never
// entered. Every tool that looks through folders does it with this walker.
class FileWalker {
public:
    enum class Step {
        Continue,  // go on; a folder's contents come next
        Prune,     // a folder's contents are skipped (it is not left either)
        Stop,      // the walk ends at once; nothing more is reported
    };

    // What a callback sees; valid during the call only.
    class Visit {
    public:
        const FileEntry& entry() const { return entry_; }
        const std::string& path() const { return path_; }  // full path of the entry
        size_t depth() const { return depth_; }              // 0 for the start
        // The open folder that holds the entry, for *at calls on entry().name (for a start that
        // was a followed link, these reach the link); -1 when it can no longer be opened.
        int folderDescriptor() const;
        // The folder that holds the entry as it was listed (for a start followed through a
        // link, its target); nothing for the start itself.
        const FileEntry* folderEntry() const;

    private:
        friend class FileWalk;
        Visit(FileWalk& walk, const FileEntry& entry, const std::string& path, size_t depth, size_t containerLevel)
            : walk_(walk), entry_(entry), path_(path), depth_(depth), containerLevel_(containerLevel) {}
        FileWalk& walk_;
        const FileEntry& entry_;
        const std::string& path_;
        size_t depth_;
        size_t containerLevel_;
    };

    struct Callbacks {
        // Every entry, the start first; a folder before its contents.
        std::function<Step(const Visit&)> visitEntry;
        // A folder after its contents; listed is false when it could not be opened or read
        // (or lies on a pseudo file system) and so none of its contents were reported.
        std::function<void(const Visit&, bool listed)> leaveFolder;
    };

    struct Options {
        bool followTopLink = false;                 // a link given as the start is followed
        const std::atomic<bool>* stop = nullptr;    // checked before every entry
    };

    // False when the start does not exist or is a folder that cannot be listed.
    static bool walk(const std::string& path, const Callbacks& callbacks, const Options& options);
    static bool walk(const std::string& path, const Callbacks& callbacks);
    // Walks an entry of an open folder, reported under the given full path.
    static bool walkAt(int folderFd, const FileEntry& start, const std::string& path, const Callbacks& callbacks,
                       const Options& options);
};

}  // namespace platform

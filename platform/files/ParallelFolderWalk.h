#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Lists the folders of a tree on several threads at once. Folders wait in one shared stack;
// a worker takes one, opens it and hands it to the visitor, which reads it and names the
// subfolders to list next. Helper threads (twice the processors, at most sixteen, kept parked
// between walks) join only once folders pile up, so small trees are done by the calling thread
// alone. The order in which folders are visited
// depends on timing; callers that need a fixed order sort what they collected.
class ParallelFolderWalk {
public:
    static constexpr uint64_t kUnknownDevice = ~uint64_t{0};

    struct Folder {
        std::string path;
        uint64_t device = 0;
        uint64_t inode = 0;                      // with device, the folder as it was listed; 0: not checked
        uint64_t parentDevice = kUnknownDevice;  // a folder on another device is checked for a pseudo file system
        void* tag = nullptr;                     // the caller's own
    };

    // Called on some worker for every folder taken. folderFd is the folder opened for reading,
    // or -1 when it could not be opened, is no longer the folder that was listed, or lies on a
    // pseudo file system: the visitor hears of every folder, so callers can count them off.
    using Visitor = std::function<void(const Folder& folder, int folderFd, std::vector<Folder>& subfolders)>;

    struct Options {
        // Checked before every folder: once set, the folders still waiting are dropped unvisited.
        const std::atomic<bool>* stop = nullptr;
        // Called by a worker before each folder; a pause switch may hold the worker there.
        std::function<void()> beforeFolder;
    };

    // Returns once every folder reachable from the starts has been visited, or soon after a stop.
    static void run(std::vector<Folder> starts, const Visitor& visit, const Options& options);
};

}  // namespace platform

#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

// Recognises the kernel's pseudo file systems (proc, sysfs, devtmpfs, cgroup, ...) by their
// statfs type, so walks never enter them: their "files" are kernel state, not disk contents.
// One instance per walk (or per walking thread) remembers the verdict for each device.
class PseudoFileSystems {
public:
    // True when the open folder, which lies on the given device, is on a pseudo file system.
    bool contains(int folderFd, uint64_t device);

private:
    static bool isPseudoType(int64_t type, uint64_t device);
    // devtmpfs shares tmpfs's statfs type; the mount table tells them apart.
    static bool isDeviceFileSystem(uint64_t device);

    std::vector<std::pair<uint64_t, bool>> verdicts_;
};

}  // namespace platform

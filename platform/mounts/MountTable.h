#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One line of a mount table.
struct MountEntry {
    std::string source;  // "/dev/sda1", "tmpfs", …
    std::string target;  // the mount point
    std::string fsType;
    bool readOnly = false;
    bool blockDevice = false;  // a device node under /dev, not a pseudo or network file system
    uint64_t deviceNumber = 0;  // the mounted file system's device (major and minor)
};

struct MountChange {
    enum class Kind { Mounted, Unmounted };
    Kind kind;
    MountEntry entry;
};

// A snapshot of a mount table in the kernel's mountinfo format, read through libmount.
class MountTable {
public:
    MountTable() = default;
    explicit MountTable(std::vector<MountEntry> entries) : entries_(std::move(entries)) {}

    // Nothing (and a log line) when the file cannot be read.
    static std::optional<MountTable> read(const std::string& mountinfoPath);
    // The calling process's table under the environment's /proc root.
    static std::string ownTablePath();

    const std::vector<MountEntry>& entries() const { return entries_; }
    // The topmost mount at a mount point; nullptr when nothing is mounted there.
    const MountEntry* entryAt(const std::string& target) const;
    // Block devices mounted or unmounted since the older table, matched by device and mount
    // point, so a device unmounted and mounted again at the same place is no change.
    std::vector<MountChange> blockDeviceChangesSince(const MountTable& older) const;

private:
    std::vector<MountEntry> entries_;
};

}  // namespace platform

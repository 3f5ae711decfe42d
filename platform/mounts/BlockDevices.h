#pragma once

#include <optional>
#include <string>

namespace platform {

// Block devices as the kernel lists them below Environment::sysRoot().
class BlockDevices {
public:
    // The whole disk that holds "/": its device in /proc/self/mountinfo (under procRoot()),
    // looked up in /sys/dev/block, or else by the mount's source name.
    static std::optional<std::string> wholeDiskOfRoot();
    // The whole disk below a block device name ("sda2" gives "sda"; a device-mapper or md
    // device gives the disk of its first slave); nothing when the name is unknown.
    static std::optional<std::string> wholeDiskOf(const std::string& blockName);
};

}  // namespace platform

#pragma once

#include "platform/mounts/MountTable.h"

#include <optional>
#include <string>

namespace platform {

// The file system an item lies on, as its mount and its block device tell it.
struct PathVolume {
    // Where udev keeps what it probed on each block device ("b<major>:<minor>" files).
    static constexpr const char* kUdevDataFolder = "/run/udev/data";

    // The type of the file system on the block device: a FUSE mount of a block device
    // ("fuseblk", as ntfs-3g mounts read) takes the type udev probed on the device, else its
    // subtype ("fuseblk.ntfs-3g"); the kernel's own drivers read as they are ("ntfs3", "ext4").
    std::string fsType;
    bool readOnly = false;  // mounted read-only

    // Whether the type names NTFS, in any case.
    bool isNTFS() const;

    // The volume of the item itself (a link is not followed), matched in the table by device;
    // nothing when the item is missing or no mount of its device is listed.
    static std::optional<PathVolume> of(const std::string& path, const MountTable& table,
                                        const std::string& udevDataFolder = kUdevDataFolder);
};

}  // namespace platform

#pragma once

#include "support/DeathWatcher.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// A disk image in a test's folder, made with a file system and attached to a loop device, and
// detached again at the end. The device is known by its backing file: only a loop device whose
// backing file is this image is ever named, acted on or detached: at the end, or, should the
// test process die first (killed, interrupted), by a DeathWatcher.
class LoopDisk {
public:
    // Why loop disks cannot be had here (no root, no loop devices, a program missing); "" when
    // they can.
    static std::string whyNotHere();
    // The file system a loop disk is made with: "vfat" where this kernel mounts it, else
    // "ext4"; "" when it mounts neither.
    static std::string mountableFileSystem();
    // Whether mkfs can make the file system ("vfat", "exfat", "ext4", …) here.
    static bool canMake(const std::string& fsType);

    LoopDisk(const TempFolder& folder, const std::string& fsType, const std::string& label);
    LoopDisk(const LoopDisk&) = delete;
    LoopDisk& operator=(const LoopDisk&) = delete;

    // "/dev/loop3"; "" when it could not be attached (failure() tells why).
    const std::string& device() const { return device_; }
    std::string name() const;
    const std::string& image() const { return image_; }
    const std::string& failure() const { return failure_; }
    // Whether the device is still attached to this image.
    bool isOurs() const;

    // A folder for the front of PATH whose lsblk lists this device alone, as the one disk of
    // a USB stick (removable, hot-plugged, on USB) with no partition table: the disk utility
    // stand-in lists nothing else while it runs with it.
    const std::string& listingFolder() const { return listingFolder_; }

    // blkid's value of a tag ("LABEL", "TYPE", "UUID"), probed on the device itself.
    std::string probed(const std::string& tag) const;
    // Where the device is mounted (findmnt); "" when it is not.
    std::string mountPoint() const;

private:
    void writeListing(const TempFolder& folder);

    std::string image_;
    std::string device_;
    std::string listingFolder_;
    std::string failure_;
    std::unique_ptr<DeathWatcher> detacher_;
};

}  // namespace testsupport

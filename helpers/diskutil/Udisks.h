#pragma once

#include "platform/system/Busctl.h"

#include <chrono>
#include <optional>
#include <string>

// The few udisks2 calls the disk utility's actions need, made on the system bus through
// busctl. udisks2 asks polkit for the rights itself, so a call may wait for a password; every
// call therefore has a long timeout.
class Udisks {
public:
    struct Answer {
        bool succeeded = false;
        std::string error;  // why it failed, as udisks2 or busctl said it
        std::string text;   // a mount point or an object path
        bool flag = false;  // the verdict of Check and Repair
    };

    explicit Udisks(std::chrono::milliseconds timeout) : timeout_(timeout) {}

    // A property of an object ("Block", "IdType"), its value as text where it is one.
    Answer property(const std::string& object, const std::string& interface, const std::string& name) const;
    // The block object of a device node ("/dev/sdb1").
    Answer blockObject(const std::string& devicePath) const;
    // The drive object of a block object; fails for a block device without a drive.
    Answer driveObject(const std::string& block) const;

    Answer mount(const std::string& block) const;
    Answer unmount(const std::string& block) const;
    Answer setLabel(const std::string& block, const std::string& label) const;
    // The file system must not be mounted; the flag tells whether it is (or now is) sound.
    Answer check(const std::string& block) const;
    Answer repair(const std::string& block) const;
    // Makes a new file system ("vfat", "exfat", "ext4", …) with the label, setting the
    // partition's type to match.
    Answer format(const std::string& block, const std::string& type, const std::string& label) const;
    Answer powerOff(const std::string& drive) const;
    Answer eject(const std::string& drive) const;
    // Whether the block device is a loop device, a disk image attached as a disk.
    bool isLoop(const std::string& block) const;
    // Detaches a loop device from its image.
    Answer deleteLoop(const std::string& block) const;

private:
    Answer call(const std::string& object, const std::string& interface, const std::string& method,
                const std::vector<std::string>& signatureAndValues) const;

    std::chrono::milliseconds timeout_;
};

#pragma once

#include "BlockDevice.h"

#include "platform/mounts/MountTable.h"
#include "platform/system/PlistValue.h"

#include <optional>
#include <string>
#include <vector>

// The machine's disks as the disk utility describes them: each whole disk with its members
// (its partitions and, flattened beneath them, the encrypted, LVM and RAID devices built on
// them, each listed once), described in the utility's property-list keys.
class DiskCatalog {
public:
    struct Disk {
        BlockDevice device;  // without its children
        std::vector<BlockDevice> members;
    };
    // A listed device and the whole disk it belongs to (the disk itself for a whole disk).
    struct Found {
        const BlockDevice* device;
        const Disk* disk;
    };

    DiskCatalog(const std::vector<BlockDevice>& devices, platform::MountTable mounts);

    // "list -plist": {"AllDisksAndPartitions": [{"DeviceIdentifier", "Content", "Partitions"}]}.
    platform::PlistValue list() const;
    // "info -plist <device>" for "/dev/sda1", "sda1" or a device path such as
    // "/dev/mapper/root"; nothing when no such disk or member exists.
    std::optional<platform::PlistValue> info(const std::string& device) const;

    // A disk or member named as "info" accepts it.
    std::optional<Found> find(const std::string& device) const;
    // Every listed device whose file-system UUID this is.
    std::vector<Found> findByUuid(const std::string& uuid) const;
    // "/" when the device holds the root file system, else its first mount point; "" when
    // it is not mounted.
    std::string mountPointOf(const BlockDevice& device) const;
    // lsblk's file-system type, else the mount table's ("vfat", "ext4", …).
    std::string fsTypeOf(const BlockDevice& device) const;

private:
    void addMembers(const BlockDevice& parent, Disk& disk, std::vector<std::string>& seen) const;
    platform::PlistValue listEntryOf(const BlockDevice& member, const Disk& disk) const;
    platform::PlistValue infoOf(const BlockDevice& device, const Disk& disk) const;
    const platform::MountEntry* mountEntryOf(const BlockDevice& device) const;
    bool mountedReadOnly(const BlockDevice& device) const;

    std::vector<Disk> disks_;
    platform::MountTable mounts_;
};

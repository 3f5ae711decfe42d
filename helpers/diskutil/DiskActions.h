#pragma once

#include "DiskCatalog.h"
#include "SystemDevices.h"
#include "Udisks.h"

#include <string>
#include <vector>

// The disk utility's action verbs, done through udisks2:
//
//   mount <device>                      unmount <device>
//   eject <uuid or device>              (unmounts every volume of the disk, then powers it off;
//                                        a disk image on a loop device is detached)
//   rename <uuid or device> <name>
//   eraseVolume <type> <name> <device>  ("ExFAT", "MS-DOS FAT32", "Journaled HFS+" as ext4)
//   reformat <device>                   (a new file system of the same type and name)
//   verifyvolume <device>               repairvolume <device>
//
// Devices are named as "info" accepts them ("sdb1", "/dev/sdb1"), never by mount point. Each
// verb prints its steps on standard output as it goes, flushed line by line, and on failure
// "Error: <reason>" on standard error with exit status 1. Nothing runs for a device that is no
// listed block device, and nothing destructive for one that the running system stands on.
class DiskActions {
public:
    DiskActions(const DiskCatalog& catalog, const SystemDevices& system, const Udisks& udisks);

    static bool isActionVerb(const std::string& verb);
    int run(const std::vector<std::string>& args) const;

private:
    struct Target {
        const BlockDevice* device;
        const DiskCatalog::Disk* disk;
        std::string node;  // "/dev/<kernel name>"
        std::string block;  // its udisks2 object
    };
    // Whether the verb may act on a device that the running system stands on.
    enum class Scope { AnyDevice, NotTheSystem };

    int mount(const std::string& device) const;
    int unmount(const std::string& device) const;
    int eject(const std::string& device) const;
    int rename(const std::string& device, const std::string& name) const;
    int eraseVolume(const std::string& type, const std::string& name, const std::string& device) const;
    int reformat(const std::string& device) const;
    int firstAid(const std::string& device, bool repair) const;

    // The listed device named by the argument (a UUID too where allowed), checked for the
    // verb's scope and to be a block device, with its udisks2 object; an error text otherwise.
    std::optional<Target> target(const std::string& argument, bool byUuid, Scope scope, std::string& error) const;
    std::optional<DiskCatalog::Found> lookUp(const std::string& argument, bool byUuid, std::string& error) const;
    // Formats the target as the udisks2 type with the label, unmounting it first and mounting
    // the new volume when the old one was mounted.
    int format(const Target& target, const std::string& type, const std::string& label) const;
    bool unmountForChange(const Target& target, std::string& error) const;
    std::string displayName(const BlockDevice& device) const;

    const DiskCatalog& catalog_;
    const SystemDevices& system_;
    const Udisks& udisks_;
};

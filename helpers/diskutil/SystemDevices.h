#pragma once

#include "DiskCatalog.h"

#include "platform/mounts/MountTable.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The block devices the running system stands on: those holding "/", "/boot", "/boot/efi",
// "/home", "/usr" or "/var" and those holding active swap. A device is part of the system when
// it is one of them or when one of them is built on it: its partitions and, through the sysfs
// holders, the encrypted, LVM and RAID devices above it are followed (below the /sys root).
class SystemDevices {
public:
    // From the mount table, the swap list under the /proc root and the catalog, which names
    // the devices that the mount table and the swap list give as paths.
    SystemDevices(const DiskCatalog& catalog, const platform::MountTable& mounts);

    // Why the device must be left alone ("holds / of the running system"); nothing when it
    // holds none of the system. A device whose stack cannot be read is left alone too, so
    // doubt never erases.
    std::optional<std::string> reasonToLeaveAlone(const std::string& kernelName) const;

private:
    void addMountedSystem(const DiskCatalog& catalog, const platform::MountTable& mounts);
    void addActiveSwap(const DiskCatalog& catalog, const platform::MountTable& mounts);
    void add(const std::string& kernelName, const std::string& part);

    std::map<std::string, std::string> systemDevices_;  // kernel name → what it holds
};

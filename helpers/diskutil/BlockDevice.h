#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One device of lsblk's JSON tree ("lsblk -J -b -o NAME,KNAME,PATH,TYPE,PKNAME,SIZE,RM,HOTPLUG,
// RO,TRAN,PTTYPE,PARTTYPE,FSTYPE,FSVER,LABEL,UUID,MOUNTPOINTS"), with the devices built on it.
struct BlockDevice {
    std::string name;
    std::string kernelName;  // "sda1", "dm-0": the identifier, since /dev/<kernel name> exists
    std::string path;
    std::string type;  // "disk", "part", "crypt", "lvm", "raid1", "rom", "loop", …
    uint64_t size = 0;
    bool removable = false;
    bool hotplug = false;
    bool readOnly = false;
    std::string transport;
    std::string partitionTableType;
    std::string partitionType;
    std::string fsType;
    std::string fsVersion;
    std::string label;
    std::string uuid;
    std::vector<std::string> mountPoints;
    std::vector<BlockDevice> children;

    // The top-level devices; nothing when the text is not lsblk's JSON.
    static std::optional<std::vector<BlockDevice>> parseLsblk(const std::string& json);
    // A disk the volume list covers: disks and optical drives, but no loop device (of type
    // "loop"), zram or RAM device.
    bool isWholeDisk() const;
};

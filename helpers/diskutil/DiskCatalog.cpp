#include "DiskCatalog.h"

#include "platform/files/PathText.h"
#include "platform/system/Log.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

using platform::PlistValue;

namespace {

constexpr const char* kEfiPartitionGuid = "c12a7328-f81f-11d2-ba4b-00a0c93ec93b";
constexpr const char* kEfiPartitionMbrType = "0xef";

bool equalsIgnoringCase(std::string a, std::string b) {
    auto lower = [](std::string& text) { std::transform(text.begin(), text.end(), text.begin(), ::tolower); };
    lower(a), lower(b);
    return a == b;
}

std::string partitionSchemeOf(const BlockDevice& disk) {
    if (disk.partitionTableType == "gpt") return "GUID_partition_scheme";
    if (disk.partitionTableType == "dos") return "FDisk_partition_scheme";
    return disk.partitionTableType;
}

std::string contentOf(const BlockDevice& device) {
    if (device.isWholeDisk()) return partitionSchemeOf(device);
    if (equalsIgnoringCase(device.partitionType, kEfiPartitionGuid) ||
        equalsIgnoringCase(device.partitionType, kEfiPartitionMbrType))
        return "EFI";
    return device.partitionType;
}

// Containers and swap hold no volume of their own, so they get no file-system name.
bool holdsNoVolume(const std::string& fsType) {
    return fsType.empty() || fsType == "crypto_LUKS" || fsType == "swap" || platform::endsWith(fsType, "_member");
}

std::string fatName(const std::string& version) {
    if (version == "FAT32" || version == "FAT16" || version == "FAT12") return "MS-DOS (" + version + ")";
    return "MS-DOS (FAT)";
}

std::string filesystemNameOf(const std::string& fsType, const std::string& version) {
    static const std::map<std::string, std::string> names = {
        {"exfat", "ExFAT"},          {"ntfs", "Windows NT File System (NTFS)"},
        {"ntfs3", "Windows NT File System (NTFS)"}, {"hfsplus", "Mac OS Extended"},
        {"hfs", "Mac OS Standard"},  {"apfs", "APFS"},
        {"iso9660", "ISO 9660"},     {"udf", "UDF"},
    };
    if (fsType == "vfat" || fsType == "msdos") return fatName(version);
    auto found = names.find(fsType);
    return found == names.end() ? fsType : found->second;
}

std::string busProtocolOf(const std::string& transport) {
    static const std::map<std::string, std::string> names = {
        {"usb", "USB"}, {"sata", "SATA"}, {"ata", "ATA"},     {"nvme", "PCI-Express"},
        {"sas", "SAS"}, {"spi", "SCSI"},  {"mmc", "Secure Digital"}, {"iscsi", "iSCSI"},
    };
    auto found = names.find(transport);
    return found == names.end() ? transport : found->second;
}

uint64_t freeBytesAt(const std::string& mountPoint) {
    struct statvfs info {};
    if (statvfs(mountPoint.c_str(), &info) != 0) {
        platform::logWarning("cannot read the free space of " + mountPoint + ": " + std::strerror(errno));
        return 0;
    }
    return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

BlockDevice withoutChildren(const BlockDevice& device) {
    BlockDevice copy = device;
    copy.children.clear();
    return copy;
}

bool matches(const BlockDevice& device, const std::string& wanted) {
    std::string name = wanted.rfind("/dev/", 0) == 0 ? wanted.substr(5) : wanted;
    return device.kernelName == name || device.path == wanted || device.name == name;
}

void setIfPresent(PlistValue& dictionary, const char* key, const std::string& value) {
    if (!value.empty()) dictionary.set(key, value);
}

}  // namespace

DiskCatalog::DiskCatalog(const std::vector<BlockDevice>& devices, platform::MountTable mounts)
    : mounts_(std::move(mounts)) {
    std::vector<std::string> seen;
    for (const auto& device : devices) {
        if (!device.isWholeDisk()) continue;
        Disk disk{withoutChildren(device), {}};
        addMembers(device, disk, seen);
        disks_.push_back(std::move(disk));
    }
}

void DiskCatalog::addMembers(const BlockDevice& parent, Disk& disk, std::vector<std::string>& seen) const {
    for (const auto& child : parent.children) {
        if (child.isWholeDisk() || child.type == "loop") continue;
        // A RAID or LVM device built on several partitions shows up under each of them.
        if (std::find(seen.begin(), seen.end(), child.kernelName) == seen.end()) {
            seen.push_back(child.kernelName);
            disk.members.push_back(withoutChildren(child));
        }
        addMembers(child, disk, seen);
    }
}

PlistValue DiskCatalog::list() const {
    PlistValue::Array disks;
    for (const auto& disk : disks_) {
        PlistValue::Array members;
        for (const auto& member : disk.members) members.push_back(listEntryOf(member, disk));
        PlistValue entry{PlistValue::Dictionary{}};
        entry.set("DeviceIdentifier", disk.device.kernelName);
        entry.set("Content", contentOf(disk.device));
        entry.set("Partitions", std::move(members));
        disks.push_back(std::move(entry));
    }
    PlistValue result{PlistValue::Dictionary{}};
    result.set("AllDisksAndPartitions", std::move(disks));
    return result;
}

PlistValue DiskCatalog::listEntryOf(const BlockDevice& member, const Disk& disk) const {
    PlistValue info = infoOf(member, disk);
    PlistValue entry{PlistValue::Dictionary{}};
    for (const char* key : {"DeviceIdentifier", "Content", "FilesystemName"})
        if (const PlistValue* value = info.find(key)) entry.set(key, *value);
    setIfPresent(entry, "MountPoint", info["MountPoint"].toString());
    return entry;
}

std::optional<DiskCatalog::Found> DiskCatalog::find(const std::string& wanted) const {
    for (const auto& disk : disks_) {
        if (matches(disk.device, wanted)) return Found{&disk.device, &disk};
        for (const auto& member : disk.members)
            if (matches(member, wanted)) return Found{&member, &disk};
    }
    return std::nullopt;
}

std::vector<DiskCatalog::Found> DiskCatalog::findByUuid(const std::string& uuid) const {
    std::vector<Found> found;
    if (uuid.empty()) return found;
    for (const auto& disk : disks_) {
        if (disk.device.uuid == uuid) found.push_back({&disk.device, &disk});
        for (const auto& member : disk.members)
            if (member.uuid == uuid) found.push_back({&member, &disk});
    }
    return found;
}

std::optional<PlistValue> DiskCatalog::info(const std::string& device) const {
    auto found = find(device);
    if (!found) return std::nullopt;
    return infoOf(*found->device, *found->disk);
}

PlistValue DiskCatalog::infoOf(const BlockDevice& device, const Disk& disk) const {
    std::string mountPoint = mountPointOf(device);
    std::string fsType = fsTypeOf(device);
    PlistValue info{PlistValue::Dictionary{}};
    info.set("DeviceIdentifier", device.kernelName);
    info.set("DeviceNode", "/dev/" + device.kernelName);
    info.set("ParentWholeDisk", disk.device.kernelName);
    info.set("Content", contentOf(device));
    if (!holdsNoVolume(fsType)) info.set("FilesystemName", filesystemNameOf(fsType, device.fsVersion));
    info.set("MountPoint", mountPoint);
    setIfPresent(info, "VolumeName", device.label);
    setIfPresent(info, "DiskUUID", device.uuid);
    setIfPresent(info, "BusProtocol", busProtocolOf(disk.device.transport));
    info.set("Ejectable", disk.device.removable || disk.device.hotplug);
    info.set("TotalSize", device.size);
    info.set("FreeSpace", mountPoint.empty() ? uint64_t{0} : freeBytesAt(mountPoint));
    info.set("Writable", !device.readOnly && !mountedReadOnly(device));
    return info;
}

std::string DiskCatalog::mountPointOf(const BlockDevice& device) const {
    std::string first;
    for (const auto& point : device.mountPoints) {
        if (point == "/") return point;
        // lsblk lists active swap as "[SWAP]", which is no place in the file system.
        if (first.empty() && !point.empty() && point.front() == '/') first = point;
    }
    return first;
}

const platform::MountEntry* DiskCatalog::mountEntryOf(const BlockDevice& device) const {
    std::string mountPoint = mountPointOf(device);
    return mountPoint.empty() ? nullptr : mounts_.entryAt(mountPoint);
}

// Without udev, lsblk knows no file-system type; the mount table does for mounted ones.
std::string DiskCatalog::fsTypeOf(const BlockDevice& device) const {
    if (!device.fsType.empty()) return device.fsType;
    const platform::MountEntry* entry = mountEntryOf(device);
    return entry ? entry->fsType : "";
}

bool DiskCatalog::mountedReadOnly(const BlockDevice& device) const {
    const platform::MountEntry* entry = mountEntryOf(device);
    return entry && entry->readOnly;
}

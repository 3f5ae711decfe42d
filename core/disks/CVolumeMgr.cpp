#include "core/disks/CVolumeMgr.h"

#include "core/disks/DiskSizeText.h"
#include "core/disks/DiskUtilRunner.h"
#include "platform/system/Log.h"

#include <atomic>
#include <chrono>
#include <initializer_list>

namespace core::disks {
namespace {

using platform::PlistValue;

constexpr uint64_t kSmallestVolume = 31457280;  // 30 MiB
constexpr std::chrono::milliseconds kEnumerationSpacing{1000};

std::atomic<bool>& enumerationGuard() {
    static std::atomic<bool> guard{false};
    return guard;
}

bool isOneOf(const std::string& text, std::initializer_list<const char*> choices) {
    for (const char* choice : choices)
        if (text == choice) return true;
    return false;
}

uint64_t unsignedNumber(const PlistValue& value) { return static_cast<uint64_t>(value.toInteger()); }

// Tests on the list entry alone, before the member's "info" is run.
bool isHiddenListEntry(const PlistValue& member) {
    return isOneOf(member["Content"].toString(), {"Apple_Boot", "EFI", "Apple_CoreStorage", "Apple_APFS"}) ||
           member["FilesystemName"].toString() == "Case-sensitive APFS" ||
           isOneOf(member["MountPoint"].toString(), {"/System/Volumes/Update/mnt1", "/System/Volumes/Data"});
}

bool isHiddenByInfo(const PlistValue& info) {
    std::string mountPoint = info["MountPoint"].toString();
    bool ejectable = info["Ejectable"].toBool();
    if (info["BusProtocol"].toString() == "Disk Image") return true;
    if (isOneOf(info["Content"].toString(), {"Apple_Boot", "EFI", "Apple_CoreStorage"})) return true;
    if (mountPoint.empty() && !ejectable) return true;
    const PlistValue* name = info.find("VolumeName");
    bool emptyName = name && name->toString().empty();
    if (emptyName && unsignedNumber(info["TotalSize"]) != 0 && !ejectable) return true;
    if (mountPoint == "/System/Volumes/Update/mnt1") return true;
    if (isOneOf(mountPoint, {"/System/Volumes/Update", "/System/Volumes/iSCPreboot", "/System/Volumes/xarts",
                             "/System/Volumes/Hardware"}) &&
        !ejectable)
        return true;
    return isOneOf(mountPoint, {"/System/Volumes/Data", "/System/Volumes/VM"});
}

bool isTooSmall(const PlistValue& info) {
    uint64_t size = unsignedNumber(info["TotalSize"]);
    platform::logInfo("+++++++: " + std::to_string(size));
    // A size of 0 (unknown) wraps around and is kept.
    return size - 1 < kSmallestVolume - 1;
}

void copyIfPresent(const PlistValue& from, const std::string& key, const std::string& as, PlistValue& to) {
    if (const PlistValue* value = from.find(key)) to.set(as, *value);
}

}  // namespace

CVolumeMgr::CVolumeMgr(Executors executors) : executors_(std::move(executors)) {}

std::optional<PlistValue> CVolumeMgr::EUGetDiskInfo(const std::string& identifier) const {
    if (identifier.empty()) return std::nullopt;
    auto path = DiskUtilRunner::ExecDiskUtilCommandWithArgs({"info", "-plist", "/dev/" + identifier});
    if (!path) return std::nullopt;
    auto info = PlistValue::readFile(*path);
    if (!info || !info->isDictionary()) return std::nullopt;
    return info;
}

PlistValue CVolumeMgr::MakeVolumeInfo(const PlistValue& info) {
    uint64_t free = unsignedNumber(info["FreeSpace"]);
    if (free == 0) free = unsignedNumber(info["APFSContainerFree"]);
    uint64_t total = unsignedNumber(info["TotalSize"]);
    std::string name = info["VolumeName"].toString();
    PlistValue volume{PlistValue::Dictionary{}};
    volume.set("FreeSpace", std::to_string(free));
    volume.set("TotalSize", std::to_string(total));
    volume.set("volumeName", name.empty() ? "Untitled" : name);
    volume.set("volumeTotalSize", convertSize2String(total));
    volume.set("volumeFreeSize", convertSize2String(free));
    copyIfPresent(info, "DeviceIdentifier", "volumePath", volume);
    for (const char* key : {"Writable", "BusProtocol", "Ejectable", "FilesystemName", "DeviceNode", "MountPoint",
                            "ParentWholeDisk", "DiskUUID"})
        copyIfPresent(info, key, key, volume);
    return volume;
}

bool CVolumeMgr::claimEnumeration() {
    if (enumerationGuard().exchange(true)) return false;
    // The guard only spaces enumerations apart; it is released on time, finished or not.
    executors_.mainAfter(kEnumerationSpacing, [] { enumerationGuard() = false; });
    return true;
}

std::optional<std::vector<PlistValue>> CVolumeMgr::enumDiskVolumesInfo() {
    if (!claimEnumeration()) return std::nullopt;
    auto path = DiskUtilRunner::ExecDiskUtilCommandWithArgs({"list", "-plist"});
    auto list = path ? PlistValue::readFile(*path) : std::nullopt;
    if (!list) {
        platform::logWarning("diskutil list error");
        return std::nullopt;
    }
    std::vector<PlistValue> volumes;
    for (const auto& disk : (*list)["AllDisksAndPartitions"].array()) addDisk(disk, volumes);
    return volumes;
}

void CVolumeMgr::addDisk(const PlistValue& disk, std::vector<PlistValue>& volumes) const {
    const auto& partitions = disk["Partitions"].array();
    const auto& apfsVolumes = disk["APFSVolumes"].array();
    if (!partitions.empty()) {
        addMembers(partitions, volumes);
    } else if (!apfsVolumes.empty()) {
        addWholeDiskVolume(disk, volumes);
        addMembers(apfsVolumes, volumes);
    } else if (disk["Content"].toString().empty()) {
        addWholeDiskVolume(disk, volumes);
    }
}

void CVolumeMgr::addWholeDiskVolume(const PlistValue& disk, std::vector<PlistValue>& volumes) const {
    auto info = EUGetDiskInfo(disk["DeviceIdentifier"].toString());
    if (info && info->contains("FilesystemName")) volumes.push_back(MakeVolumeInfo(*info));
}

void CVolumeMgr::addMembers(const PlistValue::Array& members, std::vector<PlistValue>& volumes) const {
    BootIdentifiers boot;
    for (const auto& member : members) {
        if (auto volume = volumeOfMember(member, boot)) volumes.push_back(std::move(*volume));
    }
}

std::optional<PlistValue> CVolumeMgr::volumeOfMember(const PlistValue& member, BootIdentifiers& boot) const {
    if (isHiddenListEntry(member)) return std::nullopt;
    auto info = EUGetDiskInfo(member["DeviceIdentifier"].toString());
    if (!info || isHiddenByInfo(*info) || isTooSmall(*info)) return std::nullopt;
    PlistValue volume = MakeVolumeInfo(*info);
    std::string name = volume["volumeName"].toString();
    bool ejectable = (*info)["Ejectable"].toBool();
    if (isOneOf(name, {"iSCPreboot", "xART", "Hardware"}) && !ejectable) return std::nullopt;
    if (!isOneOf(name, {"Preboot", "Recovery", "VM"})) return volume;
    if ((*info)["MountPoint"].toString().empty()) return std::nullopt;
    if (!boot.recovery || !boot.booter) {
        boot.recovery = (*info)["RecoveryDeviceIdentifier"].toString();
        boot.booter = (*info)["BooterDeviceIdentifier"].toString();
    }
    std::string identifier = (*info)["DeviceIdentifier"].toString();
    if (name == "Recovery" && identifier == *boot.recovery) return std::nullopt;
    if (name == "Preboot" && identifier == *boot.booter) return std::nullopt;
    return volume;
}

}  // namespace core::disks

#include "platform/mounts/LinuxMountedVolumes.h"

#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/files/PathText.h"

#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <set>

namespace platform {
namespace {

// SCSI peripheral type of CD and DVD drives.
constexpr const char* kOpticalDeviceType = "5";

std::string attribute(const std::string& path) { return readKernelAttribute(path).value_or(""); }

// The device's folder under /sys/devices, reached through /sys/dev/block/<major>:<minor>.
std::string deviceFolder(uint64_t deviceNumber) {
    std::string link = Environment::current()->sysRoot() + "/dev/block/" + std::to_string(major(deviceNumber)) +
                       ":" + std::to_string(minor(deviceNumber));
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(link, error);
    return error ? std::string() : folder.string();
}

// A partition's facts (removable, type) live in the folder of its whole disk.
std::string wholeDiskFolder(const std::string& folder) {
    std::error_code error;
    if (std::filesystem::exists(folder + "/partition", error)) return parentPath(folder);
    return folder;
}

bool isOnExternalBus(const std::string& folder) {
    for (const char* bus : {"/usb", "/firewire", "/thunderbolt"})
        if (folder.find(bus) != std::string::npos) return true;
    return false;
}

void readDeviceKind(uint64_t deviceNumber, MountedVolume& volume) {
    std::string folder = deviceFolder(deviceNumber);
    if (folder.empty()) return;
    volume.device = lastPathComponent(folder);
    std::string disk = wholeDiskFolder(folder);
    volume.removable = attribute(disk + "/removable") == "1";
    volume.ejectable = volume.removable;
    volume.externalBus = isOnExternalBus(disk);
    volume.opticalMedia = attribute(disk + "/device/type") == kOpticalDeviceType;
}

}  // namespace

std::optional<MountedVolume> LinuxMountedVolumes::volumeOf(const MountEntry& entry) {
    if (!entry.blockDevice) return std::nullopt;
    struct statvfs sizes {};
    if (statvfs(entry.target.c_str(), &sizes) != 0) return std::nullopt;
    MountedVolume volume;
    volume.rootPath = entry.target;
    volume.name = lastPathComponent(entry.target);
    volume.totalBytes = uint64_t{sizes.f_blocks} * sizes.f_frsize;
    volume.freeBytes = uint64_t{sizes.f_bavail} * sizes.f_frsize;
    readDeviceKind(entry.deviceNumber, volume);
    return volume;
}

std::vector<MountedVolume> LinuxMountedVolumes::mountedVolumes() {
    std::vector<MountedVolume> volumes;
    auto table = MountTable::read(MountTable::ownTablePath());
    if (!table) return volumes;
    std::set<uint64_t> devicesSeen;
    for (const auto& entry : table->entries()) {
        if (!entry.blockDevice || devicesSeen.count(entry.deviceNumber)) continue;
        if (auto volume = volumeOf(entry)) {
            devicesSeen.insert(entry.deviceNumber);
            volumes.push_back(std::move(*volume));
        }
    }
    return volumes;
}

}  // namespace platform

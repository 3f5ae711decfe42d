#include "platform/mounts/PathVolume.h"

#include "platform/files/RegularFile.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace platform {
namespace {

constexpr size_t kMaxUdevRecord = 64 * 1024;

bool isFuseBlockMount(const std::string& type) { return type == "fuseblk" || type.rfind("fuseblk.", 0) == 0; }

// The "E:ID_FS_TYPE=" line of the device's udev record.
std::string probedType(const std::string& udevDataFolder, uint64_t device) {
    const std::string record = udevDataFolder + "/b" + std::to_string(major(device)) + ":" +
                               std::to_string(minor(device));
    const std::optional<std::string> text = readRegularFile(record, kMaxUdevRecord);
    if (!text) return {};
    std::istringstream lines(*text);
    const std::string key = "E:ID_FS_TYPE=";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    return {};
}

std::string typeOnDevice(const MountEntry& mount, const std::string& udevDataFolder) {
    if (!isFuseBlockMount(mount.fsType)) return mount.fsType;
    std::string probed = probedType(udevDataFolder, mount.deviceNumber);
    if (!probed.empty()) return probed;
    const size_t dot = mount.fsType.find('.');
    return dot == std::string::npos ? mount.fsType : mount.fsType.substr(dot + 1);
}

}  // namespace

bool PathVolume::isNTFS() const {
    std::string lower = fsType;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("ntfs") != std::string::npos;
}

std::optional<PathVolume> PathVolume::of(const std::string& path, const MountTable& table,
                                         const std::string& udevDataFolder) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return std::nullopt;
    const auto& entries = table.entries();
    // The topmost mount of the device is the one that shows.
    auto mount = std::find_if(entries.rbegin(), entries.rend(), [&](const MountEntry& entry) {
        return entry.deviceNumber == static_cast<uint64_t>(info.st_dev);
    });
    if (mount == entries.rend()) return std::nullopt;
    return PathVolume{typeOnDevice(*mount, udevDataFolder), mount->readOnly};
}

}  // namespace platform

#include "SystemDevices.h"

#include "platform/files/PathText.h"
#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"

#include <sys/sysmacros.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace {

// Partitions, then stacked devices: far deeper than any real stack.
constexpr int kMaximumDepth = 16;

constexpr const char* kSystemMountPoints[] = {"/", "/boot", "/boot/efi", "/home", "/usr", "/var"};

std::string sysRoot() { return platform::Environment::current()->sysRoot(); }

std::optional<std::filesystem::path> canonicalFolder(const std::string& path) {
    std::error_code error;
    auto canonical = std::filesystem::canonical(path, error);
    if (error || !std::filesystem::is_directory(canonical, error)) return std::nullopt;
    return canonical;
}

// The kernel name of a mounted file system's device, from its device number in sysfs.
std::optional<std::string> kernelNameOfNumber(uint64_t deviceNumber) {
    std::string number = std::to_string(major(deviceNumber)) + ":" + std::to_string(minor(deviceNumber));
    auto folder = canonicalFolder(sysRoot() + "/dev/block/" + number);
    if (!folder) return std::nullopt;
    return folder->filename().string();
}

std::optional<std::string> kernelNameOfPath(const DiskCatalog& catalog, const std::string& path) {
    auto found = catalog.find(path);
    if (!found) return std::nullopt;
    return found->device->kernelName;
}

// The partitions of a whole disk are the subfolders that carry a "partition" attribute.
std::vector<std::string> partitionsIn(const std::filesystem::path& folder) {
    std::vector<std::string> partitions;
    std::error_code error;
    for (const auto& name : platform::listKernelFolder(folder.string()))
        if (std::filesystem::exists(folder / name / "partition", error)) partitions.push_back(name);
    return partitions;
}

}  // namespace

SystemDevices::SystemDevices(const DiskCatalog& catalog, const platform::MountTable& mounts) {
    addMountedSystem(catalog, mounts);
    addActiveSwap(catalog, mounts);
}

void SystemDevices::add(const std::string& kernelName, const std::string& part) {
    systemDevices_.emplace(kernelName, part);
}

void SystemDevices::addMountedSystem(const DiskCatalog& catalog, const platform::MountTable& mounts) {
    for (const char* point : kSystemMountPoints) {
        const platform::MountEntry* entry = mounts.entryAt(point);
        if (!entry || !entry->blockDevice) continue;
        auto name = kernelNameOfNumber(entry->deviceNumber);
        if (!name) name = kernelNameOfPath(catalog, entry->source);
        // A system mount whose device is unknown still leaves its name listed, so a listed
        // device of the same name is never taken for a free one.
        add(name.value_or(platform::lastPathComponent(entry->source)), point);
    }
}

// /proc/swaps: "Filename Type Size Used Priority", one line per active swap area. A swap file
// makes the file system holding it part of the system.
void SystemDevices::addActiveSwap(const DiskCatalog& catalog, const platform::MountTable& mounts) {
    auto content = platform::readKernelFile(platform::Environment::current()->procRoot() + "/swaps");
    if (!content) return;
    std::istringstream lines(*content);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string fileName, type;
        if (!(fields >> fileName >> type)) continue;
        if (type == "partition") {
            add(kernelNameOfPath(catalog, fileName).value_or(platform::lastPathComponent(fileName)), "swap");
            continue;
        }
        const platform::MountEntry* holder = nullptr;
        for (const auto& entry : mounts.entries())
            if (platform::isInsideOrEqual(fileName, entry.target) &&
                (!holder || entry.target.size() >= holder->target.size()))
                holder = &entry;
        if (holder && holder->blockDevice)
            add(kernelNameOfNumber(holder->deviceNumber).value_or(platform::lastPathComponent(holder->source)), "swap");
    }
}

std::optional<std::string> SystemDevices::reasonToLeaveAlone(const std::string& kernelName) const {
    auto start = canonicalFolder(sysRoot() + "/class/block/" + kernelName);
    if (!start) return "has a device stack that cannot be read";
    std::vector<std::pair<std::filesystem::path, int>> pending{{*start, 0}};
    std::set<std::string> seen;
    while (!pending.empty()) {
        auto [folder, depth] = pending.back();
        pending.pop_back();
        std::string name = folder.filename().string();
        if (!seen.insert(name).second) continue;
        auto system = systemDevices_.find(name);
        if (system != systemDevices_.end()) return "holds " + system->second + " of the running system";
        if (depth >= kMaximumDepth) return "has a device stack too deep to follow";
        for (const auto& partition : partitionsIn(folder)) pending.push_back({folder / partition, depth + 1});
        for (const auto& holder : platform::listKernelFolder((folder / "holders").string()))
            if (auto above = canonicalFolder((folder / "holders" / holder).string()))
                pending.push_back({*above, depth + 1});
    }
    return std::nullopt;
}

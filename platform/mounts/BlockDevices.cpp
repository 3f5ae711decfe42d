#include "platform/mounts/BlockDevices.h"

#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"

#include <filesystem>
#include <sstream>
#include <vector>

namespace platform {
namespace {

// Partitions, then stacked devices: far deeper than any real stack.
constexpr int kMaximumDepth = 16;

struct RootMount {
    std::string device;  // "major:minor"
    std::string source;  // "/dev/sda2", "overlay", ...
};

// The last mount on "/" wins: a later mount covers an earlier one.
std::optional<RootMount> rootMount() {
    std::string path = Environment::current()->procRoot() + "/self/mountinfo";
    auto content = readKernelFile(path);
    if (!content) {
        logWarning("cannot read " + path);
        return std::nullopt;
    }
    std::optional<RootMount> found;
    std::istringstream lines(*content);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint) || mountPoint != "/") continue;
        size_t separator = line.find(" - ");
        if (separator == std::string::npos) continue;
        std::istringstream tail(line.substr(separator + 3));
        std::string type, source;
        tail >> type >> source;
        found = RootMount{device, source};
    }
    return found;
}

std::optional<std::filesystem::path> canonicalFolder(const std::string& path) {
    std::error_code error;
    auto canonical = std::filesystem::canonical(path, error);
    if (error || !std::filesystem::is_directory(canonical, error)) return std::nullopt;
    return canonical;
}

std::optional<std::string> wholeDiskOfFolder(std::filesystem::path folder) {
    std::error_code error;
    for (int depth = 0; depth < kMaximumDepth; ++depth) {
        if (std::filesystem::exists(folder / "partition", error)) {
            folder = folder.parent_path();
            continue;
        }
        auto slaves = listKernelFolder((folder / "slaves").string());
        if (slaves.empty()) return folder.filename().string();
        auto slave = canonicalFolder((folder / "slaves" / slaves.front()).string());
        if (!slave) return std::nullopt;
        folder = *slave;
    }
    logWarning("block device stack too deep at " + folder.string());
    return std::nullopt;
}

}  // namespace

std::optional<std::string> BlockDevices::wholeDiskOfRoot() {
    auto mount = rootMount();
    if (!mount) return std::nullopt;
    std::string sysRoot = Environment::current()->sysRoot();
    if (auto folder = canonicalFolder(sysRoot + "/dev/block/" + mount->device)) return wholeDiskOfFolder(*folder);
    if (mount->source.rfind("/dev/", 0) == 0) return wholeDiskOf(lastPathComponent(mount->source));
    logInfo("the start-up volume (" + mount->source + ") lies on no block device");
    return std::nullopt;
}

std::optional<std::string> BlockDevices::wholeDiskOf(const std::string& blockName) {
    if (blockName.empty() || blockName.find('/') != std::string::npos || blockName[0] == '.') return std::nullopt;
    auto folder = canonicalFolder(Environment::current()->sysRoot() + "/class/block/" + blockName);
    if (!folder) return std::nullopt;
    return wholeDiskOfFolder(*folder);
}

}  // namespace platform

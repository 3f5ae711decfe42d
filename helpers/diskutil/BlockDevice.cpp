#include "BlockDevice.h"

#include "platform/system/BoundedJson.h"

#include <cstdio>
#include <cstdlib>

using nlohmann::json;

namespace {

// Disk, partition, encryption, volume group, RAID: real stacks are a few levels deep. A tree
// deeper than this is cut there, so a malformed listing can never exhaust the stack.
constexpr int kMaximumDepth = 16;

std::string textOf(const json& node, const char* key) {
    auto found = node.find(key);
    if (found == node.end() || !found->is_string()) return "";
    return found->get<std::string>();
}

// lsblk before 2.37 wrote flags and sizes as strings ("1", "512").
bool flagOf(const json& node, const char* key) {
    auto found = node.find(key);
    if (found == node.end()) return false;
    if (found->is_boolean()) return found->get<bool>();
    if (found->is_number()) return found->get<double>() != 0;
    return found->is_string() && found->get<std::string>() == "1";
}

uint64_t sizeOf(const json& node) {
    auto found = node.find("size");
    if (found == node.end()) return 0;
    if (found->is_number_unsigned()) return found->get<uint64_t>();
    if (found->is_string()) return std::strtoull(found->get<std::string>().c_str(), nullptr, 10);
    return 0;
}

std::vector<std::string> mountPointsOf(const json& node) {
    std::vector<std::string> points;
    auto list = node.find("mountpoints");
    if (list != node.end() && list->is_array()) {
        for (const auto& point : *list)
            if (point.is_string()) points.push_back(point.get<std::string>());
    }
    std::string single = textOf(node, "mountpoint");
    if (points.empty() && !single.empty()) points.push_back(single);
    return points;
}

BlockDevice deviceOf(const json& node, int depth) {
    BlockDevice device;
    device.name = textOf(node, "name");
    device.kernelName = textOf(node, "kname");
    if (device.kernelName.empty()) device.kernelName = device.name;
    device.path = textOf(node, "path");
    device.type = textOf(node, "type");
    device.size = sizeOf(node);
    device.removable = flagOf(node, "rm");
    device.hotplug = flagOf(node, "hotplug");
    device.readOnly = flagOf(node, "ro");
    device.transport = textOf(node, "tran");
    device.partitionTableType = textOf(node, "pttype");
    device.partitionType = textOf(node, "parttype");
    device.fsType = textOf(node, "fstype");
    device.fsVersion = textOf(node, "fsver");
    device.label = textOf(node, "label");
    device.uuid = textOf(node, "uuid");
    device.mountPoints = mountPointsOf(node);
    auto children = node.find("children");
    if (children == node.end() || !children->is_array()) return device;
    if (depth + 1 >= kMaximumDepth) {
        std::fprintf(stderr, "Warning: the devices below %s lie deeper than %d levels and are left out\n",
                     device.kernelName.c_str(), kMaximumDepth);
        return device;
    }
    for (const auto& child : *children)
        if (child.is_object()) device.children.push_back(deviceOf(child, depth + 1));
    return device;
}

}  // namespace

std::optional<std::vector<BlockDevice>> BlockDevice::parseLsblk(const std::string& text) {
    std::optional<json> document = platform::parseBoundedJson(text, "lsblk's listing");
    if (!document || !document->is_object()) return std::nullopt;
    auto devices = document->find("blockdevices");
    if (devices == document->end() || !devices->is_array()) return std::nullopt;
    std::vector<BlockDevice> result;
    for (const auto& node : *devices)
        if (node.is_object()) result.push_back(deviceOf(node, 0));
    return result;
}

bool BlockDevice::isWholeDisk() const {
    if (type == "rom") return true;
    if (type != "disk") return false;
    // lsblk types loop devices "loop", but compressed and RAM disks "disk".
    for (const char* virtualKind : {"zram", "ram"})
        if (kernelName.rfind(virtualKind, 0) == 0) return false;
    return true;
}

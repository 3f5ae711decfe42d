#include "support/LoopDisk.h"

#include "platform/files/PathText.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/PosixProcessRunner.h"

#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

using namespace std::chrono_literals;

namespace testsupport {
namespace {

// Large enough that a FAT file system made on it without options is FAT32, as on a stick.
constexpr std::uintmax_t kImageSize = std::uintmax_t{1} << 30;

platform::ProcessResult run(std::vector<std::string> arguments) {
    return platform::PosixProcessRunner().run({std::move(arguments), 120s});
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// mkfs's options that give the file system a label.
std::vector<std::string> mkfsCommand(const std::string& fsType, const std::string& label, const std::string& image) {
    static const std::map<std::string, std::vector<std::string>> options = {
        {"vfat", {"-F", "32", "-n"}}, {"exfat", {"-L"}}, {"ext4", {"-q", "-F", "-L"}}};
    std::vector<std::string> command = {"mkfs." + fsType};
    auto found = options.find(fsType);
    if (found != options.end()) command.insert(command.end(), found->second.begin(), found->second.end());
    command.push_back(label);
    command.push_back(image);
    return command;
}

std::string backingFileOf(const std::string& name) {
    return platform::readKernelAttribute("/sys/class/block/" + name + "/loop/backing_file").value_or("");
}

bool kernelMounts(const std::string& fsType) {
    std::istringstream lines(platform::readKernelFile("/proc/filesystems").value_or(""));
    std::string line;
    while (std::getline(lines, line))
        if (line.substr(line.find_last_of(" \t") + 1) == fsType) return true;
    return false;
}

// A shell program: lsblk of this machine for the one device, with the device's kind rewritten.
std::string listingProgram(const std::string& lsblk, const std::string& device) {
    return "#!/bin/bash\n"
           "# lsblk listing " + device + " alone, as a USB stick without a partition table.\n"
           "set -o pipefail\n" +
           lsblk + " \"$@\" " + device +
           " | sed -e 's/\"type\": *\"loop\"/\"type\": \"disk\"/' -e 's/\"rm\": *false/\"rm\": true/'"
           " -e 's/\"hotplug\": *false/\"hotplug\": true/' -e 's/\"tran\": *null/\"tran\": \"usb\"/'\n";
}

// Unmounts and detaches every loop device still attached to the image ($1), then removes it.
constexpr const char* kDetachScript = R"script(
for backing in /sys/block/loop*/loop/backing_file; do
  [ "$(cat "$backing")" = "$1" ] || continue
  device=/dev/$(basename "$(dirname "$(dirname "$backing")")")
  while findmnt -n --source "$device"; do umount "$device" || break; done
  losetup -d "$device"
done
rm -f -- "$1")script";

}  // namespace

std::string LoopDisk::whyNotHere() {
    if (geteuid() != 0) return "attaching a loop device needs root";
    if (access("/dev/loop-control", F_OK) != 0) return "this machine has no loop devices";
    for (const char* program : {"losetup", "blkid", "findmnt", "lsblk", "bash", "sed"})
        if (platform::findExecutable(program).empty()) return std::string(program) + " is not installed";
    const std::string fsType = mountableFileSystem();
    if (fsType.empty()) return "this kernel mounts neither vfat nor ext4";
    if (!canMake(fsType)) return "mkfs." + fsType + " is not installed";
    return "";
}

std::string LoopDisk::mountableFileSystem() {
    for (const char* fsType : {"vfat", "ext4"})
        if (kernelMounts(fsType)) return fsType;
    return "";
}

bool LoopDisk::canMake(const std::string& fsType) { return !platform::findExecutable("mkfs." + fsType).empty(); }

LoopDisk::LoopDisk(const TempFolder& folder, const std::string& fsType, const std::string& label) {
    std::error_code error;
    image_ = (std::filesystem::canonical(folder.path(), error) / "stick.img").string();
    std::filesystem::resize_file(folder.writeFile("stick.img", ""), kImageSize, error);
    auto made = run(mkfsCommand(fsType, label, image_));
    if (!made.succeeded()) {
        failure_ = "mkfs." + fsType + " failed: " + made.errorOutput;
        return;
    }
    auto attached = run({"losetup", "--find", "--show", image_});
    device_ = firstLine(attached.output);
    if (!attached.succeeded() || !isOurs()) {
        failure_ = "cannot attach " + image_ + " to a loop device: " + attached.errorOutput;
        device_.clear();
        return;
    }
    writeListing(folder);
    detacher_ = std::make_unique<DeathWatcher>(kDetachScript, std::vector<std::string>{image_});
}

std::string LoopDisk::name() const { return device_.empty() ? "" : platform::lastPathComponent(device_); }

bool LoopDisk::isOurs() const { return !device_.empty() && backingFileOf(name()) == image_; }

void LoopDisk::writeListing(const TempFolder& folder) {
    listingFolder_ = folder.makeFolder("listing");
    const std::string program = folder.writeFile("listing/lsblk", listingProgram(platform::findExecutable("lsblk"), device_));
    std::filesystem::permissions(program, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
}

std::string LoopDisk::probed(const std::string& tag) const {
    return firstLine(run({"blkid", "-p", "-s", tag, "-o", "value", device_}).output);
}

std::string LoopDisk::mountPoint() const {
    return firstLine(run({"findmnt", "-n", "-o", "TARGET", "--source", device_}).output);
}

}  // namespace testsupport

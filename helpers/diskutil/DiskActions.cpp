#include "DiskActions.h"

#include "Report.h"

#include <sys/stat.h>

#include <map>

namespace {

// The format types the disk page offers, as udisks2 names the file systems. "Journaled HFS+"
// stands for the platform's own journaled file system, which is ext4 here.
const std::map<std::string, std::string>& formatTypes() {
    static const std::map<std::string, std::string> types = {
        {"ExFAT", "exfat"}, {"MS-DOS FAT32", "vfat"}, {"Journaled HFS+", "ext4"}};
    return types;
}

// File systems that udisks2 can make anew with their own type.
bool canBeRemade(const std::string& fsType) {
    for (const char* type : {"vfat", "exfat", "ext2", "ext3", "ext4", "ntfs", "xfs", "btrfs", "f2fs", "udf"})
        if (fsType == type) return true;
    return false;
}

bool isApfs(const std::string& text) { return text == "apfs" || text == "APFS"; }

constexpr const char* kApfsRefusal = "APFS volumes cannot be formatted on this system";

bool isBlockDevice(const std::string& node) {
    struct stat info {};
    return lstat(node.c_str(), &info) == 0 && S_ISBLK(info.st_mode);
}

}  // namespace

DiskActions::DiskActions(const DiskCatalog& catalog, const SystemDevices& system, const Udisks& udisks)
    : catalog_(catalog), system_(system), udisks_(udisks) {}

bool DiskActions::isActionVerb(const std::string& verb) {
    for (const char* action :
         {"mount", "unmount", "eject", "rename", "eraseVolume", "reformat", "verifyvolume", "repairvolume"})
        if (verb == action) return true;
    return false;
}

int DiskActions::run(const std::vector<std::string>& args) const {
    const std::string& verb = args.at(0);
    const size_t count = args.size() - 1;
    if ((verb == "mount" || verb == "unmount" || verb == "eject" || verb == "reformat" ||
         verb == "verifyvolume" || verb == "repairvolume") && count != 1)
        return reportFailure("usage: diskutil " + verb + (verb == "eject" ? " <uuid or device>" : " <device>"));
    if (verb == "rename" && count != 2) return reportFailure("usage: diskutil rename <uuid or device> <name>");
    if (verb == "eraseVolume" && count != 3) return reportFailure("usage: diskutil eraseVolume <type> <name> <device>");
    if (verb == "mount") return mount(args[1]);
    if (verb == "unmount") return unmount(args[1]);
    if (verb == "eject") return eject(args[1]);
    if (verb == "rename") return rename(args[1], args[2]);
    if (verb == "eraseVolume") return eraseVolume(args[1], args[2], args[3]);
    if (verb == "reformat") return reformat(args[1]);
    return firstAid(args[1], verb == "repairvolume");
}

std::optional<DiskCatalog::Found> DiskActions::lookUp(const std::string& argument, bool byUuid, std::string& error) const {
    if (argument.empty() || argument.front() == '-') {
        error = "\"" + argument + "\" names no device";
        return std::nullopt;
    }
    if (auto found = catalog_.find(argument)) return found;
    if (byUuid) {
        auto found = catalog_.findByUuid(argument);
        if (found.size() == 1) return found.front();
        if (found.size() > 1) {
            error = "the UUID " + argument + " belongs to " + std::to_string(found.size()) +
                    " devices; name the device instead";
            return std::nullopt;
        }
    }
    error = argument + " is no disk or volume listed by this utility";
    return std::nullopt;
}

std::optional<DiskActions::Target> DiskActions::target(const std::string& argument, bool byUuid, Scope scope,
                                                       std::string& error) const {
    auto found = lookUp(argument, byUuid, error);
    if (!found) return std::nullopt;
    Target target{found->device, found->disk, "/dev/" + found->device->kernelName, ""};
    if (scope == Scope::NotTheSystem) {
        if (auto reason = system_.reasonToLeaveAlone(found->device->kernelName)) {
            error = target.node + " " + *reason + " and is left alone";
            return std::nullopt;
        }
    }
    if (!isBlockDevice(target.node)) {
        error = target.node + " is not a block device";
        return std::nullopt;
    }
    Udisks::Answer block = udisks_.blockObject(target.node);
    if (!block.succeeded) {
        error = "cannot reach " + target.node + " through udisks2: " + block.error;
        return std::nullopt;
    }
    target.block = block.text;
    return target;
}

std::string DiskActions::displayName(const BlockDevice& device) const {
    return device.label.empty() ? device.kernelName : device.label;
}

bool DiskActions::unmountForChange(const Target& target, std::string& error) const {
    if (catalog_.mountPointOf(*target.device).empty()) return true;
    reportStep("Unmounting " + target.node + " …");
    Udisks::Answer answer = udisks_.unmount(target.block);
    if (!answer.succeeded) error = target.node + " is busy and cannot be unmounted: " + answer.error;
    return answer.succeeded;
}

int DiskActions::mount(const std::string& device) const {
    std::string error;
    auto volume = target(device, false, Scope::AnyDevice, error);
    if (!volume) return reportFailure(error);
    Udisks::Answer answer = udisks_.mount(volume->block);
    if (!answer.succeeded) return reportFailure("cannot mount " + volume->node + ": " + answer.error);
    reportStep("Volume " + displayName(*volume->device) + " on " + volume->node + " mounted at " + answer.text);
    return 0;
}

int DiskActions::unmount(const std::string& device) const {
    std::string error;
    auto volume = target(device, false, Scope::NotTheSystem, error);
    if (!volume) return reportFailure(error);
    Udisks::Answer answer = udisks_.unmount(volume->block);
    if (!answer.succeeded) return reportFailure("cannot unmount " + volume->node + ": " + answer.error);
    reportStep("Volume " + displayName(*volume->device) + " on " + volume->node + " unmounted");
    return 0;
}

int DiskActions::rename(const std::string& device, const std::string& name) const {
    std::string error;
    auto volume = target(device, true, Scope::AnyDevice, error);
    if (!volume) return reportFailure(error);
    Udisks::Answer answer = udisks_.setLabel(volume->block, name);
    if (!answer.succeeded) return reportFailure("cannot rename " + volume->node + ": " + answer.error);
    reportStep("Volume on " + volume->node + " renamed to " + name);
    return 0;
}

int DiskActions::eject(const std::string& device) const {
    std::string error;
    auto volume = lookUp(device, true, error);
    if (!volume) return reportFailure(error);
    // The whole disk is checked, and with it every partition and device built on it. A disk
    // without a partition table is itself the volume.
    auto disk = target(volume->disk->device.kernelName, false, Scope::NotTheSystem, error);
    if (!disk || !unmountForChange(*disk, error)) return reportFailure(error);
    for (const auto& member : disk->disk->members) {
        if (catalog_.mountPointOf(member).empty()) continue;
        auto mounted = target(member.kernelName, false, Scope::NotTheSystem, error);
        if (!mounted || !unmountForChange(*mounted, error)) return reportFailure(error);
    }
    Udisks::Answer drive = udisks_.driveObject(disk->block);
    // A disk image attached to a loop device has no drive: ejecting it detaches it.
    const bool image = !drive.succeeded && udisks_.isLoop(disk->block);
    if (!drive.succeeded && !image) return reportFailure("cannot eject " + disk->node + ": " + drive.error);
    reportStep("Ejecting " + disk->node + " …");
    Udisks::Answer answer;
    if (image) answer = udisks_.deleteLoop(disk->block);
    else if (disk->device->type == "rom") answer = udisks_.eject(drive.text);
    else answer = udisks_.powerOff(drive.text);
    if (!answer.succeeded) return reportFailure("cannot eject " + disk->node + ": " + answer.error);
    reportStep("Disk " + disk->node + " ejected");
    return 0;
}

int DiskActions::format(const Target& target, const std::string& type, const std::string& label) const {
    bool wasMounted = !catalog_.mountPointOf(*target.device).empty();
    std::string error;
    if (!unmountForChange(target, error)) return reportFailure(error);
    reportStep("Formatting " + target.node + " as " + type + " …");
    Udisks::Answer answer = udisks_.format(target.block, type, label);
    if (!answer.succeeded) return reportFailure("cannot format " + target.node + ": " + answer.error);
    reportStep("Formatted " + target.node + " as " + type + " named " + label);
    if (!wasMounted) return 0;
    reportStep("Mounting " + target.node + " …");
    Udisks::Answer mounted = udisks_.mount(target.block);
    if (!mounted.succeeded)
        return reportFailure(target.node + " was formatted but cannot be mounted: " + mounted.error);
    return 0;
}

int DiskActions::eraseVolume(const std::string& type, const std::string& name, const std::string& device) const {
    if (isApfs(type)) return reportFailure(kApfsRefusal);
    auto known = formatTypes().find(type);
    if (known == formatTypes().end()) return reportFailure("the format type \"" + type + "\" is not supported");
    std::string error;
    auto volume = target(device, false, Scope::NotTheSystem, error);
    if (!volume) return reportFailure(error);
    return format(*volume, known->second, name);
}

int DiskActions::reformat(const std::string& device) const {
    std::string error;
    auto volume = target(device, false, Scope::NotTheSystem, error);
    if (!volume) return reportFailure(error);
    std::string type = catalog_.fsTypeOf(*volume->device);
    if (isApfs(type)) return reportFailure(kApfsRefusal);
    if (!canBeRemade(type))
        return reportFailure(volume->node + " holds " + (type.empty() ? "no file system" : type) +
                             ", which cannot be made anew here");
    return format(*volume, type, volume->device->label);
}

int DiskActions::firstAid(const std::string& device, bool repair) const {
    std::string error;
    auto volume = target(device, false, Scope::NotTheSystem, error);
    if (!volume) return reportFailure(error);
    bool wasMounted = !catalog_.mountPointOf(*volume->device).empty();
    if (!unmountForChange(*volume, error)) return reportFailure(error);
    std::string name = displayName(*volume->device);
    reportStep((repair ? "Repairing the file system on " : "Checking the file system on ") + volume->node + " …");
    Udisks::Answer answer = repair ? udisks_.repair(volume->block) : udisks_.check(volume->block);
    std::string failure;
    if (!answer.succeeded)
        failure = std::string("cannot ") + (repair ? "repair " : "check ") + volume->node + ": " + answer.error;
    else if (answer.flag)
        reportStep("The volume " + name + (repair ? " was repaired." : " appears to be OK."));
    else
        failure = "the volume " + name + (repair ? " could not be repaired" : " needs to be repaired");
    if (!failure.empty()) reportStep(failure);
    if (wasMounted) {
        reportStep("Mounting " + volume->node + " …");
        Udisks::Answer mounted = udisks_.mount(volume->block);
        if (!mounted.succeeded && failure.empty()) failure = "cannot mount " + volume->node + ": " + mounted.error;
    }
    return failure.empty() ? 0 : reportFailure(failure);
}

// diskutil: the disk utility command lines the disk manager runs. The listing verbs answer in
// the utility's property-list shape from one lsblk run, the mount table and statvfs:
//
//   diskutil list -plist
//   diskutil info -plist <device>
//
// The action verbs (mount, unmount, eject, rename, eraseVolume, reformat, verifyvolume,
// repairvolume; see DiskActions.h) act through udisks2 on the devices that listing names.
//
// DURIDOVE_LSBLK_JSON names a file of recorded lsblk output to read instead of running
// lsblk; the mount table is read under DURIDOVE_PROC_ROOT like every /proc file.

#include "BlockDevice.h"
#include "DiskActions.h"
#include "DiskCatalog.h"
#include "Report.h"
#include "SystemDevices.h"
#include "Udisks.h"

#include "platform/mounts/MountTable.h"
#include "platform/system/ProcessRunner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

// lsblk writes well under a kilobyte per device; more than this is no listing of ours.
constexpr std::size_t kMaximumListingSize = 8 * 1024 * 1024;

constexpr const char* kLsblkColumns =
    "NAME,KNAME,PATH,TYPE,PKNAME,SIZE,RM,HOTPLUG,RO,TRAN,PTTYPE,PARTTYPE,FSTYPE,FSVER,LABEL,UUID,MOUNTPOINTS";

// An action may wait for a password or format a large disk.
constexpr std::chrono::hours kActionTimeout{2};

std::optional<std::string> recordedLsblkOutput(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content(kMaximumListingSize + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return content;
}

std::optional<std::string> withinSizeLimit(std::optional<std::string> listing) {
    if (!listing || listing->size() <= kMaximumListingSize) return listing;
    std::fprintf(stderr, "Warning: the block device listing is larger than %zu bytes\n", kMaximumListingSize);
    return std::nullopt;
}

std::optional<std::string> lsblkOutput() {
    const char* recorded = std::getenv("DURIDOVE_LSBLK_JSON");
    if (recorded && *recorded) return withinSizeLimit(recordedLsblkOutput(recorded));
    auto result = platform::ProcessRunner::shared()->run({{"lsblk", "-J", "-b", "-o", kLsblkColumns}});
    if (!result.succeeded()) return std::nullopt;
    return withinSizeLimit(std::move(result.output));
}

platform::MountTable ownMountTable() {
    return platform::MountTable::read(platform::MountTable::ownTablePath()).value_or(platform::MountTable());
}

std::optional<DiskCatalog> loadCatalog(const platform::MountTable& mounts) {
    auto output = lsblkOutput();
    auto devices = output ? BlockDevice::parseLsblk(*output) : std::nullopt;
    if (!devices) return std::nullopt;
    return DiskCatalog(*devices, mounts);
}

int runAction(const std::vector<std::string>& args) {
    platform::MountTable mounts = ownMountTable();
    auto catalog = loadCatalog(mounts);
    if (!catalog) return reportFailure("cannot list the block devices");
    SystemDevices system(*catalog, mounts);
    Udisks udisks(kActionTimeout);
    return DiskActions(*catalog, system, udisks).run(args);
}

int print(const platform::PlistValue& value) {
    std::string xml = value.toXml();
    if (xml.empty()) return reportFailure("diskutil: no property list could be written");
    std::fwrite(xml.data(), 1, xml.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int run(const std::vector<std::string>& args) {
    if (args.empty()) return reportFailure("usage: diskutil list -plist | diskutil info -plist <device> | diskutil <action> ...");
    const std::string& verb = args[0];
    if (DiskActions::isActionVerb(verb)) return runAction(args);
    if (verb != "list" && verb != "info") return reportFailure("diskutil " + verb + " is not supported on this system");
    if (args.size() < 2 || args[1] != "-plist") return reportFailure("only property-list output (-plist) is supported");
    if (verb == "info" && args.size() != 3) return reportFailure("usage: diskutil info -plist <device>");
    auto catalog = loadCatalog(ownMountTable());
    if (!catalog) return reportFailure("cannot list the block devices");
    if (verb == "list") return print(catalog->list());
    auto info = catalog->info(args[2]);
    if (!info) return reportFailure("could not find disk: " + args[2]);
    return print(*info);
}

}  // namespace

int main(int argc, char* argv[]) { return run(std::vector<std::string>(argv + 1, argv + argc)); }

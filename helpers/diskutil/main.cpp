// diskutil: the disk utility command lines the disk manager runs, answered in the utility's
// property-list shape from one lsblk run, the mount table and statvfs.
//
//   diskutil list -plist
//   diskutil info -plist <device>
//
// DURIDOVE_LSBLK_JSON names a file of recorded lsblk output to read instead of running
// lsblk; the mount table is read under DURIDOVE_PROC_ROOT like every /proc file.

#include "BlockDevice.h"
#include "DiskCatalog.h"

#include "platform/mounts/MountTable.h"
#include "platform/system/ProcessRunner.h"

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

int fail(const std::string& message) {
    std::fprintf(stderr, "Error: %s\n", message.c_str());
    return 1;
}

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

std::optional<DiskCatalog> loadCatalog() {
    auto output = lsblkOutput();
    auto devices = output ? BlockDevice::parseLsblk(*output) : std::nullopt;
    if (!devices) return std::nullopt;
    auto mounts = platform::MountTable::read(platform::MountTable::ownTablePath());
    return DiskCatalog(*devices, mounts.value_or(platform::MountTable()));
}

int print(const platform::PlistValue& value) {
    std::string xml = value.toXml();
    std::fwrite(xml.data(), 1, xml.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int run(const std::vector<std::string>& args) {
    if (args.empty()) return fail("usage: diskutil list -plist | diskutil info -plist <device>");
    const std::string& verb = args[0];
    if (verb != "list" && verb != "info") return fail("diskutil " + verb + " is not supported on this system");
    if (args.size() < 2 || args[1] != "-plist") return fail("only property-list output (-plist) is supported");
    if (verb == "info" && args.size() != 3) return fail("usage: diskutil info -plist <device>");
    auto catalog = loadCatalog();
    if (!catalog) return fail("cannot list the block devices");
    if (verb == "list") return print(catalog->list());
    auto info = catalog->info(args[2]);
    if (!info) return fail("could not find disk: " + args[2]);
    return print(*info);
}

}  // namespace

int main(int argc, char* argv[]) { return run(std::vector<std::string>(argv + 1, argv + argc)); }

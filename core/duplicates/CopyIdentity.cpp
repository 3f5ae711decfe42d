#include "core/duplicates/CopyIdentity.h"

#include "core/duplicates/BundleListing.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace core {
namespace {

fileAttrbItem recordOf(const struct stat& info) {
    return fileAttrbItem::fromEntry(std::string(), platform::FileEntry::fromStat(std::string(), info));
}

}  // namespace

CopyIdentity::Stamp CopyIdentity::Stamp::of(const fileAttrbItem& file) {
    return Stamp{static_cast<std::uint64_t>(file.device), static_cast<std::uint64_t>(file.inode), file.fileSize,
                 file.ModificationDate, file.changeDate};
}

bool CopyIdentity::Stamp::operator==(const Stamp& other) const {
    return device == other.device && inode == other.inode && size == other.size && modified == other.modified &&
           changed == other.changed;
}

CopyIdentity CopyIdentity::ofFile(const fileAttrbItem& file) {
    CopyIdentity identity;
    identity.item = Stamp::of(file);
    identity.folder = file.folder;
    return identity;
}

CopyIdentity CopyIdentity::ofBundle(const AppAttrbItem& bundle) {
    CopyIdentity identity;
    identity.bundle = true;
    identity.item.device = bundle.device;
    identity.item.inode = bundle.inode;
    identity.folder = bundle.folder;
    identity.bundleFiles.reserve(bundle.AllFileInDirectory.size());
    for (const fileAttrbItem& file : bundle.AllFileInDirectory) identity.bundleFiles.push_back(Stamp::of(file));
    return identity;
}

platform::ChosenItem CopyIdentity::chosenItem(const std::string& path) const {
    return {path, platform::parentPath(path), folder, folder, {item.device, item.inode, bundle}, true};
}

std::optional<std::string> CopyIdentity::differenceAt(int folderFd, const std::string& name,
                                                      const std::string& path) const {
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return path + " cannot be read: " + std::strerror(errno);
    if (bundle ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode))
        return path + " is no longer a " + (bundle ? "folder" : "regular file");
    const Stamp found = Stamp::of(recordOf(info));
    if (bundle) {
        if (found.device != item.device || found.inode != item.inode) return path + " is another folder now";
        return bundleDifference(path);
    }
    if (found.device != item.device || found.inode != item.inode) return path + " is another file now";
    if (found != item) return path + " has changed since the search";
    return std::nullopt;
}

std::optional<std::string> CopyIdentity::bundleDifference(const std::string& path) const {
    const BundleListing listing = BundleListing::list(path);
    if (!listing.whole || !listing.comparable) return path + " can no longer be listed whole";
    const AppAttrbItem& found = listing.item;
    if (found.device != item.device || found.inode != item.inode) return path + " is another folder now";
    if (found.AllFileInDirectory.size() != bundleFiles.size())
        return path + " holds " + std::to_string(found.AllFileInDirectory.size()) + " files instead of " +
               std::to_string(bundleFiles.size());
    for (std::size_t index = 0; index < bundleFiles.size(); ++index)
        if (Stamp::of(found.AllFileInDirectory[index]) != bundleFiles[index])
            return found.AllFileInDirectory[index].filePathName + " has changed since the search";
    return std::nullopt;
}

}  // namespace core

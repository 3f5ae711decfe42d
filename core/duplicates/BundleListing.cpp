#include "core/duplicates/BundleListing.h"

#include "platform/files/FileWalker.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"

namespace core {

using platform::FileEntry;
using platform::FileWalker;

BundleListing BundleListing::list(const std::string& path, const std::atomic<bool>* stop) {
    BundleListing listing;
    AppAttrbItem& item = listing.item;
    item.DirectoryPathName = path;
    item.DirectoryName = platform::lastPathComponent(path);
    FileWalker::Callbacks callbacks;
    callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
        const FileEntry& entry = visit.entry();
        if (visit.depth() == 0) {
            item.device = entry.device;
            item.inode = entry.inode;
            item.folder = platform::FileIdentity::ofDescriptor(visit.folderDescriptor()).value_or(platform::FileIdentity{});
            listing.whole = entry.isFolder();
            return FileWalker::Step::Continue;
        }
        if (entry.isFolder()) return FileWalker::Step::Continue;
        const auto target = entry.isLink() ? platform::FolderLister::entryAt(visit.path(), true) : entry;
        if (target && target->isFolder()) return FileWalker::Step::Continue;
        if (!target || target->kind != platform::FileKind::File) {
            platform::logWarning("bundle item is no regular file:" + visit.path());
            listing.comparable = false;
            return FileWalker::Step::Stop;
        }
        item.AllFileInDirectory.push_back(fileAttrbItem::fromEntry(visit.path(), *target));
        item.DirectorySize += target->size;
        return FileWalker::Step::Continue;
    };
    callbacks.leaveFolder = [&](const FileWalker::Visit&, bool listed) { listing.whole = listing.whole && listed; };
    FileWalker::Options options;
    options.followTopLink = true;
    options.stop = stop;
    listing.whole = FileWalker::walk(path, callbacks, options) && listing.whole;
    listing.stopped = stop && stop->load();
    return listing;
}

}  // namespace core

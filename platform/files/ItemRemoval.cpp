#include "platform/files/ItemRemoval.h"

#include "platform/files/FileFlags.h"
#include "platform/files/FileWalker.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/MoveWithoutReplacing.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

using Outcome = ItemRemoval::Outcome;
using Result = ItemRemoval::Result;

Result refused(const std::string& path, const std::string& why) { return {Outcome::Refused, path + ": " + why}; }

Result failed(const std::string& what, const std::string& path, int error) {
    return {Outcome::Failed, what + " " + path + ": " + std::strerror(error), error};
}

bool isEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// A fresh hidden name for an item on its way out: this process's own (its id and a count) and
// hard to guess (random bytes), so no other process has an item under it or can aim at it.
std::string asideName() {
    static std::atomic<unsigned> count{0};
    uint64_t random = 0;
    if (getrandom(&random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) random = 0;
    char name[80];
    std::snprintf(name, sizeof name, ".duridove-removing-%d-%u-%016llx", static_cast<int>(getpid()), count++,
                  static_cast<unsigned long long>(random));
    return name;
}

// Removes a name of a held folder once it holds the expected item (flags: 0 or AT_REMOVEDIR).
// A look and a removal by name are two steps, and another process may put another item under
// the name between them; so the item is first moved to a fresh name of its own, checked there,
// and removed under that name. Anything else met under the name is left where it was.
Result removeName(int folderFd, const std::string& name, const FileIdentity& expected, const std::string& path,
                  int flags) {
    const std::string aside = asideName();
    if (!moveIfStill(folderFd, name, aside, expected)) {
        if (errno == ENOENT) return {Outcome::Gone, ""};
        if (errno == ESTALE) return refused(path, "it is no longer the item that was chosen");
        return failed("cannot remove", path, errno);
    }
    if (unlinkat(folderFd, aside.c_str(), flags) == 0) return {Outcome::Removed, ""};
    const int error = errno;
    if (!moveWithoutReplacing(folderFd, aside, name))
        return failed("cannot remove (it is left as " + aside + ")", path, error);
    return failed("cannot remove", path, error);
}

// Clears the lock flags of a file or folder of an open folder, when it is still the entry that
// was listed. Other kinds are never opened: opening a device can act on it.
void clearLockFlagsAt(int holderFd, const FileEntry& entry) {
    if (entry.kind != FileKind::File && entry.kind != FileKind::Folder) return;
    FileDescriptor item(openat(holderFd, entry.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (item.isOpen() && FileIdentity::ofDescriptor(item.get()) == FileIdentity::of(entry)) clearLockFlags(item.get());
}

// Empties and removes a folder tree through the walk's held descriptors.
class TreeRemoval {
public:
    TreeRemoval(const std::string& path, const ItemRemoval::Options& options, uint64_t device)
        : path_(path), options_(options), device_(device) {}

    Result run(int folderFd, const FileEntry& top) {
        FileWalker::Callbacks callbacks;
        callbacks.visitEntry = [this](const FileWalker::Visit& visit) { return visitEntry(visit); };
        callbacks.leaveFolder = [this](const FileWalker::Visit& visit, bool) { removeEntry(visit, AT_REMOVEDIR); };
        FileWalker::walkAt(folderFd, top, path_, callbacks, FileWalker::Options());
        // A refusal stays one: a tree that changed while it was removed is never handed on to
        // the administrator's way.
        if (error_.reason.empty()) return {Outcome::Removed, ""};
        return error_;
    }

private:
    FileWalker::Step visitEntry(const FileWalker::Visit& visit) {
        if (options_.oneFileSystem && visit.entry().device != device_) {
            keepFirstError({Outcome::Failed, "not removing " + visit.path() + ": it lies on another file system", EXDEV});
            return FileWalker::Step::Prune;
        }
        // A folder's flags go before its entries are removed from it, a file's before it goes.
        if (options_.unlock && visit.folderDescriptor() >= 0) clearLockFlagsAt(visit.folderDescriptor(), visit.entry());
        if (!visit.entry().isFolder()) removeEntry(visit, 0);
        return FileWalker::Step::Continue;
    }

    // Removes an entry's name from its held folder, once it is known to be the entry listed.
    void removeEntry(const FileWalker::Visit& visit, int flags) {
        const int holderFd = visit.folderDescriptor();
        if (holderFd < 0) return keepFirstError(failed("cannot remove", visit.path(), ESTALE));
        Result result = removeName(holderFd, visit.entry().name, FileIdentity::of(visit.entry()), visit.path(), flags);
        if (result.outcome == Outcome::Gone) result = failed("cannot remove", visit.path(), ENOENT);
        if (!result.isRemoved()) keepFirstError(result);
    }

    void keepFirstError(const Result& failure) {
        if (error_.reason.empty()) error_ = failure;
    }

    const std::string& path_;
    const ItemRemoval::Options& options_;
    uint64_t device_;
    Result error_;
};

}  // namespace

ItemRemoval::Folder ItemRemoval::reachFolder(const ChosenItem& item) {
    Folder folder;
    const std::string& path = item.path;
    if (!item.readWhole) {
        folder.failure = refused(path, "a folder inside it could not be read when it was measured");
        return folder;
    }
    if (path.empty() || path.front() != '/' || normalizedPath(path) != path || path == item.anchor ||
        !isInsideOrEqual(path, item.anchor)) {
        folder.failure = refused(path, "it does not lie inside the folder it was listed from");
        return folder;
    }
    FileDescriptor anchor(open(item.anchor.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!anchor.isOpen()) {
        folder.failure = errno == ENOENT || errno == ENOTDIR ? Result{Outcome::Gone, ""}
                                                             : failed("cannot open the folder of", path, errno);
        return folder;
    }
    if (FileIdentity::ofDescriptor(anchor.get()) != item.anchorIdentity) {
        folder.failure = refused(path, "the folder it was listed from (" + item.anchor + ") has changed since");
        return folder;
    }
    const std::string relative = path.substr(item.anchor == "/" ? 1 : item.anchor.size() + 1);
    LinkFreePath::Parent parent = LinkFreePath::openParentAt(anchor.get(), relative);
    if (parent.reach == LinkFreePath::Reach::ThroughLink) {
        folder.failure = refused(path, "a folder on its way has become a link");
    } else if (parent.reach == LinkFreePath::Reach::Missing) {
        folder.failure = Result{Outcome::Gone, ""};
    } else if (FileIdentity::ofDescriptor(parent.folder.get()) != item.folder) {
        folder.failure = refused(path, "the folder holding it has changed since it was listed");
    } else {
        folder.fd = std::move(parent.folder);
        folder.name = parent.name;
    }
    return folder;
}

ItemRemoval::Result ItemRemoval::removeAt(int folderFd, const std::string& name, const FileIdentity& expected,
                                          const std::string& path, const Options& options) {
    if (!isEntryName(name)) return refused(path, "not an item's name");
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Result{Outcome::Gone, ""} : failed("cannot remove", path, errno);
    if (FileIdentity::of(info) != expected) return refused(path, "it is no longer the item that was chosen");
    const FileEntry entry = FileEntry::fromStat(name, info);
    if (entry.isFolder()) return TreeRemoval(path, options, entry.device).run(folderFd, entry);
    if (options.unlock) clearLockFlagsAt(folderFd, entry);
    return removeName(folderFd, name, expected, path, 0);
}

ItemRemoval::Result ItemRemoval::remove(const ChosenItem& item, const Options& options) {
    Folder folder = reachFolder(item);
    if (folder.failure) return *folder.failure;
    return removeAt(folder.fd.get(), folder.name, item.item, item.path, options);
}

ItemRemoval::Result ItemRemoval::remove(const ChosenItem& item) { return remove(item, Options()); }

}  // namespace platform

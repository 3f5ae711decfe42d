#include "platform/files/LinkFreePath.h"

#include "platform/files/PathText.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include <vector>

namespace platform {
namespace {

using Reach = LinkFreePath::Reach;

std::vector<std::string> componentsBelow(const std::string& anchor, const std::string& path) {
    std::vector<std::string> parts;
    std::string rest = path.substr(anchor == "/" ? 1 : anchor.size());
    size_t start = 0;
    while (start < rest.size()) {
        size_t end = rest.find('/', start);
        if (end == std::string::npos) end = rest.size();
        if (end > start) parts.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

LinkFreePath reachedEntry(int folderFd, const std::string& name) {
    LinkFreePath result;
    struct stat info;
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return result;
    result.reach = Reach::Reached;
    result.entry = FileEntry::fromStat(name, info);
    return result;
}

// Opens the folder at relative below folderFd, no component a link; nothing when the kernel
// (or a sandbox) refuses the call itself.
std::optional<Reach> descendInOneCall(int folderFd, const std::string& relative, FileDescriptor& opened) {
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH;
    opened = FileDescriptor(static_cast<int>(syscall(SYS_openat2, folderFd, relative.c_str(), &how, sizeof how)));
    if (opened.isOpen()) return Reach::Reached;
    if (errno == ENOSYS || errno == EPERM || errno == E2BIG) return std::nullopt;
    return errno == ELOOP ? Reach::ThroughLink : Reach::Missing;
}

Reach descendByComponents(FileDescriptor& folder, const std::vector<std::string>& parts) {
    for (const std::string& part : parts) {
        FileDescriptor next(openat(folder.get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isOpen()) {
            LinkFreePath step = reachedEntry(folder.get(), part);
            return step.reach == Reach::Reached && step.entry->isLink() ? Reach::ThroughLink : Reach::Missing;
        }
        folder = std::move(next);
    }
    return Reach::Reached;
}

std::string relativePath(const std::vector<std::string>& parts) {
    std::string relative;
    for (const std::string& part : parts) relative += (relative.empty() ? "" : "/") + part;
    return relative;
}

bool isUsable(const std::string& top, const std::string& wanted) {
    return !top.empty() && isInsideOrEqual(wanted, top);
}

// The folder holding the item at parts below folder, reached without links.
LinkFreePath::Parent openParentFrom(FileDescriptor folder, std::vector<std::string> parts, bool inOneCall) {
    LinkFreePath::Parent parent;
    if (!folder.isOpen() || parts.empty()) return parent;
    parent.name = parts.back();
    parts.pop_back();
    std::optional<Reach> reach;
    if (inOneCall && !parts.empty()) {
        FileDescriptor opened;
        reach = descendInOneCall(folder.get(), relativePath(parts), opened);
        if (reach == Reach::Reached) folder = std::move(opened);
    }
    if (!reach) reach = descendByComponents(folder, parts);
    parent.reach = *reach;
    if (parent.reach == Reach::Reached) parent.folder = std::move(folder);
    return parent;
}

LinkFreePath::Parent openParent(const std::string& anchor, const std::string& path, bool inOneCall) {
    const std::string top = normalizedPath(anchor);
    const std::string wanted = normalizedPath(path);
    if (!isUsable(top, wanted) || top == wanted) return {};
    return openParentFrom(FileDescriptor(open(top.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)),
                          componentsBelow(top, wanted), inOneCall);
}

LinkFreePath reachItem(const std::string& anchor, const std::string& path, bool inOneCall) {
    const std::string top = normalizedPath(anchor);
    if (!isUsable(top, normalizedPath(path))) return {};
    if (normalizedPath(path) == top) {
        FileDescriptor folder(open(top.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        LinkFreePath itself = folder.isOpen() ? reachedEntry(folder.get(), ".") : LinkFreePath{};
        if (itself.entry) itself.entry->name = lastPathComponent(top);
        return itself;
    }
    LinkFreePath::Parent parent = openParent(anchor, path, inOneCall);
    if (parent.reach != Reach::Reached) return {parent.reach, std::nullopt};
    return reachedEntry(parent.folder.get(), parent.name);
}

}  // namespace

LinkFreePath LinkFreePath::reachBelow(const std::string& anchor, const std::string& path) {
    return reachItem(anchor, path, true);
}

LinkFreePath LinkFreePath::reachByComponents(const std::string& anchor, const std::string& path) {
    return reachItem(anchor, path, false);
}

LinkFreePath::Parent LinkFreePath::openParentBelow(const std::string& anchor, const std::string& path) {
    return openParent(anchor, path, true);
}

LinkFreePath::Parent LinkFreePath::openParentByComponents(const std::string& anchor, const std::string& path) {
    return openParent(anchor, path, false);
}

LinkFreePath::Parent LinkFreePath::openParentAt(int folderFd, const std::string& relative) {
    std::vector<std::string> parts = componentsBelow("/", "/" + relative);
    for (const std::string& part : parts)
        if (part == "." || part == "..") return {};
    return openParentFrom(FileDescriptor(openat(folderFd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC)), std::move(parts), true);
}

std::optional<std::string> LinkFreePath::pathOfOpenFolder(int folderFd) {
    char text[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(folderFd);
    ssize_t length = readlink(link.c_str(), text, sizeof text);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof text || text[0] != '/') return std::nullopt;
    struct stat byPath {};
    struct stat held {};
    const std::string path(text, static_cast<size_t>(length));
    // A removed folder reads back as "<path> (deleted)", which may name something else now.
    if (stat(path.c_str(), &byPath) != 0 || fstat(folderFd, &held) != 0) return std::nullopt;
    if (byPath.st_dev != held.st_dev || byPath.st_ino != held.st_ino) return std::nullopt;
    return path;
}

}  // namespace platform

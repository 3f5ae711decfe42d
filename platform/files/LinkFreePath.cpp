#include "platform/files/LinkFreePath.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include <vector>

namespace platform {
namespace {

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
    result.reach = LinkFreePath::Reach::Reached;
    result.entry = FileEntry::fromStat(name, info);
    return result;
}

// Nothing when the kernel (or a sandbox) refuses the call itself.
std::optional<LinkFreePath> reachInOneCall(int anchorFd, const std::string& relative) {
    open_how how{};
    // A link as the last component is opened as the link itself; any link before it fails.
    how.flags = O_PATH | O_NOFOLLOW | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH;
    FileDescriptor item(static_cast<int>(syscall(SYS_openat2, anchorFd, relative.c_str(), &how, sizeof how)));
    if (!item.isOpen()) {
        if (errno == ENOSYS || errno == EPERM || errno == E2BIG) return std::nullopt;
        if (errno == ELOOP) return LinkFreePath{LinkFreePath::Reach::ThroughLink, std::nullopt};
        return LinkFreePath{};
    }
    struct stat info;
    if (fstat(item.get(), &info) != 0) return LinkFreePath{};
    return LinkFreePath{LinkFreePath::Reach::Reached, FileEntry::fromStat(lastPathComponent(relative), info)};
}

bool isUsable(const std::string& top, const std::string& wanted) {
    return !top.empty() && isInsideOrEqual(wanted, top);
}

}  // namespace

LinkFreePath LinkFreePath::reachBelow(const std::string& anchor, const std::string& path) {
    const std::string top = normalizedPath(anchor);
    const std::string wanted = normalizedPath(path);
    if (!isUsable(top, wanted) || top == wanted) return reachByComponents(anchor, path);
    FileDescriptor folder(open(top.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen()) return {};
    std::string relative = wanted.substr(top == "/" ? 1 : top.size() + 1);
    if (auto reached = reachInOneCall(folder.get(), relative)) return *reached;
    return reachByComponents(anchor, path);
}

LinkFreePath LinkFreePath::reachByComponents(const std::string& anchor, const std::string& path) {
    const std::string top = normalizedPath(anchor);
    const std::string wanted = normalizedPath(path);
    if (!isUsable(top, wanted)) return {};
    FileDescriptor folder(open(top.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen()) return {};
    std::vector<std::string> parts = componentsBelow(top, wanted);
    if (parts.empty()) {
        LinkFreePath itself = reachedEntry(folder.get(), ".");
        if (itself.entry) itself.entry->name = lastPathComponent(top);
        return itself;
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        FileDescriptor next(openat(folder.get(), parts[i].c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isOpen()) {
            LinkFreePath step = reachedEntry(folder.get(), parts[i]);
            if (step.reach == Reach::Reached && step.entry->isLink()) return {Reach::ThroughLink, std::nullopt};
            return {};
        }
        folder = std::move(next);
    }
    return reachedEntry(folder.get(), parts.back());
}

}  // namespace platform

#include "core/duplicates/getFileList.h"

#include "platform/Environment.h"
#include "platform/FileWalker.h"
#include "platform/FolderLister.h"
#include "platform/Log.h"
#include "platform/PathText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace core {
namespace {

using platform::FileEntry;
using platform::FileWalker;

std::vector<std::string_view> componentsOf(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool isBundleName(std::string_view name) { return equalIgnoringCase(platform::pathExtension(name), "app"); }

fileAttrbItem recordOf(const std::string& path, const FileEntry& entry) {
    fileAttrbItem item;
    item.filePathName = path;
    item.fileName = platform::lastPathComponent(path);
    item.fileSize = entry.size;
    item.ModificationDate = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(entry.modified.tv_sec) + std::chrono::nanoseconds(entry.modified.tv_nsec)));
    item.device = static_cast<dev_t>(entry.device);
    item.inode = static_cast<ino_t>(entry.inode);
    return item;
}

}  // namespace

bool getFileList::getListAtPath(const std::string& folder, std::vector<fileAttrbItem>& files,
                                std::vector<std::string>& directories, std::uint64_t limit) {
    Collection collection{files, directories, limit};
    return getDirectoryAtPath(folder, collection);
}

// The top level: files and links to files are considered in listing order; folders and links
// to folders are walked in their place unless excluded.
bool getFileList::getDirectoryAtPath(const std::string& folder, Collection& collection) {
    const auto entries = platform::FolderLister::list(folder, true);
    if (!entries) {
        platform::logWarning("get contents Of Directory At Path failed" + folder);
        return false;
    }
    for (const FileEntry& listed : *entries) {
        if (stopRequested()) break;
        const std::string path = platform::joinPath(folder, listed.name);
        const auto entry = listed.isLink() ? platform::FolderLister::entryAt(path, true) : listed;
        if (!entry) {
            platform::logWarning("directory not exsts:" + path);
            continue;
        }
        if (!entry->isFolder()) consider(path, *entry, collection);
        else if (!isExcludedTopFolder(folder, listed.name)) getSubpathsOfDirectoryAtPath(collection, path);
    }
    return true;
}

// System folders are left out only at the top of the start-up disk, "/" (under a root folder,
// the root).
bool getFileList::isExcludedTopFolder(const std::string& chosenFolder, const std::string& name) const {
    if (!m_bSearchHiddenFile && IsHiddenFile(platform::joinPath(chosenFolder, name))) return true;
    if (m_bSearchSystemDirectory || !IsSystemDirectory("/" + name)) return false;
    return platform::normalizedPath(chosenFolder) == platform::Environment::current()->resolve("/");
}

// Below the top level: links are skipped, files considered as they come, and each folder
// after its contents; a folder that cannot be listed is logged and left out with its contents.
void getFileList::getSubpathsOfDirectoryAtPath(Collection& collection, const std::string& folder) {
    if (stopRequested()) return;
    m_CurrentPath.set(folder);
    FileWalker::Callbacks callbacks;
    callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
        const FileEntry& entry = visit.entry();
        if (visit.depth() == 0 || entry.isLink()) return FileWalker::Step::Continue;
        if (!entry.isFolder()) {
            consider(visit.path(), entry, collection);
            return FileWalker::Step::Continue;
        }
        // Everything in a hidden folder would be skipped one by one: skip it whole.
        if (!m_bSearchHiddenFile && entry.name.front() == '.') return FileWalker::Step::Prune;
        m_CurrentPath.set(visit.path());
        return FileWalker::Step::Continue;
    };
    callbacks.leaveFolder = [&](const FileWalker::Visit& visit, bool listed) {
        if (!listed) platform::logWarning("get contents Of Directory At Path failed" + visit.path());
        else if (visit.depth() > 0) consider(visit.path(), visit.entry(), collection);
    };
    FileWalker::Options options;
    options.followTopLink = true;
    options.stop = &m_bStopSearch;
    FileWalker::walk(folder, callbacks, options);
}

// One item of the path list, in its order.
void getFileList::consider(const std::string& path, const FileEntry& entry, Collection& collection) {
    if (!m_bSearchHiddenFile && IsHiddenFile(path)) return;
    if (getAppDirectory(path, entry.size, collection)) return;
    if (entry.kind != platform::FileKind::File || entry.size <= collection.limit) return;
    if (!isFirstPathTo(entry)) return;
    platform::logInfo("file:" + path + " filesize:" + std::to_string(entry.size));
    collection.files.push_back(recordOf(path, entry));
}

// True when a component of the path is a bundle: the path up to it is recorded once, when the
// examined item itself is larger than the limit.
bool getFileList::getAppDirectory(const std::string& path, std::uint64_t ownSize, Collection& collection) {
    for (std::string_view component : componentsOf(path)) {
        if (!isBundleName(component)) continue;
        std::string bundle = path.substr(0, static_cast<std::size_t>(component.data() + component.size() - path.data()));
        if (ownSize > collection.limit && knownBundles_.insert(bundle).second)
            collection.directories.push_back(std::move(bundle));
        return true;
    }
    return false;
}

bool getFileList::isFirstPathTo(const FileEntry& entry) {
    return knownFiles_.insert({entry.device, entry.inode}).second;
}

bool getFileList::IsHiddenFile(const std::string& path) {
    const auto components = componentsOf(path);
    return std::any_of(components.begin(), components.end(),
                       [](std::string_view component) { return component.front() == '.'; });
}

bool getFileList::IsSystemDirectory(const std::string& path) {
    static constexpr std::array<std::string_view, 6> systemFolders{"Library", "Developer", "System",
                                                                   "Volumes", "bin",       "sbin"};
    const auto components = componentsOf(path);
    if (components.empty()) return false;
    return std::any_of(systemFolders.begin(), systemFolders.end(),
                       [&](std::string_view name) { return equalIgnoringCase(components.front(), name); });
}

}  // namespace core

#include "core/duplicates/getFileList.h"

#include "core/kit/ParallelLoop.h"
#include "platform/system/Environment.h"
#include "platform/files/FileWalker.h"
#include "platform/files/FolderLister.h"
#include "platform/files/LinuxSystemFolders.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"

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

}  // namespace

getFileList::getFileList(Executor pool, std::size_t workerCount)
    : pool_(std::move(pool)), workerCount_(workerCount > 0 ? workerCount : 1) {}

bool getFileList::getListAtPath(const std::string& folder, std::vector<fileAttrbItem>& files,
                                std::vector<std::string>& directories, std::uint64_t limit) {
    std::vector<Findings> segments;
    if (!getDirectoryAtPath(folder, segments, limit)) return false;
    // Each record is held once: the list is made to measure, and each segment is let go as
    // soon as it has been taken.
    std::size_t findings = 0;
    for (const Findings& segment : segments) findings += segment.size();
    const std::size_t firstNew = files.size();
    files.reserve(firstNew + findings);
    for (Findings& segment : segments) {
        for (Finding& finding : segment) take(finding, files, directories);
        Findings().swap(segment);
    }
    keepFirstPaths(files, firstNew);
    for (std::size_t i = firstNew; i < files.size(); ++i)
        platform::logInfo("file:" + files[i].filePathName + " filesize:" + std::to_string(files[i].fileSize));
    return true;
}

// The top level, one segment per entry: a file or a link to a file is considered at once; a
// folder or a link to a folder is walked in its place unless excluded.
bool getFileList::getDirectoryAtPath(const std::string& folder, std::vector<Findings>& segments, std::uint64_t limit) {
    const auto entries = platform::FolderLister::list(folder, true);
    if (!entries) {
        platform::logWarning("get contents Of Directory At Path failed" + folder);
        return false;
    }
    segments.resize(entries->size());
    const std::optional<platform::FileEntry> chosen = platform::FolderLister::entryAt(folder, true);
    const platform::FileIdentity chosenFolder = chosen ? platform::FileIdentity::of(*chosen) : platform::FileIdentity{};
    std::vector<std::pair<std::size_t, std::string>> walks;
    for (std::size_t i = 0; i < entries->size() && !stopRequested(); ++i) {
        const FileEntry& listed = (*entries)[i];
        std::string path = platform::joinPath(folder, listed.name);
        const auto entry = listed.isLink() ? platform::FolderLister::entryAt(path, true) : listed;
        if (!entry) platform::logWarning("directory not exsts:" + path);
        else if (!entry->isFolder()) consider(path, *entry, chosenFolder, limit, segments[i]);
        else if (!isExcludedTopFolder(folder, listed.name)) walks.emplace_back(i, std::move(path));
    }
    runInParallel(pool_, workerCount_, walks.size(), [&](std::size_t, std::size_t walk) {
        getSubpathsOfDirectoryAtPath(segments[walks[walk].first], walks[walk].second, limit);
    });
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
void getFileList::getSubpathsOfDirectoryAtPath(Findings& findings, const std::string& folder, std::uint64_t limit) {
    if (stopRequested()) return;
    m_CurrentPath.set(folder);
    FileWalker::Callbacks callbacks;
    callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
        const FileEntry& entry = visit.entry();
        if (visit.depth() == 0 || entry.isLink()) return FileWalker::Step::Continue;
        if (!entry.isFolder()) {
            consider(visit.path(), entry, platform::FileIdentity::of(*visit.folderEntry()), limit, findings);
            return FileWalker::Step::Continue;
        }
        // Everything in a hidden folder would be skipped one by one: skip it whole.
        if (!m_bSearchHiddenFile && entry.name.front() == '.') return FileWalker::Step::Prune;
        m_CurrentPath.set(visit.path());
        return FileWalker::Step::Continue;
    };
    callbacks.leaveFolder = [&](const FileWalker::Visit& visit, bool listed) {
        if (!listed) platform::logWarning("get contents Of Directory At Path failed" + visit.path());
        else if (visit.depth() > 0)
            consider(visit.path(), visit.entry(), platform::FileIdentity::of(*visit.folderEntry()), limit, findings);
    };
    FileWalker::Options options;
    options.followTopLink = true;
    options.stop = m_bStopSearch.flag();
    FileWalker::walk(folder, callbacks, options);
}

// One item of the path list. A bundle is noted once for a run of items inside it.
void getFileList::consider(const std::string& path, const FileEntry& entry, const platform::FileIdentity& folder,
                           std::uint64_t limit, Findings& findings) const {
    if (!m_bSearchHiddenFile && IsHiddenFile(path)) return;
    if (auto bundle = getAppDirectory(path)) {
        const auto* last = findings.empty() ? nullptr : std::get_if<std::string>(&findings.back());
        const bool notedJustBefore = last && *last == *bundle;
        if (entry.size > limit && !notedJustBefore) findings.emplace_back(std::move(*bundle));
        return;
    }
    if (entry.kind != platform::FileKind::File || entry.size <= limit) return;
    fileAttrbItem record = fileAttrbItem::fromEntry(path, entry);
    record.folder = folder;
    findings.emplace_back(std::move(record));
}

// In listing order: a bundle is recorded the first time; every file, until keepFirstPaths.
void getFileList::take(Finding& finding, std::vector<fileAttrbItem>& files, std::vector<std::string>& directories) {
    if (auto* bundle = std::get_if<std::string>(&finding)) {
        if (knownBundles_.insert(*bundle).second) directories.push_back(std::move(*bundle));
        return;
    }
    files.push_back(std::move(std::get<fileAttrbItem>(finding)));
}

// A file reached by two paths (a link, a hard link, a bind mount) stays at its first path
// only. Sorting positions by identity needs a few bytes per file, where a set of identities
// would need dozens.
void getFileList::keepFirstPaths(std::vector<fileAttrbItem>& files, std::size_t firstNew) {
    std::vector<std::uint32_t> order(files.size() - firstNew);
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(firstNew + i);
    auto identity = [&](std::uint32_t i) { return std::make_pair(files[i].device, files[i].inode); };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::make_pair(identity(a), a) < std::make_pair(identity(b), b);
    });
    std::vector<bool> later(files.size(), false);
    for (std::size_t i = 1; i < order.size(); ++i)
        if (identity(order[i]) == identity(order[i - 1])) later[order[i]] = true;
    std::size_t kept = firstNew;
    for (std::size_t i = firstNew; i < files.size(); ++i) {
        if (later[i]) continue;
        if (kept != i) files[kept] = std::move(files[i]);
        ++kept;
    }
    files.erase(files.begin() + static_cast<std::ptrdiff_t>(kept), files.end());
}

// The bundle a path lies in or is: the path up to its first component with the extension
// "app" (any case).
std::optional<std::string> getFileList::getAppDirectory(const std::string& path) {
    for (std::string_view component : componentsOf(path)) {
        if (isBundleName(component))
            return path.substr(0, static_cast<std::size_t>(component.data() + component.size() - path.data()));
    }
    return std::nullopt;
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
    const std::string_view first = components.front();
    const auto& linuxFolders = platform::linuxSystemFolderNames;
    return std::any_of(systemFolders.begin(), systemFolders.end(),
                       [&](std::string_view name) { return equalIgnoringCase(first, name); }) ||
           std::find(linuxFolders.begin(), linuxFolders.end(), first) != linuxFolders.end();
}

}  // namespace core

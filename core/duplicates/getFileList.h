#pragma once

#include "core/duplicates/fileAttrbItem.h"
#include "core/kit/SharedText.h"
#include "platform/FileEntry.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace core {

// Turns the chosen folder into the candidate files of a duplicate search and the paths of
// the application bundles in it. Links are followed directly inside the chosen folder only;
// deeper links are neither followed nor listed. Folders below the top level come after their
// contents. Everything inside a bundle (a path component with the extension "app") stays out
// of the candidates; each bundle is recorded once. Only regular files larger than the limit
// are candidates, and a file reached by two paths is offered once, at the first path.
class getFileList {
public:
    // False only when the chosen folder itself cannot be listed; a stop keeps what was
    // collected so far. Appends to both lists. An object serves one collection: a stop
    // requested before it starts is kept, never cleared.
    bool getListAtPath(const std::string& folder, std::vector<fileAttrbItem>& files,
                       std::vector<std::string>& directories, std::uint64_t limit);
    void stopSearch() { m_bStopSearch = true; }

    void setSearchHiddenFile(bool search) { m_bSearchHiddenFile = search; }
    bool searchHiddenFile() const { return m_bSearchHiddenFile; }
    void setSearchSystemDirectory(bool search) { m_bSearchSystemDirectory = search; }
    bool searchSystemDirectory() const { return m_bSearchSystemDirectory; }
    // The folder being listed; safe to read from any thread.
    std::string currentPath() const { return m_CurrentPath.get(); }

    // Any component of the path begins with ".".
    static bool IsHiddenFile(const std::string& path);
    // The path's first component is one of the system folders (case ignored).
    static bool IsSystemDirectory(const std::string& path);

private:
    struct Collection {
        std::vector<fileAttrbItem>& files;
        std::vector<std::string>& directories;
        std::uint64_t limit;
    };

    bool getDirectoryAtPath(const std::string& folder, Collection& collection);
    void getSubpathsOfDirectoryAtPath(Collection& collection, const std::string& folder);
    bool isExcludedTopFolder(const std::string& chosenFolder, const std::string& name) const;
    void consider(const std::string& path, const platform::FileEntry& entry, Collection& collection);
    bool getAppDirectory(const std::string& path, std::uint64_t ownSize, Collection& collection);
    bool isFirstPathTo(const platform::FileEntry& entry);
    bool stopRequested() const { return m_bStopSearch.load(std::memory_order_relaxed); }

    std::atomic<bool> m_bStopSearch{false};
    bool m_bSearchHiddenFile = true;
    bool m_bSearchSystemDirectory = true;
    SharedText m_CurrentPath;
    std::unordered_set<std::string> knownBundles_;
    struct FileIdentityHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& identity) const {
            return std::hash<std::uint64_t>()(identity.second * 0x9E3779B97F4A7C15ull ^ identity.first);
        }
    };
    std::unordered_set<std::pair<std::uint64_t, std::uint64_t>, FileIdentityHash> knownFiles_;
};

}  // namespace core

#pragma once

#include "core/duplicates/fileAttrbItem.h"
#include "platform/files/FileIdentity.h"
#include "core/kit/Executors.h"
#include "core/kit/SharedText.h"
#include "core/kit/StopToken.h"
#include "platform/files/FileEntry.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <variant>
#include <vector>

namespace core {

// Turns the chosen folder into the candidate files of a duplicate search and the paths of
// the application bundles in it. Links are followed directly inside the chosen folder only;
// deeper links are neither followed nor listed. Folders below the top level come after their
// contents. Everything inside a bundle (a path component with the extension "app") stays out
// of the candidates; each bundle is recorded once. Only regular files larger than the limit
// are candidates, and a file reached by two paths is offered once, at the first path.
// The folders of the top level are walked on the pool at once; what they hold is taken in
// listing order afterwards, so the result never depends on which walk ended first.
class getFileList {
public:
    explicit getFileList(Executor pool = {}, std::size_t workerCount = 1);

    // False only when the chosen folder itself cannot be listed; a stop ends the walks and
    // keeps what was collected so far. Appends to both lists. An object serves one
    // collection: a stop requested before it starts is kept, never cleared.
    bool getListAtPath(const std::string& folder, std::vector<fileAttrbItem>& files,
                       std::vector<std::string>& directories, std::uint64_t limit);
    void stopSearch() { m_bStopSearch.requestStop(); }

    void setSearchHiddenFile(bool search) { m_bSearchHiddenFile = search; }
    bool searchHiddenFile() const { return m_bSearchHiddenFile; }
    void setSearchSystemDirectory(bool search) { m_bSearchSystemDirectory = search; }
    bool searchSystemDirectory() const { return m_bSearchSystemDirectory; }
    // A folder being listed; safe to read from any thread.
    std::string currentPath() const { return m_CurrentPath.get(); }

    // Any component of the path begins with ".".
    static bool IsHiddenFile(const std::string& path);
    // The path's first component is one of the macOS system folders (case ignored) or one of
    // Linux's (exactly).
    static bool IsSystemDirectory(const std::string& path);

private:
    // What one item of the walk adds, decided from the item alone: a candidate, or the
    // bundle it lies in.
    using Finding = std::variant<fileAttrbItem, std::string>;
    using Findings = std::vector<Finding>;

    bool getDirectoryAtPath(const std::string& folder, std::vector<Findings>& segments, std::uint64_t limit);
    void getSubpathsOfDirectoryAtPath(Findings& findings, const std::string& folder, std::uint64_t limit);
    bool isExcludedTopFolder(const std::string& chosenFolder, const std::string& name) const;
    // folder: the folder holding the item as it was listed.
    void consider(const std::string& path, const platform::FileEntry& entry, const platform::FileIdentity& folder,
                  std::uint64_t limit, Findings& findings) const;
    void take(Finding& finding, std::vector<fileAttrbItem>& files, std::vector<std::string>& directories);
    static void keepFirstPaths(std::vector<fileAttrbItem>& files, std::size_t firstNew);
    static std::optional<std::string> getAppDirectory(const std::string& path);
    bool stopRequested() const { return m_bStopSearch.stopRequested(); }

    Executor pool_;
    std::size_t workerCount_;
    StopToken m_bStopSearch;
    bool m_bSearchHiddenFile = true;
    bool m_bSearchSystemDirectory = true;
    SharedText m_CurrentPath;
    std::unordered_set<std::string> knownBundles_;
};

}  // namespace core

#pragma once

#include "core/duplicates/SimpleTreeNode.h"
#include "core/duplicates/duplicateFind.h"
#include "core/kit/Executors.h"
#include "core/kit/SharedText.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace core {

// The two search options as the page hands them over.
struct _SEARCH_OPTION {
    bool searchHiddenFile;
    bool searchSystemDirectory;
};

// What the duplicate page talks to: one object per search. The search runs on the calling
// thread; progress, the current path and stop requests may come from the main thread.
class DuplicateFilesOpt {
public:
    explicit DuplicateFilesOpt(Executors executors);

    void setSearchOption(const _SEARCH_OPTION* option);
    // Runs the whole search and returns when it has ended or been stopped, then takes the
    // result over from the engine; an object serves one search only.
    void beginSearchAtPath(const std::string& folder, std::uint64_t limit);

    std::uint64_t getProgress() const;
    // Stops the search, or, asked before it begins, makes it end at once with nothing found.
    void stopSearch();
    // The path to show: the engine's current one, else the last one shown.
    std::string getCurrentSearchFile() { return progress().currentPath; }
    // The engine's progress (nothing counted before the search starts) with that path.
    ProgressSnapshot progress();

    // After the search: the groups found, bundles and files, each in the order the page lists it.
    const std::vector<DuplicateGroup>& duplicateGroups() const { return m_findArray; }
    const std::vector<DuplicateAppGroup>& duplicateAppGroups() const { return m_findAppArray; }
    // After the search: a new result tree when it found at least one group. Under a root named
    // "Root", the bundle groups come first, then the file groups; each group lists its copies
    // (leaves) with the earliest copy last but one and the earliest match after it last of
    // all, so the copy that bulk ticking leaves unticked is that earliest match.
    bool getDuplicateFiles(std::shared_ptr<SimpleTreeNode>& root) const;

private:
    duplicateFind m_findDuplicate;
    std::vector<DuplicateGroup> m_findArray;
    std::vector<DuplicateAppGroup> m_findAppArray;
    std::atomic<bool> m_started{false};
    bool m_bSearchHiddenFile = true;
    bool m_bSearchSystemDirectory = true;
    SharedText m_CurrentSearchPath;
};

}  // namespace core

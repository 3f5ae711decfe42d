#pragma once

#include "core/duplicates/duplicateFind.h"
#include "core/kit/Executors.h"
#include "core/kit/SharedText.h"

#include <atomic>
#include <cstdint>
#include <string>

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
    // Runs the whole search and returns when it has ended or been stopped; an object serves
    // one search only.
    void beginSearchAtPath(const std::string& folder, std::uint64_t limit);

    std::uint64_t getProgress() const;
    void stopSearch();
    // The path to show: the engine's current one, else the last one shown.
    std::string getCurrentSearchFile();

    const duplicateFind& engine() const { return m_findDuplicate; }

private:
    duplicateFind m_findDuplicate;
    std::atomic<bool> m_started{false};
    bool m_bSearchHiddenFile = true;
    bool m_bSearchSystemDirectory = true;
    SharedText m_CurrentSearchPath;
};

}  // namespace core

#pragma once

#include "core/duplicates/AppAttrbItem.h"
#include "core/duplicates/DuplicateFileGrouper.h"
#include "core/duplicates/FindDuplicateApp.h"
#include "core/duplicates/fileAttrbItem.h"
#include "core/duplicates/getFileList.h"
#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One whole duplicate search of one folder, run on the calling (worker) thread: it collects
// the candidates, groups the identical application bundles, then the files of equal content,
// walking and hashing on the global pool. Progress (the bundle step fills the first half, the
// file step the second), the current path and stop requests are safe to use from any thread
// while it runs. A stop reaches every step; one during the collection skips the others.
class duplicateFind {
public:
    // The stages of progress().
    enum Stage : int { Collecting = 0, MatchingBundles = 1, MatchingFiles = 2 };

    explicit duplicateFind(Executors executors, AlgorithmFactory makeAlgorithm = {});

    void setSearchOption(bool searchHiddenFile, bool searchSystemDirectory);
    // Searches the folder if it is one (a link to one counts); does nothing for other paths.
    void searchDuplicateFileAtPath(const std::string& folder, std::uint64_t limit);

    std::uint64_t getProgress() const;
    void stopSearch();
    std::string getCurrentSearchPath() const { return progress().currentPath; }
    // The step under way: while collecting, only the folder being listed; while matching
    // bundles, two counts per bundle (listed, then settled) and the bundle in hand; while
    // matching files, candidates settled of all and the file being read.
    ProgressSnapshot progress() const;

    // After the search: the groups found, each in its listing order (later copies in
    // collection order, then the earliest), and the same files as one flat list.
    const std::vector<DuplicateGroup>& duplicateGroups() const { return m_groups; }
    std::vector<fileAttrbItem> getAllDuplicateFile() const;
    // After the search: the groups of identical bundles, in the same order as the files.
    const std::vector<DuplicateAppGroup>& duplicateAppGroups() const { return m_allAppArray; }
    // Hands both kinds of group over, leaving the engine without them.
    void takeDuplicates(std::vector<DuplicateGroup>& files, std::vector<DuplicateAppGroup>& bundles);

private:
    bool _searchDuplicateFile();
    void getDuplicateApp();
    bool findDuplicateFiles();

    Executors executors_;
    AlgorithmFactory makeAlgorithm_;
    std::size_t workerCount_;
    std::string m_path;
    std::uint64_t m_limittedSize = 0;
    std::vector<fileAttrbItem> m_allFileArray;
    std::vector<std::string> DirectoryArray;
    std::vector<DuplicateGroup> m_groups;
    std::vector<DuplicateAppGroup> m_allAppArray;

    getFileList m_fileList;
    std::atomic<bool> m_collecting{false};
    FindDuplicateApp m_findDuplicateApp;
    std::atomic<bool> m_matchingApps{false};
    StopToken m_Stop;
    ProgressState m_fileProgress;
    std::atomic<bool> m_fileStepEnded{false};
    std::atomic<std::uint64_t> m_iAppProgress{0};
};

}  // namespace core

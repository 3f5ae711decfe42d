#include "core/duplicates/duplicateFind.h"

#include "core/kit/ParallelLoop.h"
#include "platform/files/FolderLister.h"
#include "platform/system/Log.h"

#include <algorithm>
#include <iterator>

namespace core {

duplicateFind::duplicateFind(Executors executors, AlgorithmFactory makeAlgorithm)
    : executors_(std::move(executors)),
      makeAlgorithm_(std::move(makeAlgorithm)),
      workerCount_(processorCount()),
      m_fileList(executors_.global, workerCount_),
      m_findDuplicateApp(executors_.global, workerCount_, makeAlgorithm_) {}

void duplicateFind::setSearchOption(bool searchHiddenFile, bool searchSystemDirectory) {
    m_fileList.setSearchHiddenFile(searchHiddenFile);
    m_fileList.setSearchSystemDirectory(searchSystemDirectory);
}

void duplicateFind::searchDuplicateFileAtPath(const std::string& folder, std::uint64_t limit) {
    const auto entry = platform::FolderLister::entryAt(folder, true);
    if (!entry || !entry->isFolder()) return;
    m_path = folder;
    m_limittedSize = limit;
    const bool result = _searchDuplicateFile();
    m_fileStepEnded = true;
    platform::logInfo("findDuplicate result:" + std::to_string(result ? 1 : 0));
}

bool duplicateFind::_searchDuplicateFile() {
    m_collecting = true;
    const bool collected = m_fileList.getListAtPath(m_path, m_allFileArray, DirectoryArray, m_limittedSize);
    m_collecting = false;
    // A stop during the collection skips the bundle step too.
    if (collected && !m_Stop.stopRequested() && !DirectoryArray.empty()) getDuplicateApp();
    m_iAppProgress = 100;
    if (!collected) return false;
    if (m_Stop.stopRequested()) return true;
    if (m_allFileArray.empty()) return false;
    return findDuplicateFiles();
}

void duplicateFind::getDuplicateApp() {
    m_matchingApps = true;
    m_findDuplicateApp.FindAppInArray(DirectoryArray, m_allAppArray);
    m_iAppProgress = 100;
    m_matchingApps = false;
}

// The file step: every candidate is settled (unique, unreadable, or hashed) and the groups are
// kept whole; after a stop only the groups that were complete.
bool duplicateFind::findDuplicateFiles() {
    m_fileProgress.beginStage(MatchingFiles, m_allFileArray.size());
    DuplicateFileGrouper grouper(executors_.global, workerCount_, makeAlgorithm_);
    DuplicateFileGrouper::Observer observer;
    observer.stop = m_Stop.flag();
    observer.progress = &m_fileProgress;
    m_groups = grouper.group(m_allFileArray, observer);
    return true;
}

std::uint64_t duplicateFind::getProgress() const {
    std::uint64_t filePercent = 0;
    if (m_fileStepEnded) filePercent = 100;
    else filePercent = m_fileProgress.stagePercent();
    const std::uint64_t appPercent = m_matchingApps ? m_findDuplicateApp.getProgress() : m_iAppProgress.load();
    return (appPercent + filePercent) / 2;
}

void duplicateFind::stopSearch() {
    m_fileList.stopSearch();
    m_findDuplicateApp.stopSearch();
    m_Stop.requestStop();
}

ProgressSnapshot duplicateFind::progress() const {
    if (m_collecting) {
        ProgressSnapshot collecting;
        collecting.stage = Collecting;
        collecting.currentPath = m_fileList.currentPath();
        return collecting;
    }
    if (m_matchingApps) {
        ProgressSnapshot bundles = m_findDuplicateApp.progress();
        bundles.stage = MatchingBundles;
        return bundles;
    }
    return m_fileProgress.snapshot();
}

std::vector<fileAttrbItem> duplicateFind::getAllDuplicateFile() const {
    std::vector<fileAttrbItem> files;
    for (const auto& group : m_groups) files.insert(files.end(), group.begin(), group.end());
    return files;
}

void duplicateFind::takeDuplicates(std::vector<DuplicateGroup>& files, std::vector<DuplicateAppGroup>& bundles) {
    std::move(m_groups.begin(), m_groups.end(), std::back_inserter(files));
    std::move(m_allAppArray.begin(), m_allAppArray.end(), std::back_inserter(bundles));
    m_groups.clear();
    m_allAppArray.clear();
}

}  // namespace core

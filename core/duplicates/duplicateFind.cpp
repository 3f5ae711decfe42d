#include "core/duplicates/duplicateFind.h"

#include "platform/FolderLister.h"
#include "platform/Log.h"

#include <algorithm>
#include <thread>

namespace core {

duplicateFind::duplicateFind(Executors executors, DuplicateFileGrouper::AlgorithmFactory makeAlgorithm)
    : executors_(std::move(executors)),
      makeAlgorithm_(std::move(makeAlgorithm)),
      workerCount_(std::max(1u, std::thread::hardware_concurrency())),
      m_fileList(executors_.global, workerCount_) {}

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
    m_iAppProgress = 100;
    if (!collected) return false;
    if (m_Stop) return true;
    if (m_allFileArray.empty()) return false;
    return findDuplicateFiles();
}

// The file step: every candidate is settled (unique, unreadable, or hashed) and the groups are
// kept whole; after a stop only the groups that were complete.
bool duplicateFind::findDuplicateFiles() {
    m_allFileCount = m_allFileArray.size();
    DuplicateFileGrouper grouper(executors_.global, workerCount_, makeAlgorithm_);
    DuplicateFileGrouper::Observer observer;
    observer.stop = &m_Stop;
    observer.settled = &m_settledCount;
    observer.reading = [this](const std::string& path) { m_CurrentSearchPath.set(path); };
    m_groups = grouper.group(m_allFileArray, observer);
    return true;
}

std::uint64_t duplicateFind::getProgress() const {
    std::uint64_t filePercent = 0;
    if (m_fileStepEnded) filePercent = 100;
    else if (const std::uint64_t count = m_allFileCount) filePercent = m_settledCount * 100 / count;
    return (m_iAppProgress + filePercent) / 2;
}

void duplicateFind::stopSearch() {
    m_fileList.stopSearch();
    m_Stop = true;
}

std::string duplicateFind::getCurrentSearchPath() const {
    if (m_collecting) return m_fileList.currentPath();
    return m_CurrentSearchPath.get();
}

std::vector<fileAttrbItem> duplicateFind::getAllDuplicateFile() const {
    std::vector<fileAttrbItem> files;
    for (const auto& group : m_groups) files.insert(files.end(), group.begin(), group.end());
    return files;
}

}  // namespace core

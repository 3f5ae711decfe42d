#include "core/duplicates/DuplicateFilesOpt.h"

#include "platform/Log.h"

namespace core {

DuplicateFilesOpt::DuplicateFilesOpt(Executors executors) : m_findDuplicate(std::move(executors)) {}

void DuplicateFilesOpt::setSearchOption(const _SEARCH_OPTION* option) {
    if (!option) return;
    m_bSearchHiddenFile = option->searchHiddenFile;
    m_bSearchSystemDirectory = option->searchSystemDirectory;
}

void DuplicateFilesOpt::beginSearchAtPath(const std::string& folder, std::uint64_t limit) {
    if (m_started.exchange(true)) {
        platform::logError("error need reinit");
        return;
    }
    platform::logInfo(" -INFO:search Path:" + folder + "  limitedsize:" + std::to_string(limit));
    m_CurrentSearchPath.set(folder);
    m_findDuplicate.setSearchOption(m_bSearchHiddenFile, m_bSearchSystemDirectory);
    m_findDuplicate.searchDuplicateFileAtPath(folder, limit);
}

std::uint64_t DuplicateFilesOpt::getProgress() const { return m_started ? m_findDuplicate.getProgress() : 0; }

void DuplicateFilesOpt::stopSearch() {
    if (m_started) m_findDuplicate.stopSearch();
}

std::string DuplicateFilesOpt::getCurrentSearchFile() {
    if (m_started) {
        std::string path = m_findDuplicate.getCurrentSearchPath();
        if (!path.empty()) m_CurrentSearchPath.set(path);
    }
    return m_CurrentSearchPath.get();
}

}  // namespace core

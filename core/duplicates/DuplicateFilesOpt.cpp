#include "core/duplicates/DuplicateFilesOpt.h"

#include "platform/system/Log.h"
#include "platform/files/PathText.h"

namespace core {
namespace {

using Node = std::shared_ptr<SimpleTreeNode>;

Node leafNode(const std::string& path, std::uint64_t size, CopyIdentity identity) {
    auto data = SimpleNodeData::leafDataWithName(path);
    data->fileSize = size;
    data->identity = std::move(identity);
    return SimpleTreeNode::treeNodeWithData(std::move(data));
}

// A group of the given copies, in the given order; its size is the sum of theirs.
Node groupNode(const std::string& name, const std::string& extension, const std::vector<Node>& leaves) {
    auto data = SimpleNodeData::groupDataWithName(name);
    data->extendName = extension;
    Node group = SimpleTreeNode::treeNodeWithData(data);
    for (const Node& leaf : leaves) {
        data->fileSize += leaf->simpleData()->fileSize;
        group->appendChild(leaf);
    }
    return group;
}

Node bundleGroupNode(const DuplicateAppGroup& bundles) {
    std::vector<Node> leaves;
    for (const AppAttrbItem& bundle : bundles)
        leaves.push_back(leafNode(bundle.DirectoryPathName, bundle.DirectorySize, CopyIdentity::ofBundle(bundle)));
    return groupNode(bundles.back().DirectoryName, "APP", leaves);
}

// The copies r1 ... rn (the matches, then the earliest) are listed r2 ... rn, r1; the group is
// named after r1.
Node fileGroupNode(const DuplicateGroup& copies) {
    std::vector<Node> leaves;
    for (std::size_t i = 1; i <= copies.size(); ++i) {
        const fileAttrbItem& copy = copies[i % copies.size()];
        leaves.push_back(leafNode(copy.filePathName, copy.fileSize, CopyIdentity::ofFile(copy)));
        leaves.back()->simpleData()->ModificationDate = copy.ModificationDate;
    }
    const std::string name = copies.front().fileName();
    return groupNode(name, platform::pathExtension(name), leaves);
}

}  // namespace

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
    m_findDuplicate.takeDuplicates(m_findArray, m_findAppArray);
}

std::uint64_t DuplicateFilesOpt::getProgress() const { return m_started ? m_findDuplicate.getProgress() : 0; }

// The engine lives as long as this object and serves this one search, so a stop that comes
// before the search begins is kept there and the search ends at its first step.
void DuplicateFilesOpt::stopSearch() { m_findDuplicate.stopSearch(); }

ProgressSnapshot DuplicateFilesOpt::progress() {
    ProgressSnapshot snapshot;
    if (m_started) snapshot = m_findDuplicate.progress();
    if (snapshot.currentPath.empty()) snapshot.currentPath = m_CurrentSearchPath.get();
    else m_CurrentSearchPath.set(snapshot.currentPath);
    return snapshot;
}

bool DuplicateFilesOpt::getDuplicateFiles(std::shared_ptr<SimpleTreeNode>& root) const {
    if (m_findArray.empty() && m_findAppArray.empty()) return false;
    Node result = SimpleTreeNode::treeNodeWithData(SimpleNodeData::groupDataWithName("Root"));
    for (const DuplicateAppGroup& bundles : m_findAppArray)
        if (bundles.size() > 1) result->appendChild(bundleGroupNode(bundles));
    for (const DuplicateGroup& copies : m_findArray)
        if (copies.size() > 1) result->appendChild(fileGroupNode(copies));
    root = std::move(result);
    return true;
}

}  // namespace core

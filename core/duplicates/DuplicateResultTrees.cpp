#include "core/duplicates/DuplicateResultTrees.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace core {
namespace {

std::string lowerCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::shared_ptr<SimpleTreeNode> newRoot() { return SimpleTreeNode::treeNodeWithData(SimpleNodeData::groupDataWithName("Root")); }

}  // namespace

const std::vector<std::string>* DuplicateResultTrees::extensionsOf(int fileType) {
    // An extension is the part after the last dot, so "tar.gz" and "tar.bz2" never match:
    // such archives go to the others by their "gz" or "bz2".
    static const std::array<std::vector<std::string>, categoryCount - 1> lists{{
        {"doc", "docx", "xls", "xlsx", "mpp", "ppt", "pptx", "txt", "rtf", "pdf", "odt", "ott",
         "ods", "odg", "odf", "odb", "odp", "htm", "html", "xml", "pages", "key"},
        {"wav", "aiff", "au", "mp3", "midi", "wma", "acc", "ape", "ra", "aac"},
        {"avi", "rmvb", "rm", "3gp", "3g2", "flv", "mpeg", "mpg", "qt", "qtm", "qtx", "mov", "mpe",
         "mp4", "m4v", "mkv", "wmv", "ogg"},
        {"zip", "rar", "tar", "tar.gz", "tar.bz2"},
        {"bmp", "jpg", "png", "ico", "gif", "tiff", "jpeg", "tga", "exif", "fpx", "svg", "psd", "cdr",
         "pcd", "dxf", "ufo", "eps"},
    }};
    return fileType >= 1 && fileType < categoryCount ? &lists[static_cast<std::size_t>(fileType - 1)] : nullptr;
}

int DuplicateResultTrees::categoryOfSegment(int segment) {
    static constexpr std::array<int, categoryCount + 1> categories{0, 1, 3, 2, 4, 5, 6};
    return segment >= 1 && segment <= categoryCount ? categories[static_cast<std::size_t>(segment)] : 0;
}

void DuplicateResultTrees::setAllTreeNode(Node root) {
    destroyAllSubTrees();
    allTreeNode_ = std::move(root);
    constructSubtrees();
}

void DuplicateResultTrees::constructSubtrees() {
    if (!allTreeNode_) return;
    for (int fileType = 1; fileType <= categoryCount; ++fileType) getTypeFile(extensionsOf(fileType), fileType);
    segmentSelect(remberWitchSelect_);
}

void DuplicateResultTrees::getTypeFile(const std::vector<std::string>* extensions, int fileType) {
    Node* category = categoryRoot(fileType);
    if (!category || !allTreeNode_) return;
    Node root = newRoot();
    for (const TreeNode::Ptr& group : allTreeNode_->children()) {
        SimpleNodeData* data = group->dataAs<SimpleNodeData>();
        if (!data || data->Mark) continue;
        if (extensions &&
            std::find(extensions->begin(), extensions->end(), lowerCased(data->extendName)) == extensions->end())
            continue;
        data->Mark = true;
        data->fileType = fileType;
        root->appendChild(group);
    }
    *category = std::move(root);
}

void DuplicateResultTrees::deleteParentNode(const TreeNode::Ptr& group) {
    const SimpleNodeData* data = group ? group->dataAs<SimpleNodeData>() : nullptr;
    if (!data) return;
    if (allTreeNode_) allTreeNode_->removeChild(group);
    if (const Node category = categoryTree(data->fileType)) category->removeChild(group);
}

void DuplicateResultTrees::destroyAllSubTrees() {
    allTreeNode_.reset();
    for (Node& category : categoryTrees_) category.reset();
    treeData_.reset();
}

void DuplicateResultTrees::segmentSelect(int segment) {
    remberWitchSelect_ = segment >= 0 && segment <= categoryCount ? segment : 0;
    const int category = categoryOfSegment(remberWitchSelect_);
    treeData_ = category == 0 ? allTreeNode_ : categoryTree(category);
}

DuplicateResultTrees::Node DuplicateResultTrees::categoryTree(int fileType) const {
    return fileType >= 1 && fileType <= categoryCount ? categoryTrees_[static_cast<std::size_t>(fileType - 1)] : nullptr;
}

DuplicateResultTrees::Node* DuplicateResultTrees::categoryRoot(int fileType) {
    return fileType >= 1 && fileType <= categoryCount ? &categoryTrees_[static_cast<std::size_t>(fileType - 1)] : nullptr;
}

}  // namespace core

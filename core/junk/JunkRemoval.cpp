#include "core/junk/JunkRemoval.h"

#include "core/junk/CategoryRoots.h"
#include "core/junk/FastCleanFileNode.h"
#include "core/junk/JunkSelection.h"
#include "core/junk/TrashInfo.h"
#include "core/kit/CommUti.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>

namespace core::junk {
namespace {

constexpr int kTrashCategory = 3;
constexpr int kChatCategory = 5;

bool isGone(const platform::LinkFreePath::Parent& parent) {
    struct stat info;
    return fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

}  // namespace

JunkRemoval::JunkRemoval(Categories categories) : categories_(std::move(categories)) {
    for (size_t index = 0; index < categories_.size(); ++index) {
        roots_.push_back(categories_[index]->roots);
        plan(static_cast<int>(index), *categories_[index]);
    }
}

void JunkRemoval::plan(int index, TCTreeNode& category) {
    std::vector<TCTreeNode*> nodes;
    if (index == kChatCategory) {
        JunkSelection::collectLeafNodesToDelete(category, nodes);
    } else {
        for (auto& child : category.detailChildren)
            if (child->selectState == 1 && !child->path.empty()) nodes.push_back(child.get());
    }
    for (TCTreeNode* node : nodes) items_.push_back({index, node, node->path, JunkSelection::bytesOf(*node)});
}

void JunkRemoval::run() {
    run([](int folderFd, const std::string& name) { return FastCleanFileNode::shareInstall().removeFile(folderFd, name); });
}

void JunkRemoval::run(const Remover& remover) {
    std::vector<CategoryRoots> roots;
    for (const auto& list : roots_) roots.emplace_back(list);
    for (Item& item : items_) {
        CategoryRoots::Found found = roots[item.category].openParentOf(item.path);
        if (found.reach == CategoryRoots::Reach::Outside) {
            platform::logWarning("not removing " + item.path + ": it lies outside the places its category looked at");
            item.outcome = Outcome::Refused;
        } else if (found.reach == CategoryRoots::Reach::Changed) {
            platform::logWarning("not removing " + item.path +
                                 ": the place its category looked at, or a folder below it, has changed since the scan");
            item.outcome = Outcome::Refused;
        } else if (found.reach == CategoryRoots::Reach::Gone || isGone(found.parent)) {
            item.outcome = Outcome::Gone;
        } else if (remover(found.parent.folder.get(), found.parent.name)) {
            item.outcome = Outcome::Removed;
            cleanTotalSize_ += static_cast<int64_t>(item.bytes);
            if (item.category == kTrashCategory) TrashInfo::removeRecordOf(item.path, roots[item.category]);
        } else {
            platform::logWarning("could not remove " + item.path);
            item.outcome = Outcome::Failed;
        }
    }
}

void JunkRemoval::apply() {
    for (Item& item : items_)
        if (item.outcome == Outcome::Removed || item.outcome == Outcome::Gone) detach(*item.node);
    for (auto& category : categories_) {
        recomputeSize(*category);
        std::set<std::string> remaining;
        for (const auto& child : category->detailChildren) remaining.insert(child->path);
        std::vector<std::string>& paths = category->children;
        paths.erase(std::remove_if(paths.begin(), paths.end(),
                                   [&](const std::string& path) { return remaining.count(path) == 0; }),
                    paths.end());
    }
}

// Takes the node out of its parent; a parent left without children goes too, up to the
// category. Every node above keeps a size and state that follow its remaining children.
void JunkRemoval::detach(TCTreeNode& node) {
    TCTreeNode* parent = node.parentNode;
    if (!parent) return;
    auto& siblings = parent->detailChildren;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& child) { return child.get() == &node; }),
                   siblings.end());
    if (!parent->hasChildren() && parent->parentNode) {
        detach(*parent);
        return;
    }
    for (TCTreeNode* above = parent; above && above->parentNode; above = above->parentNode) recomputeSize(*above);
    if (parent->hasChildren()) JunkSelection::updateAncestors(*parent->detailChildren.front());
}

void JunkRemoval::recomputeSize(TCTreeNode& node) {
    uint64_t bytes = 0;
    for (const auto& child : node.detailChildren) bytes += JunkSelection::bytesOf(*child);
    node.size = CommUti::convertVolSpace(bytes);
}

}  // namespace core::junk

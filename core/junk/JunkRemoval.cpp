#include "core/junk/JunkRemoval.h"

#include "core/junk/CategoryRoots.h"
#include "core/junk/FastCleanFileNode.h"
#include "core/junk/JunkSelection.h"
#include "core/junk/TrashInfo.h"
#include "core/kit/CommUti.h"
#include "platform/system/Log.h"


#include <algorithm>
#include <set>

namespace core::junk {
namespace {

constexpr int kTrashCategory = 3;
constexpr int kChatCategory = 5;

JunkRemoval::Outcome outcomeOf(platform::ItemRemoval::Outcome outcome) {
    switch (outcome) {
        case platform::ItemRemoval::Outcome::Removed: return JunkRemoval::Outcome::Removed;
        case platform::ItemRemoval::Outcome::Gone: return JunkRemoval::Outcome::Gone;
        case platform::ItemRemoval::Outcome::Refused: return JunkRemoval::Outcome::Refused;
        case platform::ItemRemoval::Outcome::Failed: break;
    }
    return JunkRemoval::Outcome::Failed;
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
    for (TCTreeNode* node : nodes) items_.push_back({index, node, node->path, node->chosen, JunkSelection::bytesOf(*node)});
}

void JunkRemoval::run() {
    run([](const platform::ChosenItem& item) { return FastCleanFileNode::shareInstall().removeFile(item); });
}

void JunkRemoval::run(const Remover& remover) {
    std::vector<CategoryRoots> roots;
    for (const auto& list : roots_) roots.emplace_back(list);
    for (Item& item : items_) {
        if (!item.chosen) {
            platform::logWarning("not removing " + item.path + ": it lies outside the places its category looked at");
            item.outcome = Outcome::Refused;
            continue;
        }
        item.outcome = outcomeOf(remover(*item.chosen));
        if (item.outcome == Outcome::Failed) platform::logWarning("could not remove " + item.path);
        if (item.outcome != Outcome::Removed) continue;
        cleanTotalSize_ += static_cast<int64_t>(item.bytes);
        if (item.category == kTrashCategory) TrashInfo::removeRecordOf(item.path, roots[item.category]);
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

#include "core/largefiles/FileNodeRemoval.h"

#include "core/largefiles/FileNodeTicks.h"
#include "platform/files/ItemRemoval.h"
#include "platform/system/Log.h"

#include <sys/stat.h>

#include <cerrno>

namespace core::largefiles {
namespace {

constexpr int kOnlyItemPoint = 30;

bool isOnDisk(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

void logFailure(const std::string& error) { platform::logWarning("--delete file error ---::" + error); }

}  // namespace

std::shared_ptr<FileNodeRemoval> FileNodeRemoval::make(std::shared_ptr<FileNodeTree> tree, Executors executors,
                                                       Reports reports) {
    return std::shared_ptr<FileNodeRemoval>(new FileNodeRemoval(std::move(tree), std::move(executors), std::move(reports)));
}

FileNodeRemoval::FileNodeRemoval(std::shared_ptr<FileNodeTree> tree, Executors executors, Reports reports)
    : tree_(std::move(tree)), executors_(std::move(executors)), reports_(std::move(reports)) {}

void FileNodeRemoval::start() {
    const auto self = shared_from_this();  // the end report may let go of this run
    std::vector<Item> items;
    {
        auto access = tree_->access();
        for (FileNode* node : FileNodeTicks::collect(access)) items.push_back({node, chosenItemOf(node)});
    }
    if (items.empty()) {
        finish("");
        return;
    }
    executors_.global([self, items = std::move(items)] { self->run(items); });
}

void FileNodeRemoval::run(const std::vector<Item>& items) {
    const size_t count = items.size();
    for (size_t index = 0; index < count; ++index) {
        const Item& item = items[index];
        if (isStopRemove_.stopRequested()) {
            executors_.main([self = shared_from_this(), path = item.chosen.path] { self->finish(path); });
            return;
        }
        const int point = count == 1 ? kOnlyItemPoint : static_cast<int>(index * 100 / count);
        executors_.main([self = shared_from_this(), point, path = item.chosen.path] { self->reports_.progress(point, path); });
        const Result result = removeItem(item);
        std::vector<FileNode*> gone;
        if (result == Result::Failed && item.node->isDirectory()) gone = goneBelow(item.node);
        executors_.main([self = shared_from_this(), node = item.node, result, gone = std::move(gone)] {
            self->apply(node, result, gone);
        });
    }
    executors_.main([self = shared_from_this(), path = items.back().chosen.path] { self->finish(path); });
}

platform::ChosenItem FileNodeRemoval::chosenItemOf(const FileNode* node) const {
    const uint64_t device = tree_->device();
    const platform::FileIdentity top{device, tree_->topFolderInode(), true};
    const platform::FileIdentity folder = node->father() ? platform::FileIdentity{device, node->father()->inode(), true} : top;
    return {tree_->pathOf(node), tree_->topFolder(), top, folder, {device, node->inode(), node->isDirectory()}, true};
}

FileNodeRemoval::Result FileNodeRemoval::removeItem(const Item& item) const {
    platform::ItemRemoval::Options options;
    options.oneFileSystem = true;
    const platform::ItemRemoval::Result result = platform::ItemRemoval::remove(item.chosen, options);
    if (result.outcome == platform::ItemRemoval::Outcome::Removed || result.outcome == platform::ItemRemoval::Outcome::Gone)
        return Result::Removed;  // gone already: nothing left to do
    logFailure(result.reason);
    return Result::Failed;
}

std::vector<FileNode*> FileNodeRemoval::goneBelow(FileNode* folder) const {
    struct Entry {
        FileNode* node;
        std::string path;
        size_t depth;
    };
    std::vector<Entry> entries;  // in pre-order, so a node's subtree follows it at greater depths
    {
        auto access = tree_->access();
        std::vector<std::pair<FileNode*, size_t>> pending;
        for (const auto& child : folder->children()) pending.emplace_back(child.get(), 0);
        while (!pending.empty()) {
            auto [node, depth] = pending.back();
            pending.pop_back();
            entries.push_back({node, tree_->pathOf(node), depth});
            for (const auto& child : node->children()) pending.emplace_back(child.get(), depth + 1);
        }
    }
    std::vector<FileNode*> gone;
    for (size_t index = 0; index < entries.size();) {
        const Entry& entry = entries[index++];
        if (isOnDisk(entry.path)) continue;
        gone.push_back(entry.node);
        while (index < entries.size() && entries[index].depth > entry.depth) ++index;
    }
    return gone;
}

void FileNodeRemoval::apply(FileNode* node, Result result, const std::vector<FileNode*>& gone) {
    auto access = tree_->access();
    for (FileNode* node : gone) access.takeOut(node);
    if (result == Result::Failed) {
        node->setState(FileNode::Unticked);
        return;
    }
    FileNode* father = node->father();
    access.takeOut(node);
    if (father) FileNodeTicks::changeChildrenFilNodeStateWithFileNode(access, father, FileNode::Unticked);
}

void FileNodeRemoval::finish(const std::string& lastPath) {
    {
        auto access = tree_->access();
        FileNodeTicks::untickAll(access);
    }
    reports_.progress(100, lastPath);
    reports_.ended();
}

}  // namespace core::largefiles

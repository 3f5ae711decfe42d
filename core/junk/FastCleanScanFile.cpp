#include "core/junk/FastCleanScanFile.h"

#include "core/junk/CategoryRoots.h"
#include "core/junk/JunkLocations.h"
#include "core/junk/OfferedItems.h"
#include "core/junk/SocialToolsScan.h"
#include "core/kit/CommUti.h"
#include "core/kit/ParallelLoop.h"
#include "core/kit/PooledTask.h"
#include "platform/files/PathText.h"
#include "platform/files/TreeSizer.h"
#include "platform/desktop/RunningApplications.h"

#include <string.h>

#include <algorithm>
#include <optional>
#include <set>

namespace core::junk {
namespace {

// The scanned items are reached for removal in runs of this many, in path order.
constexpr size_t kChosenItemsPerRun = 64;
// Items are sized this many at a time (in one walk of the shared tree sizer), so the path
// reports follow the scan closely.
constexpr size_t kSizingBatch = 1024;
// The nodes of a batch's items are made in runs of this many.
constexpr size_t kNodesPerRun = 128;
// From 10.10 on the chat applications' own folders belong to the chat category alone.
constexpr int kFirstVersionWithChatContainers = 1010;

bool contains(const std::string& path, std::string_view part) {
    return memmem(path.data(), path.size(), part.data(), part.size()) != nullptr;
}

bool isChatContainerPath(const std::string& path) {
    // Every part names one of two vendors; most paths name neither and are passed at once.
    if (!contains(path, "com.tencent.") && !contains(path, "com.alibaba.")) return false;
    for (std::string_view part : {"/Containers/com.tencent.qq/", "/Containers/com.tencent.xinWeChat/",
                                  "/Containers/com.alibaba.dingtalk/", "/Containers/com.alibaba.DingTalkMac/",
                                  "/Caches/com.alibaba.DingTalkMac"})
        if (contains(path, part)) return true;
    return false;
}

// A location that is there now is kept as the scan reached it; one that is not holds nothing.
void addRoot(TCTreeNode& category, const std::string& location) {
    if (auto root = ReachedRoot::reach(location)) category.roots.push_back(std::move(*root));
}

// The measures of items start to end: a folder's from one walk with the batch's other folders,
// anything else's from its entry as the listing read it.
std::vector<platform::TreeSizer::Measure> measuresOf(const std::vector<OfferedItems::Offer>& items, size_t start,
                                                      size_t end) {
    std::vector<platform::ListedFolder> folders;
    for (size_t i = start; i < end; ++i)
        if (items[i].entry.isFolder()) folders.push_back({items[i].path, platform::FileIdentity::of(items[i].entry)});
    const std::vector<platform::TreeSizer::Measure> walked = platform::TreeSizer::measureListed(folders);
    std::vector<platform::TreeSizer::Measure> measures;
    for (size_t i = start, folder = 0; i < end; ++i)
        measures.push_back(items[i].entry.isFolder() ? walked[folder++] : platform::TreeSizer::Measure{items[i].entry.size, true});
    return measures;
}

// Hidden items, and the caches of applications that are running, are left alone.
OfferedItems::NameTest skippedNameTest() {
    std::set<std::string> running;
    for (const auto& application : platform::RunningApplications::shared()->runningApplications())
        if (!application.bundleIdentifier.empty()) running.insert(application.bundleIdentifier);
    return [running = std::move(running)](const std::string& name) {
        return (!name.empty() && name.front() == '.') || running.count(name) > 0;
    };
}

}  // namespace

FastCleanScanFile::FastCleanScanFile(Executors executors) : executors_(std::move(executors)) {}

FastCleanScanFile& FastCleanScanFile::shareInstall() {
    static FastCleanScanFile instance;
    return instance;
}

std::vector<std::string> FastCleanScanFile::getName() const {
    return {"系统垃圾", "应用程序垃圾", "电子邮件附件", "废纸篓", "Xcode垃圾文件", "社交工具垃圾"};
}

std::vector<std::string> FastCleanScanFile::subName() const {
    return {"删除所有系统垃圾文件、无用的临时文件/缓存/日志等。",
            "删除应用程序产生的垃圾文件。",
            "删除无用的电子邮件附件。",
            "清空废纸篓。",
            "删除Xcode的垃圾文件。",
            "删除QQ、微信、钉钉等社交工具的缓存文件。"};
}

std::vector<std::string> FastCleanScanFile::getIcon() const {
    return {"icon_system@2x.png", "icon_app@2x.png", "icon_email@2x.png",
            "icon_trash@2x.png",  "ic_xcode@2x.png", "ic_media@2x.png"};
}

int FastCleanScanFile::initialItemState(int index) { return index <= 2 ? 1 : 0; }

std::vector<std::shared_ptr<TCTreeNode>> FastCleanScanFile::beginScan() {
    const bool skipChatContainers = CommUti::getSystemVersion() >= kFirstVersionWithChatContainers;
    // The running applications are read on the pool while the first category's places are gathered.
    OfferedItems::NameTest isSkippedName;
    PooledTask readingApplications(executors_.global, [&isSkippedName] { isSkippedName = skippedNameTest(); });
    // Every category's places are gathered on the pool from the start: on a cold disk the reads
    // of their folders then overlap the scan of the categories before them.
    std::vector<JunkLocationList> locationLists(kCategoryCount);
    std::vector<std::unique_ptr<PooledTask>> gatherings;
    for (int index = 0; index < kCategoryCount; ++index)
        gatherings.push_back(std::make_unique<PooledTask>(executors_.global, [&locationLists, index, pool = executors_.global] {
            JunkLocations::appendLocations(index, locationLists[index], pool);
        }));
    std::optional<OfferedItems> offered;
    std::vector<std::shared_ptr<TCTreeNode>> categories;
    // Each category's items are reached for removal on the pool while the next are scanned.
    std::vector<std::unique_ptr<PooledTask>> recordings;
    progress_.beginStage(0, kCategoryCount);
    for (int index = 0; index < kCategoryCount; ++index) {
        // The list is built even when the category is then skipped by a stop request.
        gatherings[index]->wait();
        const JunkLocationList& locations = locationLists[index];
        if (!offered) {
            readingApplications.wait();
            offered.emplace(std::move(isSkippedName));
        }
        auto category = categoryNode(index);
        uint64_t total = 0;
        if (!beStop.stopRequested())
            total = index < 5 ? scanItems(index, locations, *category, *offered, skipChatContainers)
                              : scanSocialTools(*category, *offered);
        category->size = CommUti::convertVolSpace(total);
        TCTreeNode& scanned = *category;
        recordings.push_back(std::make_unique<PooledTask>(
            executors_.global, [&scanned, pool = executors_.global] { recordChosenItems(scanned, pool); }));
        updateParentStateForNode(*category);
        categories.push_back(std::move(category));
        progress_.advance(1, total);
        if (progressSEL) progressSEL(index);
    }
    recordings.clear();
    return categories;
}

std::shared_ptr<TCTreeNode> FastCleanScanFile::categoryNode(int index) const {
    auto category = TCTreeNode::make(getName()[index], "", 1, TCTreeNode::Image::named(getIcon()[index]));
    category->subTitle = subName()[index];
    return category;
}

uint64_t FastCleanScanFile::scanItems(int index, const JunkLocationList& locations, TCTreeNode& category,
                                      OfferedItems& offered, bool skipChatContainers) {
    OfferedItems::PathTest skipPath;
    if (skipChatContainers) skipPath = isChatContainerPath;
    // Each location is claimed from, in scan order, as soon as it is listed.
    std::vector<OfferedItems::Listing> listings(locations.size());
    std::vector<OfferedItems::Offer> items;
    runInParallelInOrder(
        executors_.global, processorCount(), locations.size(),
        [&](std::size_t, std::size_t i) { listings[i] = offered.list(locations[i].path, locations[i].isEntry); },
        [&](std::size_t i) {
            OfferedItems::Listing& listing = listings[i];
            // A location that is there is kept as the listing reached it; one that is not holds nothing.
            if (const auto& entry = listing.reached)
                category.roots.push_back({listing.item, entry->device, entry->inode, entry->isFolder()});
            for (auto& offer : offered.take(std::move(listing), skipPath)) items.push_back(std::move(offer));
        });

    const std::vector<std::string> userData = JunkLocations::userDataFolders();
    auto startsUnselected = [&userData](const std::string& path) {
        return std::any_of(userData.begin(), userData.end(),
                           [&path](const std::string& folder) { return platform::isInsideOrEqual(path, folder); });
    };
    uint64_t total = 0;
    for (size_t start = 0; start < items.size(); start += kSizingBatch) {
        const size_t end = std::min(items.size(), start + kSizingBatch);
        const std::vector<platform::TreeSizer::Measure> measures = measuresOf(items, start, end);
        // The nodes are made on the pool, a run at a time, and added in scan order.
        std::vector<std::shared_ptr<TCTreeNode>> nodes(end - start);
        const size_t runs = (nodes.size() + kNodesPerRun - 1) / kNodesPerRun;
        runInParallel(executors_.global, processorCount(), runs, [&](std::size_t, std::size_t run) {
            for (size_t i = run * kNodesPerRun; i < std::min(nodes.size(), (run + 1) * kNodesPerRun); ++i) {
                const OfferedItems::Offer& offer = items[start + i];
                int32_t state = index == 1 && startsUnselected(offer.path) ? 0 : initialItemState(index);
                nodes[i] = TCTreeNode::make(offer.entry.name, offer.path, state, TCTreeNode::Image::iconOf(offer.path));
                nodes[i]->size = CommUti::convertVolSpace(measures[i].bytes);
                nodes[i]->readWhole = measures[i].readWhole;
            }
        });
        for (size_t i = 0; i < nodes.size(); ++i) {
            category.children.push_back(nodes[i]->path);
            total += measures[i].bytes;
            reportPath(nodes[i]->path);
            category.addChild(std::move(nodes[i]));
        }
    }
    return total;
}

uint64_t FastCleanScanFile::scanSocialTools(TCTreeNode& category, OfferedItems& offered) {
    // The roots are the locations found, not the category's list of display names and texts.
    uint64_t total = 0;
    for (const auto& [key, texts] : CommUti::socialToolsCachePaths()) {
        if (texts.size() <= 1) continue;
        SocialToolsScan scan(key, offered, executors_.global);
        scan.scanLocations(texts, [this](const std::string& path) { reportPath(path); });
        for (const auto& location : scan.roots()) addRoot(category, location);
        total += scan.totalSize();
        const auto& application = scan.applicationNode();
        if (!application->hasChildren()) continue;
        updateNodeStates(*application);
        updateParentStateForNode(*application);
        category.addChild(application);
    }
    return total;
}

void FastCleanScanFile::recordChosenItems(TCTreeNode& category, const Executor& pool) {
    const CategoryRoots roots(category.roots);
    std::vector<TCTreeNode*> nodes;
    for (std::vector<TCTreeNode*> pending{&category}; !pending.empty();) {
        TCTreeNode* node = pending.back();
        pending.pop_back();
        if (!node->path.empty()) nodes.push_back(node);
        for (auto& child : node->detailChildren) pending.push_back(child.get());
    }
    // In path order a folder's items follow each other, and each run of them is reached once.
    std::sort(nodes.begin(), nodes.end(), [](const TCTreeNode* a, const TCTreeNode* b) { return a->path < b->path; });
    const size_t runs = (nodes.size() + kChosenItemsPerRun - 1) / kChosenItemsPerRun;
    runInParallel(pool, processorCount(), runs, [&](std::size_t, std::size_t run) {
        const size_t begin = run * kChosenItemsPerRun, end = std::min(nodes.size(), begin + kChosenItemsPerRun);
        std::vector<std::string> paths;
        for (size_t i = begin; i < end; ++i) paths.push_back(nodes[i]->path);
        std::vector<std::optional<platform::ChosenItem>> chosen = roots.chosenItems(paths);
        for (size_t i = begin; i < end; ++i) {
            TCTreeNode& node = *nodes[i];
            node.chosen = std::move(chosen[i - begin]);
            if (node.chosen) node.chosen->readWhole = node.readWhole;
        }
    });
}

void FastCleanScanFile::reportPath(const std::string& path) {
    progress_.setCurrentPath(path);
    if (pathSEL) pathSEL(path);
}

void FastCleanScanFile::updateNodeStates(TCTreeNode& node) {
    for (auto& child : node.detailChildren) {
        if (child->hasChildren()) updateNodeStates(*child);
        updateParentStateForNode(*child);
    }
}

void FastCleanScanFile::updateParentStateForNode(TCTreeNode& node) {
    if (!node.hasChildren()) return;
    size_t selected = 0, touched = 0;
    for (const auto& child : node.detailChildren) {
        if (child->selectState == 1) ++selected;
        if (child->selectState == 1 || child->selectState == 2) ++touched;
    }
    // A partly selected child makes its parent partly selected too.
    if (selected == node.detailChildren.size()) node.selectState = 1;
    else if (touched > 0) node.selectState = 2;
    else node.selectState = 0;
}

}  // namespace core::junk

#include "core/junk/SocialToolsScan.h"

#include "core/junk/SafeLocation.h"
#include "core/kit/CommUti.h"
#include "core/kit/ParallelLoop.h"
#include "platform/system/Environment.h"
#include "platform/files/FileWalker.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/files/TreeSizer.h"

#include <map>
#include <set>
#include <utility>

namespace core::junk {
namespace {

using Image = TCTreeNode::Image;

const char* const kWeChatPhotos = "Photo files received via wechat";
const char* const kWeChatVideos = "Video files received via wechat";
const char* const kWeChatAudio = "Audio files received via wechat";

std::string applicationBundle(const std::string& key) {
    static const std::map<std::string, std::string> kBundles{
        {"QQ", "/Applications/QQ.app"},           {"微信", "/Applications/WeChat.app"},
        {"WeChat", "/Applications/WeChat.app"},   {"钉钉", "/Applications/DingTalk.app"},
        {"Telegram", "/Applications/Telegram.app"}, {"WhatsApp", "/Applications/WhatsApp.app"},
        {"Slack", "/Applications/Slack.app"},     {"飞书", "/Applications/Lark.app"}};
    auto found = kBundles.find(key);
    return platform::Environment::current()->resolve(found == kBundles.end() ? "/Applications/QQ.app" : found->second);
}

int32_t applicationState(const std::string& key) {
    if (key == "QQ") return 2;
    if (key == "微信" || key == "WeChat") return 1;
    return 0;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The chat category leaves log folders and the newer chat-file stores alone.
bool isLeftAlone(const std::string& text) {
    return platform::endsWith(text, "Library/Logs") || platform::endsWith(text, "Documents/xwechat_files") ||
           platform::endsWith(text, "Documents/cacheDir");
}

bool isFolderEntry(const std::string& path) {
    auto entry = platform::FolderLister::entryAt(path);
    return entry && entry->isFolder();
}

std::vector<platform::FileEntry> entriesOf(const std::string& folder) {
    return platform::FolderLister::list(folder).value_or(std::vector<platform::FileEntry>{});
}

uint64_t sumOfChildSizeTexts(const TCTreeNode& node) {
    uint64_t sum = 0;
    for (const auto& child : node.detailChildren) sum += CommUti::volSpaceFromString(child->size);
    return sum;
}

}  // namespace

SocialToolsScan::SocialToolsScan(std::string key, OfferedItems& offered, Executor pool)
    : key_(std::move(key)), offered_(offered), pool_(std::move(pool)) {
    makeApplicationNode();
    makeGroups();
}

void SocialToolsScan::makeApplicationNode() {
    application_ = TCTreeNode::make(key_, "", applicationState(key_), Image::iconOf(applicationBundle(key_)));
}

void SocialToolsScan::makeGroups() {
    std::vector<std::pair<const char*, int32_t>> groups;
    if (isQQ())
        groups = {{"Caches", 0}, {"Logs", 1}, {"Video", 0}, {"File", 0},
                  {"Emoji", 0},  {"Ptt", 0},  {"Pic", 0},   {"Avatar", 0}};
    else if (isWeChat())
        groups = {{"Caches", 1}, {kWeChatPhotos, 1}, {kWeChatVideos, 1}, {kWeChatAudio, 1}};
    for (const auto& [title, state] : groups) {
        auto node = TCTreeNode::make(title, "", state, Image::folder());
        node->parentNode = application_.get();
        groups_.push_back(std::move(node));
    }
}

TCTreeNode& SocialToolsScan::group(const std::string& title) {
    for (auto& node : groups_)
        if (node->title == title) return *node;
    return *application_;
}

void SocialToolsScan::scanLocations(const std::vector<std::string>& texts, const PathCallback& reportPath) {
    auto environment = platform::Environment::current();
    for (size_t i = 1; i < texts.size(); ++i) {
        if (isLeftAlone(texts[i])) continue;
        std::string location = environment->resolve(texts[i]);
        if (!SafeLocation::exists(location)) continue;
        roots_.push_back(location);
        routeLocation(texts[i], location);
    }
    applySizes();
    finishGroups();
    if (reportPath)
        for (const auto& location : roots_) reportPath(location);
}

void SocialToolsScan::routeLocation(const std::string& text, const std::string& location) {
    if (isQQ() && contains(location, "Application Support/QQ")) {
        scanQQMediaPaths(location);
    } else if (isWeChat() && (contains(text, "Library/Caches") || contains(text, "profiles"))) {
        std::string title = contains(text, "profiles") ? "profiles" : displayNameForPath(location);
        addSizedNode(group("Caches"), title, location, 1, true);
    } else if (isWeChat() && contains(location, "Application Support/com.tencent.xinWeChat")) {
        scanWeChatMediaPaths(location);
    } else {
        addSizedNode(*application_, displayNameForPath(location), location, 0, true);
    }
}

std::shared_ptr<TCTreeNode> SocialToolsScan::addSizedNode(TCTreeNode& parent, std::string title,
                                                          const std::string& path, int32_t state,
                                                          bool countsToTotal) {
    if (!offered_.claim(path)) return nullptr;
    auto node = TCTreeNode::make(std::move(title), path, state, Image::iconOf(path));
    pending_.push_back({node.get(), countsToTotal});
    parent.addChild(node);
    return node;
}

void SocialToolsScan::scanQQMediaPaths(const std::string& folder) {
    auto entries = SafeLocation::listEntries(folder);
    if (!entries) return;
    for (const auto& entry : *entries) {
        if (entry.name.rfind("nt_qq_", 0) != 0 || !entry.isFolder()) continue;
        std::string owner = platform::joinPath(folder, entry.name);
        std::string cache = owner + "/Cache";
        if (platform::FolderLister::entryAt(cache)) addSizedNode(group("Caches"), entry.name, cache, 0, true);
        std::string data = owner + "/nt_data";
        if (isFolderEntry(data)) scanQQDataFolder(data, entry.name);
    }
}

void SocialToolsScan::scanQQDataFolder(const std::string& dataFolder, const std::string& ownerName) {
    static const std::map<std::string, std::string> kGroupOfEntry{
        {"log", "Logs"}, {"Video", "Video"}, {"File", "File"}, {"Emoji", "Emoji"},
        {"Ptt", "Ptt"},  {"Pic", "Pic"},     {"avatar", "Avatar"}};
    for (const auto& entry : entriesOf(dataFolder)) {
        auto groupName = kGroupOfEntry.find(entry.name);
        if (groupName == kGroupOfEntry.end()) continue;
        std::string path = platform::joinPath(dataFolder, entry.name);
        int32_t state = groupName->second == "Logs" ? 1 : 0;
        auto node = addSizedNode(group(groupName->second), ownerName + "/" + entry.name, path, state, true);
        if (node && entry.isFolder()) scanDirectoryContents(path, *node);
    }
}

// Chat folders hold their media under "MessageTemp"; a folder with "Message" leads only into
// that one; any other folder is looked through. Links are never entered, so the walk ends. The
// chats found are listed together, then added in the order the walk found them.
void SocialToolsScan::scanWeChatMediaPaths(const std::string& folder) {
    if (!SafeLocation::isFolder(folder)) return;
    std::set<std::string> messageOnly;
    std::vector<std::string> chats;
    platform::FileWalker::Callbacks callbacks;
    callbacks.visitEntry = [&](const platform::FileWalker::Visit& visit) {
        using Step = platform::FileWalker::Step;
        if (!visit.entry().isFolder()) return Step::Continue;
        const std::string& path = visit.path();
        if (visit.depth() > 0 && messageOnly.count(platform::parentPath(path)) && visit.entry().name != "Message")
            return Step::Prune;
        if (platform::FolderLister::entryAt(path + "/MessageTemp")) {
            for (const auto& chat : entriesOf(path + "/MessageTemp"))
                if (chat.isFolder()) chats.push_back(path + "/MessageTemp/" + chat.name);
            return Step::Prune;
        }
        if (platform::FolderLister::entryAt(path + "/Message")) messageOnly.insert(path);
        return Step::Continue;
    };
    platform::FileWalker::walk(folder, callbacks);
    std::vector<std::vector<MediaFolder>> listed(chats.size());
    runInParallel(pool_, processorCount(), chats.size(),
                  [&](std::size_t, std::size_t i) { listed[i] = listWeChatChatDirectory(chats[i]); });
    for (auto& chat : listed)
        for (auto& media : chat) addWeChatMediaFolder(std::move(media));
}

std::vector<SocialToolsScan::MediaFolder> SocialToolsScan::listWeChatChatDirectory(const std::string& chatFolder) {
    static const std::map<std::string, const char*> kGroupOfFolder{
        {"Image", kWeChatPhotos}, {"Video", kWeChatVideos}, {"Audio", kWeChatAudio}};
    std::vector<MediaFolder> media;
    for (const auto& entry : entriesOf(chatFolder)) {
        auto groupName = kGroupOfFolder.find(entry.name);
        if (groupName == kGroupOfFolder.end() || !entry.isFolder()) continue;
        std::string path = platform::joinPath(chatFolder, entry.name);
        std::vector<platform::FileEntry> entries = directoryContents(path);
        media.push_back({std::move(path), groupName->second, std::move(entries)});
    }
    return media;
}

void SocialToolsScan::addWeChatMediaFolder(MediaFolder folder) {
    // A folder without entries is dropped before any of its nodes waits for a size.
    if (folder.entries.empty() || offered_.overlaps(folder.path)) return;
    auto node = TCTreeNode::make(platform::lastPathComponent(folder.path), folder.path, 1, Image::iconOf(folder.path));
    addDirectoryContents(folder.path, std::move(folder.entries), *node);
    offered_.claim(folder.path);
    mediaFolders_.push_back(node.get());
    group(folder.group).addChild(std::move(node));
}

void SocialToolsScan::scanDirectoryContents(const std::string& folder, TCTreeNode& node) {
    addDirectoryContents(folder, directoryContents(folder), node);
}

std::vector<platform::FileEntry> SocialToolsScan::directoryContents(const std::string& folder) {
    if (!isFolderEntry(folder)) return {};
    return entriesOf(folder);
}

void SocialToolsScan::addDirectoryContents(const std::string& folder, std::vector<platform::FileEntry> entries,
                                           TCTreeNode& node) {
    for (auto& entry : entries) {
        std::string path = platform::joinPath(folder, entry.name);
        auto child = TCTreeNode::make(entry.name, path, node.selectState, Image::iconOf(path));
        // A file's size is the one its listing read; only folders wait for a walk.
        if (entry.isFolder()) pending_.push_back({child.get(), false});
        else child->size = CommUti::convertVolSpace(entry.size);
        node.addChild(std::move(child));
    }
}

void SocialToolsScan::applySizes() {
    std::vector<std::string> paths;
    paths.reserve(pending_.size());
    for (const auto& pending : pending_) paths.push_back(pending.node->path);
    std::vector<platform::TreeSizer::Measure> measures = platform::TreeSizer::measureAll(paths);
    for (size_t i = 0; i < pending_.size(); ++i) {
        pending_[i].node->size = CommUti::convertVolSpace(measures[i].bytes);
        pending_[i].node->readWhole = measures[i].readWhole;
        if (pending_[i].countsToTotal) total_ += measures[i].bytes;
    }
    // Media folders carry the rounding of their entries' size texts, and so does the total.
    for (TCTreeNode* folder : mediaFolders_) {
        uint64_t sum = sumOfChildSizeTexts(*folder);
        folder->size = CommUti::convertVolSpace(sum);
        total_ += sum;
    }
}

void SocialToolsScan::finishGroups() {
    for (auto& node : groups_) {
        if (!node->hasChildren()) continue;
        node->size = CommUti::convertVolSpace(sumOfChildSizeTexts(*node));
        application_->addChild(node);
    }
    application_->size = CommUti::convertVolSpace(total_);
}

std::string SocialToolsScan::displayNameForPath(const std::string& path) {
    std::string last = platform::lastPathComponent(path);
    std::string parent = platform::parentPath(path);
    if (parent.empty() || parent == "/" || last == "/" || last.empty()) return last;
    return platform::lastPathComponent(parent) + "/" + last;
}

}  // namespace core::junk

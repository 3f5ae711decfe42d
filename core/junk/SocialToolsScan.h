#pragma once

#include "core/junk/OfferedItems.h"
#include "core/junk/TCTreeNode.h"
#include "core/kit/Executors.h"
#include "platform/files/FileEntry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace core::junk {

// The walk of one chat application's locations for the chat category: its application node
// with path nodes and, for QQ and 微信, media groups filled from their data folders. Every
// location and media folder is reached without following links.
class SocialToolsScan {
public:
    using PathCallback = std::function<void(const std::string& path)>;

    // The folders of chats are listed on the calling thread and on helpers posted to pool.
    SocialToolsScan(std::string key, OfferedItems& offered, Executor pool = {});

    // Walks the location texts that follow the display name; reports each location found.
    void scanLocations(const std::vector<std::string>& texts, const PathCallback& reportPath);

    // The application node; attach it only when it has children.
    const std::shared_ptr<TCTreeNode>& applicationNode() const { return application_; }
    uint64_t totalSize() const { return total_; }
    // The locations that exist, for the remover to keep within.
    const std::vector<std::string>& roots() const { return roots_; }

    // The last two components of a path joined by "/", or the last one alone.
    static std::string displayNameForPath(const std::string& path);

private:
    struct Pending {
        TCTreeNode* node;
        bool countsToTotal;
    };
    // A media folder of a 微信 chat as listed, before anything is claimed.
    struct MediaFolder {
        std::string path;
        const char* group;
        std::vector<platform::FileEntry> entries;
    };

    bool isQQ() const { return key_ == "QQ"; }
    bool isWeChat() const { return key_ == "微信" || key_ == "WeChat"; }
    void makeApplicationNode();
    void makeGroups();
    TCTreeNode& group(const std::string& title);
    void routeLocation(const std::string& text, const std::string& location);

    std::shared_ptr<TCTreeNode> addSizedNode(TCTreeNode& parent, std::string title, const std::string& path,
                                             int32_t state, bool countsToTotal);
    void scanQQMediaPaths(const std::string& folder);
    void scanQQDataFolder(const std::string& dataFolder, const std::string& ownerName);
    void scanWeChatMediaPaths(const std::string& folder);
    static std::vector<MediaFolder> listWeChatChatDirectory(const std::string& chatFolder);
    void addWeChatMediaFolder(MediaFolder folder);
    void scanDirectoryContents(const std::string& folder, TCTreeNode& node);
    void addDirectoryContents(const std::string& folder, std::vector<platform::FileEntry> entries, TCTreeNode& node);
    static std::vector<platform::FileEntry> directoryContents(const std::string& folder);

    void applySizes();
    void finishGroups();

    std::string key_;
    OfferedItems& offered_;
    Executor pool_;
    std::shared_ptr<TCTreeNode> application_;
    std::vector<std::shared_ptr<TCTreeNode>> groups_;  // in the order they are attached, when filled
    std::vector<Pending> pending_;                     // nodes waiting for their sizes
    std::vector<TCTreeNode*> mediaFolders_;            // 微信 media folders: sized from their entries
    std::vector<std::string> roots_;
    uint64_t total_ = 0;
};

}  // namespace core::junk

#include "core/junk/FastCleanScanFile.h"

#include "core/junk/SocialToolsScan.h"
#include "core/kit/CommUti.h"
#include "platform/files/PathText.h"
#include "platform/desktop/RunningApplications.h"
#include "support/FakeMountedVolumes.h"
#include "support/MacHomeFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

using core::junk::FastCleanScanFile;
using core::junk::TCTreeNode;
using testsupport::MacHomeFixture;
using Nodes = std::vector<std::shared_ptr<TCTreeNode>>;

namespace {

class FixedApplications : public platform::RunningApplications {
public:
    explicit FixedApplications(std::string identifier) : identifier_(std::move(identifier)) {}
    std::vector<platform::RunningApplication> runningApplications() override {
        platform::RunningApplication application;
        application.bundleIdentifier = identifier_;
        return {application};
    }

private:
    std::string identifier_;
};

// A Mac-like home with no volumes and no running applications but the ones a test names.
class ScanFixture : public MacHomeFixture {
public:
    explicit ScanFixture(const std::string& systemVersion = "10.15", const std::string& runningIdentifier = "")
        : MacHomeFixture([systemVersion](auto& values) { values.systemVersion = systemVersion; }) {
        testsupport::FakeMountedVolumes::install({});
        platform::RunningApplications::setShared(std::make_shared<FixedApplications>(runningIdentifier));
    }
    ~ScanFixture() {
        platform::RunningApplications::setShared(nullptr);
        platform::MountedVolumes::setShared(nullptr);
    }
};

std::vector<std::string> childPaths(const TCTreeNode& node) {
    std::vector<std::string> paths;
    for (const auto& child : node.detailChildren) paths.push_back(child->path);
    return paths;
}

const TCTreeNode* childTitled(const TCTreeNode& node, const std::string& title) {
    for (const auto& child : node.detailChildren)
        if (child->title == title) return child.get();
    return nullptr;
}

// Every node as one line, depth first, for comparing whole trees.
void describe(const TCTreeNode& node, int depth, std::vector<std::string>& lines) {
    lines.push_back(std::to_string(depth) + "|" + node.title + "|" + node.path + "|" + node.size + "|" +
                    std::to_string(node.selectState) + (node.chosen ? "|chosen" : "") + "|" +
                    std::to_string(node.roots.size()));
    for (const auto& child : node.detailChildren) describe(*child, depth + 1, lines);
}

std::vector<std::string> describe(const Nodes& categories) {
    std::vector<std::string> lines;
    for (const auto& category : categories) describe(*category, 0, lines);
    return lines;
}

}  // namespace

TEST(FastCleanScanFile, NothingFoundStillGivesSixEmptyCategoriesReportedInOrder) {
    ScanFixture mac;
    FastCleanScanFile scanner;
    std::vector<int> progress;
    int paths = 0;
    scanner.progressSEL = [&](int index) { progress.push_back(index); };
    scanner.pathSEL = [&](const std::string&) { ++paths; };
    Nodes categories = scanner.beginScan();
    ASSERT_EQ(categories.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(categories[i]->size, "0.00 KB");
        EXPECT_FALSE(categories[i]->hasChildren());
        EXPECT_EQ(categories[i]->title, scanner.getName()[i]);
        EXPECT_EQ(categories[i]->subTitle, scanner.subName()[i]);
        EXPECT_EQ(categories[i]->image.name, scanner.getIcon()[i]);
    }
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(paths, 0);
}

TEST(FastCleanScanFile, ItemsWithTheirSizesStatesAndOnePathReportEach) {
    ScanFixture mac;
    mac.file("/private/var/log/system.log", std::string(2048, 'x'));
    mac.file("~/Library/Caches/com.example.app/blob", std::string(1024, 'x'));
    mac.file("~/Library/Caches/com.example.app/more/blob", std::string(1024, 'x'));
    mac.file("~/Library/Application Support/MobileSync/Backup/device/Manifest.db", "backup");
    mac.file("~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/attachment.pdf", "pdf");
    mac.file("~/.Trash/old.txt", "old");
    mac.file("~/Library/Developer/Xcode/DerivedData/App-abc/Build/x.o", "object");
    FastCleanScanFile scanner;
    std::vector<std::string> reported;
    scanner.pathSEL = [&](const std::string& path) { reported.push_back(path); };
    Nodes categories = scanner.beginScan();

    const TCTreeNode& system = *categories[0];
    ASSERT_EQ(childPaths(system), (std::vector<std::string>{mac.path("/private/var/log/system.log")}));
    EXPECT_EQ(system.children, childPaths(system));
    EXPECT_EQ(system.size, "2.00 KB");
    const TCTreeNode& item = *system.detailChildren.front();
    EXPECT_EQ(item.title, "system.log");
    EXPECT_EQ(item.selectState, 1);
    EXPECT_EQ(item.parentNode, &system);
    EXPECT_EQ(item.image.kind, TCTreeNode::Image::Kind::PathIcon);

    const TCTreeNode& applications = *categories[1];
    EXPECT_EQ(childPaths(applications),
              (std::vector<std::string>{mac.path("~/Library/Caches/com.example.app/blob"),
                                        mac.path("~/Library/Caches/com.example.app/more"),
                                        mac.path("~/Library/Application Support/MobileSync/Backup/device/Manifest.db")}));
    EXPECT_EQ(applications.detailChildren[1]->size, "1.00 KB");
    EXPECT_EQ(applications.detailChildren[0]->selectState, 1);
    // Device backups are the user's data: listed, but not selected.
    EXPECT_EQ(applications.detailChildren[2]->selectState, 0);
    EXPECT_EQ(applications.selectState, 2);

    EXPECT_EQ(categories[2]->detailChildren.at(0)->selectState, 1);
    EXPECT_EQ(categories[3]->detailChildren.at(0)->selectState, 0);
    EXPECT_EQ(categories[4]->detailChildren.at(0)->selectState, 0);
    EXPECT_EQ(categories[4]->detailChildren.at(0)->path, mac.path("~/Library/Developer/Xcode/DerivedData/App-abc"));

    size_t items = 0;
    for (const auto& category : categories) items += category->detailChildren.size();
    EXPECT_EQ(reported.size(), items);
    EXPECT_EQ(scanner.currentPath(), reported.back());
    const core::ProgressSnapshot progress = scanner.progress();
    EXPECT_EQ(progress.done, 6u);
    EXPECT_EQ(progress.stagePercent(), 100u);
    EXPECT_EQ(progress.bytesDone, 2048u + 2048u + 6u + 3u + 3u + 6u);
    EXPECT_EQ(progress.currentPath, reported.back());
}

TEST(FastCleanScanFile, AStopDuringACategoryFinishesItAndLeavesTheRestEmpty) {
    ScanFixture mac;
    mac.file("~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/a.pdf", "a");
    mac.file("~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/b.pdf", "b");
    mac.file("~/.Trash/old.txt", "old");
    mac.file("~/Library/Developer/Xcode/Archives/x/y", "y");
    mac.file("~/Library/Containers/com.tencent.qq/Data/Library/Caches/com.tencent.qq/c", "c");
    FastCleanScanFile scanner;
    std::vector<int> progress;
    scanner.progressSEL = [&](int index) { progress.push_back(index); };
    scanner.pathSEL = [&](const std::string& path) {
        if (path.find("Mail Downloads") != std::string::npos) scanner.beStop.requestStop();
    };
    Nodes categories = scanner.beginScan();
    EXPECT_EQ(categories[2]->detailChildren.size(), 2u);
    for (int i : {3, 4, 5}) {
        EXPECT_EQ(categories[i]->size, "0.00 KB");
        EXPECT_FALSE(categories[i]->hasChildren());
    }
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // A stop stays until the next scan is asked for.
    scanner.pathSEL = nullptr;
    EXPECT_FALSE(scanner.beginScan()[0]->hasChildren());
    scanner.beStop.reset();
    EXPECT_EQ(scanner.beginScan()[3]->detailChildren.size(), 1u);
}

TEST(FastCleanScanFile, ChatApplicationsWithTheirGroupsAndStates) {
    ScanFixture mac;
    const std::string qq = "~/Library/Containers/com.tencent.qq/Data/";
    mac.file(qq + "Library/Caches/com.tencent.qq/cache.db", std::string(1024, 'c'));
    mac.file(qq + "Library/Application Support/QQ/nt_qq_1/Cache/blob", std::string(2048, 'b'));
    mac.file(qq + "Library/Application Support/QQ/nt_qq_1/nt_data/log/a.log", std::string(1024, 'l'));
    mac.file(qq + "Library/Application Support/QQ/nt_qq_1/nt_data/Pic/p.jpg", std::string(512, 'p'));
    mac.file(qq + "Library/Application Support/QQ/nt_qq_1/nt_data/Other/x", "x");
    mac.file(qq + "Library/Application Support/QQ/other/Cache/blob", "not a QQ account");
    const std::string wechat = "~/Library/Containers/com.tencent.xinWeChat/Data/";
    mac.file(wechat + "Library/Caches/c1", std::string(1024, 'c'));
    mac.file(wechat + "Library/Logs/wechat.log", "left alone");
    const std::string chats = wechat + "Library/Application Support/com.tencent.xinWeChat/2.0/hash/Message/MessageTemp/";
    mac.file(chats + "chat1/Image/a.jpg", std::string(1024, 'i'));
    mac.file(chats + "chat1/Audio/b.amr", std::string(1024, 'a'));
    mac.folder(chats + "chat1/Video");
    mac.file(chats + "chat1/File/doc.txt", "ignored");
    // A link loop under the WeChat folder ends.
    mac.link(wechat + "Library/Application Support/com.tencent.xinWeChat/loop",
             mac.path(wechat + "Library/Application Support/com.tencent.xinWeChat"));
    mac.folder("~/Library/Application Support/Telegram Desktop");

    FastCleanScanFile scanner;
    std::vector<std::string> reported;
    scanner.pathSEL = [&](const std::string& path) { reported.push_back(path); };
    Nodes categories = scanner.beginScan();
    const TCTreeNode& chat = *categories[5];
    ASSERT_EQ(chat.detailChildren.size(), 3u);
    EXPECT_TRUE(chat.children.empty());

    const TCTreeNode& qqNode = *chat.detailChildren[0];
    EXPECT_EQ(qqNode.title, "QQ");
    EXPECT_EQ(qqNode.selectState, 2);
    EXPECT_EQ(qqNode.image.name, mac.path("/Applications/QQ.app"));
    std::vector<std::string> qqChildren;
    for (const auto& child : qqNode.detailChildren) qqChildren.push_back(child->title);
    EXPECT_EQ(qqChildren, (std::vector<std::string>{"Caches/com.tencent.qq", "Caches", "Logs", "Pic"}));
    EXPECT_EQ(qqNode.detailChildren[0]->selectState, 0);
    const TCTreeNode* logs = childTitled(qqNode, "Logs");
    EXPECT_EQ(logs->selectState, 1);
    EXPECT_EQ(logs->image.kind, TCTreeNode::Image::Kind::FolderIcon);
    ASSERT_EQ(logs->detailChildren.size(), 1u);
    EXPECT_EQ(logs->detailChildren[0]->title, "nt_qq_1/log");
    EXPECT_EQ(logs->detailChildren[0]->detailChildren.at(0)->selectState, 1);
    EXPECT_EQ(childTitled(qqNode, "Caches")->detailChildren.at(0)->title, "nt_qq_1");
    EXPECT_EQ(childTitled(qqNode, "Caches")->selectState, 0);
    EXPECT_EQ(childTitled(qqNode, "Pic")->size, "0.50 KB");
    // Cache 1 KB + QQ cache 2 KB + log 1 KB + picture 0.5 KB.
    EXPECT_EQ(qqNode.size, "4.50 KB");

    const TCTreeNode& weChat = *chat.detailChildren[1];
    EXPECT_EQ(weChat.title, "微信");
    EXPECT_EQ(weChat.selectState, 1);
    std::vector<std::string> groups;
    for (const auto& child : weChat.detailChildren) groups.push_back(child->title);
    EXPECT_EQ(groups, (std::vector<std::string>{"Caches", "Photo files received via wechat",
                                                "Audio files received via wechat"}));
    for (const auto& group : weChat.detailChildren) EXPECT_EQ(group->selectState, 1);
    EXPECT_EQ(weChat.detailChildren[0]->detailChildren.at(0)->title, "Library/Caches");
    EXPECT_EQ(weChat.detailChildren[1]->detailChildren.at(0)->title, "Image");
    EXPECT_EQ(weChat.detailChildren[1]->size, "1.00 KB");
    EXPECT_EQ(weChat.size, "3.00 KB");

    const TCTreeNode& telegram = *chat.detailChildren[2];
    EXPECT_EQ(telegram.title, "Telegram");
    EXPECT_EQ(telegram.selectState, 0);
    EXPECT_EQ(chat.size, "7.50 KB");
    EXPECT_EQ(std::count(reported.begin(), reported.end(), mac.path(wechat + "Library/Logs")), 0);
}

TEST(FastCleanScanFile, ChatFoldersBelongToTheChatCategoryFrom10_10On) {
    for (const std::string version : {"10.9", "10.15"}) {
        ScanFixture mac(version);
        mac.file("~/Library/Caches/com.alibaba.DingTalkMac/cache.db", "d");
        mac.file("~/Library/Caches/com.other/cache.db", "o");
        Nodes categories = FastCleanScanFile().beginScan();
        bool inApplications = false;
        for (const auto& path : categories[1]->children)
            inApplications = inApplications || path.find("DingTalkMac") != std::string::npos;
        EXPECT_EQ(inApplications, version == "10.9") << version;
        // Each folder is offered once: by the first category that reaches it.
        EXPECT_EQ(categories[5]->hasChildren(), version != "10.9") << version;
    }
}

TEST(FastCleanScanFile, RunningApplicationsCachesAndLinkedFoldersAreLeftAlone) {
    ScanFixture mac("10.15", "com.running.app");
    mac.file("~/Library/Caches/com.running.app/cache.db", "r");
    mac.file("~/Library/Caches/com.idle.app/cache.db", "i");
    std::string big = mac.environment().folder().writeFile("elsewhere/big", std::string(1 << 20, 'b'));
    mac.link("~/Library/Caches/com.linked.app", platform::parentPath(big));
    mac.link("~/Library/Caches/com.idle.app/linked", platform::parentPath(big));
    Nodes categories = FastCleanScanFile().beginScan();
    const TCTreeNode& applications = *categories[1];
    EXPECT_EQ(applications.children, (std::vector<std::string>{mac.path("~/Library/Caches/com.idle.app/cache.db"),
                                                               mac.path("~/Library/Caches/com.idle.app/linked"),
                                                               mac.path("~/Library/Caches/com.linked.app")}));
    // The links count their own size, never what they point at.
    EXPECT_LT(core::CommUti::volSpaceFromString(applications.size), 4096u);
}

TEST(FastCleanScanFile, ResultsDoNotDependOnThePool) {
    // Enough items and chats for the pool to share every step between its threads.
    ScanFixture mac;
    for (int i = 0; i < 300; ++i)
        mac.file("~/Library/Caches/com.app" + std::to_string(i % 170) + "/f" + std::to_string(i), std::string(i * 10, 'x'));
    const std::string chats = "~/Library/Containers/com.tencent.xinWeChat/Data/Library/Application Support/"
                              "com.tencent.xinWeChat/2.0/h/Message/MessageTemp/chat";
    for (int i = 0; i < 40; ++i)
        mac.file(chats + std::to_string(i) + (i % 2 ? "/Image/p" : "/Audio/a"), std::string(i + 1, 'm'));
    core::Executors threads = core::Executors::inlineExecutors();
    threads.global = [](core::Task task) { std::thread(std::move(task)).detach(); };
    auto inline_ = describe(FastCleanScanFile().beginScan());
    auto pooled = describe(FastCleanScanFile(threads).beginScan());
    EXPECT_EQ(pooled, inline_);
    EXPECT_GT(inline_.size(), 250u);
}

TEST(FastCleanScanFile, DisplayNamesAndStateRules) {
    using core::junk::SocialToolsScan;
    EXPECT_EQ(SocialToolsScan::displayNameForPath("/a/b/c"), "b/c");
    EXPECT_EQ(SocialToolsScan::displayNameForPath("/c"), "c");

    auto parent = TCTreeNode::make("p", "", 1, {});
    for (int state : {0, 2}) parent->addChild(TCTreeNode::make("c", "", state, {}));
    FastCleanScanFile::updateParentStateForNode(*parent);
    EXPECT_EQ(parent->selectState, 2);  // a partly selected child makes the parent partly selected
    for (auto& child : parent->detailChildren) child->selectState = 0;
    FastCleanScanFile::updateParentStateForNode(*parent);
    EXPECT_EQ(parent->selectState, 0);
    for (auto& child : parent->detailChildren) child->selectState = 1;
    FastCleanScanFile::updateParentStateForNode(*parent);
    EXPECT_EQ(parent->selectState, 1);
}

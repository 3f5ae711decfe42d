#include "core/junk/JunkRemoval.h"

#include "core/junk/CategoryRoots.h"
#include "core/junk/FastCleanFileNode.h"
#include "core/junk/FastCleanScanFile.h"
#include "core/kit/EuAuthorization.h"
#include "platform/files/ChosenItem.h"
#include "platform/files/ItemRemoval.h"
#include "platform/files/PathText.h"
#include "support/FakePrivilegedSession.h"
#include "support/JunkHomeFixture.h"
#include "support/MacHomeFixture.h"
#include "support/Unprivileged.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TreeDigest.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <set>

using core::junk::JunkRemoval;
using core::junk::ReachedRoot;
using core::junk::TCTreeNode;
using Outcome = JunkRemoval::Outcome;

namespace {

using testsupport::exists;

// A node as the scan lists it, its item taken through its category's places.
std::shared_ptr<TCTreeNode> node(TCTreeNode& parent, const std::string& title, const std::string& size, int32_t state,
                                 const std::string& path = "") {
    auto child = TCTreeNode::make(title, path, state, TCTreeNode::Image::folder());
    child->size = size;
    parent.addChild(child);
    if (!parent.parentNode && !path.empty()) parent.children.push_back(path);
    TCTreeNode* category = &parent;
    while (category->parentNode) category = category->parentNode;
    if (!path.empty()) child->chosen = core::junk::CategoryRoots(category->roots).chosenItem(path);
    return child;
}

// Six categories over real files in a temporary folder: each category looked at its own folder.
class JunkRemovalTest : public ::testing::Test {
protected:
    testsupport::TempFolder folder;
    JunkRemoval::Categories categories;

    void SetUp() override {
        for (const char* name : {"logs", "caches", "mail", "trash", "xcode", "chats"}) {
            auto category = TCTreeNode::make(name, "", 1, TCTreeNode::Image::named("icon"));
            category->roots.push_back(*ReachedRoot::reach(folder.makeFolder(name)));
            categories.push_back(category);
        }
    }
    std::string item(int index, const std::string& name, const std::string& size, int32_t state,
                     const std::string& content = "x") {
        const std::string path = folder.writeFile(categories[index]->title + "/" + name, content);
        node(*categories[index], name, size, state, path);
        return path;
    }
    std::vector<std::string> run(JunkRemoval& removal, std::set<std::string> failing = {}) {
        std::vector<std::string> asked;
        removal.run([&](const platform::ChosenItem& item) {
            asked.push_back(item.path);
            if (failing.count(item.path)) return platform::ItemRemoval::Outcome::Failed;
            return platform::ItemRemoval::remove(item).outcome;
        });
        return asked;
    }
};

}  // namespace

TEST_F(JunkRemovalTest, AnUnselectedTrashIsNeverHandedToTheRemover) {
    const std::string log = item(0, "a.log", "1.00 KB", 1);
    const std::string trashed = item(3, "old.txt", "2.00 KB", 0);
    JunkRemoval removal(categories);
    EXPECT_EQ(run(removal), std::vector<std::string>{log});
    EXPECT_TRUE(exists(trashed));
}

TEST_F(JunkRemovalTest, FreedIsTheSumOfTheRemovedItemsTextsAndAFailureStaysWithItsSize) {
    item(0, "a.log", "1.50 KB", 1);
    const std::string stuck = item(0, "b.log", "2.25 KB", 1);
    item(0, "kept.log", "4.00 KB", 0);
    item(1, "cache", "1.00 MB", 1);
    JunkRemoval removal(categories);
    run(removal, {stuck});
    removal.apply();
    EXPECT_EQ(removal.cleanTotalSize(), 1536 + 1024 * 1024);
    // What is left: the failure and the unselected item, each with its text.
    ASSERT_EQ(categories[0]->detailChildren.size(), 2u);
    EXPECT_EQ(categories[0]->detailChildren[0]->path, stuck);
    EXPECT_EQ(categories[0]->size, "6.25 KB");
    EXPECT_EQ(categories[0]->children.size(), 2u);
    EXPECT_EQ(categories[1]->size, "0.00 KB");
    EXPECT_TRUE(categories[1]->children.empty());
    EXPECT_TRUE(exists(stuck));
}

TEST_F(JunkRemovalTest, AnItemAlreadyGoneAsksNobodyAndCountsNothing) {
    const std::string vanished = item(0, "a.log", "1.00 KB", 1);
    JunkRemoval removal(categories);
    unlink(vanished.c_str());
    run(removal);
    EXPECT_EQ(removal.items()[0].outcome, Outcome::Gone);
    removal.apply();
    EXPECT_EQ(removal.cleanTotalSize(), 0);
    EXPECT_FALSE(categories[0]->hasChildren());
}

TEST_F(JunkRemovalTest, OnlyItemsInsideTheirCategorysLocationsAreRemoved) {
    testsupport::LogCapture log;
    const std::string outside = folder.writeFile("elsewhere/precious", "keep");
    // Planted in a category, through another category's folder, through a link, or with "..".
    node(*categories[0], "precious", "1.00 KB", 1, outside);
    const std::string otherCategory = item(1, "cache", "1.00 KB", 0);
    node(*categories[0], "cache", "1.00 KB", 1, otherCategory);
    ASSERT_EQ(symlink(folder.path().c_str(), (folder / "logs/up").c_str()), 0);
    node(*categories[0], "through a link", "1.00 KB", 1, folder / "logs/up/elsewhere/precious");
    node(*categories[0], "dots", "1.00 KB", 1, folder / "logs/../elsewhere/precious");
    JunkRemoval removal(categories);
    EXPECT_TRUE(run(removal).empty());
    for (const auto& planned : removal.items()) EXPECT_EQ(planned.outcome, Outcome::Refused) << planned.path;
    EXPECT_TRUE(exists(outside));
    EXPECT_TRUE(exists(otherCategory));
    EXPECT_TRUE(log.contains("outside the places its category looked at"));
}

TEST_F(JunkRemovalTest, ALinkIsRemovedAsALinkAndALocationTakenWholeMayGoItself) {
    const std::string target = folder.writeFile("elsewhere/target", "keep");
    const std::string link = folder / "logs/link";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    node(*categories[0], "link", "0.00 KB", 1, link);
    const std::string single = folder.writeFile("adobegc.log", "log");
    categories[0]->roots.push_back(*ReachedRoot::reach(single));
    node(*categories[0], "adobegc.log", "1.00 KB", 1, single);
    JunkRemoval removal(categories);
    EXPECT_EQ(run(removal), (std::vector<std::string>{link, single}));
    EXPECT_FALSE(exists(link));
    EXPECT_TRUE(exists(target));
    EXPECT_EQ(removal.cleanTotalSize(), 1024);
}

TEST_F(JunkRemovalTest, ChatLeavesLeaveTheirTreeAndTheSizesAboveFollow) {
    TCTreeNode& chats = *categories[5];
    auto qq = node(chats, "QQ", "7.00 KB", 2);
    auto logs = node(*qq, "Logs", "3.00 KB", 1);
    auto logFolder = node(*logs, "nt_qq_1/log", "3.00 KB", 1, folder.makeFolder("chats/log"));
    node(*logFolder, "a.log", "1.00 KB", 1, folder.writeFile("chats/log/a.log", "a"));
    node(*logFolder, "b.log", "2.00 KB", 1, folder.writeFile("chats/log/b.log", "b"));
    auto caches = node(*qq, "Caches", "4.00 KB", 0);
    node(*caches, "nt_qq_1", "4.00 KB", 0, folder.makeFolder("chats/Cache"));
    auto weChat = node(chats, "微信", "6.00 KB", 1);
    auto weChatCaches = node(*weChat, "Caches", "6.00 KB", 1);
    const std::string stuck = folder.writeFile("chats/wechat-cache", "c");
    node(*weChatCaches, "Caches", "2.00 KB", 1, stuck);
    node(*weChatCaches, "profiles", "4.00 KB", 1, folder.writeFile("chats/profiles", "p"));
    chats.size = "13.00 KB";

    JunkRemoval removal(categories);
    // Groups, applications and the log folder are never handed over: only selected leaves.
    EXPECT_EQ(run(removal, {stuck}).size(), 4u);
    removal.apply();
    EXPECT_EQ(removal.cleanTotalSize(), 7 * 1024);
    // QQ's emptied log folder and Logs group went; its unselected cache is left.
    ASSERT_EQ(qq->detailChildren.size(), 1u);
    EXPECT_EQ(qq->detailChildren[0]->title, "Caches");
    EXPECT_EQ(qq->size, "4.00 KB");
    EXPECT_EQ(qq->selectState, 0);
    // 微信 keeps its failed entry, still selected.
    EXPECT_EQ(weChatCaches->detailChildren.size(), 1u);
    EXPECT_EQ(weChat->size, "2.00 KB");
    EXPECT_EQ(weChat->selectState, 1);
    EXPECT_EQ(chats.size, "6.00 KB");
    EXPECT_EQ(chats.selectState, 2);
    EXPECT_TRUE(exists(folder / "chats/log"));
}

TEST_F(JunkRemovalTest, EverythingRemovedShowsNothingLeft) {
    item(2, "attachment.pdf", "12.00 KB", 1);
    JunkRemoval removal(categories);
    run(removal);
    removal.apply();
    EXPECT_EQ(categories[2]->size, "0.00 KB");
    for (const auto& category : categories) EXPECT_EQ(category->size, "0.00 KB");
}

TEST(FastCleanFileNode, RemovesWithTheUsersRightsFirst) {
    auto session = std::make_shared<testsupport::FakePrivilegedSession>();
    core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
    testsupport::TempFolder folder;
    const std::string tree = folder.makeFolder("tree");
    folder.writeFile("tree/inner/file", "x");
    EXPECT_EQ(core::junk::FastCleanFileNode::shareInstall().removeFile(*platform::ChosenItem::take(tree)),
              platform::ItemRemoval::Outcome::Removed);
    EXPECT_FALSE(exists(tree));
    EXPECT_EQ(session->prompts, 0);
    core::EuAuthorization::setShared(nullptr);
}

// Between the scan and the clean, "~/Library/Caches" (or a folder below a scanned place) is
// replaced by a link to a look-alike folder, or by another folder: nothing in it is removed,
// by the user or by the administrator, and everything else is.
TEST(JunkCleanAfterASwap, APlaceChangedSinceTheScanRefusesItsItems) {
    enum class Swap { CachesForALink, CachesForAFolder, ABrowserCacheForALink };
    for (Swap swap : {Swap::CachesForALink, Swap::CachesForAFolder, Swap::ABrowserCacheForALink}) {
        testsupport::JunkHomeFixture mac;
        auto session = std::make_shared<testsupport::FakePrivilegedSession>();
        core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
        JunkRemoval::Categories categories = core::junk::FastCleanScanFile().beginScan();

        const std::string lookAlike = mac.environment().folder() / "look-alike";
        for (const char* name : {"com.example.browser/data", "com.example.editor/cache.db"})
            mac.environment().folder().writeFile(std::string("look-alike/") + name, "precious");
        for (int index = 0; index < 128; ++index)
            mac.environment().folder().writeFile("look-alike/entry" + std::to_string(index), "precious");
        const std::string before = testsupport::treeDigest(lookAlike);
        const std::string caches = mac.path(swap == Swap::ABrowserCacheForALink ? "~/Library/Caches/com.example.browser"
                                                                                 : "~/Library/Caches");
        ASSERT_EQ(rename(caches.c_str(), (caches + "-moved").c_str()), 0);
        if (swap == Swap::CachesForAFolder)
            ASSERT_EQ(rename(lookAlike.c_str(), caches.c_str()), 0);
        else
            ASSERT_EQ(symlink(lookAlike.c_str(), caches.c_str()), 0);

        testsupport::LogCapture log;
        JunkRemoval removal(categories);
        removal.run();
        std::string after = testsupport::treeDigest(swap == Swap::CachesForAFolder ? caches : lookAlike);
        EXPECT_EQ(after, before) << static_cast<int>(swap);
        EXPECT_EQ(session->prompts, 0);
        EXPECT_TRUE(log.contains("has changed since"));
        for (const auto& planned : removal.items()) {
            const bool inCaches = planned.path.find("/Library/Caches/com.example.browser") != std::string::npos ||
                                  (swap != Swap::ABrowserCacheForALink && planned.path.find("/Library/Caches/") != std::string::npos);
            EXPECT_EQ(planned.outcome, inCaches ? Outcome::Refused : Outcome::Removed) << planned.path;
        }
        for (const auto& kept : mac.outside()) EXPECT_TRUE(exists(kept)) << kept;
        core::EuAuthorization::setShared(nullptr);
    }
}

// The user's own folder of mode 000 reads "0.00 KB" and a folder of root's in the home reads
// nothing either: neither was seen whole, so neither is removed, with the user's rights (after
// opening its permissions) or with the administrator's.
TEST(JunkCleanOfUnreadable, AFolderThatCouldNotBeReadWholeIsLeftOut) {
    testsupport::MacHomeFixture mac;
    const std::string closed = mac.file("~/Library/Caches/com.example.closed/secret", "unseen");
    const std::string rootOwned = mac.file("~/Library/Caches/com.example.root/secret", "unseen");
    const std::string open = mac.file("~/Library/Caches/com.example.open/cache", "seen");
    const std::string root = mac.environment().folder().path();
    ASSERT_EQ(std::system(("chown -R 65534:65534 '" + root + "'").c_str()), 0);
    ASSERT_EQ(chown(mac.path("~/Library/Caches/com.example.root").c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(mac.path("~/Library/Caches/com.example.root").c_str(), 0700), 0);
    ASSERT_EQ(chmod(mac.path("~/Library/Caches/com.example.closed").c_str(), 0), 0);
    const std::string answer = testsupport::runAsNobody([&] {
        auto session = std::make_shared<testsupport::FakePrivilegedSession>();
        core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
        testsupport::LogCapture log;
        JunkRemoval::Categories categories = core::junk::FastCleanScanFile().beginScan();
        for (auto& category : categories)
            for (auto& item : category->detailChildren) item->selectState = 1;
        JunkRemoval removal(categories);
        removal.run();
        std::string text = "prompts " + std::to_string(session->prompts);
        for (const auto& planned : removal.items()) {
            if (planned.outcome == Outcome::Refused) text += " refused " + platform::lastPathComponent(planned.path);
            if (planned.outcome == Outcome::Removed) text += " removed " + platform::lastPathComponent(planned.path);
        }
        return text + (log.contains("could not be read when it was measured") ? " (logged)" : "");
    });
    chmod(mac.path("~/Library/Caches/com.example.closed").c_str(), 0700);
    EXPECT_EQ(answer, "prompts 0 removed cache refused com.example.closed refused com.example.root (logged)");
    EXPECT_EQ(testsupport::readWholeFile(closed), "unseen");
    EXPECT_EQ(testsupport::readWholeFile(rootOwned), "unseen");
    EXPECT_FALSE(exists(open));
}

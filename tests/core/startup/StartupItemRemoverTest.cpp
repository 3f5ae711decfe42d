#include "core/startup/StartupItemRemover.h"

#include "core/kit/EuAuthorization.h"
#include "core/startup/StartupItemsScanner.h"
#include "support/FakeLoginItemList.h"
#include "support/FakePrivilegedSession.h"
#include "support/LogCapture.h"
#include "support/MacHomeFixture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

using core::EuAuthorization;
using core::startup::ASLoginStartItem;
using core::startup::StartupItemRemover;
using core::startup::StartupItemSource;
using core::startup::StartupItemsScanner;
using platform::PrivilegedSession;
using testsupport::FakeLoginItemList;
using testsupport::FakePrivilegedSession;
using testsupport::MacHomeFixture;

namespace {

using testsupport::exists;

// Every record the scanner lists under the fixture: agents, then daemons and helper tools.
std::vector<ASLoginStartItem> listed() {
    StartupItemsScanner scanner;
    scanner.scanLaunchAgents();
    scanner.scanLaunchDaemons();
    std::vector<ASLoginStartItem> all = scanner.launchAgentsList;
    all.insert(all.end(), scanner.launchDaemonsList.begin(), scanner.launchDaemonsList.end());
    return all;
}

ASLoginStartItem listedAt(const std::string& path) {
    for (const ASLoginStartItem& item : listed())
        if (item.path == path) return item;
    ADD_FAILURE() << "not listed: " << path;
    return {};
}

ASLoginStartItem loginItem(const std::string& path) {
    ASLoginStartItem item;
    item.path = path;
    item.source = StartupItemSource::LoginItem;
    return item;
}

// Claims each removal and takes nothing out, as a list whose entries cannot all be removed.
class StubbornLoginItemList : public FakeLoginItemList {
public:
    using FakeLoginItemList::FakeLoginItemList;
    int removeLoginItems(const std::string&) override { return 1; }
};

class StartupItemRemoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        session = std::make_shared<FakePrivilegedSession>();
        EuAuthorization::setShared(std::make_shared<EuAuthorization>(session));
    }
    void TearDown() override { EuAuthorization::setShared(nullptr); }

    MacHomeFixture mac;
    std::shared_ptr<FakePrivilegedSession> session;
};

}  // namespace

TEST_F(StartupItemRemoverTest, TheSourceDecidesNeverThePathsText) {
    const std::string plistLike = mac.file("~/x.plist");
    const std::string helperLike = mac.file("/Library/PrivilegedHelperTools/tool");
    const std::string agent = mac.file("~/Library/LaunchAgents/com.example.agent.plist");
    const std::string daemon = mac.file("/Library/LaunchDaemons/com.example.daemon.plist");
    // A helper tool of any name goes, and one that is a link goes as a link.
    const std::string target = mac.file("/elsewhere/target");
    const std::string linkedHelper = mac.link("/Library/PrivilegedHelperTools/linked", target);
    FakeLoginItemList loginItems({{plistLike, ""}, {helperLike, ""}, {"/usr/bin/sync", ""}});

    struct Case {
        ASLoginStartItem item;
        std::string file;
        bool fileStays;
    };
    const Case cases[] = {
        {loginItem(plistLike), plistLike, true},
        {loginItem(helperLike), helperLike, true},
        {listedAt(agent), agent, false},
        {listedAt(daemon), daemon, false},
        {listedAt(linkedHelper), linkedHelper, false},
        {listedAt(helperLike), helperLike, false},
    };
    for (const Case& entry : cases) {
        EXPECT_TRUE(StartupItemRemover::removeItem(entry.item, loginItems)) << entry.item.path;
        EXPECT_EQ(exists(entry.file), entry.fileStays) << entry.item.path;
    }
    EXPECT_EQ(loginItems.loginItems(), (std::vector<platform::LoginItem>{{"/usr/bin/sync", ""}}));
    EXPECT_TRUE(exists(target));
    EXPECT_EQ(session->prompts, 0) << "nothing here needed administrator rights";
}

TEST_F(StartupItemRemoverTest, ALoginItemIsRemovedOnlyWhenEveryEntryWentOut) {
    testsupport::LogCapture log;
    FakeLoginItemList twice({{"/usr/bin/a", ""}, {"/usr/bin/b", ""}, {"/usr/bin/a", "A"}});
    EXPECT_TRUE(StartupItemRemover::removeItem(loginItem("/usr/bin/a"), twice));
    EXPECT_EQ(twice.loginItems(), (std::vector<platform::LoginItem>{{"/usr/bin/b", ""}}));
    EXPECT_FALSE(StartupItemRemover::removeItem(loginItem("/usr/bin/a"), twice)) << "none matched";

    StubbornLoginItemList stubborn(std::vector<platform::LoginItem>{{"/usr/bin/a", ""}});
    EXPECT_FALSE(StartupItemRemover::removeItem(loginItem("/usr/bin/a"), stubborn));
    FakeLoginItemList refusing(std::vector<platform::LoginItem>{{"/usr/bin/a", ""}});
    refusing.refusedPaths = {"/usr/bin/a"};
    EXPECT_FALSE(StartupItemRemover::removeItem(loginItem("/usr/bin/a"), refusing));
    EXPECT_TRUE(log.contains("could not be taken out"));
}

TEST_F(StartupItemRemoverTest, WhatChangedSinceListingIsRefusedOrCountedGone) {
    testsupport::LogCapture log;
    FakeLoginItemList loginItems;
    const std::string swapped = mac.file("~/Library/LaunchAgents/com.swapped.plist");
    const std::string becameFolder = mac.file("/Library/LaunchDaemons/com.folder.plist");
    const std::string vanished = mac.file("/Library/LaunchDaemons/com.vanished.plist");
    const ASLoginStartItem swappedItem = listedAt(swapped);
    const ASLoginStartItem folderItem = listedAt(becameFolder);
    const ASLoginStartItem vanishedItem = listedAt(vanished);

    // The agents' folder is swapped for a link to a look-alike holding a file of the same name.
    const std::string lookAlike = mac.file("/elsewhere/agents/com.swapped.plist", "keep");
    ASSERT_EQ(std::rename(mac.path("~/Library/LaunchAgents").c_str(), mac.path("~/Library/Moved").c_str()), 0);
    mac.link("~/Library/LaunchAgents", mac.path("/elsewhere/agents"));
    ASSERT_EQ(unlink(becameFolder.c_str()), 0);
    mac.folder("/Library/LaunchDaemons/com.folder.plist/inside");
    ASSERT_EQ(unlink(vanished.c_str()), 0);

    EXPECT_FALSE(StartupItemRemover::removeItem(swappedItem, loginItems));
    EXPECT_FALSE(StartupItemRemover::removeItem(folderItem, loginItems));
    EXPECT_TRUE(StartupItemRemover::removeItem(vanishedItem, loginItems));
    EXPECT_TRUE(exists(lookAlike));
    EXPECT_TRUE(exists(becameFolder + "/inside"));
    EXPECT_TRUE(log.contains("(" + mac.path("~/Library/LaunchAgents") + ") has changed since"));
    EXPECT_TRUE(log.contains("it is no longer the item that was chosen"));
    EXPECT_EQ(session->prompts, 0);
}

// The user cannot unlink a daemon's property list in a folder of the administrator's: the
// privileged remover takes over, and a refused password leaves the file where it is.
TEST_F(StartupItemRemoverTest, ProtectedPropertyListsGoThroughThePrivilegedRemover) {
    testsupport::LogCapture log;  // the log's writer thread would keep the child from forking
    const std::string daemon = mac.file("/Library/LaunchDaemons/com.example.daemon.plist");
    const std::string helper = mac.file("/Library/PrivilegedHelperTools/com.example.helper");
    for (std::string folder = mac.path("/Library"); folder.size() > 1; folder = folder.substr(0, folder.rfind('/')))
        chmod(folder.c_str(), 0755);  // nobody may look inside, and change nothing
    const ASLoginStartItem daemonItem = listedAt(daemon);
    const ASLoginStartItem helperItem = listedAt(helper);
    session->answers = {PrivilegedSession::Outcome::Refused};

    const std::string answer = testsupport::runAsNobody([&] {
        FakeLoginItemList loginItems;
        const bool refused = StartupItemRemover::removeItem(daemonItem, loginItems);
        const bool daemonRemoved = StartupItemRemover::removeItem(daemonItem, loginItems);
        const bool helperRemoved = StartupItemRemover::removeItem(helperItem, loginItems);
        std::string text = std::string(refused ? "removed" : "refused") + (daemonRemoved ? " removed" : " kept") +
                           (helperRemoved ? " removed" : " kept") + " prompts " + std::to_string(session->prompts);
        for (const std::string& path : session->removed) text += " | " + path;
        return text;
    });
    EXPECT_EQ(answer, "refused removed removed prompts 2 | " + daemonItem.chosen->path + " | " + helperItem.chosen->path);
    EXPECT_TRUE(exists(daemon)) << "the fake session only records what it would remove";
}

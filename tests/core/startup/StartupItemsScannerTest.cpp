#include "core/startup/StartupItemsScanner.h"

#include "core/startup/LoginItemsReader.h"
#include "platform/system/PlistValue.h"
#include "support/FakeLoginItemList.h"
#include "support/HostileInput.h"
#include "support/LogCapture.h"
#include "support/MacHomeFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using core::startup::ASLoginStartItem;
using core::startup::LoginItemsReader;
using core::startup::StartupItemSource;
using core::startup::StartupItemsScanner;
using platform::PlistValue;
using testsupport::MacHomeFixture;

namespace {

std::string launchPlist(PlistValue::Dictionary keys) { return PlistValue(std::move(keys)).toXml(); }

std::string startingProgram(const std::string& program) {
    return launchPlist({{"Label", "x"}, {"ProgramArguments", PlistValue::Array{program, "--daemon"}}});
}

std::vector<std::string> namesOf(const std::vector<ASLoginStartItem>& items) {
    std::vector<std::string> names;
    for (const auto& item : items) names.push_back(item.name);
    return names;
}

}  // namespace

TEST(StartupItemsScanner, DisplayNamesFromLabelsAndKindTexts) {
    const std::pair<std::string, std::string> names[] = {
        {"com.example.agent", "Example"}, {"homebrew.mxcl.redis", "Redis"}, {"com.example.tool", "Tool"},
        {"a.b.", "a.b."},                 {"org.foo.DAEMON", "Foo"},        {"service", "Service"},
        {"com.acme.sync HELPER", "Sync Helper"}, {"", ""}};
    for (const auto& [label, name] : names) EXPECT_EQ(StartupItemsScanner::getDisplayNameFromLabel(label), name) << label;
    const char* kinds[] = {"登录项", "启动代理", "系统服务", "系统偏好设置", "未知"};
    for (unsigned index = 0; index < 5; ++index) EXPECT_EQ(StartupItemsScanner::getItemTypeString(index), kinds[index]);
}

TEST(StartupItemsScanner, ProgramPathRuleFallsThroughWhatIsNotAnAbsoluteText) {
    MacHomeFixture mac;
    testsupport::LogCapture log;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {startingProgram("/usr/bin/first"), "/usr/bin/first"},
        {launchPlist({{"ProgramArguments", PlistValue::Array{"relative", "x"}}, {"Program", "/usr/bin/program"}}), "/usr/bin/program"},
        {launchPlist({{"ProgramArguments", PlistValue::Array{PlistValue(42)}}, {"Program", "/usr/bin/program"}}), "/usr/bin/program"},
        {launchPlist({{"ProgramArguments", PlistValue::Array{}}, {"Program", "relative"}}), std::nullopt},
        {launchPlist({{"Program", PlistValue(7)}}), std::nullopt},
        {PlistValue(PlistValue::Array{"/usr/bin/not-a-dictionary"}).toXml(), std::nullopt},
        {"\x89garbage that is no property list", std::nullopt},
        {startingProgram("/usr/bin/big") + std::string(1 << 20, ' '), std::nullopt},
    };
    int index = 0;
    for (const auto& [content, program] : cases) {
        std::string file = mac.file("/Library/LaunchAgents/case" + std::to_string(index++) + ".plist", content);
        EXPECT_EQ(StartupItemsScanner::getProgramPathFromPlist(file), program) << content;
    }
    std::string fifo = mac.path("/Library/LaunchAgents/pipe.plist");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(StartupItemsScanner::getProgramPathFromPlist(fifo), std::nullopt) << "never waits for a writer";
}

TEST(StartupItemsScanner, LaunchAgentsFromEveryFolderInOrderWithNamesAndIcons) {
    MacHomeFixture mac;
    // Applications: the executable's name decides; the first bundle in folder order wins.
    mac.file("/Applications/Example.app/Contents/MacOS/ExampleHelper");
    mac.file("/Applications/Later.app/Contents/MacOS/ExampleHelper");
    mac.file("~/Applications/Mine.app/Contents/MacOS/MineHelper");
    mac.file("/usr/local/bin/redis-server");
    mac.file("~/Library/LaunchAgents/com.example.agent.plist", startingProgram("/Users/tester/elsewhere/ExampleHelper"));
    mac.file("~/Library/LaunchAgents/homebrew.mxcl.redis.plist", startingProgram("/usr/local/bin/redis-server"));
    mac.file("~/Library/LaunchAgents/com.mine.plist", startingProgram("/Applications/Mine.app/Contents/MacOS/MineHelper"));
    mac.file("~/Library/LaunchAgents/com.shouting.PLIST", startingProgram("/usr/bin/x"));
    mac.file("~/Library/LaunchAgents/readme.txt");
    mac.file("/Library/LaunchAgents/com.example.tool.plist", launchPlist({{"Label", "com.example.tool"}}));
    mac.file("~/Library/Application Support/Vendor/Library/LaunchAgents/com.vendor.updater.plist", startingProgram("/nowhere/updater"));
    mac.file("/Library/Application Support/Suite/Library/Application Support/Library/LaunchAgents/com.suite.sync.plist");
    mac.file("/Library/Application Support/.hidden/Library/LaunchAgents/com.hidden.plist");
    mac.file("/Library/Application Services/Svc/Library/LaunchAgents/com.svc.agent.plist");
    mac.file("/Applications/Example.app/Contents/Library/LoginItems/com.example.login.plist");
    mac.file("~/Applications/Example.app/Contents/Library/LoginItems/com.example.mine.plist");
    mac.file("~/Applications/Mine.app/Contents/Library/LoginItems/com.notprobed.plist");
    ASSERT_EQ(mkfifo(mac.path("~/Library/LaunchAgents/com.stuck.plist").c_str(), 0600), 0);

    StartupItemsScanner scanner;
    scanner.scanLaunchAgents();
    const auto& agents = scanner.launchAgentsList;

    EXPECT_EQ(namesOf(agents), (std::vector<std::string>{"Example", "Mine", "Stuck", "Redis", "Tool", "Updater", "Sync", "Svc",
                                                         "Login", "Mine"}));
    ASSERT_EQ(agents.size(), 10u);
    EXPECT_EQ(agents[0].image, mac.path("/Applications/Example.app"));
    EXPECT_EQ(agents[0].path, mac.path("~/Library/LaunchAgents/com.example.agent.plist"));
    EXPECT_EQ(agents[0].bundleID, "com.example.agent");
    EXPECT_EQ(agents[1].image, mac.path("~/Applications/Mine.app"));
    EXPECT_EQ(agents[3].image, mac.path("/usr/local/bin/redis-server")) << "the program itself, outside any bundle";
    EXPECT_EQ(agents[4].image, agents[4].path) << "no program: the property list's own icon";
    EXPECT_EQ(agents[5].image, agents[5].path) << "a program that does not exist";
    for (const auto& agent : agents) {
        EXPECT_EQ(agent.subName, "启动代理");
        EXPECT_EQ(agent.source, StartupItemSource::LaunchAgent);
        EXPECT_FALSE(agent.isSystemApp);
        EXPECT_TRUE(agent.canDelete);
    }
    scanner.scanLaunchAgents();
    EXPECT_EQ(scanner.launchAgentsList.size(), 10u) << "a second pass adds nothing";
}

TEST(StartupItemsScanner, DaemonsThenHelperToolsWithoutHiddenOrRepeatedOnes) {
    MacHomeFixture mac;
    mac.file("/Library/LaunchDaemons/com.example.daemon.plist", launchPlist({{"Program", "/usr/sbin/exampled"}}));
    mac.file("/Library/PrivilegedHelperTools/com.example.helper");
    mac.file("/Library/PrivilegedHelperTools/.com.example.hidden");

    StartupItemsScanner scanner;
    scanner.scanLaunchDaemons();
    scanner.scanPrivilegedHelperTools();

    const auto& daemons = scanner.launchDaemonsList;
    ASSERT_EQ(daemons.size(), 2u);
    EXPECT_EQ(daemons[0].name, "Example");
    EXPECT_EQ(daemons[0].subName, "系统服务");
    EXPECT_EQ(daemons[0].source, StartupItemSource::LaunchDaemon);
    EXPECT_TRUE(daemons[0].isSystemApp);
    EXPECT_EQ(daemons[1].path, mac.path("/Library/PrivilegedHelperTools/com.example.helper"));
    EXPECT_EQ(daemons[1].name, "com.example.helper");
    EXPECT_EQ(daemons[1].bundleID, "");
    EXPECT_EQ(daemons[1].subName, "特权帮助工具");
    EXPECT_EQ(daemons[1].source, StartupItemSource::PrivilegedHelperTool);
    EXPECT_EQ(daemons[1].image, daemons[1].path);
    EXPECT_TRUE(daemons[1].isSystemApp);
}

// A launch agent's list nested past any real one, or unfolding without end, is read as a broken
// list: the item stays, named from its label with the list's own icon, and the scan goes on.
TEST(StartupItemsScanner, ListsNestedOrUnfoldingPastTheLimitAreReadAsBroken) {
    MacHomeFixture mac;
    testsupport::LogCapture log;
    const std::pair<const char*, std::string> lists[] = {
        {"~/Library/LaunchAgents/com.hostile.nested.plist", testsupport::nestedXmlList(50000)},
        {"~/Library/LaunchAgents/com.hostile.nestedbinary.plist", testsupport::nestedBinaryList(150000)},
        {"~/Library/LaunchAgents/com.hostile.unfolding.plist", testsupport::unfoldingBinaryList(60)},
    };
    for (const auto& [path, content] : lists) mac.file(path, content);

    StartupItemsScanner scanner;
    scanner.scanLaunchAgents();

    ASSERT_EQ(scanner.launchAgentsList.size(), 3u);
    for (const auto& agent : scanner.launchAgentsList) EXPECT_EQ(agent.image, agent.path);
    EXPECT_TRUE(log.contains("a property list nested deeper than 256 levels is refused"));
    EXPECT_TRUE(log.contains("unfold into more nodes"));
    EXPECT_TRUE(log.contains("not a property list: " + mac.path("~/Library/LaunchAgents/com.hostile.unfolding.plist")));
}

TEST(StartupItemsScanner, ScanHandsBothListsOverOnTheMainQueue) {
    MacHomeFixture mac;
    mac.file("~/Library/LaunchAgents/com.example.agent.plist");
    mac.file("/Library/LaunchDaemons/com.example.daemon.plist");
    std::optional<StartupItemsScanner::Lists> lists;
    StartupItemsScanner::scan(core::Executors::inlineExecutors(), [&](StartupItemsScanner::Lists scanned) { lists = std::move(scanned); });
    ASSERT_TRUE(lists);
    EXPECT_EQ(namesOf(lists->launchAgents), std::vector<std::string>{"Example"});
    EXPECT_EQ(namesOf(lists->launchDaemons), std::vector<std::string>{"Example"});
}

TEST(LoginItemsReader, OneRowPerPathInTheSessionsOrderWithTheExtensionAsKind) {
    testsupport::FakeLoginItemList list({{"/Applications/Notes.app/", ""},
                                         {"/usr/bin/syncthing", "Syncthing"},
                                         {"/Applications/Notes.app/", "Again"},
                                         {"/home/u/todo.txt", ""}});
    auto items = LoginItemsReader::readLoginItems(list);
    EXPECT_EQ(namesOf(items), (std::vector<std::string>{"Notes", "Syncthing", "todo.txt"}));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].subName, "app");
    EXPECT_EQ(items[1].subName, "");
    EXPECT_EQ(items[2].subName, "txt");
    EXPECT_EQ(items[2].image, "/home/u/todo.txt");
    EXPECT_EQ(items[2].source, StartupItemSource::LoginItem);
}

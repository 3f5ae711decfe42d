#include "core/junk/JunkLocations.h"

#include "core/junk/FastCleanScanFile.h"
#include "core/kit/CommUti.h"
#include "support/FakeMountedVolumes.h"
#include "support/LogCapture.h"
#include "support/MacHomeFixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

using core::CommUti;
using core::junk::JunkLocations;
using testsupport::MacHomeFixture;

namespace {

std::vector<std::string> locations(int index) {
    std::vector<std::string> array;
    CommUti::folderPath(index, array);
    return array;
}

long countOf(const std::vector<std::string>& array, const std::string& path) {
    return std::count(array.begin(), array.end(), path);
}

size_t positionOf(const std::vector<std::string>& array, const std::string& path) {
    return std::find(array.begin(), array.end(), path) - array.begin();
}

}  // namespace

TEST(JunkCatalogue, SixCategoriesWithTheirTextsIconsAndStates) {
    core::junk::FastCleanScanFile scanner;
    EXPECT_EQ(scanner.getName(), (std::vector<std::string>{"系统垃圾", "应用程序垃圾", "电子邮件附件", "废纸篓",
                                                            "Xcode垃圾文件", "社交工具垃圾"}));
    EXPECT_EQ(scanner.subName().at(3), "清空废纸篓。");
    EXPECT_EQ(scanner.subName().at(5), "删除QQ、微信、钉钉等社交工具的缓存文件。");
    EXPECT_EQ(scanner.getIcon().at(4), "ic_xcode@2x.png");
    EXPECT_EQ(scanner.getIcon().size(), 6u);
    for (int index : {0, 1, 2}) EXPECT_EQ(core::junk::FastCleanScanFile::initialItemState(index), 1);
    for (int index : {3, 4}) EXPECT_EQ(core::junk::FastCleanScanFile::initialItemState(index), 0);
}

TEST(JunkLocations, SystemJunkInOrderWithEachLogsFolderOnce) {
    MacHomeFixture mac;
    mac.file("/private/var/log/system.log");
    mac.file("/private/var/log/asl/2024.asl");
    mac.file("/Library/Logs/DiagnosticReports/crash.ips");
    mac.folder("~/Library/Logs/CoreSimulator/device");
    // A caller's array that already holds the user's Logs folder gets it no second time.
    std::vector<std::string> array{mac.path("~/Library/Logs")};
    CommUti::folderPath(0, array);

    EXPECT_EQ(countOf(array, mac.path("~/Library/Logs")), 1);
    EXPECT_EQ(countOf(array, mac.path("/Library/Logs")), 1);
    EXPECT_EQ(countOf(array, mac.path("/Library/Caches/Logs")), 1);
    const std::vector<std::string> ordered{
        mac.path("~/Library/Logs"),          mac.path("/System/Library/Caches"),
        mac.path("/private/var/log/asl/2024.asl"), mac.path("/Library/Logs/DiagnosticReports/crash.ips"),
        mac.path("/Library/Logs/adobegc.log"),     mac.path("~/Library/Logs/CoreSimulator/device"),
        mac.path("/private/var/log/asl"),          mac.path("/private/var/log/system.log"),
        mac.path("/Library/Logs"),                 mac.path("/Library/Caches/Logs")};
    EXPECT_EQ(array, ordered);
}

TEST(JunkLocations, ApplicationJunkLeavesChatContainersToTheChatCategory) {
    MacHomeFixture mac;
    for (const char* chat : {"com.tencent.qq", "com.tencent.xinWeChat", "com.alibaba.dingtalk", "com.alibaba.DingTalkMac"})
        mac.file(std::string("~/Library/Containers/") + chat + "/Data/Library/Caches/cache.db");
    mac.file("~/Library/Containers/com.example.app/Data/Library/Caches/cache.db");
    mac.file("~/Library/Caches/com.example.app/data");

    auto array = locations(1);
    for (const auto& path : array) EXPECT_EQ(path.find("com.tencent"), std::string::npos) << path;
    for (const auto& path : array) EXPECT_EQ(path.find("com.alibaba"), std::string::npos) << path;
    EXPECT_EQ(countOf(array, mac.path("~/Library/Containers/com.example.app/Data/Library/Caches/cache.db")), 1);
    // The user's Caches entries come first, then the folder itself.
    EXPECT_LT(positionOf(array, mac.path("~/Library/Caches/com.example.app")),
              positionOf(array, mac.path("~/Library/Caches")));
    EXPECT_EQ(countOf(array, mac.path("~/Library/Caches")), 1);
}

TEST(JunkLocations, TeamsLogNamesFollowThePattern) {
    EXPECT_TRUE(JunkLocations::matchesFilePattern("logs.txt"));
    EXPECT_TRUE(JunkLocations::matchesFilePattern("old_logs_2.txt"));
    EXPECT_FALSE(JunkLocations::matchesFilePattern("Logs.txt"));
    EXPECT_FALSE(JunkLocations::matchesFilePattern("logs.json"));
    EXPECT_TRUE(JunkLocations::matchesFilePattern("watchdog.json"));
    EXPECT_FALSE(JunkLocations::matchesFilePattern("watchdog.txt"));
    EXPECT_FALSE(JunkLocations::matchesFilePattern("logs"));

    MacHomeFixture mac;
    mac.file("~/Library/Application Support/Microsoft/Teams/logs.txt");
    mac.file("~/Library/Application Support/Microsoft/Teams/Logs.txt");
    mac.file("~/Library/Application Support/Microsoft/Teams/watchdog.json");
    mac.file("~/Library/Application Support/Microsoft/Teams/Cache/data_0");
    auto array = locations(1);
    EXPECT_EQ(countOf(array, mac.path("~/Library/Application Support/Microsoft/Teams/logs.txt")), 1);
    EXPECT_EQ(countOf(array, mac.path("~/Library/Application Support/Microsoft/Teams/watchdog.json")), 1);
    EXPECT_EQ(countOf(array, mac.path("~/Library/Application Support/Microsoft/Teams/Logs.txt")), 0);
    EXPECT_EQ(countOf(array, mac.path("~/Library/Application Support/Microsoft/Teams/Cache/data_0")), 1);
}

TEST(JunkLocations, GameLogsAreExpandedFilesAndMissingFoldersAreLogged) {
    MacHomeFixture mac;
    testsupport::LogCapture log;
    auto without = locations(1);
    EXPECT_TRUE(log.contains("Error reading directory: " + mac.path("~/Library/Application Support/minecraft")));
    EXPECT_TRUE(log.contains("Error reading directory: " + mac.path("~/.lunarclient/offline")));
    // The launcher log is always listed, the mixin output only when it is there.
    EXPECT_EQ(countOf(without, mac.path("~/Library/Application Support/minecraft/launcher_cef_log.txt")), 1);
    EXPECT_EQ(countOf(without, mac.path("~/Library/Application Support/minecraft/.mixin.out")), 0);

    mac.file("~/Library/Application Support/minecraft/.mixin.out");
    mac.file("~/Library/Application Support/minecraft/latest.log");
    mac.file("~/Library/Application Support/minecraft/options.txt");
    mac.file("~/.lunarclient/offline/1.8/Log/game.log");
    mac.folder("~/.lunarclient/offline/1.12");
    auto with = locations(1);
    EXPECT_EQ(countOf(with, mac.path("~/Library/Application Support/minecraft/.mixin.out")), 1);
    EXPECT_EQ(countOf(with, mac.path("~/Library/Application Support/minecraft/latest.log")), 1);
    EXPECT_EQ(countOf(with, mac.path("~/Library/Application Support/minecraft/options.txt")), 0);
    EXPECT_EQ(countOf(with, mac.path("~/.lunarclient/offline/1.8/Log")), 1);
    EXPECT_EQ(countOf(with, mac.path("~/.lunarclient/offline/1.12/Log")), 0);
}

TEST(JunkLocations, MailAttachmentsAndDeveloperFoldersAreListedExistingOrNot) {
    MacHomeFixture mac;
    EXPECT_EQ(locations(2),
              (std::vector<std::string>{mac.path("~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads")}));
    auto developer = locations(4);
    ASSERT_EQ(developer.size(), 8u);
    EXPECT_EQ(developer.front(), mac.path("~/Library/Developer/Xcode/DerivedData"));
    EXPECT_EQ(developer.at(2), mac.path("~/Library/Developer/Xcode/Products"));
    EXPECT_EQ(developer.back(), mac.path("~/Library/Developer/XCPGDevices"));
    std::vector<std::string> array;
    CommUti::scanXcode(array);
    EXPECT_EQ(array, developer);
}

TEST(JunkLocations, TrashFoldersOfTheUserAndOfVolumesUnderVolumes) {
    MacHomeFixture mac;
    testsupport::MountedVolumesReset reset;
    testsupport::FakeMountedVolumes::install({});
    EXPECT_EQ(locations(3), (std::vector<std::string>{mac.path("~/.Trash"), mac.path("~/Library/Mobile Documents/.Trash")}));

    auto volume = [](const std::string& root) {
        platform::MountedVolume mounted;
        mounted.rootPath = root;
        mounted.totalBytes = 1 << 20;
        return mounted;
    };
    platform::MountedVolume empty = volume(mac.path("/Volumes/Empty"));
    empty.totalBytes = 0;
    testsupport::FakeMountedVolumes::install({volume("/"), volume(mac.path("/Volumes/USB")), volume("/Volumes/Outside"),
                                               volume(mac.path("/media/Stick")), empty});
    auto array = locations(3);
    ASSERT_EQ(array.size(), 3u);
    EXPECT_EQ(array.front(), mac.path("/Volumes/USB") + "/.Trashes/" + std::to_string(getuid()));
}

TEST(JunkLocations, ChatTableInItsFixedOrder) {
    MacHomeFixture mac;
    auto table = CommUti::socialToolsCachePaths();
    std::vector<std::string> keys;
    for (const auto& [key, texts] : table) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"QQ", "微信", "钉钉", "Telegram", "WhatsApp", "Slack", "飞书"}));
    EXPECT_EQ(table[1].second.front(), "微信");
    EXPECT_EQ(table[1].second.size(), 7u);
    EXPECT_EQ(table[2].second.at(1), "~/Library/Caches/com.alibaba.DingTalkMac");
    auto array = locations(5);
    EXPECT_EQ(array.front(), "QQ");
    EXPECT_EQ(array.size(), 7u + 3 + 6 + 9 + 3 + 2 + 3 + 3);
    EXPECT_TRUE(locations(6).empty());
    EXPECT_TRUE(locations(-1).empty());
}

TEST(JunkLocations, LinkedLocationsAreNotListedThroughTheLink) {
    MacHomeFixture mac;
    std::string elsewhere = mac.environment().folder().makeFolder("elsewhere");
    mac.environment().folder().writeFile("elsewhere/precious", "x");
    mac.link("~/Library/Caches", elsewhere);
    mac.link("~/Library/Logs/CoreSimulator", elsewhere);
    std::vector<std::string> array;
    CommUti::getSubPathFilesWithPath(mac.path("~/Library/Caches"), array);
    CommUti::getSubPathFilesWithPath(mac.path("~/Library/Caches/"), array);
    CommUti::getSubPathFilesWithPath(mac.path("~/Library/Logs/CoreSimulator"), array);
    EXPECT_TRUE(array.empty());
}

TEST(JunkLocations, DeviceBackupsAreTheUsersData) {
    MacHomeFixture mac;
    EXPECT_EQ(JunkLocations::userDataFolders(),
              (std::vector<std::string>{mac.path("~/Library/Application Support/MobileSync/Backup"),
                                        mac.path("~/Music/iTunes/iTunes Media/Mobile Applications")}));
}

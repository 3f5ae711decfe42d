#include "core/junk/OfferedItems.h"

#include "support/MacHomeFixture.h"

#include <gtest/gtest.h>

using core::junk::OfferedItems;
using testsupport::MacHomeFixture;

namespace {

std::vector<std::string> pathsOf(const std::vector<OfferedItems::Offer>& offers) {
    std::vector<std::string> paths;
    for (const auto& offer : offers) paths.push_back(offer.path);
    return paths;
}

OfferedItems::NameTest hiddenOrRunning(const std::string& runningIdentifier) {
    return [runningIdentifier](const std::string& name) { return name.front() == '.' || name == runningIdentifier; };
}

}  // namespace

TEST(OfferedItems, FoldersOfferTheirEntriesFilesAndLinksThemselves) {
    MacHomeFixture mac;
    mac.file("/private/var/log/system.log");
    mac.file("/private/var/log/asl/a.asl");
    mac.link("/private/var/log/current", "/");
    OfferedItems offered(hiddenOrRunning(""));
    EXPECT_EQ(pathsOf(offered.expand(mac.path("/private/var/log/system.log"), true)),
              (std::vector<std::string>{mac.path("/private/var/log/system.log")}));
    auto link = offered.expand(mac.path("/private/var/log/current"), true);
    ASSERT_EQ(link.size(), 1u);
    EXPECT_TRUE(link.front().entry.isLink());
    EXPECT_EQ(pathsOf(offered.expand(mac.path("/private/var/log/asl"), true)),
              (std::vector<std::string>{mac.path("/private/var/log/asl/a.asl")}));
    // The whole folder now offers only what no earlier item covers.
    EXPECT_EQ(pathsOf(offered.expand(mac.path("/private/var/log"), true)), std::vector<std::string>{});
    EXPECT_TRUE(offered.expand(mac.path("/private/var/missing"), true).empty());
    EXPECT_TRUE(offered.expand("relative/path", true).empty());
}

TEST(OfferedItems, NoItemEqualsContainsOrLiesInsideAnother) {
    MacHomeFixture mac;
    mac.file("~/Library/Logs/CoreSimulator/device/system.log");
    mac.file("~/Library/Logs/JetBrains/IdeaIC/idea.log");
    mac.file("~/Library/Logs/app.log");
    mac.file("/Library/Logs/DiagnosticReports/crash.ips");
    mac.file("/Library/Logs/install.log");
    OfferedItems offered(hiddenOrRunning(""));
    // "~/Library/Logs" comes first: its entries win over the later folders inside them.
    EXPECT_EQ(pathsOf(offered.expand(mac.path("~/Library/Logs"), true)),
              (std::vector<std::string>{mac.path("~/Library/Logs/CoreSimulator"), mac.path("~/Library/Logs/JetBrains"),
                                        mac.path("~/Library/Logs/app.log")}));
    EXPECT_TRUE(offered.expand(mac.path("~/Library/Logs/CoreSimulator/device"), true).empty());
    EXPECT_TRUE(offered.expand(mac.path("~/Library/Logs/JetBrains/IdeaIC"), true).empty());
    // The reports come before "/Library/Logs": the whole folder gives up what contains them.
    EXPECT_EQ(pathsOf(offered.expand(mac.path("/Library/Logs/DiagnosticReports/crash.ips"), true)),
              (std::vector<std::string>{mac.path("/Library/Logs/DiagnosticReports/crash.ips")}));
    EXPECT_EQ(pathsOf(offered.expand(mac.path("/Library/Logs"), true)),
              (std::vector<std::string>{mac.path("/Library/Logs/install.log")}));
    EXPECT_FALSE(offered.claim(mac.path("/Library")));
    EXPECT_FALSE(offered.claim(mac.path("/Library/Logs/install.log")));
    EXPECT_TRUE(offered.claim(mac.path("/Library/Logs-old")));
}

TEST(OfferedItems, SkippedItemsNeverComeBackThroughTheirParent) {
    MacHomeFixture mac;
    mac.file("~/Library/Caches/.DS_Store");
    mac.file("~/Library/Caches/com.running.app/cache.db");
    mac.file("~/Library/Caches/com.idle.app/cache.db");
    mac.file("~/Library/Caches/loose.db");
    OfferedItems offered(hiddenOrRunning("com.running.app"));
    std::vector<std::string> all;
    for (const char* entry : {".DS_Store", "com.idle.app", "com.running.app", "loose.db"})
        for (const auto& path : pathsOf(offered.expand(mac.path(std::string("~/Library/Caches/") + entry), true))) all.push_back(path);
    EXPECT_EQ(all, (std::vector<std::string>{mac.path("~/Library/Caches/com.idle.app/cache.db"),
                                             mac.path("~/Library/Caches/loose.db")}));
    // The whole Caches folder afterwards: every entry is covered or skipped.
    EXPECT_TRUE(offered.expand(mac.path("~/Library/Caches"), false).empty());
    // Names are tested on entries only: a hidden folder taken whole is looked into.
    mac.file("~/.Trash/old.txt");
    EXPECT_EQ(pathsOf(offered.expand(mac.path("~/.Trash"), false)), (std::vector<std::string>{mac.path("~/.Trash/old.txt")}));
}

TEST(OfferedItems, PathTestLeavesItemsOutUnclaimed) {
    MacHomeFixture mac;
    mac.file("~/Library/Caches/com.alibaba.DingTalkMac/x");
    mac.file("~/Library/Caches/other/x");
    OfferedItems offered(hiddenOrRunning(""));
    auto skipDingTalk = [](const std::string& path) { return path.find("/Caches/com.alibaba.DingTalkMac") != std::string::npos; };
    EXPECT_EQ(pathsOf(offered.expand(mac.path("~/Library/Caches"), true, skipDingTalk)),
              (std::vector<std::string>{mac.path("~/Library/Caches/other")}));
    EXPECT_TRUE(offered.claim(mac.path("~/Library/Caches/com.alibaba.DingTalkMac")));
}

TEST(OfferedItems, ALocationLinkedToTheRootOffersNothingFromIt) {
    MacHomeFixture mac;
    mac.link("~/Library/Logs", "/");
    mac.link("~/Library/Application Support", "/");
    OfferedItems offered(hiddenOrRunning(""));
    // The link itself is offered (removing it removes the link), never what it points at.
    auto logs = offered.expand(mac.path("~/Library/Logs"), true);
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs.front().path, mac.path("~/Library/Logs"));
    EXPECT_TRUE(logs.front().entry.isLink());
    EXPECT_TRUE(offered.expand(mac.path("~/Library/Application Support/etc"), true).empty());
    EXPECT_TRUE(offered.expand(mac.path("~/Library/Logs/usr"), true).empty());
}

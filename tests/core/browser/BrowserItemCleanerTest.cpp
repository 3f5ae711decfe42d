#include "core/browser/BrowserItemCleaner.h"

#include "core/browser/BrowserDiscovery.h"
#include "platform/files/PathText.h"
#include "platform/system/PlistValue.h"
#include "support/BrowserDatabases.h"
#include "support/LockFlag.h"
#include "support/LogCapture.h"
#include "support/MacHomeFixture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

using core::browser::BrowerObj;
using core::browser::BrowserDiscovery;
using core::browser::BrowserItemCleaner;
using core::browser::BrowserList;
using core::browser::PassedOverNode;
using testsupport::MacHomeFixture;
using testsupport::rowsIn;

namespace {

using testsupport::exists;

// A Chromium-family profile with every kind of item.
void makeChromeProfile(const MacHomeFixture& home, const std::string& profile, int visits) {
    home.file(profile + "/Preferences", "{}");
    home.file(profile + "/Bookmarks", "{}");
    testsupport::makeChromeHistory(home.path(profile + "/History"), visits, 4);
    testsupport::runSql(home.path(profile + "/Login Data"), "create table logins(id integer);" + testsupport::insertRows("logins", 2));
    testsupport::runSql(home.path(profile + "/Cookies"), "create table cookies(id integer);" + testsupport::insertRows("cookies", 3));
    home.file(profile + "/Sessions/Session_1", std::string(2048, 's'));
    home.file(profile + "/Session Storage/000003.log", std::string(1024, 'x'));
    home.file(profile + "/Local Storage/leveldb/000005.ldb", std::string(4096, 'l'));
}

BrowserList discover(const std::string& root, const std::string& browserKey) {
    BrowserList list;
    BrowserDiscovery discovery;
    discovery.addBrowserProfilesForPath(root, browserKey, browserKey, {}, list);
    return list;
}

std::map<std::string, std::string> sizesOf(const BrowerObj& node) {
    std::map<std::string, std::string> sizes;
    for (const auto& item : node.chrArr) sizes[item->name] = item->size;
    return sizes;
}

BrowerObj& itemNamed(BrowerObj& node, const std::string& key) {
    for (const auto& item : node.chrArr)
        if (item->name == key) return *item;
    throw std::runtime_error("no item " + key);
}

}  // namespace

// History rows are counted, the ticked item is emptied and measured again; the rest stays.
TEST(BrowserItemCleaner, MeasuresAndCleansAChromeProfile) {
    MacHomeFixture home;
    const std::string root = "~/Library/Application Support/Google/Chrome";
    makeChromeProfile(home, root + "/Default", 120);
    home.file("~/Library/Caches/Google/Chrome/Default/Cache/Cache_Data/data_1", std::string(3000, 'c'));
    BrowserList list = discover(home.path(root), "Google Chrome");
    ASSERT_EQ(list.size(), 1u);
    BrowerObj& node = *list[0];
    EXPECT_EQ(sizesOf(node), (std::map<std::string, std::string>{{"Browsing History", "120项"},
                                                                 {"Downloads History", "4项"},
                                                                 {"Save Password", "2项"},
                                                                 {"Cookies", "3项"},
                                                                 {"Caches", "2.93 KB"},
                                                                 {"Session", "2.00 KB"},
                                                                 {"Session Storage", "1.00 KB"},
                                                                 {"Local Storage", "4.00 KB"}}));
    for (const auto& item : node.chrArr)
        if (item->name != "Browsing History" && item->name != "Caches") item->isSelect = BrowerObj::kUnselected;
    node.isSelect = BrowerObj::kPartlySelected;

    BrowserItemCleaner().cleanBrowerFiles(list);
    const std::string history = home.path(root + "/Default/History");
    EXPECT_EQ(itemNamed(node, "Browsing History").size, "0 项");
    EXPECT_EQ(itemNamed(node, "Caches").size, "0 byte");
    EXPECT_EQ(rowsIn(history, "urls"), 0);
    EXPECT_EQ(rowsIn(history, "visits"), 0);
    EXPECT_EQ(rowsIn(history, "visit_source"), 0);
    EXPECT_EQ(rowsIn(history, "downloads"), 4);
    EXPECT_FALSE(exists(home.path("~/Library/Caches/Google/Chrome/Default/Cache")));
    EXPECT_TRUE(exists(home.path("~/Library/Caches/Google/Chrome/Default")));
    EXPECT_EQ(itemNamed(node, "Session").size, "2.00 KB");
    EXPECT_EQ(node.isSelect, BrowerObj::kUnselected);
    for (const auto& item : node.chrArr) EXPECT_EQ(item->isSelect, BrowerObj::kUnselected) << item->name;
}

// Cleaning every item of a profile leaves the profile and what is not an item; a browser
// holding the data root leaves the profile as it was.
TEST(BrowserItemCleaner, KeepsTheProfileAndPassesOverAProfileInUse) {
    MacHomeFixture home;
    const std::string root = "~/Library/Application Support/Microsoft Edge";
    makeChromeProfile(home, root + "/Default", 7);
    BrowserList list = discover(home.path(root), "Microsoft Edge");
    ASSERT_EQ(list.size(), 1u);
    BrowerObj& node = *list[0];

    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string lock =
        home.link(root + "/SingletonLock", std::string(host) + "-" + std::to_string(getpid()));
    testsupport::LogCapture log;
    const std::vector<PassedOverNode> passedOver = BrowserItemCleaner().cleanBrowerFiles(list);
    EXPECT_TRUE(log.contains("the browser is using this profile"));
    ASSERT_EQ(passedOver.size(), 1u);
    EXPECT_EQ(passedOver[0].name, node.name);
    EXPECT_EQ(passedOver[0].reason, PassedOverNode::Reason::ProfileInUse);
    EXPECT_EQ(rowsIn(home.path(root + "/Default/History"), "visits"), 7);
    EXPECT_TRUE(exists(home.path(root + "/Default/Sessions/Session_1")));
    EXPECT_EQ(node.isSelect, BrowerObj::kSelected);

    // A lock left by a process that has ended does not count.
    unlink(lock.c_str());
    home.link(root + "/SingletonLock", std::string(host) + "-999999999");
    EXPECT_TRUE(BrowserItemCleaner().cleanBrowerFiles(list).empty());
    EXPECT_EQ(node.isSelect, BrowerObj::kUnselected);
    EXPECT_EQ(sizesOf(node), (std::map<std::string, std::string>{{"Browsing History", "0 项"},
                                                                 {"Downloads History", "0 项"},
                                                                 {"Save Password", "0 项"},
                                                                 {"Cookies", "0 项"},
                                                                 {"Session", "0 byte"},
                                                                 {"Local Storage", "0 byte"}}));
    for (const char* kept : {"Preferences", "Bookmarks", "History", "Session Storage"})
        EXPECT_TRUE(exists(home.path(root + "/Default/" + kept))) << kept;
    EXPECT_FALSE(exists(home.path(root + "/Default/Sessions")));
}

// Firefox's caches are the profile's entries named with "cache", written in lower case.
TEST(BrowserItemCleaner, FirefoxCachesAreTheEntriesNamedCache) {
    MacHomeFixture home;
    const std::string profile = "~/Library/Application Support/Firefox/Profiles/abc.default-release";
    home.folder(profile);
    testsupport::makeFirefoxPlaces(home.path(profile + "/places.sqlite"), 5, 1, 1);
    home.file(profile + "/cache2/entries/A", std::string(1000, 'a'));
    home.file(profile + "/shader-cache/B", std::string(24, 'b'));
    home.file(profile + "/startupCache/C", std::string(500, 'c'));
    home.file(profile + "/cookies.sqlite", std::string(100, 'k'));
    BrowserList list = discover(home.path("~/Library/Application Support/Firefox/Profiles"), "Firefox");
    ASSERT_EQ(list.size(), 1u);
    BrowerObj& node = *list[0];
    EXPECT_EQ(itemNamed(node, "Caches").size, "1.00 KB");
    EXPECT_EQ(itemNamed(node, "Browsing History").size, "5项");
    EXPECT_EQ(itemNamed(node, "Cookies").size, "100 byte");
    for (const auto& item : node.chrArr)
        if (item->name != "Caches" && item->name != "Cookies") item->isSelect = BrowerObj::kUnselected;

    BrowserItemCleaner().cleanBrowerFiles(list);
    EXPECT_FALSE(exists(home.path(profile + "/cache2")));
    EXPECT_FALSE(exists(home.path(profile + "/shader-cache")));
    EXPECT_FALSE(exists(home.path(profile + "/cookies.sqlite")));
    EXPECT_TRUE(exists(home.path(profile + "/startupCache/C")));
    EXPECT_EQ(rowsIn(home.path(profile + "/places.sqlite"), "moz_historyvisits"), 5);
}

namespace {

// The bytes of a property list in binary form.
std::string binaryPlist(const std::string& xml) {
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    std::string binary(bytes, length);
    plist_to_bin_free(bytes);
    plist_free(root);
    return binary;
}

}  // namespace

// Safari's download list is counted in either property-list form; a history that cannot be
// read asks for the browser to be closed.
TEST(BrowserItemCleaner, ReadsSafarisListsAndSaysWhenItsHistoryCannotBeRead) {
    MacHomeFixture home;
    const std::string downloads = "/Users/tester/Library/Safari/Downloads.plist";
    const std::string xml = platform::PlistValue(platform::PlistValue::Dictionary{
                                {"DownloadHistory", platform::PlistValue::Array{platform::PlistValue("a"),
                                                                                platform::PlistValue("b"),
                                                                                platform::PlistValue("c")}}})
                                .toXml();
    BrowerObj item;
    item.browserKey = "Safari";
    item.name = "Downloads History";
    item.urlStr = downloads;
    BrowserItemCleaner cleaner;
    EXPECT_EQ(cleaner.getSafariSizeWithBrower(item), "0项");  // missing
    for (const auto& [content, expected] : std::vector<std::pair<std::string, std::string>>{
             {xml, "3项"}, {binaryPlist(xml), "3项"}, {"<plist><dict><key>DownloadHistory</key><array>", "0项"}}) {
        home.file(downloads, content);
        EXPECT_EQ(cleaner.getSafariSizeWithBrower(item), expected) << content;
    }

    BrowerObj history;
    history.browserKey = "Safari";
    history.name = "Browsing History";
    history.urlStr = "/Users/%@/Library/Safari/History.db";
    home.file("/Users/tester/Library/Safari/RecentlyClosedTabs.plist", "x");
    EXPECT_EQ(cleaner.getSafariSizeWithBrower(history), "请关闭浏览器");
    testsupport::makeSafariHistory(home.path("/Users/tester/Library/Safari/History.db"), {3, 2}, 1);
    EXPECT_EQ(cleaner.getSafariSizeWithBrower(history), "6项");
}

// A clean that the system refuses leaves the item as it was, and its size text says so.
TEST(BrowserItemCleaner, AFailedCleanKeepsItsSizeText) {
    testsupport::LogCapture log;  // the log's writer thread would keep the child from forking
    MacHomeFixture home;
    const std::string root = "~/Library/Application Support/Chromium";
    makeChromeProfile(home, root + "/Default", 9);
    BrowserList list = discover(home.path(root), "Chromium");
    ASSERT_EQ(list.size(), 1u);
    const std::string profile = home.path(root + "/Default");
    auto cleanReadOnlyProfile = [&] {
        chmod(profile.c_str(), 0555);
        BrowserItemCleaner().cleanBrowerFiles(list);
        return itemNamed(*list[0], "Browsing History").size + " " + itemNamed(*list[0], "Cookies").size;
    };
    std::string sizes;
    if (testsupport::runningAsRoot()) {
        const auto& folder = home.environment().folder();
        ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
            ASSERT_EQ(lchown(entry.path().c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
        sizes = testsupport::runAsNobody(cleanReadOnlyProfile);
    } else {
        sizes = cleanReadOnlyProfile();
    }
    EXPECT_EQ(sizes, "9项 3项");
    EXPECT_EQ(rowsIn(profile + "/History", "visits"), 9);
}

// Locked entries of a cleaned item are unlocked and removed (root only, where flags exist).
TEST(BrowserItemCleaner, UnlocksImmutableEntriesOfACleanedItem) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to set the immutable flag";
    MacHomeFixture home;
    const std::string profile = "~/Library/Application Support/Firefox/Profiles/abc.default";
    home.file(profile + "/places.sqlite");
    const std::string locked = home.file(profile + "/cache2/entries/locked", "x");
    const std::string frozen = home.folder(profile + "/cache2/frozen");
    home.file(profile + "/cache2/frozen/inside", "y");
    if (!testsupport::setImmutable(locked, true) || !testsupport::setImmutable(frozen, true))
        GTEST_SKIP() << "the file system cannot set the immutable flag";
    BrowserList list = discover(home.path("~/Library/Application Support/Firefox/Profiles"), "Firefox");
    ASSERT_EQ(list.size(), 1u);
    for (const auto& item : list[0]->chrArr)
        if (item->name != "Caches") item->isSelect = BrowerObj::kUnselected;
    BrowserItemCleaner().cleanBrowerFiles(list);
    const bool gone = !exists(home.path(profile + "/cache2"));
    if (!gone) {
        testsupport::setImmutable(locked, false);
        testsupport::setImmutable(frozen, false);
    }
    EXPECT_TRUE(gone);
    EXPECT_EQ(itemNamed(*list[0], "Caches").size, "0 byte");
}

#include "core/browser/BrowserDiscovery.h"
#include "core/browser/BrowserItemCleaner.h"
#include "core/kit/CommUti.h"
#include "platform/files/PathText.h"
#include "support/BrowserDatabases.h"
#include "support/MacHomeFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using core::browser::BrowerObj;
using core::browser::BrowserDiscovery;
using core::browser::BrowserItemCleaner;
using core::browser::BrowserList;
using testsupport::exists;
using testsupport::insertRows;
using testsupport::rowsIn;
using testsupport::runSql;

namespace {

using Sizes = std::map<std::string, std::map<std::string, std::string>>;

// A Linux desktop's home in a temporary folder, without a root: browsers installed through
// their desktop entries, their data where their Linux builds keep it.
class LinuxBrowserHome {
public:
    LinuxBrowserHome() : home_([](platform::Environment::Values& values) { values.root = "/"; }) {}

    void install(const std::string& id, const std::string& name) const {
        home_.environment().folder().writeFile("applications/" + id + ".desktop",
                                               "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + id + "\n");
    }
    // A path below the home folder.
    std::string path(const std::string& relative) const { return home_.path("~/" + relative); }
    std::string file(const std::string& relative, size_t bytes) const {
        return home_.file("~/" + relative, std::string(bytes, 'x'));
    }
    void folder(const std::string& relative) const { home_.folder("~/" + relative); }
    // Where a database is to be made, its folder made.
    std::string newDatabase(const std::string& relative) const {
        folder(platform::parentPath(relative));
        return path(relative);
    }
    // A database with one table of that many rows.
    void database(const std::string& relative, const std::string& table, int rows) const {
        runSql(newDatabase(relative), "create table " + table + "(id integer);" + insertRows(table, rows));
    }
    // What a scan of the installed browsers finds.
    BrowserList scan() const {
        BrowserDiscovery::Options options;
        options.desktopEntryFolders = std::vector<std::string>{home_.environment().folder() / "applications"};
        return BrowserDiscovery(options).discover();
    }
    // The size text a file's bytes are shown as.
    std::string sizeText(const std::string& relative) const {
        return core::CommUti::longlongDiskSize(static_cast<int64_t>(std::filesystem::file_size(path(relative))));
    }

private:
    testsupport::MacHomeFixture home_;
};

// A profile as current Chromium builds keep it: the cookie database in "Network", beside its
// journal.
void makeChromiumProfile(const LinuxBrowserHome& home, const std::string& profile, int visits, int cookies) {
    home.file(profile + "/Sessions/Session_1", 2048);
    testsupport::makeChromeHistory(home.newDatabase(profile + "/History"), visits, 2);
    home.database(profile + "/Login Data", "logins", 1);
    home.database(profile + "/Network/Cookies", "cookies", cookies);
    home.file(profile + "/Network/Cookies-journal", 0);
}

Sizes sizesOf(const BrowserList& list) {
    Sizes sizes;
    for (const auto& node : list)
        for (const auto& item : node->chrArr) sizes[node->name][item->name] = item->size;
    return sizes;
}

// Leaves only the named items of a node ticked, and the node partly so; other nodes unticked.
void tickOnly(const BrowserList& list, const std::map<std::string, std::set<std::string>>& items) {
    for (const auto& node : list) {
        const auto ticked = items.find(node->name);
        node->isSelect = ticked == items.end() ? BrowerObj::kUnselected : BrowerObj::kPartlySelected;
        for (const auto& item : node->chrArr)
            item->isSelect = ticked != items.end() && ticked->second.count(item->name) ? BrowerObj::kSelected
                                                                                       : BrowerObj::kUnselected;
    }
}

}  // namespace

// Chrome, Chromium and Edge count the cookies of the file current builds write, and a clean
// empties that file only; an older profile's own "Cookies" file is still the one counted.
TEST(NativeBrowsers, ChromiumBrowsersCountAndCleanTheCookiesTheyWrite) {
    struct Case {
        const char* id;
        const char* name;
        const char* dataFolder;
    };
    for (const Case& each : {Case{"google-chrome", "Google Chrome", ".config/google-chrome"},
                             Case{"chromium", "Chromium", ".config/chromium"},
                             Case{"microsoft-edge", "Microsoft Edge", ".config/microsoft-edge"}}) {
        SCOPED_TRACE(each.name);
        LinuxBrowserHome home;
        home.install(each.id, each.name);
        const std::string current = std::string(each.dataFolder) + "/Default";
        const std::string older = std::string(each.dataFolder) + "/Profile 1";
        makeChromiumProfile(home, current, 7, 3);
        testsupport::makeChromeHistory(home.newDatabase(older + "/History"), 1, 0);
        home.database(older + "/Cookies", "cookies", 5);

        BrowserList list = home.scan();
        const std::string currentNode = std::string(each.name) + " - Default";
        const std::string olderNode = std::string(each.name) + " - Profile 1";
        EXPECT_EQ(sizesOf(list)[currentNode]["Cookies"], "3项");
        EXPECT_EQ(sizesOf(list)[olderNode]["Cookies"], "5项");
        tickOnly(list, {{currentNode, {"Cookies"}}});
        BrowserItemCleaner().cleanBrowerFiles(list);
        EXPECT_EQ(sizesOf(list)[currentNode]["Cookies"], "0 项");
        EXPECT_EQ(rowsIn(home.path(current + "/Network/Cookies"), "cookies"), 0);
        EXPECT_EQ(rowsIn(home.path(current + "/History"), "visits"), 7);
        EXPECT_EQ(rowsIn(home.path(older + "/Cookies"), "cookies"), 5);
        EXPECT_FALSE(exists(home.path(current + "/Cookies")));
    }
}

// A home laid out like a real one, with Firefox and Firefox ESR installed side by side: each
// profile is listed once, every item shows what lies on disk, and a clean empties exactly the
// ticked items, leaving the unticked ones and the other profile as they were.
TEST(NativeBrowsers, EveryItemShowsTheDiskAndACleanEmptiesOnlyTheTickedOnes) {
    LinuxBrowserHome home;
    home.install("firefox", "Firefox");
    home.install("firefox-esr", "Firefox ESR");
    home.install("opera", "Opera");
    const std::string release = ".mozilla/firefox/abc.default-release";
    const std::string esr = ".mozilla/firefox/def.default-esr";
    const std::string releaseCache = ".cache/mozilla/firefox/abc.default-release";
    home.file(".mozilla/firefox/profiles.ini", 100);
    home.file(".mozilla/firefox/Crash Reports/events/x", 10);
    home.folder(release);
    testsupport::makeFirefoxPlaces(home.newDatabase(release + "/places.sqlite"), 5, 1, 1);
    home.database(release + "/cookies.sqlite", "moz_cookies", 4);
    home.file(release + "/sessionstore.jsonlz4", 3000);
    home.file(release + "/sessionstore-backups/recovery.jsonlz4", 1000);
    home.file(release + "/sessionstore-backups/recovery.baklz4", 1000);
    home.file(releaseCache + "/cache2/entries/A", 4096);
    home.folder(releaseCache + "/cache2/doomed");
    home.file(releaseCache + "/startupCache/startupCache.8.little", 500);
    home.file(releaseCache + "/thumbnails/t.png", 300);
    testsupport::makeFirefoxPlaces(home.newDatabase(esr + "/places.sqlite"), 3, 0, 0);
    home.file(esr + "/sessionstore.jsonlz4", 700);
    home.file(".cache/mozilla/firefox/def.default-esr/cache2/entries/B", 2048);
    testsupport::makeChromeHistory(home.newDatabase(".config/opera/History"), 9, 1);
    home.database(".config/opera/Web Data", "keyword_search_terms", 2);
    home.database(".config/opera/Network/Cookies", "cookies", 6);
    home.file(".config/opera/Sessions/Session_1", 1024);
    home.file(".cache/opera/Cache/Cache_Data/f", 6000);
    home.file(".cache/google-chrome/Default/Cache/Cache_Data/kept", 10);

    BrowserList list = home.scan();
    const std::string releaseNode = "Firefox - tester/abc.default-release";
    const std::string esrNode = "Firefox - tester/def.default-esr";
    EXPECT_EQ(sizesOf(list),
              (Sizes{{releaseNode,
                      {{"Browsing History", "5项"},
                       {"Downloads History", "1项"},
                       {"Save Password", "1项"},
                       {"Cookies", home.sizeText(release + "/cookies.sqlite")},
                       {"Caches", "4.00 KB"},
                       {"Session", "4.88 KB"}}},
                     {esrNode,
                      {{"Browsing History", "3项"},
                       {"Downloads History", "0项"},
                       {"Save Password", "0项"},
                       {"Cookies", "0 byte"},
                       {"Caches", "2.00 KB"},
                       {"Session", "700 byte"}}},
                     {"Opera",
                      {{"Browsing History", "9项"},
                       {"Downloads History", "1项"},
                       {"Save Password", "2项"},
                       {"Cookies", home.sizeText(".config/opera/Network/Cookies")},
                       {"Caches", "5.86 KB"},
                       {"Session", "1.00 KB"}}}}));

    tickOnly(list, {{releaseNode, {"Caches", "Session", "Cookies"}}, {"Opera", {"Caches", "Cookies"}}});
    BrowserItemCleaner().cleanBrowerFiles(list);
    const Sizes cleaned = sizesOf(list);
    EXPECT_EQ(cleaned.at(releaseNode).at("Caches"), "0 byte");
    EXPECT_EQ(cleaned.at(releaseNode).at("Session"), "0 byte");
    EXPECT_EQ(cleaned.at(releaseNode).at("Cookies"), "0 byte");
    EXPECT_EQ(cleaned.at("Opera").at("Caches"), "0 byte");
    EXPECT_EQ(cleaned.at("Opera").at("Cookies"), "0 byte");
    EXPECT_FALSE(exists(home.path(releaseCache + "/cache2")));
    EXPECT_FALSE(exists(home.path(release + "/sessionstore.jsonlz4")));
    EXPECT_FALSE(exists(home.path(release + "/sessionstore-backups")));
    EXPECT_FALSE(exists(home.path(release + "/cookies.sqlite")));
    EXPECT_FALSE(exists(home.path(".cache/opera")));
    EXPECT_FALSE(exists(home.path(".config/opera/Network/Cookies")));
    // The unticked items, the other profile and everything around the items stay.
    for (const std::string& kept :
         {releaseCache + "/startupCache/startupCache.8.little", releaseCache + "/thumbnails/t.png", esr + "/sessionstore.jsonlz4",
          std::string(".cache/mozilla/firefox/def.default-esr/cache2/entries/B"), std::string(".config/opera/Sessions/Session_1"),
          std::string(".cache/google-chrome/Default/Cache/Cache_Data/kept"), std::string(".mozilla/firefox/profiles.ini")})
        EXPECT_TRUE(exists(home.path(kept))) << kept;
    EXPECT_EQ(rowsIn(home.path(release + "/places.sqlite"), "moz_historyvisits"), 5);
    EXPECT_EQ(rowsIn(home.path(".config/opera/History"), "visits"), 9);

    // A new scan shows what the clean left.
    const Sizes rescanned = sizesOf(home.scan());
    for (const auto& [node, items] : rescanned)
        for (const auto& [item, size] : items) {
            const std::string before = cleaned.at(node).at(item);
            EXPECT_EQ(size, before == "0 项" ? "0项" : before) << node << " " << item;
        }
}

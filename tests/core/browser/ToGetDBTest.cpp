#include "core/browser/ToGetDB.h"

#include "platform/files/FolderLister.h"
#include "support/BrowserDatabases.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

using core::browser::ToGetDB;
using testsupport::rowsIn;
using testsupport::runSql;

namespace {

ToGetDB& db() { return ToGetDB::returnToGetDB(); }

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (auto entries = platform::FolderLister::list(folder))
        for (const auto& entry : *entries) names.push_back(entry.name);
    return names;
}

// A second connection that keeps a database as a running browser would.
class HeldDatabase {
public:
    explicit HeldDatabase(const std::string& path) { sqlite3_open(path.c_str(), &handle_); }
    ~HeldDatabase() { sqlite3_close(handle_); }
    void run(const std::string& sql) { ASSERT_EQ(sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK); }

private:
    sqlite3* handle_ = nullptr;
};

}  // namespace

// Every count method reads the table its browser keeps the item in.
TEST(ToGetDB, CountsTheRowsOfEachBrowsersTables) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    const std::string history = folder / "History";
    testsupport::makeChromeHistory(history, 4, 2);
    const std::string login = folder / "Login Data";
    runSql(login, "create table logins(id integer);" + testsupport::insertRows("logins", 3));
    const std::string cookies = folder / "Cookies";
    runSql(cookies, "create table cookies(id integer);" + testsupport::insertRows("cookies", 5));
    const std::string webData = folder / "Web Data";
    runSql(webData, "create table keyword_search_terms(id integer);" + testsupport::insertRows("keyword_search_terms", 6));
    const std::string places = folder / "places.sqlite";
    testsupport::makeFirefoxPlaces(places, 7, 8, 9);

    const std::vector<std::tuple<const char*, std::function<int(const std::string&)>, std::string, int>> cases = {
        {"Google history", [](auto& p) { return db().getGoogleHistoryItems(p); }, history, 4},
        {"Google downloads", [](auto& p) { return db().getGoogleDownloadItems(p); }, history, 2},
        {"Google passwords", [](auto& p) { return db().getGooglePasswordItems(p); }, login, 3},
        {"Google cookies", [](auto& p) { return db().getGoogleCookiesItems(p); }, cookies, 5},
        {"QQ history (urls)", [](auto& p) { return db().getQQBrowserHistoryItems(p); }, history, 4},
        {"Edge downloads", [](auto& p) { return db().getEdgeDownloadItems(p); }, history, 2},
        {"Chromium cookies", [](auto& p) { return db().getChromiumCookiesItems(p); }, cookies, 5},
        {"Opera history", [](auto& p) { return db().getOperaHistoryItems(p); }, history, 4},
        {"Opera passwords (search terms)", [](auto& p) { return db().getOperaPasswordItems(p); }, webData, 6},
        {"Firefox history", [](auto& p) { return db().getFirefoxHistoryItems(p); }, places, 7},
        {"Firefox downloads", [](auto& p) { return db().getFirefoxDownloadItmes(p); }, places, 8},
        {"Firefox passwords", [](auto& p) { return db().getFirefoxPasswordItems(p); }, places, 9},
    };
    for (const auto& [what, count, path, expected] : cases) EXPECT_EQ(count(path), expected) << what;
}

// Deleting empties every table of the item, and goes on past a table the database lacks.
TEST(ToGetDB, DeletesEveryStatementEvenAfterOneFails) {
    testsupport::ScopedEnvironment environment;
    const std::string history = environment.folder() / "History";
    testsupport::makeChromeHistory(history, 4, 2);
    EXPECT_TRUE(db().toDeleteHistoryWith(history));
    EXPECT_EQ(rowsIn(history, "visits"), 0);
    EXPECT_EQ(rowsIn(history, "visit_source"), 0);
    EXPECT_EQ(rowsIn(history, "urls"), 0);
    EXPECT_EQ(rowsIn(history, "downloads"), 2);
    EXPECT_TRUE(db().edgeDeleteDownloadWith(history));
    EXPECT_EQ(rowsIn(history, "downloads_url_chains"), 0);

    const std::string older = environment.folder() / "Older History";
    runSql(older, "create table urls(id integer); create table visits(id integer);" +
                      testsupport::insertRows("urls", 3) + testsupport::insertRows("visits", 3));
    testsupport::LogCapture log;
    EXPECT_FALSE(db().toDeleteHistoryWith(older));
    EXPECT_EQ(rowsIn(older, "urls"), 0);
    EXPECT_EQ(rowsIn(older, "visits"), 0);
    EXPECT_TRUE(log.contains("delete base error: delete from visit_source"));
}

// A database that is not there is never made; anything else in its place only fails.
TEST(ToGetDB, MissingOrForeignFilesCountNothingAndAreLeftAsTheyAre) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    testsupport::LogCapture log;
    const std::string missing = folder / "profile/History";
    folder.makeFolder("profile");
    EXPECT_EQ(db().getGoogleHistoryItems(missing), 0);
    EXPECT_FALSE(db().toDeleteHistoryWith(missing));
    EXPECT_FALSE(db().qqBrowserDeleteCookiesWith(missing));
    EXPECT_FALSE(db().edgeDeletePasswordWith(missing));
    EXPECT_TRUE(namesIn(folder / "profile").empty());
    EXPECT_TRUE(log.contains("打开数据库失败！"));
    EXPECT_TRUE(log.contains("QQ Browser: 打开数据库失败！"));
    EXPECT_TRUE(log.contains("Edge: 打开数据库失败！"));

    const std::string text = folder.writeFile("text/History", "not a database at all\n");
    const std::string directory = folder.makeFolder("directory/History");
    for (const auto& path : {text, directory}) {
        EXPECT_EQ(db().getEdgeHistoryItems(path), 0) << path;
        EXPECT_FALSE(db().toDeletePasswordWith(path)) << path;
    }
    EXPECT_EQ(testsupport::readWholeFile(text), "not a database at all\n");
    EXPECT_EQ(namesIn(folder / "text"), std::vector<std::string>{"History"});
}

// A browser holding its database locked makes both fail after a short wait, never hang.
TEST(ToGetDB, ADatabaseHeldExclusivelyFailsWithinTheTimeout) {
    testsupport::ScopedEnvironment environment;
    const std::string cookies = environment.folder() / "Cookies";
    runSql(cookies, "create table cookies(id integer);" + testsupport::insertRows("cookies", 5));
    HeldDatabase browser(cookies);
    browser.run("begin exclusive; insert into cookies default values;");
    EXPECT_EQ(db().getGoogleCookiesItems(cookies), 0);
    EXPECT_FALSE(db().toDeleteGoogleCookiesWith(cookies));
    browser.run("commit;");
    EXPECT_EQ(rowsIn(cookies, "cookies"), 6);
}

// Safari's history is counted on a private copy: visits of items only, the log's rows too, and
// nothing is left behind.
TEST(ToGetDB, SafariCountsVisitsOfItemsOnAPrivateCopy) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    folder.makeFolder("Safari");
    const std::string history = folder / "Safari/History.db";
    testsupport::makeSafariHistory(history, {3, 2}, 1);
    EXPECT_EQ(db().getSafariBrowsingHistoryItems(history), 5);

    // Safari running: new visits still only in its write-ahead log.
    HeldDatabase safari(history);
    safari.run("pragma journal_mode=wal; pragma wal_autocheckpoint=0;");
    safari.run("insert into history_visits(history_item) values(1); insert into history_visits(history_item) values(2);");
    EXPECT_EQ(db().getSafariBrowsingHistoryItems(history), 7);
    const auto names = namesIn(folder / "Safari");
    EXPECT_EQ(names, (std::vector<std::string>{"History.db", "History.db-shm", "History.db-wal"}));
    EXPECT_TRUE(namesIn(environment.environment().runtimeFolder()).empty());

    testsupport::LogCapture log;
    EXPECT_EQ(db().getSafariBrowsingHistoryItems(folder / "Safari/Missing.db"), -1);
    EXPECT_TRUE(log.contains("Safari: 数据库文件不存在: "));
    const std::string broken = folder.writeFile("Broken/History.db", "garbage");
    EXPECT_EQ(db().getSafariBrowsingHistoryItems(broken), -1);
    EXPECT_TRUE(namesIn(environment.environment().runtimeFolder()).empty());

    EXPECT_TRUE(db().safariDeleteHistoryWith(history));
    EXPECT_EQ(db().getSafariBrowsingHistoryItems(history), 0);
}

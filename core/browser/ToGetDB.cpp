#include "core/browser/ToGetDB.h"

#include "platform/files/PathText.h"
#include "platform/files/PrivateTemporaryFolder.h"
#include "platform/files/RegularFile.h"
#include "platform/system/Log.h"
#include "platform/system/SqliteLibrary.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

namespace core::browser {
namespace {

using platform::logInfo;
using platform::logWarning;

// Reached only through an open Database, once the library is loaded.
const platform::SqliteLibrary& sqlite() { return *platform::SqliteLibrary::loaded(); }

// How long a statement waits for a browser that holds the database locked.
constexpr int kBusyTimeoutMilliseconds = 1000;

constexpr const char* kOpenFailed = "打开数据库失败！";
constexpr const char* kQQBrowserOpenFailed = "QQ Browser: 打开数据库失败！";
constexpr const char* kEdgeOpenFailed = "Edge: 打开数据库失败！";

struct CountQuery {
    const char* statement;
    const char* openFailure;  // the line logged when the file cannot be opened; null: none
    bool logsCount;           // logs "------<count>"
};

struct DeleteQuery {
    std::array<const char*, 3> statements;  // run in order; null ends the list
    const char* openFailure;
};

// Every statement the browser items count and delete with.
constexpr CountQuery kGoogleHistory{"select count(*) from visits", kOpenFailed, true};
constexpr CountQuery kGoogleDownloads{"select count(*) from downloads", kOpenFailed, true};
constexpr CountQuery kGooglePasswords{"select count(*) from logins", kOpenFailed, true};
constexpr CountQuery kGoogleCookies{"select count(*) from cookies", kOpenFailed, true};
constexpr CountQuery kQQBrowserHistory{"select count(*) from urls", nullptr, false};
constexpr CountQuery kQQBrowserDownloads{"select count(*) from downloads", nullptr, false};
constexpr CountQuery kQQBrowserCookies{"select count(*) from cookies", nullptr, false};
constexpr CountQuery kOperaHistory{"select count(*) from urls", kOpenFailed, true};
constexpr CountQuery kOperaDownloads{"select count(*) from downloads", kOpenFailed, true};
constexpr CountQuery kOperaPasswords{"select count(*) from keyword_search_terms", nullptr, true};
constexpr CountQuery kFirefoxHistory{"select count(*) from moz_historyvisits", kOpenFailed, true};
constexpr CountQuery kFirefoxDownloads{"select count(*) from moz_annos", kOpenFailed, true};
constexpr CountQuery kFirefoxPasswords{"select count(*) from moz_keywords", kOpenFailed, true};
constexpr const char* kSafariHistory =
    "select count(history_visits.history_item) as count_url from history_items,history_visits where "
    "history_visits.history_item==history_items.id group by history_visits.history_item";

constexpr DeleteQuery kDeleteHistory{{"delete from visits", "delete from visit_source", "delete from urls"},
                                     kOpenFailed};
constexpr DeleteQuery kDeleteDownloads{{"delete from downloads", "delete from downloads_url_chains", nullptr},
                                       kOpenFailed};
constexpr DeleteQuery kDeleteCookies{{"delete from cookies", nullptr, nullptr}, kOpenFailed};
constexpr DeleteQuery kDeletePasswords{{"delete from logins", nullptr, nullptr}, kOpenFailed};
constexpr DeleteQuery kQQBrowserDeleteHistory{kDeleteHistory.statements, kQQBrowserOpenFailed};
constexpr DeleteQuery kQQBrowserDeleteDownloads{kDeleteDownloads.statements, kQQBrowserOpenFailed};
constexpr DeleteQuery kQQBrowserDeleteCookies{kDeleteCookies.statements, kQQBrowserOpenFailed};
constexpr DeleteQuery kQQBrowserDeletePasswords{kDeletePasswords.statements, kQQBrowserOpenFailed};
constexpr DeleteQuery kEdgeDeletePasswords{kDeletePasswords.statements, kEdgeOpenFailed};
constexpr DeleteQuery kOperaDeleteHistory{{"delete from urls", "delete from visits", nullptr}, kOpenFailed};
constexpr DeleteQuery kOperaDeletePasswords{{"delete from keyword_search_terms", nullptr, nullptr}, kOpenFailed};
constexpr DeleteQuery kFirefoxDeleteHistory{{"delete from moz_historyvisits", nullptr, nullptr}, kOpenFailed};
constexpr DeleteQuery kFirefoxDeleteDownloads{{"delete from moz_annos", nullptr, nullptr}, kOpenFailed};
constexpr DeleteQuery kFirefoxDeletePasswords{{"delete from moz_keywords", nullptr, nullptr}, kOpenFailed};
constexpr DeleteQuery kSafariDeleteHistory{{"delete from history_items", "delete from history_visits", nullptr},
                                           kOpenFailed};

// One open database, closed when it goes out of scope. Only an existing regular file is opened
// (a link to one is followed): SQLite would wait forever on a FIFO in its place.
class Database {
public:
    Database(const std::string& path, int flags) {
        struct stat info {};
        if (stat(path.c_str(), &info) != 0) return;
        if (!S_ISREG(info.st_mode)) {
            logWarning("not a database file: " + path);
            return;
        }
        if (!platform::SqliteLibrary::loaded()) return;
        if (sqlite().sqlite3_open_v2(path.c_str(), &handle_, flags, nullptr) != SQLITE_OK) {
            sqlite().sqlite3_close(handle_);
            handle_ = nullptr;
            return;
        }
        sqlite().sqlite3_busy_timeout(handle_, kBusyTimeoutMilliseconds);
    }
    ~Database() {
        if (handle_) sqlite().sqlite3_close(handle_);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    sqlite3* get() const { return handle_; }
    std::string error() const { return sqlite().sqlite3_errmsg(handle_); }

private:
    sqlite3* handle_ = nullptr;
};

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(const Database& database, const char* text) {
        if (sqlite().sqlite3_prepare_v2(database.get(), text, -1, &statement_, nullptr) != SQLITE_OK) statement_ = nullptr;
    }
    ~Statement() {
        if (statement_) sqlite().sqlite3_finalize(statement_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isPrepared() const { return statement_ != nullptr; }
    int step() { return sqlite().sqlite3_step(statement_); }
    int columnInt() const { return sqlite().sqlite3_column_int(statement_, 0); }

private:
    sqlite3_stmt* statement_ = nullptr;
};

void logOpenFailure(const char* line) {
    if (line) logWarning(line);
}

int countRows(const std::string& path, const CountQuery& query) {
    Database database(path, SQLITE_OPEN_READONLY);
    if (!database.isOpen()) {
        logOpenFailure(query.openFailure);
        return 0;
    }
    Statement statement(database, query.statement);
    if (!statement.isPrepared()) {
        logWarning("cannot count in " + path + ": " + query.statement + ": " + database.error());
        return 0;
    }
    const int result = statement.step();
    if (result != SQLITE_ROW) {
        logWarning("cannot count in " + path + ": " + query.statement + ": " + database.error());
        return 0;
    }
    const int count = statement.columnInt();
    if (query.logsCount) logInfo("------" + std::to_string(count));
    return count;
}

bool deleteRows(const std::string& path, const DeleteQuery& query) {
    Database database(path, SQLITE_OPEN_READWRITE);
    if (!database.isOpen()) {
        logOpenFailure(query.openFailure);
        return false;
    }
    bool finished = true;
    for (size_t i = 0; i < query.statements.size() && query.statements[i]; ++i) {
        const char* text = query.statements[i];
        Statement statement(database, text);
        if (statement.isPrepared() && statement.step() == SQLITE_DONE) continue;
        finished = false;
        const std::string failure = std::string(text) + " in " + path + " (" + database.error() + ")";
        logWarning((i == 0 ? "delete time error: " : "delete base error: ") + failure);
    }
    return finished;
}

// Adds up the visits per history item of a database copy; nothing when it cannot be read.
std::optional<int> sumSafariVisits(const Database& database) {
    Statement statement(database, kSafariHistory);
    if (!statement.isPrepared()) return std::nullopt;
    int sum = 0;
    int result;
    while ((result = statement.step()) == SQLITE_ROW) sum += statement.columnInt();
    if (result != SQLITE_DONE) return std::nullopt;
    return sum;
}

}  // namespace

ToGetDB& ToGetDB::returnToGetDB() {
    static ToGetDB instance;
    return instance;
}

int ToGetDB::getGoogleHistoryItems(const std::string& path) { return countRows(path, kGoogleHistory); }
int ToGetDB::getGoogleDownloadItems(const std::string& path) {
    logInfo("path:------" + path);
    return countRows(path, kGoogleDownloads);
}
int ToGetDB::getGooglePasswordItems(const std::string& path) { return countRows(path, kGooglePasswords); }
int ToGetDB::getGoogleCookiesItems(const std::string& path) { return countRows(path, kGoogleCookies); }
int ToGetDB::getQQBrowserHistoryItems(const std::string& path) { return countRows(path, kQQBrowserHistory); }
int ToGetDB::getQQBrowserDownloadItems(const std::string& path) { return countRows(path, kQQBrowserDownloads); }
int ToGetDB::getQQBrowserCookiesItems(const std::string& path) { return countRows(path, kQQBrowserCookies); }
int ToGetDB::getEdgeHistoryItems(const std::string& path) { return getQQBrowserHistoryItems(path); }
int ToGetDB::getEdgeDownloadItems(const std::string& path) { return getQQBrowserDownloadItems(path); }
int ToGetDB::getEdgeCookiesItems(const std::string& path) { return getQQBrowserCookiesItems(path); }
int ToGetDB::getChromiumHistoryItems(const std::string& path) { return getQQBrowserHistoryItems(path); }
int ToGetDB::getChromiumDownloadItems(const std::string& path) { return getQQBrowserDownloadItems(path); }
int ToGetDB::getChromiumCookiesItems(const std::string& path) { return getQQBrowserCookiesItems(path); }
int ToGetDB::getOperaHistoryItems(const std::string& path) { return countRows(path, kOperaHistory); }
int ToGetDB::getOperaDownloadItems(const std::string& path) { return countRows(path, kOperaDownloads); }
int ToGetDB::getOperaPasswordItems(const std::string& path) { return countRows(path, kOperaPasswords); }
int ToGetDB::getFirefoxHistoryItems(const std::string& path) { return countRows(path, kFirefoxHistory); }
int ToGetDB::getFirefoxDownloadItmes(const std::string& path) { return countRows(path, kFirefoxDownloads); }
int ToGetDB::getFirefoxPasswordItems(const std::string& path) { return countRows(path, kFirefoxPasswords); }

int ToGetDB::getSafariBrowsingHistoryItems(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        logWarning("Safari: 数据库文件不存在: " + path);
        return -1;
    }
    // A private folder, so the copy never lies beside Safari's files; it goes with the folder.
    platform::PrivateTemporaryFolder folder("safari-history-");
    const std::string copy = platform::joinPath(folder.path(), "deziv_back_" + platform::lastPathComponent(path));
    if (!folder.isMade() || !platform::copyRegularFile(path, copy)) {
        logWarning(std::string("Safari: 复制数据库失败,浏览器可能正在运行. error: ") + std::strerror(errno));
        return -1;
    }
    // The side files hold what Safari has not yet written into the database; they may not exist.
    for (const char* suffix : {"-wal", "-shm"}) platform::copyRegularFile(path + suffix, copy + suffix);
    Database database(copy, SQLITE_OPEN_READWRITE);
    if (!database.isOpen()) {
        logWarning("Safari: 打开数据库失败！");
        return -1;
    }
    auto sum = sumSafariVisits(database);
    if (!sum) {
        logWarning("Safari: cannot count the visits in " + path + ": " + database.error());
        return -1;
    }
    return *sum;
}

bool ToGetDB::toDeleteHistoryWith(const std::string& path) { return deleteRows(path, kDeleteHistory); }
bool ToGetDB::toDeleteDownloadWith(const std::string& path) { return deleteRows(path, kDeleteDownloads); }
bool ToGetDB::toDeleteGoogleCookiesWith(const std::string& path) { return deleteRows(path, kDeleteCookies); }
bool ToGetDB::toDeletePasswordWith(const std::string& path) { return deleteRows(path, kDeletePasswords); }
bool ToGetDB::qqBrowserDeleteHistoryWith(const std::string& path) { return deleteRows(path, kQQBrowserDeleteHistory); }
bool ToGetDB::qqBrowserDeleteDownloadWith(const std::string& path) {
    return deleteRows(path, kQQBrowserDeleteDownloads);
}
bool ToGetDB::qqBrowserDeleteCookiesWith(const std::string& path) { return deleteRows(path, kQQBrowserDeleteCookies); }
bool ToGetDB::qqBrowserDeletePasswordWith(const std::string& path) {
    return deleteRows(path, kQQBrowserDeletePasswords);
}
bool ToGetDB::edgeDeleteHistoryWith(const std::string& path) { return qqBrowserDeleteHistoryWith(path); }
bool ToGetDB::edgeDeleteDownloadWith(const std::string& path) { return qqBrowserDeleteDownloadWith(path); }
bool ToGetDB::edgeDeleteCookiesWith(const std::string& path) { return qqBrowserDeleteCookiesWith(path); }
bool ToGetDB::edgeDeletePasswordWith(const std::string& path) { return deleteRows(path, kEdgeDeletePasswords); }
bool ToGetDB::chromiumDeleteHistoryWith(const std::string& path) { return qqBrowserDeleteHistoryWith(path); }
bool ToGetDB::chromiumDeleteDownloadWith(const std::string& path) { return qqBrowserDeleteDownloadWith(path); }
bool ToGetDB::chromiumDeleteCookiesWith(const std::string& path) { return qqBrowserDeleteCookiesWith(path); }
bool ToGetDB::chromiumDeletePasswordWith(const std::string& path) { return qqBrowserDeletePasswordWith(path); }
bool ToGetDB::operaDeleteHistoryWith(const std::string& path) { return deleteRows(path, kOperaDeleteHistory); }
bool ToGetDB::operaDeleteDownloadWith(const std::string& path) { return deleteRows(path, kDeleteDownloads); }
bool ToGetDB::operaDeletePasswordWith(const std::string& path) { return deleteRows(path, kOperaDeletePasswords); }
bool ToGetDB::firefoxDeleteHistoryWith(const std::string& path) { return deleteRows(path, kFirefoxDeleteHistory); }
bool ToGetDB::firefoxDeleteDownloadWith(const std::string& path) { return deleteRows(path, kFirefoxDeleteDownloads); }
bool ToGetDB::firefoxDeletePasswordWith(const std::string& path) { return deleteRows(path, kFirefoxDeletePasswords); }
bool ToGetDB::safariDeleteHistoryWith(const std::string& path) { return deleteRows(path, kSafariDeleteHistory); }

}  // namespace core::browser

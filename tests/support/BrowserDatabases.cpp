#include "support/BrowserDatabases.h"

#include <sqlite3.h>

#include <stdexcept>

namespace testsupport {

void runSql(const std::string& path, const std::string& sql) {
    sqlite3* database = nullptr;
    int result = sqlite3_open(path.c_str(), &database);
    char* error = nullptr;
    // One transaction: one write to the disk instead of one per row.
    const std::string transaction = "begin;" + sql + "commit;";
    if (result == SQLITE_OK) result = sqlite3_exec(database, transaction.c_str(), nullptr, nullptr, &error);
    std::string message = error ? error : sqlite3_errmsg(database);
    sqlite3_free(error);
    sqlite3_close(database);
    if (result != SQLITE_OK) throw std::runtime_error("SQL failed on " + path + ": " + message);
}

std::string insertRows(const std::string& table, int count) {
    std::string sql;
    for (int i = 0; i < count; ++i) sql += "insert into " + table + " default values;";
    return sql;
}

int rowsIn(const std::string& path, const std::string& table) {
    sqlite3* database = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        const std::string sql = "select count(*) from " + table;
        if (sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            rows = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return rows;
}

void makeChromeHistory(const std::string& path, int visits, int downloads) {
    runSql(path,
           "create table urls(id integer primary key, url text);"
           "create table visits(id integer primary key, url integer);"
           "create table visit_source(id integer primary key, source integer);"
           "create table downloads(id integer primary key, target_path text);"
           "create table downloads_url_chains(id integer, chain_index integer, url text);" +
               insertRows("urls", visits) + insertRows("visits", visits) + insertRows("visit_source", visits) +
               insertRows("downloads", downloads) + insertRows("downloads_url_chains", downloads));
}

void makeFirefoxPlaces(const std::string& path, int visits, int annotations, int keywords) {
    runSql(path,
           "create table moz_historyvisits(id integer primary key, place_id integer);"
           "create table moz_annos(id integer primary key, content text);"
           "create table moz_keywords(id integer primary key, keyword text);" +
               insertRows("moz_historyvisits", visits) + insertRows("moz_annos", annotations) +
               insertRows("moz_keywords", keywords));
}

void makeSafariHistory(const std::string& path, std::initializer_list<int> visitsPerItem, int orphans) {
    std::string sql =
        "create table history_items(id integer primary key, url text);"
        "create table history_visits(id integer primary key, history_item integer);";
    int item = 0;
    for (int visits : visitsPerItem) {
        ++item;
        sql += "insert into history_items(id) values(" + std::to_string(item) + ");";
        for (int i = 0; i < visits; ++i)
            sql += "insert into history_visits(history_item) values(" + std::to_string(item) + ");";
    }
    for (int i = 0; i < orphans; ++i) sql += "insert into history_visits(history_item) values(999);";
    runSql(path, sql);
}

}  // namespace testsupport

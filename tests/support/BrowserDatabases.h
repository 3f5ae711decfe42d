#pragma once

#include <string>

namespace testsupport {

// Runs SQL in one transaction on a database file, creating it when missing; throws with SQLite's
// message on failure.
void runSql(const std::string& path, const std::string& sql);
// "insert into <table> default values;" repeated count times.
std::string insertRows(const std::string& table, int count);
// The rows of a table now; -1 when the database or the table cannot be read.
int rowsIn(const std::string& path, const std::string& table);

// The browsers' databases in the schemas the cleaner's statements use, with rows in them.
// A Chrome-family "History": visits, urls, visit_source, downloads, downloads_url_chains.
void makeChromeHistory(const std::string& path, int visits, int downloads);
// A Firefox "places.sqlite": moz_historyvisits, moz_annos, moz_keywords.
void makeFirefoxPlaces(const std::string& path, int visits, int annotations, int keywords);
// A Safari "History.db": each count is one history item's visits; orphans are visits of no item.
void makeSafariHistory(const std::string& path, std::initializer_list<int> visitsPerItem, int orphans);

}  // namespace testsupport

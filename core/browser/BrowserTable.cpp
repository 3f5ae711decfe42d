#include "core/browser/BrowserTable.h"

#include "core/browser/UserPath.h"

#include <algorithm>

namespace core::browser {

const std::vector<BrowserTable::Row>& BrowserTable::rows() {
    static const std::vector<Row> table = {
        {"Microsoft Edge Canary", "Microsoft Edge Canary",
         "/Users/%@/Library/Application Support/Microsoft Edge Canary", {}, {}, Lock::SingletonLock},
        {"Microsoft Edge Dev", "Microsoft Edge Dev", "/Users/%@/Library/Application Support/Microsoft Edge Dev",
         {"microsoft-edge-dev"}, {}, Lock::SingletonLock},
        {"Microsoft Edge Beta", "Microsoft Edge Beta", "/Users/%@/Library/Application Support/Microsoft Edge Beta",
         {"microsoft-edge-beta"}, {}, Lock::SingletonLock},
        {"Microsoft Edge", "Microsoft Edge", "/Users/%@/Library/Application Support/Microsoft Edge",
         {"microsoft-edge"}, {}, Lock::SingletonLock},
        {"Google Chrome", "Google Chrome", "/Users/%@/Library/Application Support/Google/Chrome", {"google-chrome"},
         {"/Users/%@/Library/Caches/Google/Chrome"}, Lock::SingletonLock},
        {"Firefox", "Firefox", "/Users/%@/Library/Application Support/Firefox/Profiles", {"firefox-esr", "firefox"},
         {"/Users/%@/Library/Caches/Firefox/Profiles"}, Lock::FirefoxProfile},
        {"QQ Browser", "QQ Browser", "/Users/%@/Library/Application Support/QQBrowser2", {}, {}, Lock::SingletonLock},
        {"Chromium", "Chromium", "/Users/%@/Library/Application Support/Chromium", {"chromium"},
         {"/Users/%@/Library/Caches/Chromium"}, Lock::SingletonLock},
        {"Opera", "Opera", "", {"opera"},
         {"/Users/%@/Library/Application Support/com.operasoftware.Opera", "/Users/%@/Library/Caches"},
         Lock::SingletonLock},
        {"Safari", "Safari", "", {},
         {"/Users/%@/Library/Safari", "/Users/%@/Library/Cookies", "/Users/%@/Library/WebKit",
          "/Users/%@/Library/Caches"}},
    };
    return table;
}

const BrowserTable::Row* BrowserTable::rowForDisplayName(std::string_view displayName) {
    for (const auto& row : rows())
        if (displayName.find(row.nameTest) != std::string_view::npos) return &row;
    return nullptr;
}

const BrowserTable::Row* BrowserTable::rowForDesktopId(std::string_view id) {
    for (const auto& row : rows())
        if (std::find(row.desktopIds.begin(), row.desktopIds.end(), id) != row.desktopIds.end()) return &row;
    return nullptr;
}

const BrowserTable::Row* BrowserTable::rowForKey(std::string_view key) {
    for (const auto& row : rows())
        if (row.key == key) return &row;
    return nullptr;
}

std::string BrowserTable::browserName(const Row& row, const std::string& displayName) {
    return row.key == "Microsoft Edge" ? row.key : displayName;
}

std::string BrowserTable::dataRootPath(const Row& row) {
    return row.hasProfiles() ? userPath(row.dataRoot) : std::string();
}

std::vector<std::string> BrowserTable::itemRootPaths(const Row& row) {
    std::vector<std::string> roots;
    if (row.hasProfiles()) roots.push_back(dataRootPath(row));
    for (const auto& root : row.itemRoots) roots.push_back(userPath(root));
    return roots;
}

}  // namespace core::browser

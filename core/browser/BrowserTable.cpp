#include "core/browser/BrowserTable.h"

#include "core/browser/UserPath.h"

#include <algorithm>

namespace core::browser {

const std::vector<BrowserTable::Row>& BrowserTable::rows() {
    static const std::vector<Row> table = {
        {"Microsoft Edge Canary", "Microsoft Edge Canary",
         "/Users/%@/Library/Application Support/Microsoft Edge Canary", {}},
        {"Microsoft Edge Dev", "Microsoft Edge Dev", "/Users/%@/Library/Application Support/Microsoft Edge Dev",
         {"microsoft-edge-dev"}},
        {"Microsoft Edge Beta", "Microsoft Edge Beta", "/Users/%@/Library/Application Support/Microsoft Edge Beta",
         {"microsoft-edge-beta"}},
        {"Microsoft Edge", "Microsoft Edge", "/Users/%@/Library/Application Support/Microsoft Edge",
         {"microsoft-edge"}},
        {"Google Chrome", "Google Chrome", "/Users/%@/Library/Application Support/Google/Chrome", {"google-chrome"}},
        {"Firefox", "Firefox", "/Users/%@/Library/Application Support/Firefox/Profiles", {"firefox-esr", "firefox"}},
        {"QQ Browser", "QQ Browser", "/Users/%@/Library/Application Support/QQBrowser2", {}},
        {"Chromium", "Chromium", "/Users/%@/Library/Application Support/Chromium", {"chromium"}},
        {"Opera", "Opera", "", {"opera"}},
        {"Safari", "Safari", "", {}},
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

}  // namespace core::browser

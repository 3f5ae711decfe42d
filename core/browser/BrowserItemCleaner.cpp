#include "core/browser/BrowserItemCleaner.h"

#include "core/browser/BrowserTable.h"
#include "core/browser/ProfileLock.h"
#include "core/browser/ToGetDB.h"
#include "core/browser/UserPath.h"
#include "core/kit/CommUti.h"
#include "platform/files/ChosenItem.h"
#include "platform/files/FolderLister.h"
#include "platform/files/FolderReader.h"
#include "platform/files/ItemRemoval.h"
#include "platform/files/LinkFreePath.h"
#include "platform/files/PathText.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/system/PlistValue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace core::browser {
namespace {

using platform::logInfo;
using platform::logWarning;

enum class Family { Chrome, Firefox, QQBrowser, Edge, Chromium, Opera, Safari, None };

Family familyOf(const std::string& browserKey) {
    if (browserKey == "Google Chrome") return Family::Chrome;
    if (browserKey == "Firefox") return Family::Firefox;
    if (browserKey == "QQ Browser") return Family::QQBrowser;
    if (browserKey.rfind("Microsoft Edge", 0) == 0) return Family::Edge;
    if (browserKey == "Chromium") return Family::Chromium;
    if (browserKey == "Opera") return Family::Opera;
    if (browserKey == "Safari") return Family::Safari;
    return Family::None;
}

enum class Measure {
    Empty,            // no size text
    ZeroItems,        // "0项"
    Count,            // the count method on the first measured place, "%d项"
    Bytes,            // the sum of the measured places, a size text
    CacheEntries,     // the entries of the cache folders whose name holds "cache"
    SafariHistory,    // Safari's visits, plus one for a recently-closed-tabs list
    SafariDownloads,  // the entries of the first measured place's "DownloadHistory"
};

using CountMethod = int (ToGetDB::*)(const std::string&);
using DeleteMethod = bool (ToGetDB::*)(const std::string&);

// Where a row holds. The browsers' Linux builds keep some items elsewhere than their Mac
// builds do: on a Linux desktop a native row stands for the row of the same family and key.
enum class Where { Everywhere, Natively };

// Places are written "U" (the item's own path: its data path, or the list's template), "U/<name>"
// (below it), "P" (the profile folder), "P/<name>" (in it) or as a macOS path template whose
// "%@" are the login name, then the profile folder's name. "A|B" is the first of the places
// that is there, else the first.
struct Rule {
    Family family;
    const char* key;  // null: every key of the family without a row of its own
    Measure measure;
    CountMethod count;
    std::vector<const char*> measured;
    DeleteMethod erase;               // run on the first database place
    std::vector<const char*> databases;
    std::vector<const char*> removed;  // removed whole
    // Folders whose entries named with "cache" are the item: measured and removed, never the
    // folders themselves.
    std::vector<const char*> cacheFolders;
    Where where = Where::Everywhere;
};

constexpr const char* kRecentlyClosedTabs = "/Users/%@/Library/Safari/RecentlyClosedTabs.plist";
// Current Chromium builds keep the cookie database in the profile's "Network" folder.
constexpr const char* kChromiumCookies = "P/Cookies|P/Network/Cookies";
constexpr const char* kOperaCookies = "U|/Users/%@/Library/Application Support/com.operasoftware.Opera/Network/Cookies";
// Firefox's local folder of a profile, which holds its network cache ("cache2").
constexpr const char* kFirefoxLocalProfile = "/Users/%@/Library/Caches/Firefox/Profiles/%@";
// Firefox writes its session compressed, with the backups of the last ones beside it.
const std::vector<const char*> kFirefoxSessions = {"P/sessionstore.js", "P/sessionstore.jsonlz4",
                                                   "P/sessionstore-backups"};

using M = Measure;
using DB = ToGetDB;

// The rows shared by the Chromium-based families but for their count and delete methods.
std::vector<Rule> chromiumLikeRules(Family family, CountMethod history, CountMethod downloads, CountMethod cookies,
                                    DeleteMethod eraseHistory, DeleteMethod eraseDownloads,
                                    DeleteMethod eraseCookies, DeleteMethod erasePasswords) {
    return {
        {family, "Browsing History", M::Count, history, {"P/History"}, eraseHistory, {"U"}, {}, {}},
        {family, "Downloads History", M::Count, downloads, {"P/History"}, eraseDownloads, {"U"}, {}, {}},
        {family, "Save Password", M::Count, &DB::getGooglePasswordItems, {"P/Login Data"}, erasePasswords, {"U"}, {}, {}},
        {family, "Cookies", M::Count, cookies, {"P/Cookies"}, eraseCookies, {"U"}, {}, {}},
        {family, "Cookies", M::Count, cookies, {kChromiumCookies}, eraseCookies, {kChromiumCookies}, {}, {},
         Where::Natively},
        {family, "Session", M::Bytes, nullptr, {"P/Sessions"}, nullptr, {}, {"U"}, {}},
        {family, "Local Storage", M::Bytes, nullptr, {"P/Local Storage"}, nullptr, {}, {"U"}, {}},
        {family, nullptr, M::Empty, nullptr, {}, nullptr, {}, {}, {}},
    };
}

std::vector<Rule> makeRules() {
    std::vector<Rule> rules = {
        {Family::Chrome, "Browsing History", M::Count, &DB::getGoogleHistoryItems, {"P/History"},
         &DB::toDeleteHistoryWith, {"U"}, {}, {}},
        {Family::Chrome, "Downloads History", M::Count, &DB::getGoogleDownloadItems, {"P/History"},
         &DB::toDeleteDownloadWith, {"U"}, {}, {}},
        {Family::Chrome, "Save Password", M::Count, &DB::getGooglePasswordItems, {"P/Login Data"},
         &DB::toDeletePasswordWith, {"U"}, {}, {}},
        {Family::Chrome, "Cookies", M::Count, &DB::getGoogleCookiesItems, {"P/Cookies"},
         &DB::toDeleteGoogleCookiesWith, {"U"}, {}, {}},
        {Family::Chrome, "Cookies", M::Count, &DB::getGoogleCookiesItems, {kChromiumCookies},
         &DB::toDeleteGoogleCookiesWith, {kChromiumCookies}, {}, {}, Where::Natively},
        {Family::Chrome, "Session", M::Bytes, nullptr, {"P/Sessions"}, nullptr, {}, {"P/Sessions", "P/Session Storage"}, {}},
        {Family::Chrome, "Session Storage", M::Bytes, nullptr, {"P/Session Storage"}, nullptr, {}, {"U"}, {}},
        {Family::Chrome, "Local Storage", M::Bytes, nullptr, {"P/Local Storage"}, nullptr, {}, {"U"}, {}},
        {Family::Chrome, "Caches", M::Bytes, nullptr, {"U"}, nullptr, {}, {"U"}, {}},
        {Family::Chrome, nullptr, M::Empty, nullptr, {}, nullptr, {}, {}, {}},

        {Family::Firefox, "Caches", M::CacheEntries, nullptr, {}, nullptr, {}, {}, {"P"}},
        {Family::Firefox, "Caches", M::CacheEntries, nullptr, {}, nullptr, {}, {}, {"P", kFirefoxLocalProfile},
         Where::Natively},
        {Family::Firefox, "Cookies", M::Bytes, nullptr, {"P/cookies.sqlite"}, nullptr, {}, {"P/cookies.sqlite"}, {}},
        {Family::Firefox, "Session", M::Bytes, nullptr, {"P/sessionstore.js"}, nullptr, {}, {"P/sessionstore.js"}, {}},
        {Family::Firefox, "Session", M::Bytes, nullptr, kFirefoxSessions, nullptr, {}, kFirefoxSessions, {},
         Where::Natively},
        {Family::Firefox, "Browsing History", M::Count, &DB::getFirefoxHistoryItems, {"P/places.sqlite"},
         &DB::firefoxDeleteHistoryWith, {"P/places.sqlite"}, {}, {}},
        {Family::Firefox, "Downloads History", M::Count, &DB::getFirefoxDownloadItmes, {"P/places.sqlite"},
         &DB::firefoxDeleteDownloadWith, {"P/places.sqlite"}, {}, {}},
        {Family::Firefox, "Save Password", M::Count, &DB::getFirefoxPasswordItems, {"P/places.sqlite"},
         &DB::firefoxDeletePasswordWith, {"P/places.sqlite"}, {}, {}},
        {Family::Firefox, nullptr, M::ZeroItems, nullptr, {}, nullptr, {}, {}, {}},

        {Family::Opera, "Browsing History", M::Count, &DB::getOperaHistoryItems, {"U"}, &DB::operaDeleteHistoryWith,
         {"U"}, {}, {}},
        {Family::Opera, "Downloads History", M::Count, &DB::getOperaDownloadItems, {"U"}, &DB::operaDeleteDownloadWith,
         {"U"}, {}, {}},
        {Family::Opera, "Save Password", M::Count, &DB::getOperaPasswordItems, {"U"}, &DB::operaDeletePasswordWith,
         {"U"}, {}, {}},
        {Family::Opera, "Session", M::Bytes, nullptr, {"U"}, nullptr, {}, {"U"}, {}},
        {Family::Opera, "Cookies", M::Bytes, nullptr, {"U"}, nullptr, {}, {"U"}, {}},
        {Family::Opera, "Cookies", M::Bytes, nullptr, {kOperaCookies}, nullptr, {}, {kOperaCookies}, {},
         Where::Natively},
        {Family::Opera, "Caches", M::Bytes, nullptr, {"U"}, nullptr, {}, {"U"}, {}},
        {Family::Opera, nullptr, M::Empty, nullptr, {}, nullptr, {}, {}, {}},

        {Family::Safari, "Caches", M::Bytes, nullptr, {"U/Metadata", "U/com.apple.Safari"}, nullptr, {},
         {"U/Metadata", "U/com.apple.Safari"}, {}},
        {Family::Safari, "Browsing History", M::SafariHistory, nullptr, {"U"}, &DB::safariDeleteHistoryWith, {"U"},
         {kRecentlyClosedTabs}, {}},
        {Family::Safari, "Downloads History", M::SafariDownloads, nullptr, {"/Users/%@/Library/Safari/Downloads.plist"},
         nullptr, {}, {"/Users/%@/Library/Safari/Downloads.plist"}, {}},
        {Family::Safari, "Cookies", M::Bytes, nullptr, {"/Users/%@/Library/Cookies/Cookies.binarycookies"}, nullptr, {},
         {"/Users/%@/Library/Cookies/Cookies.binarycookies"}, {}},
        {Family::Safari, "Local Storage", M::Bytes, nullptr, {"U"}, nullptr, {},
         {"/Users/%@/Library/Safari/LocalStorage", "/Users/%@/Library/WebKit/LocalStorage"}, {}},
        {Family::Safari, "Session", M::Bytes, nullptr, {"U"}, nullptr, {}, {"/Users/%@/Library/Safari/Sessions"}, {}},
        {Family::Safari, nullptr, M::Bytes, nullptr, {"U"}, nullptr, {}, {"U"}, {}},
    };
    auto add = [&](std::vector<Rule> more) { rules.insert(rules.end(), more.begin(), more.end()); };
    add(chromiumLikeRules(Family::QQBrowser, &DB::getQQBrowserHistoryItems, &DB::getQQBrowserDownloadItems,
                          &DB::getQQBrowserCookiesItems, &DB::qqBrowserDeleteHistoryWith,
                          &DB::qqBrowserDeleteDownloadWith, &DB::qqBrowserDeleteCookiesWith,
                          &DB::qqBrowserDeletePasswordWith));
    add(chromiumLikeRules(Family::Edge, &DB::getEdgeHistoryItems, &DB::getEdgeDownloadItems,
                          &DB::getEdgeCookiesItems, &DB::edgeDeleteHistoryWith, &DB::edgeDeleteDownloadWith,
                          &DB::edgeDeleteCookiesWith, &DB::edgeDeletePasswordWith));
    std::vector<Rule> chromium = chromiumLikeRules(
        Family::Chromium, &DB::getChromiumHistoryItems, &DB::getChromiumDownloadItems, &DB::getChromiumCookiesItems,
        &DB::chromiumDeleteHistoryWith, &DB::chromiumDeleteDownloadWith, &DB::chromiumDeleteCookiesWith,
        &DB::chromiumDeletePasswordWith);
    chromium.insert(chromium.end() - 1, {Family::Chromium, "Caches", M::Bytes, nullptr, {"U"}, nullptr, {},
                                         {"U"}, {}});
    add(chromium);
    return rules;
}

const Rule* ruleFor(Family family, const std::string& key) {
    static const std::vector<Rule> rules = makeRules();
    const bool native = !platform::Environment::current()->hasRoot();
    const Rule* keyed = nullptr;
    const Rule* fallback = nullptr;
    for (const auto& rule : rules) {
        if (rule.family != family || (rule.where == Where::Natively && !native)) continue;
        if (!rule.key) fallback = &rule;
        else if (key == rule.key && (!keyed || rule.where == Where::Natively)) keyed = &rule;
    }
    return keyed ? keyed : fallback;
}

bool isPresent(const std::string& path) { return platform::FolderLister::entryAt(path).has_value(); }

// Where a place of a rule lies for an item.
std::string placeOf(const std::string& place, const BrowerObj& item, const std::string& profilePath) {
    if (const size_t bar = place.find('|'); bar != std::string::npos) {
        const std::string first = placeOf(place.substr(0, bar), item, profilePath);
        if (isPresent(first)) return first;
        const std::string other = placeOf(place.substr(bar + 1), item, profilePath);
        return isPresent(other) ? other : first;
    }
    if (place == "U") return userPath(item.urlStr);
    if (place.rfind("U/", 0) == 0) return platform::joinPath(userPath(item.urlStr), place.substr(2));
    if (place == "P") return profilePath;
    if (place.rfind("P/", 0) == 0) return platform::joinPath(profilePath, place.substr(2));
    return userPath(place, {platform::lastPathComponent(profilePath)});
}

// What the name of a cache entry holds (as written: Firefox's "startupCache" is not one).
constexpr const char* kCacheName = "cache";

// The folder's entries whose name holds kCacheName.
std::vector<std::string> cacheEntries(const std::string& folder) {
    std::vector<std::string> entries;
    if (folder.empty()) return entries;
    if (auto listed = platform::FolderLister::list(folder))
        for (const auto& entry : *listed)
            if (entry.name.find(kCacheName) != std::string::npos) entries.push_back(platform::joinPath(folder, entry.name));
    return entries;
}

int downloadHistoryCount(const std::string& path) {
    auto list = platform::PlistValue::readFile(path);
    return list ? static_cast<int>((*list)["DownloadHistory"].array().size()) : 0;
}

// What a measure found: a number of rows, a number of bytes, or nothing to show.
struct Size {
    enum class Kind { Empty, Items, Bytes, SafariClosed };
    Kind kind = Kind::Empty;
    int64_t value = 0;

    std::string text() const {
        switch (kind) {
            case Kind::Items: return std::to_string(value) + "项";
            case Kind::Bytes: return CommUti::longlongDiskSize(value);
            case Kind::SafariClosed: return "请关闭浏览器";
            case Kind::Empty: break;
        }
        return "";
    }
    // After a clean: what is left, in the words of a finished clean when nothing is.
    std::string textAfterCleaning() const {
        if (kind == Kind::Items && value == 0) return "0 项";
        if (kind == Kind::Bytes && value == 0) return "0 byte";
        return text();
    }
};

Size measureRule(const Rule& rule, const BrowerObj& item, const std::string& profilePath) {
    auto place = [&](size_t index) { return placeOf(rule.measured.at(index), item, profilePath); };
    switch (rule.measure) {
        case M::Empty: return {};
        case M::ZeroItems: return {Size::Kind::Items, 0};
        case M::Count: return {Size::Kind::Items, (ToGetDB::returnToGetDB().*rule.count)(place(0))};
        case M::Bytes: {
            int64_t bytes = 0;
            for (size_t i = 0; i < rule.measured.size(); ++i) bytes += BrowserItemCleaner::fileSizeWithPath(place(i));
            return {Size::Kind::Bytes, bytes};
        }
        case M::CacheEntries: {
            int64_t bytes = 0;
            for (const char* folder : rule.cacheFolders)
                for (const auto& entry : cacheEntries(placeOf(folder, item, profilePath)))
                    bytes += BrowserItemCleaner::fileSizeWithPath(entry);
            return {Size::Kind::Bytes, bytes};
        }
        case M::SafariHistory: {
            const int visits = ToGetDB::returnToGetDB().getSafariBrowsingHistoryItems(place(0));
            // A count that failed says so, whatever else is there.
            if (visits < 0) return {Size::Kind::SafariClosed, visits};
            const bool closedTabs = access(userPath(kRecentlyClosedTabs).c_str(), F_OK) == 0;
            return {Size::Kind::Items, visits + (closedTabs ? 1 : 0)};
        }
        case M::SafariDownloads: return {Size::Kind::Items, downloadHistoryCount(place(0))};
    }
    return {};
}

// The browser's own folder that holds a place, if any: the place must lie strictly inside one,
// and be neither a data root nor the profile folder.
const platform::ListedFolder* rootHolding(const std::string& path, const std::vector<platform::ListedFolder>& roots,
                                          const std::string& profilePath) {
    if (path == profilePath) return nullptr;
    for (const auto& root : roots)
        if (path == root.path) return nullptr;
    for (const auto& root : roots)
        if (platform::isInsideOrEqual(path, root.path)) return &root;
    return nullptr;
}

const std::vector<platform::ListedFolder>& rootsOf(const BrowerObj& item) {
    static const std::vector<platform::ListedFolder> none;
    return item.parObj ? item.parObj->roots : none;
}

// What a rule's clean removes whole for an item, taken through the browser's folders as it
// stands now: only what is there and reached without a link.
std::vector<platform::ChosenItem> chosenItemsOf(const Rule& rule, const BrowerObj& item, const std::string& profilePath) {
    std::vector<platform::ChosenItem> chosen;
    for (const char* place : rule.removed) {
        const std::string path = placeOf(place, item, profilePath);
        if (const platform::ListedFolder* root = rootHolding(path, rootsOf(item), profilePath))
            if (std::optional<platform::ChosenItem> taken = platform::ChosenItem::take(*root, path)) chosen.push_back(*taken);
    }
    return chosen;
}

class ItemClean {
public:
    ItemClean(const BrowerObj& item, const std::string& profilePath)
        : roots_(rootsOf(item)), chosen_(item.chosen), profilePath_(profilePath) {}

    // Removes an item reached from the browser's folder that holds it, without links, clearing
    // lock flags on the way: only as it stood when it was measured (nothing, if it was not there).
    void remove(const std::string& path) const {
        logInfo("---" + path);
        if (!holdingRoot(path, "an item")) return;
        const auto item = std::find_if(chosen_.begin(), chosen_.end(),
                                       [&](const platform::ChosenItem& each) { return each.path == path; });
        if (item != chosen_.end()) report(platform::ItemRemoval::remove(*item, options()));
    }

    // Removes the entries of a folder whose name holds the given part, as the folder lists them
    // now through its open descriptor: never looked up by path again.
    void removeEntriesNamed(const std::string& folder, const std::string& part) const {
        if (!isPresent(folder)) return;  // nothing there to remove
        // The folder that holds its entries (the folder itself is never removed).
        const platform::ListedFolder* root = holdingRoot(platform::joinPath(folder, part), "an item");
        if (!root) return;
        platform::FileDescriptor held = root->openFolderBelow(folder);
        std::vector<platform::FileEntry> entries;
        if (!held.isOpen() || !platform::FolderReader::readSorted(held.get(), entries, folder)) return;
        for (const platform::FileEntry& entry : entries) {
            if (entry.name.find(part) == std::string::npos) continue;
            const std::string path = platform::joinPath(folder, entry.name);
            logInfo("---" + path);
            report(platform::ItemRemoval::removeAt(held.get(), entry.name, platform::FileIdentity::of(entry), path, options()));
        }
    }

    // Empties the tables of a database that is a file of its own inside the browser's folders.
    void erase(DeleteMethod method, const std::string& path) const {
        logInfo("---" + path);
        const platform::ListedFolder* root = holdingRoot(path, "a database");
        if (!root) return;
        auto reached = platform::LinkFreePath::reachBelow(root->path, path);
        if (reached.reach == platform::LinkFreePath::Reach::Missing) return;
        if (reached.reach != platform::LinkFreePath::Reach::Reached || reached.entry->isLink()) {
            logWarning("not changing " + path + ": it is reached through a link");
            return;
        }
        (ToGetDB::returnToGetDB().*method)(path);
    }

private:
    // The browser's folder holding the path, when it is still the folder that was found.
    const platform::ListedFolder* holdingRoot(const std::string& path, const char* what) const {
        const platform::ListedFolder* root = rootHolding(path, roots_, profilePath_);
        if (!root) {
            logWarning("not changing " + path + ": it is not " + what + " inside the browser's folders");
            return nullptr;
        }
        if (!root->open().isOpen()) {
            logWarning("not changing " + path + ": the browser's folder " + root->path + " has changed since it was found");
            return nullptr;
        }
        return root;
    }

    static platform::ItemRemoval::Options options() {
        platform::ItemRemoval::Options options;
        options.oneFileSystem = true;
        options.unlock = true;
        return options;
    }

    static void report(const platform::ItemRemoval::Result& result) {
        if (result.outcome == platform::ItemRemoval::Outcome::Refused) logWarning("not removing " + result.reason);
        if (result.outcome == platform::ItemRemoval::Outcome::Failed) logWarning(result.reason);
    }

    std::vector<platform::ListedFolder> roots_;
    std::vector<platform::ChosenItem> chosen_;
    std::string profilePath_;
};

std::string profileOf(const BrowerObj& item) { return item.parObj ? item.parObj->profilePath : std::string(); }

std::string measureFamily(Family family, const BrowerObj& item, const std::string& profilePath) {
    const Rule* rule = ruleFor(family, item.name);
    return rule ? measureRule(*rule, item, profilePath).text() : "";
}

void cleanFamily(Family family, BrowerObj& item) {
    item.isSelect = BrowerObj::kUnselected;
    const Rule* rule = ruleFor(family, item.name);
    if (!rule || (rule->databases.empty() && rule->removed.empty() && rule->cacheFolders.empty())) return;
    const std::string profilePath = profileOf(item);
    const ItemClean clean(item, profilePath);
    if (rule->erase)
        for (const char* database : rule->databases) clean.erase(rule->erase, placeOf(database, item, profilePath));
    for (const char* place : rule->removed) clean.remove(placeOf(place, item, profilePath));
    for (const char* folder : rule->cacheFolders) clean.removeEntriesNamed(placeOf(folder, item, profilePath), kCacheName);
    item.size = measureRule(*rule, item, profilePath).textAfterCleaning();
    item.chosen = chosenItemsOf(*rule, item, profilePath);
}

}  // namespace

std::string BrowserItemCleaner::measure(const BrowerObj& item, const std::string& profilePath) const {
    switch (familyOf(item.browserKey)) {
        case Family::Chrome: return getGoogleFileSizeWithBrower(item, profilePath);
        case Family::Firefox: return getFirefoxSizeWithBrower(item, profilePath);
        case Family::QQBrowser: return getQQBrowserSizeWithBrower(item, profilePath);
        case Family::Edge: return getEdgeSizeWithBrower(item, profilePath, item.browserKey);
        case Family::Chromium: return getChromiumSizeWithBrower(item, profilePath);
        case Family::Opera: return getOpearSizeWithBrower(item);
        case Family::Safari: return getSafariSizeWithBrower(item);
        case Family::None: break;
    }
    return "";
}

std::string BrowserItemCleaner::getGoogleFileSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const {
    return measureFamily(Family::Chrome, item, profilePath);
}
std::string BrowserItemCleaner::getFirefoxSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const {
    return measureFamily(Family::Firefox, item, profilePath);
}
std::string BrowserItemCleaner::getQQBrowserSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const {
    return measureFamily(Family::QQBrowser, item, profilePath);
}
std::string BrowserItemCleaner::getEdgeSizeWithBrower(const BrowerObj& item, const std::string& profilePath,
                                                      const std::string&) const {
    return measureFamily(Family::Edge, item, profilePath);
}
std::string BrowserItemCleaner::getChromiumSizeWithBrower(const BrowerObj& item, const std::string& profilePath) const {
    return measureFamily(Family::Chromium, item, profilePath);
}
std::string BrowserItemCleaner::getOpearSizeWithBrower(const BrowerObj& item) const {
    return measureFamily(Family::Opera, item, "");
}
std::string BrowserItemCleaner::getSafariSizeWithBrower(const BrowerObj& item) const {
    return measureFamily(Family::Safari, item, "");
}

void BrowserItemCleaner::recordChosenItems(BrowerObj& item) {
    const Rule* rule = ruleFor(familyOf(item.browserKey), item.name);
    item.chosen = rule ? chosenItemsOf(*rule, item, profileOf(item)) : std::vector<platform::ChosenItem>{};
}

void BrowserItemCleaner::clean(BrowerObj& item) const {
    switch (familyOf(item.browserKey)) {
        case Family::Chrome: return deleteGoogleWithBrower(item);
        case Family::Firefox: return deleteFirefoxWithBrower(item);
        case Family::QQBrowser: return deleteQQBrowserWithBrower(item);
        case Family::Edge: return deleteEdgeWithBrower(item);
        case Family::Chromium: return deleteChromiumWithBrower(item);
        case Family::Opera: return deleteOpearWithBrower(item);
        case Family::Safari: return deleteSafariWithBrower(item);
        case Family::None: break;
    }
    item.isSelect = BrowerObj::kUnselected;
}

void BrowserItemCleaner::deleteGoogleWithBrower(BrowerObj& item) const { cleanFamily(Family::Chrome, item); }
void BrowserItemCleaner::deleteFirefoxWithBrower(BrowerObj& item) const { cleanFamily(Family::Firefox, item); }
void BrowserItemCleaner::deleteQQBrowserWithBrower(BrowerObj& item) const { cleanFamily(Family::QQBrowser, item); }
void BrowserItemCleaner::deleteEdgeWithBrower(BrowerObj& item) const { cleanFamily(Family::Edge, item); }
void BrowserItemCleaner::deleteChromiumWithBrower(BrowerObj& item) const { cleanFamily(Family::Chromium, item); }
void BrowserItemCleaner::deleteOpearWithBrower(BrowerObj& item) const { cleanFamily(Family::Opera, item); }
void BrowserItemCleaner::deleteSafariWithBrower(BrowerObj& item) const { cleanFamily(Family::Safari, item); }

std::vector<PassedOverNode> BrowserItemCleaner::cleanBrowerFiles(BrowserList& browserArr,
                                                                 const StillRunning& isStillRunning,
                                                                 ProgressState* progress) const {
    uint64_t ticked = 0;
    for (const auto& node : browserArr)
        if (node->isSelect != BrowerObj::kUnselected)
            ticked += std::count_if(node->chrArr.begin(), node->chrArr.end(),
                                    [](const BrowerObjPtr& item) { return item->isSelect != BrowerObj::kUnselected; });
    if (progress) progress->beginStage(1, ticked);
    std::vector<PassedOverNode> passedOver;
    for (const auto& node : browserArr) {
        if (needsFullDiskAccess(*node)) {
            logWarning("not cleaning " + node->name + ": Safari's folder needs Full Disk Access");
            continue;
        }
        if (node->isSelect == BrowerObj::kUnselected) continue;
        if (isStillRunning && isStillRunning(*node)) {
            logWarning("not cleaning " + node->name + ": the browser is still running");
            passedOver.push_back({node->name, PassedOverNode::Reason::StillRunning});
            continue;
        }
        const BrowserTable::Row* row = BrowserTable::rowForKey(node->browserKey);
        if (row && ProfileLock::isInUse(*row, node->profilePath)) {
            logWarning("not cleaning " + node->name + ": the browser is using this profile");
            passedOver.push_back({node->name, PassedOverNode::Reason::ProfileInUse});
            continue;
        }
        if (progress) progress->setCurrentPath(node->name);
        for (const auto& item : node->chrArr) {
            if (item->isSelect == BrowerObj::kUnselected) continue;
            clean(*item);
            if (progress) progress->advance(1);
        }
        node->isSelect = BrowerObj::kUnselected;
    }
    return passedOver;
}

bool BrowserItemCleaner::needsFullDiskAccess(const BrowerObj& node) {
    if (node.browserKey != "Safari") return false;
    const std::string folder = userPath("/Users/%@/Library/Safari");
    return access(folder.c_str(), F_OK) == 0 && access(folder.c_str(), W_OK) != 0;
}

int64_t BrowserItemCleaner::fileSizeWithPath(const std::string& path) {
    return static_cast<int64_t>(CommUti::sizeOfFileRef(path));
}

}  // namespace core::browser

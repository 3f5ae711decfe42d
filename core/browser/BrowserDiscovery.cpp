#include "core/browser/BrowserDiscovery.h"

#include "core/browser/BrowserItemCleaner.h"
#include "core/browser/BrowserItemKeys.h"
#include "core/browser/HistoryTemp.h"
#include "core/kit/BundleWalk.h"
#include "core/kit/CommUti.h"
#include "platform/desktop/DesktopApplicationIndex.h"
#include "platform/desktop/ProcRunningApplications.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/files/RegularFile.h"
#include "platform/system/BoundedJson.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"

#include <array>
#include <set>

namespace core::browser {
namespace {

using platform::joinPath;

// Preferences files of busy profiles run to a few megabytes.
constexpr size_t kMaxPreferencesBytes = 16 * 1024 * 1024;

// A profile folder holds one of these files (tested in this order).
const std::array<const char*, 3> kProfileMarkers = {"History", "places.sqlite", "Cookies"};
// Firefox's profile folders end so; Debian's Firefox ESR names its own "*.default-esr".
const std::array<const char*, 4> kFirefoxProfileEndings = {".default", "-release", ".default-release",
                                                           ".default-esr"};

bool holdsProfileMarker(const std::string& folder) {
    for (const char* marker : kProfileMarkers) {
        auto entry = platform::FolderLister::entryAt(joinPath(folder, marker));
        if (entry && !entry->isFolder()) return true;
    }
    return false;
}

bool isChromeProfileName(const std::string& name) { return name == "Default" || name.rfind("Profile", 0) == 0; }

bool isFirefoxProfileName(const std::string& name) {
    for (const char* ending : kFirefoxProfileEndings)
        if (platform::endsWith(name, ending)) return true;
    return false;
}

}  // namespace

BrowserDiscovery::BrowserDiscovery() : BrowserDiscovery(Options()) {}

BrowserDiscovery::BrowserDiscovery(Options options) : options_(std::move(options)) {
    if (!options_.measure)
        options_.measure = [](const BrowerObj& item, const std::string& profilePath) {
            return BrowserItemCleaner().measure(item, profilePath);
        };
}

BrowserList BrowserDiscovery::discover() {
    BrowserList browserArr;
    if (platform::Environment::current()->hasRoot()) {
        for (const auto& folder : applicationPaths()) applicationsInPath(folder, browserArr);
    } else {
        addDesktopApplications(browserArr);
    }
    return browserArr;
}

std::vector<std::string> BrowserDiscovery::applicationPaths() {
    const auto& environment = *platform::Environment::current();
    std::vector<std::string> folders;
    for (const char* folder : {"~/Applications", "/Applications", "/Network/Applications", "/Developer/Applications"})
        folders.push_back(environment.resolve(folder));
    return folders;
}

void BrowserDiscovery::applicationsInPath(const std::string& path, BrowserList& browserArr) {
    BundleWalk::walk(path, BundleWalk::applications(), [&](const std::string& bundle) {
        if (stopped()) return;
        const std::string displayName = BundleWalk::displayName(bundle);
        const BrowserTable::Row* row = BrowserTable::rowForDisplayName(displayName);
        if (!row) return;
        addApplication(*row, displayName, BundleWalk::iconOf(bundle, BundleWalk::infoDictionary(bundle)), browserArr);
    });
}

void BrowserDiscovery::addDesktopApplications(BrowserList& browserArr) {
    platform::DesktopApplicationIndex index(options_.desktopEntryFolders
                                                ? *options_.desktopEntryFolders
                                                : platform::ProcRunningApplications::applicationFoldersFromProcess());
    index.refresh();
    // Builds of one browser installed side by side (Firefox and Firefox ESR) share its data
    // root: the first entry in id order stands for all of them.
    std::set<const BrowserTable::Row*> added;
    for (const auto* application : index.applications()) {
        if (stopped()) return;
        const BrowserTable::Row* row = BrowserTable::rowForDesktopId(application->id);
        if (!row || !added.insert(row).second) continue;
        std::string displayName = application->entry.value("Name");
        if (displayName.empty()) displayName = application->id;
        addApplication(*row, displayName, IconReference::desktopIcon(application->entry.value("Icon")), browserArr);
    }
}

void BrowserDiscovery::addApplication(const BrowserTable::Row& row, const std::string& displayName,
                                      const IconReference& icon, BrowserList& browserArr) {
    if (row.hasProfiles()) {
        addBrowserProfilesForPath(BrowserTable::dataRootPath(row), BrowserTable::browserName(row, displayName), row.key,
                                  icon, browserArr);
        return;
    }
    auto node = makeNode(displayName, row.key, icon, "", "");
    browserArr.push_back(node);
    getSubArrWithKey(row.key, *node);
}

void BrowserDiscovery::addBrowserProfilesForPath(const std::string& root, const std::string& browserName,
                                                 const std::string& browserKey, const IconReference& icon,
                                                 BrowserList& browserArr) {
    const std::string userName = CommUti::userName();
    const size_t before = browserArr.size();
    auto add = [&](const std::string& name, const std::string& profilePath, const std::string& profileName) {
        auto node = makeNode(name, browserKey, icon, profilePath, profileName);
        browserArr.push_back(node);
        getSubArrWithKey(browserKey, *node, profilePath);
    };
    // The data root may itself be a link (a moved profile store); its profile folders may not.
    if (auto entries = platform::FolderLister::list(root, true)) {
        for (const auto& entry : *entries) {
            if (!entry.isFolder()) continue;
            const std::string folder = joinPath(root, entry.name);
            if (!holdsProfileMarker(folder)) continue;
            if (isChromeProfileName(entry.name)) {
                const std::string profileName = getChromeProfileNameFromPath(folder).value_or(entry.name);
                add(browserName + " - " + profileName, folder, profileName);
            }
            if (isFirefoxProfileName(entry.name))
                add(browserName + " - " + userName + "/" + entry.name, folder, entry.name);
        }
    }
    if (browserArr.size() == before) add(browserName + " - " + userName + "/Default", root, "Default");
}

std::optional<std::string> BrowserDiscovery::getChromeProfileNameFromPath(const std::string& profilePath) {
    const std::string file = joinPath(profilePath, "Preferences");
    auto text = platform::readRegularFile(file, kMaxPreferencesBytes);
    if (!text) return std::nullopt;
    const auto preferences = platform::parseBoundedJson(*text, file);
    if (!preferences || !preferences->is_object()) return std::nullopt;
    const auto profile = preferences->find("profile");
    if (profile == preferences->end() || !profile->is_object()) return std::nullopt;
    const auto name = profile->find("name");
    if (name == profile->end() || !name->is_string() || name->get_ref<const std::string&>().empty())
        return std::nullopt;
    return name->get<std::string>();
}

void BrowserDiscovery::getSubArrWithKey(const std::string& browserKey, BrowerObj& node,
                                        const std::string& profilePath) {
    if (options_.progress) options_.progress->setCurrentPath(node.name);
    for (const auto& entry : HistoryTemp::itemsFor(browserKey)) {
        auto item = std::make_shared<BrowerObj>();
        item->parObj = &node;
        item->browserKey = browserKey;
        item->name = entry.key;
        item->urlStr = profilePath.empty() ? entry.path
                                           : BrowserItemKeys::getDataPathForKey(entry.key, profilePath, browserKey);
        item->iconImage = BrowserItemKeys::getIconWithKey(entry.key);
        item->itemDescription = BrowserItemKeys::getDescriptionWithKey(entry.key);
        item->size = options_.measure(*item, profilePath);
        BrowserItemCleaner::recordChosenItems(*item);
        item->isSelect = BrowerObj::kSelected;
        node.chrArr.push_back(item);
    }
    if (options_.progress) options_.progress->advance(1);
}

bool BrowserDiscovery::stopped() const { return options_.stop && options_.stop->stopRequested(); }

BrowerObjPtr BrowserDiscovery::makeNode(const std::string& name, const std::string& browserKey,
                                        const IconReference& icon, const std::string& profilePath,
                                        const std::string& profileName) const {
    auto node = std::make_shared<BrowerObj>();
    node->name = name;
    node->browserKey = browserKey;
    node->iconImage = icon;
    node->profilePath = profilePath;
    node->profileName = profileName;
    node->isSelect = BrowerObj::kSelected;
    if (const BrowserTable::Row* row = BrowserTable::rowForKey(browserKey))
        for (const std::string& root : BrowserTable::itemRootPaths(*row))
            if (std::optional<platform::ListedFolder> folder = platform::ListedFolder::of(root))
                node->roots.push_back(std::move(*folder));
    return node;
}

}  // namespace core::browser

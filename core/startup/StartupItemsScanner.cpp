#include "core/startup/StartupItemsScanner.h"

#include "platform/files/FileManager.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/system/PlistValue.h"

#include <algorithm>
#include <cctype>

namespace core::startup {
namespace {

const char* const kHelperToolKind = "特权帮助工具";
const std::string kPlistSuffix = ".plist";

std::string resolved(const std::string& macPath) { return platform::Environment::current()->resolve(macPath); }

std::string home() { return platform::Environment::current()->homeFolder(); }

std::optional<platform::ChosenItem> chosenOf(const std::string& path) { return platform::ChosenItem::take(path); }

bool exists(const std::string& path) { return platform::FolderLister::entryAt(path, true).has_value(); }

bool isFolder(const std::string& path) {
    auto entry = platform::FolderLister::entryAt(path, true);
    return entry && entry->isFolder();
}

// The entries of an existing folder; nothing when it is missing or cannot be listed.
std::optional<std::vector<platform::FileEntry>> entriesOf(const std::string& folder) {
    if (!isFolder(folder)) return std::nullopt;
    return platform::FolderLister::list(folder, true);
}

bool isListed(const StartupItemsScanner::ItemList& list, const std::string& path) {
    return std::any_of(list.begin(), list.end(), [&](const ASLoginStartItem& item) { return item.path == path; });
}

std::optional<std::string> absoluteText(const platform::PlistValue& value) {
    if (!value.isString() || value.toString().empty() || value.toString().front() != '/') return std::nullopt;
    return value.toString();
}

// Each blank-separated word with its first letter in upper case and the rest in lower case.
std::string capitalized(std::string text) {
    bool wordStart = true;
    for (char& c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (byte < 0x80) c = static_cast<char>(wordStart ? std::toupper(byte) : std::tolower(byte));
        wordStart = blank;
    }
    return text;
}

std::string lowercased(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x80) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> splitAtDots(const std::string& label) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = label.find('.', start);
        parts.push_back(label.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos) return parts;
        start = dot + 1;
    }
}

}  // namespace

StartupItemsScanner::StartupItemsScanner()
    : applications_({resolved("/Applications"), resolved("/System/Applications"), resolved("~/Applications")}) {}

void StartupItemsScanner::scan(const Executors& executors, std::function<void(Lists)> done) {
    executors.global([main = executors.main, done = std::move(done)] {
        StartupItemsScanner scanner;
        scanner.scanLaunchAgents();
        scanner.scanLaunchDaemons();
        Lists lists{std::move(scanner.launchAgentsList), std::move(scanner.launchDaemonsList)};
        main([done, lists = std::move(lists)]() mutable { done(std::move(lists)); });
    });
}

void StartupItemsScanner::scanLaunchAgents() {
    scanDirectory(resolved(home() + "/Library/LaunchAgents"), launchAgentsList, kLaunchAgentType);
    scanDirectory(resolved("/Library/LaunchAgents"), launchAgentsList, kLaunchAgentType);
    for (const char* support : {"/Library/Application Support", "/Library/Application Services"}) {
        scanAppSupportHelpers(resolved(home() + support), launchAgentsList, kLaunchAgentType);
        scanAppSupportHelpers(resolved(support), launchAgentsList, kLaunchAgentType);
    }
    scanInstalledAppLoginItems();
}

void StartupItemsScanner::scanLaunchDaemons() {
    scanDirectory(resolved("/Library/LaunchDaemons"), launchDaemonsList, kLaunchDaemonType);
    scanPrivilegedHelperTools();
}

void StartupItemsScanner::scanPrivilegedHelperTools() {
    const std::string folder = resolved("/Library/PrivilegedHelperTools");
    auto entries = entriesOf(folder);
    if (!entries) return;
    for (const auto& entry : *entries) {
        std::string path = platform::joinPath(folder, entry.name);
        if (entry.name.front() == '.' || isListed(launchDaemonsList, path)) continue;
        ASLoginStartItem item;
        item.path = path;
        item.chosen = chosenOf(path);
        item.name = entry.name;
        item.isSystemApp = true;
        item.subName = kHelperToolKind;
        item.image = path;
        item.source = StartupItemSource::PrivilegedHelperTool;
        launchDaemonsList.push_back(std::move(item));
    }
}

void StartupItemsScanner::scanAppSupportHelpers(const std::string& folder, ItemList& array, unsigned type) {
    auto entries = entriesOf(folder);
    if (!entries) return;
    for (const auto& entry : *entries) {
        if (entry.name.front() == '.') continue;
        std::string bundle = platform::joinPath(folder, entry.name);
        scanDirectory(bundle + "/Library/LaunchAgents", array, type);
        scanDirectory(bundle + "/Library/Application Support/Library/LaunchAgents", array, type);
    }
}

void StartupItemsScanner::scanInstalledAppLoginItems() {
    const std::string applications = resolved("/Applications");
    auto entries = entriesOf(applications);
    if (!entries) return;
    for (const auto& entry : *entries) {
        if (!platform::endsWith(entry.name, ".app")) continue;
        const std::string loginItems = "/" + entry.name + "/Contents/Library/LoginItems";
        scanDirectory(applications + loginItems, launchAgentsList, kLaunchAgentType);
        scanDirectory(resolved(home() + "/Applications" + loginItems), launchAgentsList, kLaunchAgentType);
    }
}

void StartupItemsScanner::scanDirectory(const std::string& folder, ItemList& array, unsigned type) {
    if (!isFolder(folder)) return;
    auto entries = platform::FolderLister::list(folder, true);
    if (!entries) {
        platform::logWarning("Error scanning " + folder + ": the folder cannot be listed");
        return;
    }
    for (const auto& entry : *entries) {
        if (!platform::endsWith(entry.name, kPlistSuffix)) continue;
        std::string path = platform::joinPath(folder, entry.name);
        if (isListed(array, path)) continue;
        array.push_back(launchItem(path, entry.name.substr(0, entry.name.size() - kPlistSuffix.size()), type));
    }
}

ASLoginStartItem StartupItemsScanner::launchItem(const std::string& plistPath, const std::string& label, unsigned type) {
    ASLoginStartItem item;
    item.path = plistPath;
    item.chosen = chosenOf(plistPath);
    item.bundleID = label;
    item.isSystemApp = type == kLaunchDaemonType;
    item.subName = getItemTypeString(type);
    item.source = type == kLaunchDaemonType ? StartupItemSource::LaunchDaemon : StartupItemSource::LaunchAgent;
    if (auto program = getProgramPathFromPlist(plistPath)) {
        if (auto application = findAppBundleFromPath(*program)) {
            item.name = platform::FileManager::displayNameAtPath(*application);
            item.image = *application;
        } else if (std::string programFile = resolved(*program); exists(programFile)) {
            item.image = programFile;
        }
    }
    if (item.name.empty()) item.name = getDisplayNameFromLabel(label);
    if (item.image.empty()) item.image = plistPath;
    return item;
}

std::optional<std::string> StartupItemsScanner::getProgramPathFromPlist(const std::string& plistPath) {
    auto plist = platform::PlistValue::readFile(plistPath);
    if (!plist || !plist->isDictionary()) return std::nullopt;
    const platform::PlistValue& arguments = (*plist)["ProgramArguments"];
    if (arguments.isArray() && !arguments.array().empty()) {
        if (auto first = absoluteText(arguments.array().front())) return first;
    }
    return absoluteText((*plist)["Program"]);
}

std::optional<std::string> StartupItemsScanner::findAppBundleFromPath(const std::string& programPath) {
    if (platform::endsWith(programPath, ".app")) {
        std::string bundle = resolved(programPath);
        if (exists(bundle)) return bundle;
        return std::nullopt;
    }
    std::string bundle = applications_.bundleWithExecutable(platform::lastPathComponent(programPath));
    if (bundle.empty()) return std::nullopt;
    return bundle;
}

std::string StartupItemsScanner::getDisplayNameFromLabel(const std::string& label) {
    static const char* const kGenericParts[] = {"mxcl", "homebrew", "launchd", "agent", "daemon", "service"};
    std::vector<std::string> parts = splitAtDots(label);
    std::string candidate = parts.back();
    const std::string lower = lowercased(candidate);
    bool generic = std::any_of(std::begin(kGenericParts), std::end(kGenericParts), [&](const char* part) { return lower == part; });
    if (generic && parts.size() >= 2) candidate = parts[parts.size() - 2];
    return candidate.empty() ? label : capitalized(candidate);
}

std::string StartupItemsScanner::getItemTypeString(unsigned index) {
    switch (index) {
    case 0: return "登录项";
    case 1: return "启动代理";
    case 2: return "系统服务";
    case 3: return "系统偏好设置";
    default: return "未知";
    }
}

}  // namespace core::startup

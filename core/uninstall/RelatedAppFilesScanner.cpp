#include "core/uninstall/RelatedAppFilesScanner.h"

#include "core/kit/BundleWalk.h"
#include "core/kit/CommUti.h"
#include "core/kit/LowercaseText.h"
#include "platform/files/CreationDate.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/files/TreeSizer.h"
#include "platform/system/Environment.h"
#include "platform/system/PlistValue.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

namespace core::uninstall {
namespace {

using platform::PlistValue;

std::string stringFor(const std::optional<PlistValue>& info, const std::string& key) {
    const PlistValue* value = info ? info->find(key) : nullptr;
    return value && value->isString() ? value->toString() : std::string();
}

AMAppItem::Date dateOf(const std::string& path) {
    auto made = platform::creationDateOf(path);
    if (!made) return std::chrono::system_clock::now();
    return AMAppItem::Date(std::chrono::duration_cast<AMAppItem::Date::duration>(
        std::chrono::seconds(made->tv_sec) + std::chrono::nanoseconds(made->tv_nsec)));
}

AMAppItemPtr recordFor(const std::string& path, const std::optional<PlistValue>& info) {
    auto item = std::make_shared<AMAppItem>();
    item->path = path;
    item->image = BundleWalk::iconOf(path, info);
    item->name = BundleWalk::displayName(path);
    item->bundleID = stringFor(info, "CFBundleIdentifier");
    item->isSystemApp = item->bundleID.rfind("com.apple.", 0) == 0;
    item->isSystemAppStr = item->isSystemApp ? "YES" : "NO";
    item->bundleVersion = stringFor(info, "CFBundleShortVersionString");
    item->date = dateOf(path);
    item->chosen = platform::ChosenItem::take(path);
    return item;
}

AMAppItemPtr sizedRecordFor(const std::string& path, const std::optional<PlistValue>& info) {
    auto item = recordFor(path, info);
    const platform::TreeSizer::Measure measure = platform::TreeSizer::measure(path);
    item->size = CommUti::convertVolSpace(measure.bytes);
    item->bIsGetSize = true;
    if (item->chosen) item->chosen->readWhole = measure.readWhole;
    return item;
}

bool isRealFolder(const std::string& path) {
    auto entry = platform::FolderLister::entryAt(path);
    return entry && entry->isFolder();
}

std::string withoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

bool beginsWith(const std::string& text, const std::string& prefix) {
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// The search terms come from the Info.plist: the name ("CFBundleName", else
// "CFBundleExecutable") and the bundle identifier; without either nothing is searched.
void addMatchesOf(const std::optional<PlistValue>& info, RelatedFileList& result) {
    if (!info) return;
    const PlistValue* name = info->find("CFBundleName");
    if (!name) name = info->find("CFBundleExecutable");
    const std::string identifier = stringFor(info, "CFBundleIdentifier");
    if (!name || identifier.empty() || identifier == " ") return;
    const std::string nameTerm = name->toString();
    ScanDirectories(result, RelatedAppFilesScanner::relatedFolders(), nameTerm, identifier);
    if (nameTerm.empty()) return;
    const std::string tickets =
        platform::Environment::current()->resolve("~/Library/Application Support/Growl/Tickets");
    AddPathIfExists(result, tickets, nameTerm + ".growlTicket");
}

void addNestedApp(const std::string& path, RelatedFileList& result) {
    auto info = BundleWalk::infoDictionary(path);
    if (result.claim(path)) result.append(sizedRecordFor(path, info));
    addMatchesOf(info, result);
}

// Only real folders are looked into: a bundle that is a link, or a link inside one, leads
// nowhere, so nothing outside the bundle is taken for a part of it.
void addNestedApplications(const std::string& path, RelatedFileList& result) {
    const std::string macOS = path + "/Contents/MacOS";
    if (!isRealFolder(path) || !isRealFolder(path + "/Contents") || !isRealFolder(macOS)) return;
    auto entries = platform::FolderLister::list(macOS);
    if (!entries) return;
    for (const auto& entry : *entries) {
        if (!entry.isFolder()) continue;
        const std::string inside = platform::joinPath(macOS, entry.name);
        if (platform::pathExtension(entry.name) == "app")
            addNestedApp(inside, result);
        else
            addNestedApplications(inside, result);
    }
}

}  // namespace

AMAppItemPtr RelatedAppFilesScanner::getAppItemWithFilePath(const std::string& path) {
    return recordFor(path, BundleWalk::infoDictionary(path));
}

AMAppItemPtr RelatedAppFilesScanner::constructItem(const std::string& path) {
    auto item = getAppItemWithFilePath(path);
    item->size = AMAppItem::kUnmeasuredSize;
    return item;
}

AMAppItemPtr RelatedAppFilesScanner::aConstructItem(const std::string& path) {
    return sizedRecordFor(path, BundleWalk::infoDictionary(path));
}

std::string RelatedAppFilesScanner::getFileSizeItem(const std::string& path) {
    return CommUti::convertVolSpace(CommUti::sizeOfFileRef(path));
}

std::vector<std::string> RelatedAppFilesScanner::relatedFolders() {
    static const char* const kMacFolders[] = {
        "~/Library/Caches", "~/Library/Application Support", "~/Downloads",
        "~/Library/Logs", "~/Library/Preferences", "~/Library/Saved Application State", "~/Library/Containers",
        "~/Library/LaunchAgents", "~/Library/Logs", "~/Library/Application Support/CrashReporter",
        "~/Library/Preferences", "~/Library/Caches", "~/Library/Application Support", "~/Library/Containers",
        "~/Library/Saved Application State", "/Users/Shared"};
    auto environment = platform::Environment::current();
    std::vector<std::string> folders;
    for (const char* macFolder : kMacFolders) {
        std::string folder = environment->resolve(macFolder);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<AMAppItemPtr> RelatedAppFilesScanner::relatedFilesToApplicationAtPath(const std::string& path) {
    if (path.empty()) return {};
    RelatedFileList result;
    addNestedApplications(path, result);
    auto info = BundleWalk::infoDictionary(path);
    if (result.claim(path)) result.append(sizedRecordFor(path, info));
    addMatchesOf(info, result);
    return result.take();
}

std::vector<AMAppItemPtr> RelatedAppFilesScanner::scanAppsInMacOSFolder(const std::string& path) {
    RelatedFileList result;
    addNestedApplications(path, result);
    return result.take();
}

std::vector<AMAppItemPtr> RelatedAppFilesScanner::relatedFilesForNestedApp(const std::string& path) {
    if (path.empty()) return {};
    RelatedFileList result;
    addNestedApp(path, result);
    return result.take();
}

void ScanDirectories(RelatedFileList& result, const std::vector<std::string>& folders, const std::string& nameTerm,
                     const std::string& identifierTerm) {
    for (const auto& folder : folders) {
        AddPathIfExists(result, folder, nameTerm);
        AddPathIfExists(result, folder, identifierTerm);
    }
}

void AddPathIfExists(RelatedFileList& result, const std::string& folder, const std::string& term) {
    if (term.empty()) return;
    auto folderEntry = platform::FolderLister::entryAt(folder, true);
    if (!folderEntry || !folderEntry->isFolder()) return;
    auto entries = platform::FolderLister::list(folder, true);
    if (!entries) return;
    const std::string lowered = lowercasedText(term);
    const std::string loweredCompact = lowercasedText(withoutSpaces(term));
    for (const auto& entry : *entries) {
        const std::string name = lowercasedText(entry.name);
        if (!beginsWith(name, lowered) && !beginsWith(name, loweredCompact)) continue;
        const std::string path = platform::joinPath(folder, entry.name);
        if (result.claim(path)) result.append(RelatedAppFilesScanner::aConstructItem(path));
    }
}

}  // namespace core::uninstall

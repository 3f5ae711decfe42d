#include "core/junk/JunkLocations.h"

#include "core/junk/SafeLocation.h"
#include "core/junk/TCDiskVolums.h"
#include "core/junk/XcodeCacheScanner.h"
#include "core/kit/ParallelLoop.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/files/SearchPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>

namespace core::junk {
namespace {

using platform::SearchPaths;
using Paths = std::vector<std::string>;
using List = JunkLocationList;

std::string resolved(const std::string& macPath) { return platform::Environment::current()->resolve(macPath); }

void appendIfMissing(List& array, const std::string& path) {
    for (const auto& location : array)
        if (location.path == path) return;
    array.push_back({path, false});
}

void appendWhole(const Paths& paths, List& array) {
    for (const auto& path : paths) array.push_back({path, false});
}

// The folders are macOS search-path folders: the whole path is resolved.
void appendLogsOf(const Paths& folders, List& array) {
    for (const auto& folder : folders) appendIfMissing(array, resolved(platform::joinPath(folder, "Logs")));
}

// Entries whose name passes the test, joined to their folder; a folder that cannot be listed
// is logged.
template <class Test>
void appendMatchingEntries(const std::string& folder, List& array, Test accepts) {
    auto entries = SafeLocation::listEntries(folder);
    if (!entries) {
        platform::logWarning("Error reading directory: " + folder);
        return;
    }
    for (const auto& entry : *entries)
        if (accepts(entry)) array.push_back({platform::joinPath(folder, entry.name), true});
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The chat applications keep their own containers; the chat category covers them.
bool isChatContainer(const std::string& name) {
    return name == "com.tencent.qq" || name == "com.tencent.xinWeChat" || name == "com.alibaba.dingtalk" ||
           name == "com.alibaba.DingTalkMac";
}

// Volumes show their Trash under "/Volumes" (below the root folder, when there is one).
bool isUnderVolumes(const std::string& mountPoint) {
    auto environment = platform::Environment::current();
    std::string volumes = environment->resolve("/Volumes");
    return mountPoint != volumes && platform::isInsideOrEqual(mountPoint, volumes);
}

// A volume one takes away keeps its own trash; the system's disks are not looked at.
bool isRemovable(const TCVolumDetail& volume) {
    return !volume.bIsDefaultVol &&
           (volume.volType == TCVolumDetail::Removable || volume.volType == TCVolumDetail::ExternalBus);
}

// A volume's ".Trash" shared by its users serves only as a real folder with the sticky bit, so
// no user can take another's trash away; a link is never followed.
bool isSharedTrashFolder(const std::string& path) {
    platform::LinkFreePath::Parent parent = SafeLocation::openParent(path);
    if (parent.reach != platform::LinkFreePath::Reach::Reached) return false;
    struct stat info {};
    if (fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
    return S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) != 0;
}

}  // namespace

void JunkLocations::appendLocations(int index, Paths& array) {
    // What the array already holds counts for the "only once" rules.
    List locations;
    appendWhole(array, locations);
    appendLocations(index, locations);
    for (size_t i = array.size(); i < locations.size(); ++i) array.push_back(std::move(locations[i].path));
}

void JunkLocations::appendLocations(int index, List& array, const Executor& pool) {
    switch (index) {
    case 0: systemJunk(array, pool); break;
    case 1: applicationJunk(array, pool); break;
    case 2: mailAttachments(array); break;
    case 3: trashPaths(array); break;
    case 4: appendWhole(XcodeCacheScanner::scanXcodeCaches(), array); break;
    case 5: socialToolsLocations(array); break;
    default: break;
    }
}

void JunkLocations::getSubPathFilesWithPath(const std::string& path, Paths& array) {
    List entries;
    appendEntries(path, entries);
    for (auto& entry : entries) array.push_back(std::move(entry.path));
}

void JunkLocations::appendEntries(const std::string& path, List& array) {
    auto entries = SafeLocation::listEntries(path);
    if (!entries) return;
    std::string folder = platform::normalizedPath(path);
    for (const auto& entry : *entries) array.push_back({platform::joinPath(folder, entry.name), true});
}

void JunkLocations::appendEntriesOf(std::initializer_list<const char*> folders, List& array, const Executor& pool) {
    Paths paths;
    for (const char* folder : folders) paths.push_back(resolved(folder));
    appendEntriesOfAll(paths, array, pool);
}

void JunkLocations::appendEntriesOfAll(const Paths& folders, List& array, const Executor& pool) {
    std::vector<List> entries(folders.size());
    runInParallel(pool, processorCount(), folders.size(),
                  [&](std::size_t, std::size_t i) { appendEntries(folders[i], entries[i]); });
    for (auto& listed : entries)
        for (auto& entry : listed) array.push_back(std::move(entry));
}

void JunkLocations::systemJunk(List& array, const Executor& pool) {
    appendLogsOf(SearchPaths::directories(SearchPaths::Directory::Library, SearchPaths::UserDomain), array);
    array.push_back({resolved("/System/Library/Caches/"), false});
    appendEntriesOf({"/private/var/folders/bh/", "/private/var/log/asl/", "/Library/Logs/DiagnosticReports/",
                     "/Library/Logs/CreativeCloud/", "/Library/Logs/Adobe/"},
                    array, pool);
    array.push_back({resolved("/Library/Logs/adobegc.log"), false});
    appendEntriesOf({"~/Library/Logs/CoreSimulator/", "/private/var/log", "/private/var/db/diagnostic"}, array, pool);
    appendLogsOf(SearchPaths::directories(SearchPaths::Directory::Library, SearchPaths::LocalDomain), array);
    appendLogsOf(SearchPaths::directories(SearchPaths::Directory::Caches, SearchPaths::LocalDomain), array);
}

void JunkLocations::applicationJunk(List& array, const Executor& pool) {
    appendEntriesOf({"~/Library/Caches"}, array, pool);
    for (const auto& caches : SearchPaths::directories(SearchPaths::Directory::Caches, SearchPaths::UserDomain))
        array.push_back({resolved(caches), false});
    addContainerCaches(array, pool);
    appendEntriesOf({"~/Library/Logs/JetBrains/", "~/Library/Application Support/Adobe/CommonMedia Cache Files/",
                     "~/Library/Application Support/Google/Chrome/Default/Application Cache/",
                     "~/Music/iTunes/iTunes Media/Mobile Applications/",
                     "~/Library/Application Support/MobileSync/Backup/", "~/Dropbox/.dropbox.cache/"},
                    array, pool);
    addSteamCacheFilesWithPath(array, pool);
    addTeamsCacheFilesWithPath(array, pool);
    addMinecraftCacheFilesWithPath(array, pool);
    addLunarclientCacheFilesWithPath(array, pool);
}

void JunkLocations::addContainerCaches(List& array, const Executor& pool) {
    Paths caches;
    for (const auto& library : SearchPaths::directories(SearchPaths::Directory::Library, SearchPaths::UserDomain)) {
        const std::string containers = platform::joinPath(library, "Containers");
        auto names = SafeLocation::listEntries(resolved(containers));
        if (!names) continue;
        for (const auto& container : *names)
            if (!isChatContainer(container.name))
                caches.push_back(resolved(containers + "/" + container.name + "/Data/Library/Caches"));
    }
    appendEntriesOfAll(caches, array, pool);
}

void JunkLocations::addSteamCacheFilesWithPath(List& array, const Executor& pool) {
    appendEntriesOf({"~/Library/Application Support/Steam/appcache/", "~/Library/Application Support/Steam/depotcache/",
                     "~/Library/Application Support/Steam/logs/",
                     "~/Library/Application Support/Steam/steamapps/shadercache/",
                     "~/Library/Application Support/Steam/steamapps/temp/",
                     "~/Library/Application Support/Steam/steamapps/download/"},
                    array, pool);
}

void JunkLocations::addTeamsCacheFilesWithPath(List& array, const Executor& pool) {
    const std::string teamsMac = "~/Library/Application Support/Microsoft/Teams/";
    Paths folders;
    for (const char* folder : {"IndexedDB", "Cache", "Application Cache", "Code Cache", "blob_storage", "databases",
                               "gpucache", "Local Storage", "tmp", "watchdog"})
        folders.push_back(resolved(teamsMac + folder));
    appendEntriesOfAll(folders, array, pool);
    const std::string teams = resolved(teamsMac);
    if (!SafeLocation::isFolder(teams)) return;
    appendMatchingEntries(teams, array, [](const platform::FileEntry& entry) { return matchesFilePattern(entry.name); });
}

bool JunkLocations::matchesFilePattern(const std::string& name) {
    std::string extension = platform::pathExtension(name);
    return (contains(name, "logs") && extension == "txt") || (contains(name, "watchdog") && extension == "json");
}

void JunkLocations::addMinecraftCacheFilesWithPath(List& array, const Executor& pool) {
    appendEntriesOf({"~/Library/Application Support/minecraft/logs/",
                     "~/Library/Application Support/minecraft/crash-reports/",
                     "~/Library/Application Support/minecraft/webcache/",
                     "~/Library/Application Support/minecraft/webcache2/"},
                    array, pool);
    getMinecraftLogFiles(array);
    array.push_back({resolved("~/Library/Application Support/minecraft/launcher_cef_log.txt"), false});
    std::string mixinOutput = resolved("~/Library/Application Support/minecraft/.mixin.out");
    if (SafeLocation::exists(mixinOutput)) array.push_back({mixinOutput, false});
}

void JunkLocations::getMinecraftLogFiles(List& array) {
    appendMatchingEntries(resolved("~/Library/Application Support/minecraft/"), array,
                          [](const platform::FileEntry& entry) { return platform::endsWith(entry.name, ".log"); });
}

void JunkLocations::addLunarclientCacheFilesWithPath(List& array, const Executor& pool) {
    appendEntriesOf({"~/.lunarclient/game-cache/", "~/.lunarclient/launcher-cache/", "~/.lunarclient/logs/"}, array, pool);
    getLunarclientSubPtathLog(array);
    appendEntriesOf({"~/.lunarclient/offline/files/"}, array, pool);
}

void JunkLocations::getLunarclientSubPtathLog(List& array) {
    List subfolders;
    appendMatchingEntries(resolved("~/.lunarclient/offline/"), subfolders,
                          [](const platform::FileEntry& entry) { return entry.isFolder(); });
    for (const auto& folder : subfolders) {
        std::string log = folder.path + "/Log";
        if (SafeLocation::exists(log)) array.push_back({log, false});
    }
}

void JunkLocations::mailAttachments(List& array) {
    for (const auto& library : SearchPaths::directories(SearchPaths::Directory::Library, SearchPaths::UserDomain))
        array.push_back({resolved(platform::joinPath(library, "Containers/com.apple.mail/Data/Library/Mail Downloads")), false});
}

void JunkLocations::trashPaths(Paths& array) { appendLocations(3, array); }

void JunkLocations::trashPaths(List& array) {
    const std::string uid = std::to_string(getuid());
    const bool nativeLayout = !platform::Environment::current()->hasRoot();
    TCDiskVolums volumes;
    for (const auto& volume : volumes.allDiskVolums()) {
        if (nativeLayout) {
            if (!isRemovable(volume)) continue;
            array.push_back({platform::joinPath(volume.volRootDir, ".Trash-" + uid + "/files"), false});
            const std::string shared = platform::joinPath(volume.volRootDir, ".Trash");
            if (isSharedTrashFolder(shared)) array.push_back({platform::joinPath(shared, uid + "/files"), false});
        } else if (isUnderVolumes(volume.volRootDir)) {
            array.push_back({platform::joinPath(volume.volRootDir, ".Trashes/" + uid), false});
        }
    }
    array.push_back({resolved("~/.Trash"), false});
    array.push_back({resolved("~/Library/Mobile Documents/.Trash"), false});
}

void JunkLocations::socialToolsLocations(List& array) {
    for (const auto& [key, texts] : socialToolsCachePaths()) appendWhole(texts, array);
}

JunkLocations::SocialToolsTable JunkLocations::socialToolsCachePaths() {
    auto application = [](const char* name, std::initializer_list<const char*> folders) {
        std::vector<std::string> texts{name};
        for (const char* folder : folders) texts.push_back(std::string("~/Library/") + folder);
        return std::make_pair(std::string(name), texts);
    };
    return {
        application("QQ", {"Containers/com.tencent.qq/Data/Library/Caches/com.tencent.qq",
                           "Containers/com.tencent.qq/Data/Library/Application Support/QQ",
                           "Containers/com.tencent.qq/Data/Documents/QQImageCache"}),
        application("微信", {"Containers/com.tencent.xinWeChat/Data/Library/Caches",
                             "Containers/com.tencent.xinWeChat/Data/Library/Application Support/com.tencent.xinWeChat",
                             "Application Support/com.tencent.xinWeChat",
                             "Containers/com.tencent.xinWeChat/Data/Library/Logs",
                             "Containers/com.tencent.xinWeChat/Data/Documents/xwechat_files",
                             "Containers/com.tencent.xinWeChat/Data/Documents/cacheDir"}),
        application("钉钉", {"Caches/com.alibaba.DingTalkMac",
                             "Containers/com.alibaba.dingtalk/Data/Library/Caches",
                             "Containers/com.alibaba.dingtalk/Data/Library/Application Support/DingTalk",
                             "Containers/com.alibaba.DingTalkMac/Data/Library/Caches",
                             "Containers/com.alibaba.DingTalkMac/Data/Library/Application Support/DingTalk",
                             "Application Support/DingTalkMac", "Application Support/DingTalk",
                             "Containers/com.alibaba.dingtalk/Data/Library/Logs",
                             "Containers/com.alibaba.DingTalkMac/Data/Library/Logs"}),
        application("Telegram", {"Containers/com.telegram.desktopcache", "Application Support/Telegram Desktop",
                                 "Caches/com.telegram.desktop"}),
        application("WhatsApp", {"Containers/net.whatsapp.WhatsApp/Data/Library/Caches",
                                 "Containers/net.whatsapp.WhatsApp/Data/Library/Application Support/WhatsApp"}),
        application("Slack", {"Containers/com.tinyspeck.slackmacgap/Data/Library/Caches",
                              "Containers/com.tinyspeck.slackmacgap/Data/Library/Application Support/Slack",
                              "Containers/com.tinyspeck.slackmacgap/Data/Library/Logs"}),
        application("飞书", {"Containers/com.larkspace.desktop.feishu/Data/Library/Caches",
                             "Containers/com.larkspace.desktop.feishu/Data/Library/Application Support/Feishu",
                             "Containers/com.larkspace.desktop.feishu/Data/Library/Logs"}),
    };
}

std::vector<std::string> JunkLocations::userDataFolders() {
    return {resolved("~/Library/Application Support/MobileSync/Backup"),
            resolved("~/Music/iTunes/iTunes Media/Mobile Applications")};
}

}  // namespace core::junk

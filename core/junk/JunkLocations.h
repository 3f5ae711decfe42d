#pragma once

#include "core/kit/Executors.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace core::junk {

// One place a junk category looks at: a folder or file taken whole, or an entry of a folder
// (joined to it). Only entries are skipped by name (hidden, a running application's identifier).
struct JunkLocation {
    std::string path;
    bool isEntry = false;
};
using JunkLocationList = std::vector<JunkLocation>;

// Where each of the junk cleaner's six categories looks, rebuilt on every call. Every path is
// absolute and resolved through the environment; the entries of a folder are joined to it.
// CommUti's junk location methods are the public face of this class.
class JunkLocations {
public:
    // Application key -> its display name followed by its "~/" location texts (not expanded).
    using SocialToolsTable = std::vector<std::pair<std::string, std::vector<std::string>>>;

    // Appends the locations of category index 0 to 5; any other index appends nothing. Folders
    // whose entries are locations are listed on the calling thread and on helpers posted to pool.
    static void appendLocations(int index, JunkLocationList& array, const Executor& pool = {});
    static void appendLocations(int index, std::vector<std::string>& array);
    // The entries of a folder joined to it, hidden ones included, in name order; nothing when
    // the folder is missing, empty, beyond a link or unreadable.
    static void getSubPathFilesWithPath(const std::string& path, std::vector<std::string>& array);
    static void trashPaths(std::vector<std::string>& array);
    static void trashPaths(JunkLocationList& array);
    static SocialToolsTable socialToolsCachePaths();

    // Microsoft Teams log names: "logs" with the extension "txt", or "watchdog" with "json".
    static bool matchesFilePattern(const std::string& name);
    // Device backups and mobile applications are the user's data: what lies in these folders
    // is offered, but not selected.
    static std::vector<std::string> userDataFolders();

private:
    static void appendEntries(const std::string& folder, JunkLocationList& array);
    static void appendEntriesOf(std::initializer_list<const char*> folders, JunkLocationList& array,
                                const Executor& pool);
    static void appendEntriesOfAll(const std::vector<std::string>& folders, JunkLocationList& array,
                                   const Executor& pool);
    static void systemJunk(JunkLocationList& array, const Executor& pool);
    static void applicationJunk(JunkLocationList& array, const Executor& pool);
    static void mailAttachments(JunkLocationList& array);
    static void socialToolsLocations(JunkLocationList& array);
    static void addContainerCaches(JunkLocationList& array, const Executor& pool);
    static void addSteamCacheFilesWithPath(JunkLocationList& array, const Executor& pool);
    static void addTeamsCacheFilesWithPath(JunkLocationList& array, const Executor& pool);
    static void addMinecraftCacheFilesWithPath(JunkLocationList& array, const Executor& pool);
    static void getMinecraftLogFiles(JunkLocationList& array);
    static void addLunarclientCacheFilesWithPath(JunkLocationList& array, const Executor& pool);
    static void getLunarclientSubPtathLog(JunkLocationList& array);
};

}  // namespace core::junk

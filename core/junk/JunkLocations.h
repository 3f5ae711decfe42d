#pragma once

#include <string>
#include <utility>
#include <vector>

namespace core::junk {

// Where each of the junk cleaner's six categories looks, rebuilt on every call. Every path is
// absolute and resolved through the environment; the entries of a folder are joined to it.
// CommUti's junk location methods are the public face of this class.
class JunkLocations {
public:
    // Application key -> its display name followed by its "~/" location texts (not expanded).
    using SocialToolsTable = std::vector<std::pair<std::string, std::vector<std::string>>>;

    // Appends the locations of category index 0 to 5; any other index appends nothing.
    static void appendLocations(int index, std::vector<std::string>& array);
    // The entries of a folder joined to it, hidden ones included, in name order; nothing when
    // the folder is missing, empty, beyond a link or unreadable.
    static void getSubPathFilesWithPath(const std::string& path, std::vector<std::string>& array);
    static void trashPaths(std::vector<std::string>& array);
    static SocialToolsTable socialToolsCachePaths();

    // Microsoft Teams log names: "logs" with the extension "txt", or "watchdog" with "json".
    static bool matchesFilePattern(const std::string& name);
    // Device backups and mobile applications are the user's data: offered, but not selected.
    static bool startsUnselected(const std::string& path);

private:
    static void systemJunk(std::vector<std::string>& array);
    static void applicationJunk(std::vector<std::string>& array);
    static void mailAttachments(std::vector<std::string>& array);
    static void socialToolsLocations(std::vector<std::string>& array);
    static void addContainerCaches(std::vector<std::string>& array);
    static void addSteamCacheFilesWithPath(std::vector<std::string>& array);
    static void addTeamsCacheFilesWithPath(std::vector<std::string>& array);
    static void addMinecraftCacheFilesWithPath(std::vector<std::string>& array);
    static void getMinecraftLogFiles(std::vector<std::string>& array);
    static void addLunarclientCacheFilesWithPath(std::vector<std::string>& array);
    static void getLunarclientSubPtathLog(std::vector<std::string>& array);
};

}  // namespace core::junk

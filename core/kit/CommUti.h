#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace core {

// Helpers that every tool shares; a class with no instances.
class CommUti {
public:
    CommUti() = delete;

    // --- File sizes and size texts: base 1024, two decimals, one blank and the unit, always
    // with a decimal point whatever the locale. The rounding is part of the results.
    // KB, MB, GB in single precision; 0 gives "0.00 KB", counts below 1 KB show in KB too.
    static std::string convertVolSpace(uint64_t bytes);
    // "byte" up to 1023 (negative counts too), then KB, MB, GB, TB scaled in double precision.
    static std::string longlongDiskSize(int64_t bytes);
    static std::string longlongConvertVolSpace(int64_t bytes);
    // Reads a text made by the formatters back into a byte count; 0 for anything else
    // ("byte" texts, negative numbers, texts shorter than a unit).
    static uint64_t volSpaceFromString(const std::string& text);
    // The logical size of a file, or of every non-folder entry below a folder; 0 when missing.
    static uint64_t sizeOfFileRef(const std::string& path);
    // --- End of file sizes and size texts.

    // --- Junk locations: absolute paths resolved through the environment, a folder's entries
    // joined to it, rebuilt on every call.
    // Appends the locations of junk category 0 to 5; any other index appends nothing.
    static void folderPath(int index, std::vector<std::string>& array);
    // Appends a folder's entries (hidden ones included, in name order); nothing when the folder
    // is missing, empty, reached through a link or unreadable.
    static void getSubPathFilesWithPath(const std::string& path, std::vector<std::string>& array);
    // The Trash folders: each volume's under "/Volumes", the user's, the iCloud Drive one.
    static void trashPaths(std::vector<std::string>& array);
    // The developer tools' eight cache folders, existing or not.
    static void scanXcode(std::vector<std::string>& array);
    // The chat applications in a fixed order: key -> display name, then "~/" location texts.
    static std::vector<std::pair<std::string, std::vector<std::string>>> socialToolsCachePaths();
    // --- End of junk locations.

    // --- System facts and folder lists, in the system's terms (resolved through Environment).
    // The running system's version as one comparable integer: major × 100 + minor
    // (10.9 → 1009, 11.0 → 1100); the patch level is not part of it.
    static int getSystemVersion();
    // Each pointer may be null. An unreadable version text gives 10.0.0 and a log line.
    static void getSystemVersionMajor(unsigned* major, unsigned* minor, unsigned* bugFix);

    // The interface's font names as stored in the settings file; "" when none is stored.
    static std::string getLightFontName();
    static std::string getRegularFontName();
    static std::string getBoldFontName();
    // Store a font name under "FontLight", "FontRegular" or "FontBold"; false when the
    // settings could not be written.
    static bool writLightFont(const std::string& fontName);
    static bool writRegularFont(const std::string& fontName);
    static bool writBoldFont(const std::string& fontName);

    static std::string userName();
    // True when a running application has exactly this bundle identifier.
    static bool isBelongRunningApp(const std::string& bundleIdentifier);
    // True when the network is reachable without first establishing a connection.
    static bool isCanBeUseNetWork();

    // Folders where applications, widgets, preference panes and plug-ins are installed, in the
    // system's domain order (user, local, network), resolved whether or not they exist.
    static std::vector<std::string> applicationPaths();
    static std::vector<std::string> widgetPaths();
    static std::vector<std::string> preferencePanePaths();
    static std::vector<std::string> pluginPaths();
    // --- End of system facts and folder lists.
};

}  // namespace core

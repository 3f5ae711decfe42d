#pragma once

#include "core/uninstall/AMAppItem.h"
#include "core/uninstall/RelatedFileList.h"

#include <string>
#include <vector>

namespace core::uninstall {

// Builds the uninstaller's records, and gathers everything that belongs to an application
// before it is uninstalled: the applications nested in it, the bundle itself, and the entries
// of the user's Library folders (and Downloads, "/Users/Shared") whose names begin with the
// application's name or bundle identifier. Stateless; any thread.
class RelatedAppFilesScanner {
public:
    RelatedAppFilesScanner() = delete;

    // A record for the path, its size left empty: the name without ".app", what its
    // "Contents/Info.plist" (XML or binary, at most 1 MiB) says, its creation date and its icon.
    static AMAppItemPtr getAppItemWithFilePath(const std::string& path);
    // The same with the size still to be measured ("0KB").
    static AMAppItemPtr constructItem(const std::string& path);
    // The same, measured now.
    static AMAppItemPtr aConstructItem(const std::string& path);
    // The size text of everything at the path (a link counts as itself); "0.00 KB" when missing.
    static std::string getFileSizeItem(const std::string& path);

    // In this order: the applications nested in the bundle, each followed by its related files;
    // the bundle itself; the entries matching its name and identifier in the related folders;
    // its Growl ticket. Every record is sized, and every item is listed once.
    static std::vector<AMAppItemPtr> relatedFilesToApplicationAtPath(const std::string& path);
    // The applications in the bundle's "Contents/MacOS" (and in the "Contents/MacOS" of every
    // other folder found there), each with its related files.
    static std::vector<AMAppItemPtr> scanAppsInMacOSFolder(const std::string& path);
    // A nested application's record and its related files (not its own nested applications).
    static std::vector<AMAppItemPtr> relatedFilesForNestedApp(const std::string& path);

    // The folders whose entries may belong to an application, resolved, each once.
    static std::vector<std::string> relatedFolders();
};

// Adds the matches of both terms in every folder of the list that exists: the name term's
// first, then the identifier term's, folder by folder.
void ScanDirectories(RelatedFileList& result, const std::vector<std::string>& folders, const std::string& nameTerm,
                     const std::string& identifierTerm);
// Adds, sized, every entry of the folder (hidden ones too) whose name begins with the term, or
// with the term without its spaces, ignoring case. An empty term matches nothing.
void AddPathIfExists(RelatedFileList& result, const std::string& folder, const std::string& term);

}  // namespace core::uninstall

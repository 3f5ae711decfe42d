#pragma once

#include "core/browser/BrowerObj.h"
#include "core/browser/BrowserTable.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace core::browser {

// Finds the installed browsers and builds the cleaner's list: one node per browser profile
// (or per browser without profiles), each with its items. Under a root the Applications folders
// are searched for bundles (each copy listed); on a Linux desktop, which has no such folders,
// the installed desktop entries stand for them, each browser listed once however many of its
// builds are installed. Runs on any one thread; the list is handed over whole.
class BrowserDiscovery {
public:
    // An item's size text; profilePath is its node's profile folder ("" for Opera and Safari).
    using Measure = std::function<std::string(const BrowerObj& item, const std::string& profilePath)>;

    struct Options {
        Measure measure;  // none: BrowserItemCleaner's
        // The "applications" folders of the desktop entries looked at when no root is set;
        // nothing: the desktop's own (XDG data folders).
        std::optional<std::vector<std::string>> desktopEntryFolders;
        // Looked at before each application: a stopped discovery ends with what it has.
        const StopToken* stop = nullptr;
        // Nodes made so far, and the node being measured.
        ProgressState* progress = nullptr;
    };

    BrowserDiscovery();
    explicit BrowserDiscovery(Options options);

    // Every browser node of this machine, in discovery order.
    BrowserList discover();

    // The user, local and network Applications folders, then "/Developer/Applications", resolved.
    static std::vector<std::string> applicationPaths();
    // Adds the nodes of every browser bundle in the folder or in folders below it (never
    // inside a bundle).
    void applicationsInPath(const std::string& path, BrowserList& browserArr);
    // Adds one node per profile folder of a data root, or one node for the root itself when it
    // has none (or is missing). Profile folders that are links are skipped.
    void addBrowserProfilesForPath(const std::string& root, const std::string& browserName,
                                   const std::string& browserKey, const IconReference& icon,
                                   BrowserList& browserArr);
    // "profile"."name" of the profile's "Preferences" JSON; nothing when there is no usable one.
    static std::optional<std::string> getChromeProfileNameFromPath(const std::string& profilePath);
    // Fills the node's items from the shipped item list; with a profile folder their data paths
    // are the profile's, else the list's own paths. Every item starts selected.
    void getSubArrWithKey(const std::string& browserKey, BrowerObj& node, const std::string& profilePath = "");

private:
    void addApplication(const BrowserTable::Row& row, const std::string& displayName, const IconReference& icon,
                        BrowserList& browserArr);
    void addDesktopApplications(BrowserList& browserArr);
    BrowerObjPtr makeNode(const std::string& name, const std::string& browserKey, const IconReference& icon,
                          const std::string& profilePath, const std::string& profileName) const;
    bool stopped() const;

    Options options_;
};

}  // namespace core::browser

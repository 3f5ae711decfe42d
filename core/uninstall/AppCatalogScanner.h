#pragma once

#include "core/kit/Executors.h"
#include "core/uninstall/AMAppItem.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace core::uninstall {

// The three kinds of things the uninstaller lists, in the order of its kind selector.
enum class AppKind { Applications = 0, Widgets = 1, Plugins = 2 };

// Collects the installed applications, widgets and plug-ins from their folder lists. Records
// start unsized ("0KB"); their sizes are measured when a row is shown (AppSizeRequests).
class AppCatalogScanner {
public:
    AppCatalogScanner() = delete;

    // The folder lists of the three kinds, indexed by kind: applications, widgets, plug-ins.
    using SearchPaths = std::array<std::vector<std::string>, 3>;
    static SearchPaths searchPaths();

    // Appends the applications ("*.app", folders or links to them) in the folder and in every
    // folder below it that is not an application; system applications ("com.apple.") are left out.
    static void applicationsInPath(const std::string& folder, std::vector<AMAppItemPtr>& into);
    // Appends the widgets ("*.wdgt") in the folder and below it.
    static void widgetsInPath(const std::string& folder, std::vector<AMAppItemPtr>& into);
    // Appends the plug-ins (eight bundle extensions, ".app" among them) in the folder and below it.
    static void pluginsInPath(const std::string& folder, std::vector<AMAppItemPtr>& into);
    // Everything of one kind in its folders, in list order; a missing folder adds nothing.
    static std::vector<AMAppItemPtr> scanKind(AppKind kind, const std::vector<std::string>& folders);

    struct Reports {
        // On the main thread, each kind's whole list as soon as it is complete.
        std::function<void(AppKind, std::vector<AMAppItemPtr>)> kindScanned;
        // On the main thread, after the last kind.
        std::function<void()> finished;
    };
    // Scans the kinds in the given order on the global queue: the whole catalogue when the page
    // loads, one kind for a refresh.
    static void scanInBackground(const Executors& executors, SearchPaths folders, std::vector<AppKind> kinds,
                                 Reports reports);
};

}  // namespace core::uninstall

#pragma once

#include "core/kit/IconReference.h"
#include "platform/system/PlistValue.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace core {

// Looks for installed bundles (applications, widgets, plug-ins) in a folder and in every
// folder below it that is not a bundle itself: how the uninstaller's lists and the browser
// cleaner's discovery find what is installed.
class BundleWalk {
public:
    // Which entries are bundles.
    struct Kind {
        std::vector<std::string> extensions;  // without the dot, compared exactly
        // True: an entry counts only when it is a folder or a link to one (an application);
        // false: any entry with one of the extensions counts.
        bool foldersOnly = true;
    };
    static Kind applications() { return {{"app"}, true}; }

    // Calls found with the full path of every bundle, depth first, each folder's entries in
    // name order. The extension is tested first, so a bundle is never entered; other folders
    // are searched to any depth. Links are never followed into folders (a link named like a
    // bundle is reported as one), so a loop of links ends. The folder itself may be a link.
    // A missing or unreadable folder gives nothing.
    static void walk(const std::string& folder, const Kind& kind, const std::function<void(const std::string&)>& found);

    // The name a list shows for a bundle: its last path component without ".app".
    static std::string displayName(const std::string& path);
    // The bundle's "Contents/Info.plist" when it is a dictionary (XML or binary).
    static std::optional<platform::PlistValue> infoDictionary(const std::string& bundle);
    // The bundle's own picture, "Contents/Resources/<CFBundleIconFile>" (the file name may leave
    // out ".icns"), else the icon the file manager shows for the path.
    static IconReference iconOf(const std::string& bundle, const std::optional<platform::PlistValue>& info);
};

}  // namespace core

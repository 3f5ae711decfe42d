#pragma once

#include "core/kit/Executors.h"
#include "core/startup/ASLoginStartItem.h"
#include "core/startup/AppBundleIndex.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace core::startup {

// Reads the launch agents, launch daemons and privileged helper tools from their folders
// (macOS locations resolved through the environment) into the page's two source lists.
// A fresh scanner per scan; it runs on any thread.
class StartupItemsScanner {
public:
    using ItemList = std::vector<ASLoginStartItem>;
    struct Lists {
        ItemList launchAgents;
        ItemList launchDaemons;  // daemons, then helper tools
    };

    // Kind indexes of getItemTypeString.
    static constexpr unsigned kLaunchAgentType = 1;
    static constexpr unsigned kLaunchDaemonType = 2;

    StartupItemsScanner();

    // Both lists made on the global queue and handed over whole on the main queue.
    static void scan(const Executors& executors, std::function<void(Lists)> done);

    // The user's and the machine's launch agent folders, the agent folders inside each
    // application support and services folder, and the applications' login item folders.
    void scanLaunchAgents();
    // "/Library/LaunchDaemons", then the helper tools.
    void scanLaunchDaemons();
    // Appends each helper tool of "/Library/PrivilegedHelperTools" not yet listed; names that
    // begin with "." are left out.
    void scanPrivilegedHelperTools();
    // For each entry B of folder not beginning with ".", the agent folders
    // "B/Library/LaunchAgents" and "B/Library/Application Support/Library/LaunchAgents".
    void scanAppSupportHelpers(const std::string& folder, ItemList& array, unsigned type);
    // "Contents/Library/LoginItems" of each application in "/Applications", and of the
    // application of the same name in "~/Applications".
    void scanInstalledAppLoginItems();
    // One record for each "*.plist" (exactly that case) of the folder whose path is not yet in
    // the list. A folder that cannot be listed is logged and adds nothing.
    void scanDirectory(const std::string& folder, ItemList& array, unsigned type);

    // The absolute program a launch property list starts: the first of "ProgramArguments",
    // else "Program"; nothing when neither is an absolute path or the file is no dictionary.
    static std::optional<std::string> getProgramPathFromPlist(const std::string& plistPath);
    // The application bundle (resolved) that holds a program given in macOS form: the program
    // itself when it is an existing ".app", else the first bundle of "/Applications",
    // "/System/Applications" and "~/Applications" whose "Contents/MacOS" has its name.
    std::optional<std::string> findAppBundleFromPath(const std::string& programPath);
    // "com.example.agent" gives "Example", "homebrew.mxcl.redis" gives "Redis"; a label whose
    // last part is empty comes back unchanged.
    static std::string getDisplayNameFromLabel(const std::string& label);
    // 0 "登录项", 1 "启动代理", 2 "系统服务", 3 "系统偏好设置", anything else "未知".
    static std::string getItemTypeString(unsigned index);

    ItemList launchAgentsList;
    ItemList launchDaemonsList;

private:
    ASLoginStartItem launchItem(const std::string& plistPath, const std::string& label, unsigned type);

    AppBundleIndex applications_;
};

}  // namespace core::startup

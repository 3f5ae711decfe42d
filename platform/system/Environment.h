#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Where the macOS locations that the tools name live on this machine, and the facts about
// the user and the system that the tools ask for. The running application reads them from
// the process environment once; tests build their own values and install them.
class Environment {
public:
    struct Values {
        std::string root = "/";               // prefixed to every macOS path (DURIDOVE_ROOT)
        std::string realHome;                 // the user's real home folder ($HOME)
        // The XDG base folders as the variables give them; unset, or not absolute, means the
        // default below the real home.
        std::string xdgCacheHome;             // $XDG_CACHE_HOME (~/.cache)
        std::string xdgDataHome;              // $XDG_DATA_HOME (~/.local/share)
        std::string xdgConfigHome;            // $XDG_CONFIG_HOME (~/.config)
        std::string loginName;                // $USER, else the account name
        std::string systemVersion = "10.15";  // macOS-style version text (DURIDOVE_SYSTEM_VERSION)
        std::vector<std::string> preferredLanguages;  // locale names, most preferred first
        std::string configFolder;             // where the application's own settings live
        std::string runtimeFolder;            // private folder for temporary files
        std::string procRoot = "/proc";
        std::string sysRoot = "/sys";
    };

    explicit Environment(Values values);

    static Values valuesFromProcess();
    static std::shared_ptr<Environment> current();
    // Tests install their own values; nullptr goes back to the process environment.
    static void setCurrent(std::shared_ptr<Environment> environment);

    const Values& values() const { return values_; }
    const std::string& root() const { return values_.root; }
    bool hasRoot() const { return values_.root != "/"; }

    // A macOS path ("/Library/Caches", "~/Library", "~") as it stands on this machine. Under a
    // root the root is added exactly once. Without one, the user's macOS folders that a Linux
    // desktop keeps elsewhere ("~/Library/Caches", "~/.Trash", ...) become their counterparts
    // (NativeLocations) and the rest stays as written. Resolving a resolved path changes nothing.
    std::string resolve(std::string_view macPath) const;
    // "~" and "~/..." in macOS form, before the root is added.
    std::string expandTilde(std::string_view macPath) const;

    // The home folder in macOS form: "/Users/<login>" under a root, else the real home.
    std::string homeFolder() const;
    // The XDG base folders of the real home.
    std::string cacheHome() const;
    std::string dataHome() const;
    std::string configHome() const;
    const std::string& loginName() const { return values_.loginName; }
    const std::string& systemVersion() const { return values_.systemVersion; }
    const std::vector<std::string>& preferredLanguages() const { return values_.preferredLanguages; }
    const std::string& configFolder() const { return values_.configFolder; }
    const std::string& procRoot() const { return values_.procRoot; }
    const std::string& sysRoot() const { return values_.sysRoot; }

    // The private runtime folder, made on first use with mode 0700 and checked to be a
    // real folder owned by this user; "" (and a log line) when it cannot be trusted.
    std::string runtimeFolder() const;

private:
    std::string nativePath(const std::string& path) const;

    Values values_;
};

}  // namespace platform

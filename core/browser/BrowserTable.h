#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core::browser {

// The browsers the cleaner knows: a key per browser, how an installed application is
// recognised as one, and where its data lies.
class BrowserTable {
public:
    // How a running browser shows that it holds a profile.
    enum class Lock {
        None,
        SingletonLock,   // a "SingletonLock" in the data root (the Chromium family, Opera)
        FirefoxProfile,  // a "lock" link or a locked ".parentlock" in the profile folder
    };

    struct Row {
        std::string key;       // the browser key ("Google Chrome", "Microsoft Edge Beta", ...)
        std::string nameTest;  // an application whose shown name contains this is the browser
        // The data root in macOS form with "%@" for the login name; "" for the browsers whose
        // item paths come whole from the item list (Opera, Safari).
        std::string dataRoot;
        // The desktop entry ids that stand for the application on Linux.
        std::vector<std::string> desktopIds;
        // Further folders, in the same form, that hold the browser's items (caches, Opera's and
        // Safari's folders); nothing is ever removed outside the data root and these.
        std::vector<std::string> itemRoots;
        Lock lock = Lock::None;

        bool hasProfiles() const { return !dataRoot.empty(); }
    };

    // In the order the names are tested: each Edge channel before the plain "Microsoft Edge".
    static const std::vector<Row>& rows();
    // The first row whose test the shown name passes; null when none does.
    static const Row* rowForDisplayName(std::string_view displayName);
    // The row that lists this desktop entry id; null when none does.
    static const Row* rowForDesktopId(std::string_view id);
    static const Row* rowForKey(std::string_view key);

    // The name a node of the row is shown under: the plain Edge row's is its key, so every
    // Edge build reads "Microsoft Edge"; the others keep the application's own name.
    static std::string browserName(const Row& row, const std::string& displayName);
    // The row's data root on this machine; "" for a row without one.
    static std::string dataRootPath(const Row& row);
    // The data root (when the row has one) and the further item folders, resolved.
    static std::vector<std::string> itemRootPaths(const Row& row);
};

}  // namespace core::browser

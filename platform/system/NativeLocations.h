#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The macOS user folders that the tools name, and where a Linux desktop keeps the same kind of
// data: the caches, the trash, the browsers' and a few applications' own folders. Only the
// user's own folders have a counterpart; the system's logs and caches belong to its log
// rotation and package manager, and the chat applications mix their caches with login keys and
// messages, so they keep their macOS paths, which do not exist here.
class NativeLocations {
public:
    // The user's folders that the counterparts lie in.
    struct Folders {
        std::string home;
        std::string cacheHome;   // $XDG_CACHE_HOME, else ~/.cache
        std::string dataHome;    // $XDG_DATA_HOME, else ~/.local/share
        std::string configHome;  // $XDG_CONFIG_HOME, else ~/.config
    };

    // The Linux path of a location given relative to the macOS home folder ("Library/Caches/x";
    // "" for the home folder itself). The longest macOS location that holds it, compared by
    // whole components, decides; what no other row holds lies in the home folder as it is.
    static std::string linuxPath(std::string_view homeRelative, const Folders& folders);
};

}  // namespace platform

#pragma once

#include "core/kit/IconReference.h"

#include <string>

namespace core::browser {

// What each item key of the browser lists is shown as, and which file or folder of a profile
// it works on.
class BrowserItemKeys {
public:
    // The title the item table shows; an unknown key shows itself.
    static std::string titleWithKey(const std::string& key);
    // The key's picture ("icon_history", ...); none for an unknown key.
    static IconReference getIconWithKey(const std::string& key);
    // One line; "" for an unknown key.
    static std::string getDescriptionWithKey(const std::string& key);
    // The data path of an item of a profile-based browser, profilePath being the profile
    // folder: a file or folder inside it, or the browser's cache folder for the profile.
    // Keys without a path of their own answer the profile folder itself; the shipped item
    // list offers none of those.
    static std::string getDataPathForKey(const std::string& key, const std::string& profilePath,
                                         const std::string& browserKey);
};

}  // namespace core::browser

#pragma once

#include <string>
#include <vector>

namespace core::browser {

// The shipped item list "HistoryTemp": per browser key, the item keys it offers and the path
// each works on (a template with "%@" for the login name). Read afresh on every call.
class HistoryTemp {
public:
    struct Item {
        std::string key;
        std::string path;
    };

    // The browser's items in the list's "ItemOrder" (keys the order leaves out follow in name
    // order); nothing when the list or the browser is missing.
    static std::vector<Item> itemsFor(const std::string& browserKey);
};

}  // namespace core::browser

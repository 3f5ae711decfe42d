#pragma once

#include "core/kit/IconReference.h"
#include "platform/files/ChosenItem.h"
#include "platform/files/ListedFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace core::browser {

// One row of the browser cleaner's two-level list: a browser or profile node (left table), or
// one cleanable item of a node (right table). Built on the discovery worker, then read and
// changed on the main thread only.
struct BrowerObj {
    // The selection states of isSelect.
    static constexpr int kUnselected = 0;
    static constexpr int kSelected = 1;
    static constexpr int kPartlySelected = 2;

    BrowerObj* parObj = nullptr;  // an item's node (which owns it); null for a node
    // Node: the browser key of the table row that found it; item: its node's. Measuring and
    // cleaning dispatch on it, never on the shown name.
    std::string browserKey;
    std::string name;  // node: the shown name; item: the item key
    std::vector<std::shared_ptr<BrowerObj>> chrArr;  // node: its items
    std::string size;                 // item: "%d项" or a size text; "" when not measured
    std::string urlStr;               // item: its data path, or a template with "%@" for the user
    std::string profilePath;          // node: the profile folder (or the data root)
    std::string profileName;          // node: the profile's shown name
    // Node: the browser's own folders as they were found, the only places its items are
    // removed from, each while it is still the folder found.
    std::vector<platform::ListedFolder> roots;
    // Item: what a clean removes whole, as it stood when the item was measured; a clean removes
    // nothing else and nothing that has changed since.
    std::vector<platform::ChosenItem> chosen;
    std::string itemDescription;      // item: one line
    IconReference iconImage;          // node: the application's icon; item: the key's picture
    int isSelect = kUnselected;
};

using BrowerObjPtr = std::shared_ptr<BrowerObj>;
using BrowserList = std::vector<BrowerObjPtr>;

}  // namespace core::browser

#pragma once

#include "core/browser/BrowerObj.h"

#include <cstddef>

namespace core::browser {

// The ticks of the browser list: a node is ticked (1), partly ticked (2) or not (0) after its
// items, and ticking a node ticks or clears all of them. Main thread only.
class BrowserSelection {
public:
    // The node's box was clicked: ticked unless it was fully ticked, and its items with it.
    static void selectNode(BrowserList& browserArr, size_t node);
    // An item's box was clicked: the item flips, and its node follows its items. An index past
    // the end is ignored.
    static void selectItem(BrowserList& browserArr, size_t node, size_t item);
    // Something is ticked, so cleaning can start.
    static bool canClean(const BrowserList& browserArr);
};

}  // namespace core::browser

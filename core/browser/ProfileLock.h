#pragma once

#include "core/browser/BrowserTable.h"

#include <string>

namespace core::browser {

// Whether a browser is using a profile right now, from the marks it leaves while it runs: a
// running browser would write back what was cleaned, or find a database half cleaned.
class ProfileLock {
public:
    // profilePath is the node's profile folder (the data root for a node without profiles).
    // A lock naming a process of this machine that has ended is a leftover and does not count.
    static bool isInUse(const BrowserTable::Row& row, const std::string& profilePath);
};

}  // namespace core::browser

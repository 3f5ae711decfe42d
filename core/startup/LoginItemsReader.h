#pragma once

#include "core/startup/ASLoginStartItem.h"
#include "platform/desktop/LoginItemList.h"

#include <vector>

namespace core::startup {

// The session's login items as rows of the startup items page, in the session's order; a
// path listed more than once gives one row. Reads the list afresh on every call, on any thread.
class LoginItemsReader {
public:
    static std::vector<ASLoginStartItem> readLoginItems(platform::LoginItemList& list);
};

}  // namespace core::startup

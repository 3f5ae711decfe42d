#pragma once

#include "core/startup/ASLoginStartItem.h"
#include "platform/desktop/LoginItemList.h"

namespace core::startup {

// Removes one startup item as its source asks, never by what its path looks like, and answers
// whether it is gone.
// - A login item is taken out of the session's login items, every entry with its path; what it
//   starts stays on disk and no administrator right is asked for.
// - A launch agent's or daemon's property list is unlinked with the user's rights, else through
//   the shared privileged remover.
// - A helper tool goes through the shared privileged remover at once (which tries the user's
//   rights first).
// Files are reached in their folder from "/" without links; an item found gone counts as
// removed, a property list that has become a folder is refused.
class StartupItemRemover {
public:
    static bool removeItem(const ASLoginStartItem& item, platform::LoginItemList& loginItems);

private:
    static bool removeLoginItem(const std::string& path, platform::LoginItemList& loginItems);
    static bool removeFromDisk(const ASLoginStartItem& item);
};

}  // namespace core::startup

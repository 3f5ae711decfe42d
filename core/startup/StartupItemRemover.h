#pragma once

#include "core/startup/ASLoginStartItem.h"
#include "platform/desktop/LoginItemList.h"

namespace core::startup {

// Removes one startup item as its source asks, never by what its path looks like, and answers
// whether it is gone.
// - A login item is taken out of the session's login items, every entry with its path; what it
//   starts stays on disk and no administrator right is asked for.
// - A launch agent's or daemon's property list, or a helper tool, goes through the shared
//   remover as it was listed: with the user's rights, else with administrator rights. A file
//   or folder put in its place since is refused; an item found gone counts as removed.
class StartupItemRemover {
public:
    static bool removeItem(const ASLoginStartItem& item, platform::LoginItemList& loginItems);

private:
    static bool removeLoginItem(const std::string& path, platform::LoginItemList& loginItems);
    static bool removeFromDisk(const ASLoginStartItem& item);
};

}  // namespace core::startup

#include "core/startup/LoginItemsReader.h"

#include "platform/files/FileManager.h"
#include "platform/files/PathText.h"

#include <set>

namespace core::startup {

std::vector<ASLoginStartItem> LoginItemsReader::readLoginItems(platform::LoginItemList& list) {
    std::vector<ASLoginStartItem> items;
    std::set<std::string> listed;
    for (const platform::LoginItem& loginItem : list.loginItems()) {
        if (!listed.insert(loginItem.path).second) continue;
        ASLoginStartItem item;
        item.image = loginItem.path;
        item.path = loginItem.path;
        item.name = loginItem.name.empty() ? platform::FileManager::displayNameAtPath(loginItem.path) : loginItem.name;
        // A folder given as "…/Name.app/" still shows its extension.
        item.subName = platform::pathExtension(loginItem.path);
        item.source = StartupItemSource::LoginItem;
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace core::startup

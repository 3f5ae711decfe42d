#include "core/browser/HistoryTemp.h"

#include "platform/system/Bundle.h"
#include "platform/system/Log.h"
#include "platform/system/PlistValue.h"

#include <algorithm>

namespace core::browser {

using platform::PlistValue;

std::vector<HistoryTemp::Item> HistoryTemp::itemsFor(const std::string& browserKey) {
    const std::string path = platform::Bundle::resourcePath("HistoryTemp", "plist");
    auto list = path.empty() ? std::nullopt : PlistValue::readFile(path);
    if (!list || !list->isDictionary()) {
        platform::logWarning("the browser item list HistoryTemp is missing or unreadable");
        return {};
    }
    const PlistValue& paths = (*list)[browserKey];
    std::vector<std::string> order;
    for (const auto& key : (*list)["ItemOrder"][browserKey].array())
        if (key.isString() && paths.contains(key.toString())) order.push_back(key.toString());
    for (const auto& [key, value] : paths.dictionary())
        if (std::find(order.begin(), order.end(), key) == order.end()) order.push_back(key);

    std::vector<Item> items;
    for (const auto& key : order) items.push_back({key, paths[key].toString()});
    return items;
}

}  // namespace core::browser

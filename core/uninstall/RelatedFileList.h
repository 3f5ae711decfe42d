#pragma once

#include "core/uninstall/AMAppItem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace core::uninstall {

// The related files of one uninstall, each listed once. An item is known by its real place:
// the real path of its folder joined with its own name (so a link stands for itself, and two
// spellings of one folder meet); the first finding is kept.
class RelatedFileList {
public:
    // True when the item at path was not listed yet; from now on it counts as listed.
    bool claim(const std::string& path);
    void append(AMAppItemPtr item) { items_.push_back(std::move(item)); }
    const std::vector<AMAppItemPtr>& items() const { return items_; }
    std::vector<AMAppItemPtr> take() { return std::move(items_); }

private:
    const std::string& realFolder(const std::string& folder);

    std::vector<AMAppItemPtr> items_;
    std::set<std::string> claimed_;
    std::map<std::string, std::string> realFolders_;
};

}  // namespace core::uninstall

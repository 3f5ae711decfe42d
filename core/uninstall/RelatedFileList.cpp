#include "core/uninstall/RelatedFileList.h"

#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"

namespace core::uninstall {

const std::string& RelatedFileList::realFolder(const std::string& folder) {
    auto known = realFolders_.find(folder);
    if (known != realFolders_.end()) return known->second;
    return realFolders_.emplace(folder, platform::realPath(folder).value_or(folder)).first->second;
}

bool RelatedFileList::claim(const std::string& path) {
    const std::string normalized = platform::normalizedPath(path);
    const std::string key =
        platform::joinPath(realFolder(platform::parentPath(normalized)), platform::lastPathComponent(normalized));
    return claimed_.insert(key).second;
}

}  // namespace core::uninstall

#include "core/junk/TrashInfo.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace core::junk {

bool TrashInfo::removeRecordOf(const std::string& itemPath, const CategoryRoots& roots) {
    const std::string files = platform::parentPath(itemPath);
    if (platform::lastPathComponent(files) != "files" || !roots.isPlace(files)) return false;
    CategoryRoots::Found place = roots.openParentOf(files);
    if (place.reach != CategoryRoots::Reach::Reached) return false;
    const std::string record = platform::lastPathComponent(itemPath) + ".trashinfo";
    const std::string recordPath = platform::joinPath(platform::parentPath(files), "info/" + record);
    platform::FileDescriptor info(
        openat(place.parent.folder.get(), "info", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat found {};
    if (!info.isOpen() || fstatat(info.get(), record.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (!S_ISREG(found.st_mode)) {
        platform::logWarning("not removing " + recordPath + ": it is not a plain file");
        return false;
    }
    if (unlinkat(info.get(), record.c_str(), 0) != 0) {
        platform::logWarning("could not remove " + recordPath + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

}  // namespace core::junk

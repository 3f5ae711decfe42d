#include "core/duplicates/fileAttrbItem.h"

#include "platform/files/PathText.h"

namespace core {

fileAttrbItem fileAttrbItem::fromEntry(const std::string& path, const platform::FileEntry& entry) {
    fileAttrbItem item;
    item.filePathName = path;
    item.fileSize = entry.size;
    item.ModificationDate = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(entry.modified.tv_sec) + std::chrono::nanoseconds(entry.modified.tv_nsec)));
    item.device = static_cast<dev_t>(entry.device);
    item.inode = static_cast<ino_t>(entry.inode);
    return item;
}

std::string fileAttrbItem::fileName() const { return platform::lastPathComponent(filePathName); }

}  // namespace core

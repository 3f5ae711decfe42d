#include "core/duplicates/fileAttrbItem.h"

#include "platform/files/PathText.h"

namespace core {
namespace {

std::chrono::system_clock::time_point dateOf(const timespec& time) {
    return std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
        std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec)));
}

}  // namespace

fileAttrbItem fileAttrbItem::fromEntry(const std::string& path, const platform::FileEntry& entry) {
    fileAttrbItem item;
    item.filePathName = path;
    item.fileSize = entry.size;
    item.ModificationDate = dateOf(entry.modified);
    item.changeDate = dateOf(entry.changed);
    item.device = static_cast<dev_t>(entry.device);
    item.inode = static_cast<ino_t>(entry.inode);
    return item;
}

std::string fileAttrbItem::fileName() const { return platform::lastPathComponent(filePathName); }

}  // namespace core

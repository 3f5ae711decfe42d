#include "core/shredder/ShredList.h"

#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/system/Log.h"

#include <sys/stat.h>

#include <algorithm>
#include <iterator>

namespace core {
namespace {

bool existsItself(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

ShredList::ShredList(ProtectedFolders protectedFolders, std::string udevDataFolder)
    : protectedFolders_(std::move(protectedFolders)), udevDataFolder_(std::move(udevDataFolder)) {}

ShredList::Addition ShredList::addPaths(const std::vector<std::string>& paths) {
    Addition addition;
    std::vector<std::string> tidied;
    for (const std::string& path : paths) {
        if (path.empty() || path.front() != '/') {
            platform::logWarning("Not a full path, not added: " + path);
            continue;
        }
        tidied.push_back(platform::normalizedPath(path));
    }
    if (isRefusedVolume(tidied)) {
        addition.refusedVolume = true;
        return addition;
    }
    for (const std::string& path : tidied) {
        if (protectedFolders_.isProtected(path)) {
            addition.protectedPaths.push_back(path);
            continue;
        }
        const std::optional<std::string> url = platform::resolvedParentPath(path);
        if (url && isListed(*url)) continue;
        std::shared_ptr<FileObj> item = url ? makeItem(*url) : nullptr;
        if (!item) {
            platform::logWarning("Cannot add a missing item: " + path);
            continue;
        }
        valueArr_.push_back(std::move(item));
        ++addition.added;
    }
    return addition;
}

bool ShredList::isRefusedVolume(const std::vector<std::string>& paths) const {
    const std::optional<platform::MountTable> table = platform::MountTable::read(platform::MountTable::ownTablePath());
    if (!table) return false;
    for (const std::string& path : paths) {
        const std::optional<platform::PathVolume> volume = platform::PathVolume::of(path, *table, udevDataFolder_);
        if (volume && (volume->isNTFS() || volume->readOnly)) {
            platform::logInfo("On an NTFS or read-only volume (" + volume->fsType + "), nothing added: " + path);
            return true;
        }
    }
    return false;
}

bool ShredList::isListed(const std::string& url) const {
    return std::any_of(valueArr_.begin(), valueArr_.end(), [&](const auto& item) { return item->url == url; });
}

std::shared_ptr<FileObj> ShredList::makeItem(const std::string& url) {
    struct stat info {};
    if (lstat(url.c_str(), &info) != 0) return nullptr;
    auto item = std::make_shared<FileObj>();
    item->name = platform::lastPathComponent(url);
    item->url = url;
    item->isDir = S_ISDIR(info.st_mode);
    const std::string extension = platform::pathExtension(item->name);
    item->type = item->isDir && extension != "app" ? "Folder" : extension;
    item->size = item->isDir ? 0 : static_cast<int64_t>(info.st_size);
    item->chosen = platform::ChosenItem::take(url);
    return item;
}

int ShredList::aSelectAllState() const {
    const auto selected = std::count_if(valueArr_.begin(), valueArr_.end(), [](const auto& item) { return item->isSelect; });
    if (selected == 0) return kNoneSelected;
    return static_cast<size_t>(selected) == valueArr_.size() ? kAllSelected : kSomeSelected;
}

std::vector<std::shared_ptr<FileObj>> ShredList::selectedItems() const {
    std::vector<std::shared_ptr<FileObj>> selected;
    std::copy_if(valueArr_.begin(), valueArr_.end(), std::back_inserter(selected),
                 [](const auto& item) { return item->isSelect; });
    return selected;
}

void ShredList::selectListButton(size_t row) {
    if (row < valueArr_.size()) valueArr_[row]->isSelect = !valueArr_[row]->isSelect;
}

void ShredList::setAllSelectOrNoSelect() {
    const bool select = aSelectAllState() != kAllSelected;
    for (const auto& item : valueArr_) item->isSelect = select;
}

std::vector<std::shared_ptr<FileObj>> ShredList::takeSelectedWithOutcome() {
    std::vector<std::shared_ptr<FileObj>> taken = selectedItems();
    for (const auto& item : taken) item->failStr = existsItself(item->url) ? "Failed" : "Erased";
    valueArr_.erase(std::remove_if(valueArr_.begin(), valueArr_.end(), [](const auto& item) { return item->isSelect; }),
                    valueArr_.end());
    return taken;
}

std::vector<std::shared_ptr<FileObj>> ShredList::failedItems(const std::vector<std::shared_ptr<FileObj>>& items) {
    std::vector<std::shared_ptr<FileObj>> failed;
    std::copy_if(items.begin(), items.end(), std::back_inserter(failed),
                 [](const auto& item) { return item->failStr == "Failed"; });
    return failed;
}

}  // namespace core

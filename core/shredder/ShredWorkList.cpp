#include "core/shredder/ShredWorkList.h"

#include "platform/files/FileWalker.h"
#include "platform/files/PathText.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace core {
namespace {

using platform::FileWalker;

std::shared_ptr<FileObj> entryItem(const FileWalker::Visit& visit) {
    auto item = std::make_shared<FileObj>();
    item->name = visit.entry().name;
    item->url = visit.path();
    item->isDir = visit.entry().isFolder();
    item->type = item->isDir ? "Folder" : platform::pathExtension(item->name);
    item->size = item->isDir ? 0 : static_cast<int64_t>(visit.entry().size);
    const platform::FileIdentity folder = platform::FileIdentity::of(*visit.folderEntry());
    item->chosen = platform::ChosenItem{item->url, platform::parentPath(item->url), folder, folder,
                                        platform::FileIdentity::of(visit.entry()), true};
    return item;
}

class Builder {
public:
    explicit Builder(const std::atomic<bool>* stop) : stop_(stop) {}

    void addSelected(const std::shared_ptr<FileObj>& item) {
        if (item->isDir && platform::pathExtension(item->url) != "app") expand(item->url);
        add(item);
    }

    std::vector<std::shared_ptr<FileObj>> take() { return std::move(items_); }

private:
    void expand(const std::string& folder) {
        FileWalker::Callbacks callbacks;
        callbacks.visitEntry = [this](const FileWalker::Visit& visit) {
            if (visit.depth() > 0 && !visit.entry().isFolder()) add(entryItem(visit));
            return FileWalker::Step::Continue;
        };
        callbacks.leaveFolder = [this](const FileWalker::Visit& visit, bool) {
            if (visit.depth() > 0) add(entryItem(visit));
        };
        FileWalker::Options options;
        options.stop = stop_;
        FileWalker::walk(folder, callbacks, options);
    }

    void add(std::shared_ptr<FileObj> item) {
        if (seen_.insert(item->url).second) items_.push_back(std::move(item));
    }

    const std::atomic<bool>* stop_;
    std::unordered_set<std::string> seen_;
    std::vector<std::shared_ptr<FileObj>> items_;
};

}  // namespace

std::vector<std::shared_ptr<FileObj>> ShredWorkList::build(const std::vector<std::shared_ptr<FileObj>>& selected,
                                                           const std::atomic<bool>* stop) {
    Builder builder(stop);
    for (const auto& item : selected) {
        if (stop && stop->load()) break;
        builder.addSelected(item);
    }
    return builder.take();
}

size_t ShredWorkList::countFiles(const std::vector<std::shared_ptr<FileObj>>& items) {
    return static_cast<size_t>(std::count_if(items.begin(), items.end(), [](const auto& item) { return !item->isDir; }));
}

}  // namespace core

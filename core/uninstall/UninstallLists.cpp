#include "core/uninstall/UninstallLists.h"

#include "core/kit/CommUti.h"
#include "core/kit/LowercaseText.h"

#include <sys/stat.h>

#include <algorithm>

namespace core::uninstall {
namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool contains(const std::vector<AMAppItemPtr>& items, const AMAppItemPtr& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

bool stillThere(const AMAppItemPtr& item) {
    struct stat info;
    return lstat(item->path.c_str(), &info) == 0;
}

}  // namespace

void UninstallLists::setFullList(AppKind kind, std::vector<AMAppItemPtr> items) {
    full_[index(kind)] = std::move(items);
    ticked_[index(kind)].clear();
    if (kind == kind_) showKind();
}

void UninstallLists::switchKind(AppKind kind) {
    kind_ = kind;
    filter_.clear();
    showKind();
}

void UninstallLists::search(const std::string& text) {
    filter_ = lowercasedText(trimmed(text));
    showKind();
}

void UninstallLists::showKind() {
    shown_.clear();
    for (const AMAppItemPtr& item : full_[index(kind_)])
        if (filter_.empty() || lowercasedText(item->name).find(filter_) != std::string::npos) shown_.push_back(item);
}

bool UninstallLists::isTicked(const AMAppItemPtr& item) const { return contains(tickedList(), item); }

UninstallLists::SelectAllState UninstallLists::selectAllState() const {
    const auto ticked = std::count_if(shown_.begin(), shown_.end(), [this](const AMAppItemPtr& item) { return isTicked(item); });
    if (ticked == 0) return NoneTicked;
    return static_cast<size_t>(ticked) == shown_.size() ? AllTicked : SomeTicked;
}

void UninstallLists::toggle(const AMAppItemPtr& item) {
    std::vector<AMAppItemPtr>& ticked = ticked_[index(kind_)];
    auto found = std::find(ticked.begin(), ticked.end(), item);
    if (found != ticked.end())
        ticked.erase(found);
    else
        ticked.push_back(item);
}

void UninstallLists::selectAll() {
    const bool allShownTicked = selectAllState() == AllTicked;
    std::vector<AMAppItemPtr>& ticked = ticked_[index(kind_)];
    ticked.clear();
    if (!allShownTicked) ticked = shown_;
}

bool UninstallLists::sort(SortColumn column) {
    const bool descending = !isSort_;
    auto key = [column](const AMAppItemPtr& item) {
        return column == SortColumn::Size ? CommUti::volSpaceFromString(item->size) : 0;
    };
    std::stable_sort(shown_.begin(), shown_.end(), [&](const AMAppItemPtr& left, const AMAppItemPtr& right) {
        if (column == SortColumn::Name) return descending ? right->name < left->name : left->name < right->name;
        return descending ? key(right) < key(left) : key(left) < key(right);
    });
    isSort_ = !isSort_;
    return descending;
}

std::vector<AMAppItemPtr> UninstallLists::unmeasuredShown() const {
    std::vector<AMAppItemPtr> waiting;
    for (const AMAppItemPtr& item : shown_)
        if (item->size == AMAppItem::kUnmeasuredSize) waiting.push_back(item);
    return waiting;
}

void UninstallLists::completeUninstall(const std::vector<AMAppItemPtr>& uninstalled) {
    for (size_t kind = 0; kind < full_.size(); ++kind) {
        auto gone = [](const AMAppItemPtr& item) { return !stillThere(item); };
        auto& full = full_[kind];
        full.erase(std::remove_if(full.begin(), full.end(), gone), full.end());
        auto& ticked = ticked_[kind];
        ticked.erase(std::remove_if(ticked.begin(), ticked.end(),
                                    [&](const AMAppItemPtr& item) { return gone(item) || contains(uninstalled, item); }),
                     ticked.end());
    }
    filter_.clear();
    showKind();
}

}  // namespace core::uninstall

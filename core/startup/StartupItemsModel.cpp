#include "core/startup/StartupItemsModel.h"

#include "core/startup/LoginItemsReader.h"
#include "core/startup/StartupItemRemover.h"

#include <algorithm>

namespace core::startup {
namespace {

bool isListed(const std::vector<ASLoginStartItem>& list, const std::string& path) {
    return std::any_of(list.begin(), list.end(), [&](const ASLoginStartItem& item) { return item.path == path; });
}

void erasePath(std::vector<ASLoginStartItem>& list, const std::string& path) {
    list.erase(std::remove_if(list.begin(), list.end(), [&](const ASLoginStartItem& item) { return item.path == path; }),
               list.end());
}

}  // namespace

std::shared_ptr<StartupItemsModel> StartupItemsModel::make(Executors executors,
                                                           std::shared_ptr<platform::LoginItemList> loginItems,
                                                           std::function<void()> rowsChanged) {
    return std::shared_ptr<StartupItemsModel>(
        new StartupItemsModel(std::move(executors), std::move(loginItems), std::move(rowsChanged)));
}

StartupItemsModel::StartupItemsModel(Executors executors, std::shared_ptr<platform::LoginItemList> loginItems,
                                     std::function<void()> rowsChanged)
    : executors(std::move(executors)), loginItems(std::move(loginItems)), rowsChanged(std::move(rowsChanged)) {}

void StartupItemsModel::getAllItmes() {
    std::weak_ptr<StartupItemsModel> weak = weak_from_this();
    // The watch calls on a thread of its own: the refresh is passed to the main thread.
    watch = loginItems->watchChanges([weak, main = executors.main] {
        main([weak] {
            if (auto self = weak.lock()) self->updateLoginItemsList();
        });
    });
    StartupItemsScanner::scan(executors, [weak](StartupItemsScanner::Lists lists) {
        if (auto self = weak.lock()) self->takeSourceLists(std::move(lists));
    });
}

void StartupItemsModel::takeSourceLists(StartupItemsScanner::Lists lists) {
    launchAgents = std::move(lists.launchAgents);
    launchDaemons = std::move(lists.launchDaemons);
    mergeSourceLists(rows);
    rowsChanged();
}

void StartupItemsModel::updateLoginItemsList() {
    if (isBusy()) return;
    scanning = true;
    rowsChanged();
    std::weak_ptr<StartupItemsModel> weak = weak_from_this();
    executors.global([weak, list = loginItems, main = executors.main] {
        std::vector<ASLoginStartItem> loginRows = LoginItemsReader::readLoginItems(*list);
        main([weak, loginRows = std::move(loginRows)]() mutable {
            if (auto self = weak.lock()) self->finishRefresh(std::move(loginRows));
        });
    });
}

void StartupItemsModel::finishRefresh(std::vector<ASLoginStartItem> loginRows) {
    mergeSourceLists(loginRows);
    rows = std::move(loginRows);
    scanning = false;
    rowsChanged();
}

void StartupItemsModel::mergeSourceLists(std::vector<ASLoginStartItem>& merged) const {
    for (const auto* list : {&launchAgents, &launchDaemons})
        for (const ASLoginStartItem& item : *list)
            if (!isListed(merged, item.path)) merged.push_back(item);
    std::set<std::string> ticked;
    for (const ASLoginStartItem& row : rows)
        if (row.bIsSelected) ticked.insert(row.path);
    for (ASLoginStartItem& row : merged) {
        row.canDelete = failedPaths.count(row.path) == 0;
        row.bIsSelected = row.canDelete && ticked.count(row.path) != 0;
    }
}

int StartupItemsModel::countDeletableItems() const {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row.canDelete; }));
}

int StartupItemsModel::countTickedItems() const {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row.bIsSelected; }));
}

StartupItemsModel::HeaderBox StartupItemsModel::headerBox() const {
    const int ticked = countTickedItems();
    if (ticked == 0) return HeaderBox::Unticked;
    const int deletable = countDeletableItems();
    return deletable > 0 && ticked == deletable ? HeaderBox::Ticked : HeaderBox::HalfTicked;
}

bool StartupItemsModel::isRemoveButtonEnabled() const { return !deleting && countTickedItems() > 0; }

void StartupItemsModel::setHideStar(int row) {
    if (isBusy() || row < 0 || row >= static_cast<int>(rows.size())) return;
    ASLoginStartItem& item = rows[static_cast<size_t>(row)];
    if (!item.canDelete) return;
    item.bIsSelected = !item.bIsSelected;
    rowsChanged();
}

void StartupItemsModel::setAllSelectOrNoSelect() {
    if (isBusy()) return;
    const int deletable = countDeletableItems();
    const bool tickAll = deletable > 0 && countTickedItems() != deletable;
    for (ASLoginStartItem& row : rows) row.bIsSelected = tickAll && row.canDelete;
    rowsChanged();
}

void StartupItemsModel::removeItemsAction(int row) {
    if (isBusy() || row < 0 || row >= static_cast<int>(rows.size())) return;
    const ASLoginStartItem& item = rows[static_cast<size_t>(row)];
    if (item.canDelete) startRemoval({item});
}

void StartupItemsModel::removeButtonActoion() {
    if (isBusy()) return;
    std::vector<ASLoginStartItem> chosen;
    for (const ASLoginStartItem& row : rows)
        if (row.bIsSelected) chosen.push_back(row);
    if (!chosen.empty()) startRemoval(std::move(chosen));
}

void StartupItemsModel::startRemoval(std::vector<ASLoginStartItem> chosen) {
    deleting = true;
    rowsChanged();
    std::weak_ptr<StartupItemsModel> weak = weak_from_this();
    executors.global([weak, chosen = std::move(chosen), list = loginItems, main = executors.main] {
        std::vector<Result> results;
        for (const ASLoginStartItem& item : chosen)
            results.push_back({item.path, item.source, StartupItemRemover::removeItem(item, *list)});
        main([weak, results = std::move(results)] {
            if (auto self = weak.lock()) self->finishRemoval(results);
        });
    });
}

void StartupItemsModel::finishRemoval(const std::vector<Result>& results) {
    for (const Result& result : results) {
        if (result.removed) {
            forget(result);
            continue;
        }
        failedPaths.insert(result.path);
        for (ASLoginStartItem& row : rows)
            if (row.path == result.path) row.canDelete = row.bIsSelected = false;
    }
    deleting = false;
    rowsChanged();
}

// A removed item leaves the rows, and a removed file its source list, so no refresh brings it
// back.
void StartupItemsModel::forget(const Result& removed) {
    erasePath(rows, removed.path);
    if (removed.source == StartupItemSource::LoginItem) return;
    erasePath(launchAgents, removed.path);
    erasePath(launchDaemons, removed.path);
}

void StartupItemsModel::addLoginItems(std::vector<std::string> paths) {
    std::weak_ptr<StartupItemsModel> weak = weak_from_this();
    executors.global([weak, paths = std::move(paths), list = loginItems, main = executors.main] {
        for (const std::string& path : paths) list->addLoginItem(path);
        main([weak] {
            if (auto self = weak.lock()) self->updateLoginItemsList();
        });
    });
}

}  // namespace core::startup

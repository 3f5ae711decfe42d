#pragma once

#include "core/kit/Executors.h"
#include "core/startup/ASLoginStartItem.h"
#include "core/startup/StartupItemsScanner.h"
#include "platform/desktop/LoginItemList.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace core::startup {

// What the startup items page shows and does, without widgets: the rows (login items in the
// session's order, then the launch agents, daemons and helper tools not yet listed), their
// ticks, the refresh, the select-all rules, removal and adding login items.
//
// Only the main thread calls it. The login items are read and items removed on the global
// queue; the results are handed to the main queue whole and swapped in there. While a refresh
// (isScan) or a removal (isDeleteing) runs, refreshes are dropped and ticks and removals are
// ignored. Ticks are kept by path, so after a refresh only ticks of rows still listed and
// removable remain. A failed removal leaves the row unticked and not removable for the rest
// of the run, refreshes included. Work posted for a model that is gone by then is dropped.
class StartupItemsModel : public std::enable_shared_from_this<StartupItemsModel> {
public:
    // The header box's picture: none, some or every removable row ticked.
    enum class HeaderBox { Unticked, HalfTicked, Ticked };

    // rowsChanged is told on the main thread whenever rows, ticks or the busy flags changed.
    static std::shared_ptr<StartupItemsModel> make(Executors executors,
                                                   std::shared_ptr<platform::LoginItemList> loginItems,
                                                   std::function<void()> rowsChanged);

    // Watches the login items (a change anywhere refreshes) and scans the launch agents,
    // daemons and helper tools once, on the global queue; they join the rows when they come.
    void getAllItmes();
    // Reads the login items again and merges the source lists after them.
    void updateLoginItemsList();

    const std::vector<ASLoginStartItem>& allItems() const { return rows; }
    const StartupItemsScanner::ItemList& launchAgentsList() const { return launchAgents; }
    const StartupItemsScanner::ItemList& launchDaemonsList() const { return launchDaemons; }
    bool isScan() const { return scanning; }
    bool isDeleteing() const { return deleting; }

    int countDeletableItems() const;
    int countTickedItems() const;
    HeaderBox headerBox() const;
    // "移除" is usable while a row is ticked and nothing is being removed.
    bool isRemoveButtonEnabled() const;

    // A row's tick box.
    void setHideStar(int row);
    // The header box: ticks every removable row, or unticks all when every one was ticked.
    void setAllSelectOrNoSelect();
    // A row's remove button, for that row.
    void removeItemsAction(int row);
    // "移除": removes the ticked rows.
    void removeButtonActoion();
    // Adds each path at the end of the login items, then refreshes.
    void addLoginItems(std::vector<std::string> paths);

private:
    struct Result {
        std::string path;
        StartupItemSource source;
        bool removed;
    };

    StartupItemsModel(Executors executors, std::shared_ptr<platform::LoginItemList> loginItems,
                      std::function<void()> rowsChanged);

    bool isBusy() const { return scanning || deleting; }
    void takeSourceLists(StartupItemsScanner::Lists lists);
    void finishRefresh(std::vector<ASLoginStartItem> loginRows);
    // Appends the source lists' items whose paths are not yet rows, and applies the kept ticks
    // and failures to every row.
    void mergeSourceLists(std::vector<ASLoginStartItem>& merged) const;
    void startRemoval(std::vector<ASLoginStartItem> chosen);
    void finishRemoval(const std::vector<Result>& results);
    void forget(const Result& removed);

    Executors executors;
    std::shared_ptr<platform::LoginItemList> loginItems;
    std::function<void()> rowsChanged;
    std::unique_ptr<platform::LoginItemList::Watch> watch;

    std::vector<ASLoginStartItem> rows;
    StartupItemsScanner::ItemList launchAgents;
    StartupItemsScanner::ItemList launchDaemons;
    std::set<std::string> failedPaths;
    bool scanning = false;
    bool deleting = false;
};

}  // namespace core::startup

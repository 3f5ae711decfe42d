#include "core/taskmanager/TaskManagerRows.h"

#include <algorithm>

namespace core::taskmanager {
namespace {

bool sameProcess(const TaskManagerInfo& one, const TaskManagerInfo& other) {
    return one.pID == other.pID && one.startTime == other.startTime;
}

}  // namespace

void TaskManagerRows::merge(const std::vector<TaskManagerInfo>& found) {
    for (const TaskManagerInfo& application : found) {
        auto listed = std::find_if(rows.begin(), rows.end(),
                                   [&](const TaskManagerInfo& row) { return row.pID == application.pID; });
        if (listed == rows.end())
            rows.push_back(application);
        else if (sameProcess(*listed, application))
            listed->memSize = application.memSize;
        else
            *listed = application;
    }
    changeSelectAllButton();
}

void TaskManagerRows::clear() { rows.clear(); }

bool TaskManagerRows::setMemorySizes(const std::map<int, float>& memSizeByPid) {
    bool changed = false;
    for (TaskManagerInfo& row : rows) {
        auto size = memSizeByPid.find(row.pID);
        if (size == memSizeByPid.end() || size->second == row.memSize) continue;
        row.memSize = size->second;
        changed = true;
    }
    return changed;
}

void TaskManagerRows::removeRows(const std::vector<TaskManagerInfo>& gone) {
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const TaskManagerInfo& row) {
                                  return std::any_of(gone.begin(), gone.end(), [&](const TaskManagerInfo& process) {
                                      return sameProcess(row, process);
                                  });
                              }),
               rows.end());
    changeSelectAllButton();
}

void TaskManagerRows::changeCloseButtonState(int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    rows[row].bIsSelected = !rows[row].bIsSelected;
    changeSelectAllButton();
}

void TaskManagerRows::changeSelectAllButton() {
    auto ticked = std::count_if(rows.begin(), rows.end(), [](const TaskManagerInfo& row) { return row.bIsSelected; });
    if (ticked == 0)
        selectAllState = None;
    else if (ticked == static_cast<long>(rows.size()))
        selectAllState = All;
    else
        selectAllState = Some;
}

// With no rows the box still turns to all, and the force-quit button with it, though there is
// nothing to quit.
void TaskManagerRows::setAllSelectOrNoSelect() {
    selectAllState = selectAllState == All ? None : All;
    for (TaskManagerInfo& row : rows) row.bIsSelected = selectAllState == All;
}

std::vector<TaskManagerInfo> TaskManagerRows::selectedRows() const {
    std::vector<TaskManagerInfo> selected;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(selected),
                 [](const TaskManagerInfo& row) { return row.bIsSelected; });
    return selected;
}

}  // namespace core::taskmanager

#pragma once

#include "core/taskmanager/TaskManagerInfo.h"

#include <map>
#include <vector>

namespace core::taskmanager {

// The task manager's rows in the order found, their check boxes and the select-all box
// (selectAllButSt: 0 none, 1 all, 2 some). Only the main thread calls it; list builds and
// memory passes made elsewhere are handed in whole.
class TaskManagerRows {
public:
    enum SelectAll { None = 0, All = 1, Some = 2 };

    const std::vector<TaskManagerInfo>& allApplications() const { return rows; }
    int selectAllButSt() const { return selectAllState; }
    // The force-quit button ("加速") is usable unless the select-all box says none.
    bool isCloseButtonEnabled() const { return selectAllState != None; }

    // Takes a list build in: a process already listed only gets its new memory figure, a new
    // one is appended ticked, and rows of processes missing from the build stay. A row whose pid
    // now belongs to another process (another start time) is that process's row from now on.
    // The select-all state follows.
    void merge(const std::vector<TaskManagerInfo>& found);
    // Empties the list (before a rebuild).
    void clear();
    // New memory figures by pid; rows not named keep theirs. Answers whether any row changed.
    bool setMemorySizes(const std::map<int, float>& memSizeByPid);
    // The rows whose processes are gone leave the list (pid and start time must both match).
    void removeRows(const std::vector<TaskManagerInfo>& gone);

    // A row's check box: toggles it and updates the select-all state.
    void changeCloseButtonState(int row);
    // The select-all state by the ticked rows: none (also with no rows), all, or some.
    void changeSelectAllButton();
    // The select-all box: from all to none, from none or some to all.
    void setAllSelectOrNoSelect();

    std::vector<TaskManagerInfo> selectedRows() const;

private:
    std::vector<TaskManagerInfo> rows;
    int selectAllState = None;
};

}  // namespace core::taskmanager

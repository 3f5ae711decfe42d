#pragma once

#include <cstdint>
#include <string>

namespace core::taskmanager {

// One row of the task manager's list: a running application and whether it is ticked for
// force quit.
struct TaskManagerInfo {
    int pID = 0;
    // When the process started (clock ticks after boot): with the pid it names the very process
    // the row was made for, so a pid the system has given to another process is told apart.
    uint64_t startTime = 0;
    std::string image;  // the application's icon: a name of the desktop's icon theme or a file path
    std::string name;   // as the running-applications service gives it
    float memSize = 0;  // resident memory in MiB
    bool bIsSelected = true;

    // The name with every ".app" taken out.
    std::string displayName() const;
    // "%.1f GB" from 1024 MiB on, else "%.0f MB".
    std::string sizeText() const;
};

}  // namespace core::taskmanager
